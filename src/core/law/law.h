// The law's numbers, in one place: the basic rates, the threshold for
// financial income and the fractions that the statement and the dividend
// register apply. Each says where it stands on the form. A change of the law
// for another year is a change here, and the engine's worked examples.
#pragma once

#include <cstdint>
#include <limits>

namespace law {

// A rate written as the form writes it, "15/100".
struct Fraction {
    int numerator;
    int denominator;
};

// `amount` times the fraction, multiplied first, exactly as the form's
// "(22)×15/100" reads; any truncation is the caller's rule.
constexpr double Of(double amount, Fraction f) { return amount * f.numerator / f.denominator; }

// 기본세율, lines (17), (27) and (36): the tax on a base is rate/100 of it,
// truncated to the won, less the bracket's progressive deduction.
struct Bracket {
    double upTo; // the bound belongs to this bracket
    std::int16_t rate;
    double less;
};
inline constexpr Bracket kBasicRates[] = {
    {10'000'000, 9, 0},
    {40'000'000, 18, 900'000},
    {80'000'000, 27, 4'500'000},
    {std::numeric_limits<double>::infinity(), 36, 11'700'000},
};

// (10) 종합과세기준금액: financial income above it is taxed with the other
// income (section ②); at or below it, section ③ applies.
inline constexpr double kThreshold = 40'000'000;

// The withholding rate on financial income: (19) (10)×15/100,
// (23) (22)×15/100 and (32) (31)×15/100.
inline constexpr Fraction kWithholding = {15, 100};

// (21) 비영업대금이익 ⑴×25/100: interest on a non-business loan.
inline constexpr Fraction kNonBusinessLoan = {25, 100};

// Page 7, ⑦ 배당가산액 = ⑥×19/100: the gross-up of a dividend, which
// line 7 carries into the statement.
inline constexpr Fraction kGrossUp = {19, 100};

} // namespace law
