// The law's 배당가산대상금액: the threshold (law::kThreshold) is filled first
// by all the interest, then by the dividends not eligible for the gross-up
// (codes 22 and 23), then by those that are (code 21); only the code-21
// dividends above it are grossed up:
//
//     base = min(code-21 배당액, max(0, all interest + all dividends − threshold))
//
// The law fixes that total. Page 7 shows it per row, and how it is spread is
// ours: the code-21 rows, largest 배당액 first (the row standing first on
// equal amounts), each take what is left up to their 배당액, so that at most
// one row is partly grossed up and every run spreads it alike.
#pragma once

#include "core/registers/grid_model.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr int kDividendCol = 5; // ⑤배당액
inline constexpr int kBaseCol = 6;     // ⑥배당가산대상금액

struct GrossUpRule {
    double financialIncome = 0; // every interest and every dividend
    double excess = 0;          // the part above the threshold; 0 at or below it
    double base = 0;            // the law's total
    // By grid row of the dividend register: the rule's base of each data
    // row, 0 for every other row.
    std::vector<double> rowBases;

    // The data rows whose base differs from the rule's, in grid order.
    std::vector<int> Differing_Rows(const GridModel &fgBD) const;
};

GrossUpRule Gross_Up_Rule(const GridModel &fgEJ, const GridModel &fgBD);

// The sum of the register's 배당가산대상금액 over its data rows.
double Register_Base(const GridModel &fgBD);

// The dividend register with the bases of `rule` (worked out for this very
// register), each changed row saved over itself as 저장 saves it (its
// 배당가산액 and 배당소득금액 worked out as typing the base would), regrouped.
struct RuleApplied {
    GridModel fgBD;
    int changedRows = 0;
    std::optional<std::string> refusal; // a save refused: fgBD is the register as it was
};
RuleApplied Apply_Gross_Up_Rule(const GrossUpRule &rule, const GridModel &fgBD);

// What 배당가산대상금액 계산 tells once it has applied the rule: the
// financial income, the part above the threshold, the base and the rows
// changed.
std::string Gross_Up_Message(const GrossUpRule &rule, int changedRows);

// F3's question before it carries a register whose bases differ from the
// rule's: 예 applies the rule first, 아니요 carries the register as it is.
std::string Carry_Question(const GrossUpRule &rule, const GridModel &fgBD);
