#include "core/help/placement.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

namespace {

std::int32_t Int32_At(std::span<const unsigned char> bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t at = offset + i;
        const std::uint32_t byte = at < bytes.size() ? bytes[at] : 0;
        value |= byte << (8 * i); // little-endian
    }
    return static_cast<std::int32_t>(value);
}

} // namespace

WindowPlacement Decode_Placement(std::span<const unsigned char> bytes)
{
    WindowPlacement p;
    p.marker = Int32_At(bytes, 0);
    p.top = Int32_At(bytes, 4);
    p.left = Int32_At(bytes, 8);
    p.width = Int32_At(bytes, 12);
    p.height = Int32_At(bytes, 16);
    return p;
}

std::optional<WindowPlacement> Read_Placement(const std::filesystem::path &file, int n)
{
    if (n < 1)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::error_code error;
        if (std::filesystem::exists(file, error) || error)
            return std::nullopt; // there, but not readable
        // Created empty, as a random-access file is on its first opening.
        std::ofstream created(file, std::ios::binary);
        if (!created)
            return std::nullopt;
        return WindowPlacement{};
    }
    std::array<unsigned char, kPlacementRecordSize> record{};
    const auto offset = static_cast<std::streamoff>(n - 1) * static_cast<std::streamoff>(kPlacementRecordSize);
    in.seekg(offset);
    if (!in)
        return WindowPlacement{};
    in.read(reinterpret_cast<char *>(record.data()), record.size());
    const auto got = static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0));
    return Decode_Placement(std::span(record.data(), got));
}
