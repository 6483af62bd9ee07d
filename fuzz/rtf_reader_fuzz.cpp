// libFuzzer target for the RTF reader: any bytes must read without crashing,
// hanging or touching memory outside the input.
#include "core/help/rtf_reader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    if (const std::optional<RtfDocument> document = Read_Rtf(bytes))
        (void)document->Plain_Text();
    return 0;
}
