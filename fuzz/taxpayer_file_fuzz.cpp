// libFuzzer target: a taxpayer file of any content. Whatever is accepted
// must be written back as a file that opens to the same work.
#include "core/files/taxpayer_file.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const TaxpayerRead read = Parse_Taxpayer(std::string_view(reinterpret_cast<const char *>(data), size));
    if (!read.work)
        return 0;
    const std::string written = Taxpayer_Json(*read.work);
    const TaxpayerRead again = Parse_Taxpayer(written);
    if (!again.work || Taxpayer_Json(*again.work) != written)
        __builtin_trap();
    return 0;
}
