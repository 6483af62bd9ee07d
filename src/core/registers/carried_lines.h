// The register totals that lines 1 to 7 of the computation take, as each
// line's help text names them.
#pragma once

#include "core/registers/grid_model.h"

#include <array>
#include <optional>
#include <string>

inline constexpr int kCarriedLines = 7;

// Lines 1, 2 and 3: the interest amounts of codes 11, 12 and 13; lines 4, 5
// and 6: the dividends of codes 21, 22 and 23; line 7: the total gross-up.
// Each as leaving a line stores it: grouped, and empty for zero.
std::array<std::string, kCarriedLines> Carried_Lines(const GridModel &fgEJ, const GridModel &fgBD);

// Why F3 may not carry these lines, or nullopt: lines 1 to 6 take no
// negative amount, and a register holding one (a negative payment typed or
// read in) would put it there. The message names the line and the code.
std::optional<std::string> Carry_Refusal(const std::array<std::string, kCarriedLines> &lines);
