// Wrap-around stepping over a closed range of indices, such as the nine
// computation lines 0..8.
#pragma once

#include <cstdint>

constexpr std::int32_t Circ_Next(std::int32_t value, std::int32_t low, std::int32_t high)
{
    return value >= high ? low : value + 1;
}

constexpr std::int32_t Circ_Prev(std::int32_t value, std::int32_t low, std::int32_t high)
{
    return value <= low ? high : value - 1;
}
