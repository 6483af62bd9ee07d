// The review of a taxpayer's work before it is filed: what in the registers
// and the nine lines does not hold together, each finding naming its place
// as the taxpayer file's messages do ("배당소득명세 2번째 행: …",
// "산출세액계산 4번 줄: …"). Work that holds together gives no finding: the
// review tells of inconsistencies, it gives no advice.
#pragma once

#include "core/computation/input_logic.h"
#include "core/files/taxpayer_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

inline constexpr const char *kNothingToReview = "검토할 내용이 없습니다.";

// Where a finding points, for the window to show it.
struct FindingPlace {
    enum class Kind { Register, Line, Tax };
    Kind kind = Kind::Register;
    RegisterKind reg = RegisterKind::Dividend;
    int row = 0;  // Register: the grid row, 0 for the register as a whole
    int line = 0; // Line: 0..8
    bool operator==(const FindingPlace &) const = default;
};

struct Finding {
    FindingPlace place;
    std::string text;
    bool operator==(const Finding &) const = default;
};

// The findings in the order of the screen: the interest register, the
// dividend register, each row by row, then the lines and the tax.
// `taxLines` are the lines the shown 종합소득산출세액 was computed from,
// when one is shown.
std::vector<Finding> Review_Work(const TaxpayerWork &work,
                                 const std::optional<std::array<std::string, kLineCount>> &taxLines = std::nullopt);
