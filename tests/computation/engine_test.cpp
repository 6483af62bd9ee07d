#include "core/computation/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

// Inputs as the panel gathers them: lines 1..9, with 9 and 10 repeating 7 and 8.
InputAmounts Inputs(std::array<double, 9> lines)
{
    InputAmounts in{};
    for (int i = 0; i < 9; ++i)
        in[i] = lines[i];
    in[9] = in[7];
    in[10] = in[8];
    return in;
}

// Every statement line's text, keyed "(1)".."(38)", "④".
std::map<std::string, std::string> Lines(const StatementEngine &s)
{
    std::map<std::string, std::string> out;
    for (const StatementLine &line : Statement_Lines())
        out[line.line] = s.Label(line.label);
    return out;
}

struct Example {
    const char *name;
    std::array<double, 9> lines;
    Section section;
    const char *tax;
    std::map<std::string, std::string> expect; // the lines not named here are blank
};

const Example kExamples[] = {
    {"above the threshold, (20) is larger",
     {0, 10'000'000, 30'000'000, 10'000'000, 0, 0, 1'100'000, 20'000'000, 3'000'000},
     Section::Above,
     "10,158,000",
     {{"(1)", "0"},           {"(2)", "10,000,000"},  {"(3)", "30,000,000"},  {"(4)", "40,000,000"},
      {"(5)", "10,000,000"},  {"(6)", "0"},           {"(7)", "0"},           {"(8)", "10,000,000"},
      {"(9)", "50,000,000"},  {"(10)", "40,000,000"}, {"(11)", "10,000,000"}, {"(12)", "1,100,000"},
      {"(13)", "20,000,000"}, {"(14)", "31,100,000"}, {"(15)", "3,000,000"},  {"(16)", "28,100,000"},
      {"(17)", "18 %"},       {"(18)", "4,158,000"}, // 28,100,000 x 18% - 900,000
      {"(19)", "6,000,000"},  {"(20)", "10,158,000"}, {"(21)", "0"},          {"(22)", "50,000,000"},
      {"(23)", "7,500,000"},  {"(24)", "20,000,000"}, {"(25)", "3,000,000"},  {"(26)", "17,000,000"},
      {"(27)", "18 %"},       {"(28)", "2,160,000"},                      // 17,000,000 x 18% - 900,000
      {"(29)", "9,660,000"},  {"(30)", "10,158,000"}, {"④", "498,000"}}}, // (30)-(29) = 498,000, below (12)
    {"at or below the threshold",
     {0, 5'000'000, 0, 0, 0, 1'000'000, 0, 30'000'000, 5'000'000},
     Section::AtOrBelow,
     "4,500,000",
     {{"(1)", "0"},
      {"(2)", "5,000,000"},
      {"(3)", "0"},
      {"(4)", "5,000,000"},
      {"(5)", "0"},
      {"(6)", "0"},
      {"(7)", "1,000,000"},
      {"(8)", "1,000,000"},
      {"(31)", "6,000,000"},
      {"(32)", "900,000"},
      {"(33)", "30,000,000"},
      {"(34)", "5,000,000"},
      {"(35)", "25,000,000"},
      {"(36)", "18 %"},
      {"(37)", "3,600,000"},
      {"(38)", "4,500,000"}}},
    {"just above, with a half won from (21)",
     {1'000'002, 0, 39'000'000, 0, 0, 0, 0, 0, 0},
     Section::Above,
     "6,100,001",
     {{"(1)", "1,000,002"},   {"(2)", "0"},
      {"(3)", "39,000,000"},  {"(4)", "40,000,002"},
      {"(5)", "0"},           {"(6)", "0"},
      {"(7)", "0"},           {"(8)", "0"},
      {"(9)", "40,000,002"},  {"(10)", "40,000,000"},
      {"(11)", "2"},          {"(12)", "0"},
      {"(13)", "0"},          {"(14)", "2"},
      {"(15)", "0"},          {"(16)", "2"},
      {"(17)", "9 %"},        {"(18)", "0"},
      {"(19)", "6,000,000"},  {"(20)", "6,000,000"},
      {"(21)", "250,001"}, // 250,000.5 kept, rounded only when shown
      {"(22)", "39,000,000"}, {"(23)", "5,850,000"},
      {"(24)", "0"},          {"(25)", "0"},
      {"(26)", "0"},          {"(27)", "0 %"},
      {"(28)", "0"},          {"(29)", "6,100,001"},
      {"(30)", "6,100,001"},  {"④", "0"}}},
    {"all zero",
     {0, 0, 0, 0, 0, 0, 0, 0, 0},
     Section::AtOrBelow,
     "0",
     {{"(1)", "0"},
      {"(2)", "0"},
      {"(3)", "0"},
      {"(4)", "0"},
      {"(5)", "0"},
      {"(6)", "0"},
      {"(7)", "0"},
      {"(8)", "0"},
      {"(31)", "0"},
      {"(32)", "0"},
      {"(33)", "0"},
      {"(34)", "0"},
      {"(35)", "0"},
      {"(36)", "0 %"},
      {"(37)", "0"},
      {"(38)", "0"}}},
};

TEST(CalcVal, WorkedExamplesGiveEveryLineOfTheStatement)
{
    for (const Example &ex : kExamples) {
        SCOPED_TRACE(ex.name);
        StatementEngine s;
        EXPECT_EQ(s.Calc_Val(Inputs(ex.lines)), ex.tax);
        EXPECT_EQ(s.section, ex.section);
        for (const auto &[line, text] : Lines(s)) {
            const auto expected = ex.expect.find(line);
            EXPECT_EQ(text, expected == ex.expect.end() ? "" : expected->second) << line;
        }
    }
}

TEST(CalcVal, ThirdExampleKeepsTheFractionInTheStatement)
{
    StatementEngine s;
    s.Calc_Val(Inputs({1'000'002, 0, 39'000'000, 0, 0, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(s.ComputationStatement[11], 250'000.5);
    EXPECT_DOUBLE_EQ(s.ComputationStatement[17], 6'100'000.5);
    EXPECT_DOUBLE_EQ(s.ComputationStatement[18], 6'100'000.5);
    EXPECT_EQ(s.ComputationStatement[25], 0); // ④ is never kept
}

TEST(CalcVal, ThresholdItselfIsTaxedSeparately)
{
    StatementEngine at;
    at.Calc_Val(Inputs({0, 0, 40'000'000, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(at.section, Section::AtOrBelow);

    StatementEngine above;
    above.Calc_Val(Inputs({0, 0, 40'000'001, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(above.section, Section::Above);
    EXPECT_EQ(Lines(above)["(11)"], "1");
}

TEST(GetRate, EachBoundBelongsToTheLowerBracketAndTheBracketsMeet)
{
    struct Case {
        double base;
        int rate;
        double tax;
    } cases[] = {
        {-5, 0, 0},
        {0, 0, 0},
        {1, 9, 0},
        {10'000'000, 9, 900'000},
        {10'000'001, 18, 900'000}, // 1,800,000.18 truncated, less 900,000
        {40'000'000, 18, 6'300'000},
        {40'000'001, 27, 6'300'000},
        {80'000'000, 27, 17'100'000},
        {80'000'001, 36, 17'100'000},
        {100'000'000, 36, 24'300'000},
        {1'234'567, 9, 111'111}, // 111,111.03
    };
    for (const Case &c : cases) {
        const auto rate = StatementEngine::Get_Rate(c.base);
        EXPECT_EQ(rate, c.rate) << c.base;
        EXPECT_EQ(StatementEngine::Bracket_Tax(c.base, rate), c.tax) << c.base;
    }
}

TEST(CalcVal, DeductionsAreCappedByTheirIncome)
{
    // (15) larger than (14): shown as (14), base 0. (25) against (24) alike.
    StatementEngine s;
    s.Calc_Val(Inputs({0, 0, 50'000'000, 0, 0, 0, 0, 2'000'000, 99'000'000}));
    auto lines = Lines(s);
    EXPECT_EQ(lines["(14)"], "12,000,000");
    EXPECT_EQ(lines["(15)"], "12,000,000");
    EXPECT_EQ(lines["(16)"], "0");
    EXPECT_EQ(lines["(17)"], "0 %");
    EXPECT_EQ(lines["(18)"], "0");
    EXPECT_EQ(lines["(24)"], "2,000,000");
    EXPECT_EQ(lines["(25)"], "2,000,000");
    EXPECT_EQ(lines["(26)"], "0");

    // A negative gross-up can leave (14) at or below zero: the deduction shows 0.
    StatementEngine negative;
    negative.Calc_Val(Inputs({0, 0, 41'000'000, 0, 0, 0, -3'000'000, 0, 500'000}));
    lines = Lines(negative);
    EXPECT_EQ(lines["(12)"], "-3,000,000");
    EXPECT_EQ(lines["(14)"], "-2,000,000");
    EXPECT_EQ(lines["(15)"], "0");
    EXPECT_EQ(lines["(16)"], "0");
    EXPECT_EQ(lines["(24)"], "0");
    EXPECT_EQ(lines["(25)"], "0");

    // Section ③: (34) against (33).
    StatementEngine three;
    three.Calc_Val(Inputs({0, 0, 0, 0, 0, 0, 0, 1'000'000, 3'000'000}));
    lines = Lines(three);
    EXPECT_EQ(lines["(34)"], "1,000,000");
    EXPECT_EQ(lines["(35)"], "0");
    EXPECT_EQ(lines["(36)"], "0 %");
}

TEST(CalcVal, AComputationLeavesTheOtherSectionAsItWas)
{
    StatementEngine s;
    s.Calc_Val(Inputs({0, 10'000'000, 30'000'000, 10'000'000, 0, 0, 1'100'000, 20'000'000, 3'000'000}));
    const auto above = Lines(s);
    s.Calc_Val(Inputs({0, 5'000'000, 0, 0, 0, 1'000'000, 0, 30'000'000, 5'000'000}));
    const auto after = Lines(s);
    EXPECT_EQ(s.section, Section::AtOrBelow);
    for (const char *line : {"(9)", "(10)", "(18)", "(29)", "(30)", "④"})
        EXPECT_EQ(after.at(line), above.at(line)) << line;
    EXPECT_EQ(after.at("(38)"), "4,500,000");
    EXPECT_EQ(s.ComputationStatement[18], 10'158'000);

    // A line that had a tax shows 0 % and "0" once its base is gone.
    s.Calc_Val(Inputs({0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Lines(s).at("(36)"), "0 %");
    EXPECT_EQ(Lines(s).at("(37)"), "0");

    s.Clear_Labels();
    for (const auto &[line, text] : Lines(s))
        EXPECT_EQ(text, "") << line;
}

TEST(CalcVal, AboveTheThresholdTheTaxIsAtLeastTheFirstComparisonAndTheCreditAtMostTheGrossUp)
{
    for (double interest = 40'000'001; interest < 300'000'000; interest += 13'370'011)
        for (double other : {0.0, 9'000'000.0, 55'555'555.0, 130'000'000.0})
            for (double grossUp : {0.0, 250'000.0, 4'000'000.0}) {
                StatementEngine s;
                s.Calc_Val(Inputs({interest / 4, 0, interest * 3 / 4, 0, 0, 0, grossUp, other, 1'500'000}));
                const auto &st = s.ComputationStatement;
                ASSERT_EQ(s.section, Section::Above);
                EXPECT_GE(st[18], 6'000'000 + st[8]);
                EXPECT_GE(st[18], st[17]);
                const double credit = std::min(grossUp, st[18] - st[17]);
                EXPECT_EQ(s.TxtLab1[25], Show_Amount(credit));
                EXPECT_LE(credit, grossUp);
            }
}

TEST(CalcVal, OverflowingInputsAreRecognisedBeforeTheyReachALabel)
{
    EXPECT_FALSE(StatementEngine::Would_Overflow(Inputs({0, 10'000'000, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_FALSE(StatementEngine::Would_Overflow(Inputs({1e300, 0, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_TRUE(StatementEngine::Would_Overflow(Inputs({1.7e308, 1.7e308, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_TRUE(StatementEngine::Would_Overflow(Inputs({0, 0, 1.7e308, 0, 0, 0, 1.7e308, 0, 0})));
}

TEST(StatementLines, RunFromOneToThirtyEightThenTheCredit)
{
    const auto lines = Statement_Lines();
    for (int i = 0; i < 38; ++i)
        EXPECT_EQ(std::string(lines[i].line), "(" + std::to_string(i + 1) + ")");
    EXPECT_EQ(std::string(lines[38].line), "④");
    // Every label appears exactly once.
    std::map<std::pair<int, int>, int> seen;
    for (const auto &l : lines)
        ++seen[{static_cast<int>(l.label.array), l.label.index}];
    EXPECT_EQ(seen.size(), 39u);
}

} // namespace

// The statement again in exact integers, in hundredths of a won so that
// (21) and (32), which keep their fractions, are exact too.
struct ExactStatement {
    using I = __int128;
    std::map<std::string, std::string> lines;

    static std::string Show(I hundredths) // rounded half away from zero, as the labels show amounts
    {
        const I won = (hundredths < 0 ? -hundredths + 50 : hundredths + 50) / 100;
        return Show_Amount(static_cast<double>(hundredths < 0 ? -won : won));
    }
    static std::pair<I, I> Cap(I deduction, I income) // the deduction shown, the base left
    {
        if (income <= 0)
            return {0, 0};
        return income > deduction ? std::pair<I, I>{deduction, income - deduction} : std::pair<I, I>{income, 0};
    }
    static std::pair<int, I> Bracket(I base) // the rate and the tax, in won
    {
        if (base <= 0)
            return {0, 0};
        const int rate = base <= 10'000'000 ? 9 : base <= 40'000'000 ? 18 : base <= 80'000'000 ? 27 : 36;
        const I less = rate == 9 ? 0 : rate == 18 ? 900'000 : rate == 27 ? 4'500'000 : 11'700'000;
        return {rate, base * rate / 100 - less};
    }

    explicit ExactStatement(const std::array<long long, 9> &in)
    {
        const auto put = [&](const char *line, I won) { lines[line] = Show(won * 100); };
        const auto rate = [&](const char *line, int r) { lines[line] = Show_Amount(r) + " %"; };
        const char *inputLines[] = {"(1)", "(2)", "(3)", "(5)", "(6)", "(7)"};
        for (int i = 0; i < 6; ++i)
            put(inputLines[i], in[i]);
        const I interest = I(in[0]) + in[1] + in[2], dividends = I(in[3]) + in[4] + in[5];
        const I financial = interest + dividends;
        put("(4)", interest), put("(8)", dividends);
        if (financial > 40'000'000) {
            put("(9)", financial);
            const I income14 = financial - 40'000'000 + in[6] + in[7];
            const auto [d15, base16] = Cap(in[8], income14);
            const auto [rate17, tax18] = Bracket(base16);
            const I tax23 = (financial - in[0]) * 15 / 100;
            const auto [d25, base26] = Cap(in[8], in[7]);
            const auto [rate27, tax28] = Bracket(base26);
            const I h20 = (6'000'000 + tax18) * 100, h29 = tax23 * 100 + I(in[0]) * 25 + tax28 * 100;
            const I h30 = h20 > h29 ? h20 : h29;
            put("(10)", 40'000'000), put("(11)", financial - 40'000'000), put("(12)", in[6]), put("(13)", in[7]);
            put("(14)", income14), put("(15)", d15), put("(16)", base16), rate("(17)", rate17), put("(18)", tax18);
            put("(19)", 6'000'000), lines["(20)"] = Show(h20), lines["(21)"] = Show(I(in[0]) * 25);
            put("(22)", financial - in[0]), put("(23)", tax23), put("(24)", in[7]), put("(25)", d25);
            put("(26)", base26), rate("(27)", rate27), put("(28)", tax28), lines["(29)"] = Show(h29);
            lines["(30)"] = Show(h30);
            lines["④"] = Show(std::min(I(in[6]) * 100, h30 - h29));
        } else {
            const I untaxed = I(in[1]) + in[5];
            const auto [d34, base35] = Cap(in[8], in[7]);
            const auto [rate36, tax37] = Bracket(base35);
            put("(31)", untaxed), lines["(32)"] = Show(untaxed * 15), put("(33)", in[7]), put("(34)", d34);
            put("(35)", base35), rate("(36)", rate36), put("(37)", tax37);
            lines["(38)"] = Show(tax37 * 100 + untaxed * 15);
        }
    }
};

TEST(CalcVal, EveryLineIsExactToTheWonUpToTheAmountLimit)
{
    constexpr long long kMax = 9'999'999'999'999; // the largest amount a line takes
    std::vector<std::array<long long, 9>> cases = {
        {kMax, kMax, kMax, kMax, kMax, kMax, kMax, kMax, kMax},
        {kMax, 0, 0, 0, 0, 0, -kMax, kMax, 0},
        {1, 0, 3, 0, 0, 0, 0, kMax, 1}, // (21) keeps a quarter
        {0, 13'333'333, 0, 0, 0, 1, 0, kMax, 0}, // at the threshold: (32) keeps hundredths
    };
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    const auto next = [&x] {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        return x;
    };
    for (int n = 0; n < 3000; ++n) {
        std::array<long long, 9> in{};
        for (int i = 0; i < 9; ++i) {
            // Every magnitude from won to trillions, most often near the top.
            const long long scale = static_cast<long long>(std::pow(10.0, next() % 14));
            in[i] = static_cast<long long>(next() % static_cast<std::uint64_t>(std::min(scale, kMax)));
            if (i == 6 && next() % 2) // line 7 may be negative
                in[i] = -in[i];
        }
        cases.push_back(in);
    }
    for (const auto &in : cases) {
        std::array<double, 9> lines;
        for (int i = 0; i < 9; ++i)
            lines[i] = static_cast<double>(in[i]);
        StatementEngine engine;
        const std::string tax = engine.Calc_Val(Inputs(lines));
        const ExactStatement exact(in);
        const auto shown = Lines(engine);
        for (const auto &[line, text] : exact.lines)
            ASSERT_EQ(shown.at(line), text) << line << " of " << ::testing::PrintToString(in);
        EXPECT_EQ(tax, exact.lines.at(engine.section == Section::Above ? "(30)" : "(38)"));
    }
}
