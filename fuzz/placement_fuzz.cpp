// libFuzzer target: a placement file of any content, any record asked for.
#include "core/help/placement.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("orvanta-placement-fuzz-" + std::to_string(::getpid()) + ".ini");
    Decode_Placement(std::span(data, size));
    // The first byte picks the record, the rest is the file.
    const int record = size > 0 ? data[0] % 6 - 1 : 3;
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    const auto read = Read_Placement(file, record);
    if (read && record < 1)
        __builtin_trap(); // no such record
    return 0;
}
