#include "core/common/amount.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct ParseCase {
    const char *text;
    NumberStatus status;
    double value;
};

TEST(ParseNumber, ReadsSignsCommasDecimalsExponentsAndBlanks)
{
    const ParseCase cases[] = {
        {"0", NumberStatus::Number, 0},
        {"1234567", NumberStatus::Number, 1234567},
        {"1,234,567", NumberStatus::Number, 1234567},
        {"5,000,0001", NumberStatus::Number, 50000001}, // a digit typed after a grouped amount
        {",234", NumberStatus::Number, 234},            // the first digit erased
        {"-5", NumberStatus::Number, -5},
        {"+5", NumberStatus::Number, 5},
        {"  12  ", NumberStatus::Number, 12},
        {"\t-1,000 ", NumberStatus::Number, -1000},
        {"0.5", NumberStatus::Number, 0.5},
        {"0.", NumberStatus::Number, 0},
        {".5", NumberStatus::Number, 0.5},
        {"1e3", NumberStatus::Number, 1000},
        {"1.5E+2", NumberStatus::Number, 150},
        {"25e-1", NumberStatus::Number, 2.5},
        {"1e-400", NumberStatus::Number, 0}, // underflow is as good as zero
        {"0e999999", NumberStatus::Number, 0},
        {"1e400", NumberStatus::Overflow, 0},
        {"-1e309", NumberStatus::Overflow, 0},
        {"1e99999999999999999999", NumberStatus::Overflow, 0},
        {"", NumberStatus::NotNumber, 0},
        {"   ", NumberStatus::NotNumber, 0},
        {"-", NumberStatus::NotNumber, 0},
        {".", NumberStatus::NotNumber, 0},
        {"-.", NumberStatus::NotNumber, 0},
        {",", NumberStatus::NotNumber, 0},
        {"1e", NumberStatus::NotNumber, 0},
        {"1e+", NumberStatus::NotNumber, 0},
        {"12a", NumberStatus::NotNumber, 0},
        {"a12", NumberStatus::NotNumber, 0},
        {"1.2.3", NumberStatus::NotNumber, 0},
        {"1.2,3", NumberStatus::NotNumber, 0}, // commas only group the whole part
        {"--1", NumberStatus::NotNumber, 0},
        {"- 1", NumberStatus::NotNumber, 0},
        {"1 2", NumberStatus::NotNumber, 0},
        {"0x10", NumberStatus::NotNumber, 0},
        {"inf", NumberStatus::NotNumber, 0},
        {"nan", NumberStatus::NotNumber, 0},
        {"１２", NumberStatus::NotNumber, 0}, // full-width digits
        {"만원", NumberStatus::NotNumber, 0},
    };
    for (const ParseCase &c : cases) {
        const ParsedNumber n = Parse_Number(c.text);
        EXPECT_EQ(n.status, c.status) << '"' << c.text << '"';
        if (c.status == NumberStatus::Number) {
            EXPECT_EQ(n.value, c.value) << '"' << c.text << '"';
        }
        EXPECT_EQ(Reads_As_Number(c.text), c.status != NumberStatus::NotNumber) << '"' << c.text << '"';
    }
}

TEST(ParseNumber, AmountsWhoseWholeWonReachTenTrillionAreTooLarge)
{
    const struct {
        const char *text;
        NumberStatus status;
    } cases[] = {
        {"9,999,999,999,999", NumberStatus::Number},   {"-9999999999999", NumberStatus::Number},
        {"9999999999999.4", NumberStatus::Number},     {"9999999999999.5", NumberStatus::Overflow},
        {"10,000,000,000,000", NumberStatus::Overflow}, {"-1e13", NumberStatus::Overflow},
        {"9,007,199,254,740,993", NumberStatus::Overflow}, {"1.8e308", NumberStatus::Overflow},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Parse_Number(c.text).status, c.status) << c.text;
    EXPECT_EQ(Parse_Number("9,999,999,999,999").value, 9'999'999'999'999.0);
}

TEST(FormatWhole, GroupsByThreesAndRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(Format_Whole(0), "0");
    EXPECT_EQ(Format_Whole(-0.0), "0");
    EXPECT_EQ(Format_Whole(-0.4), "0");
    EXPECT_EQ(Format_Whole(7), "7");
    EXPECT_EQ(Format_Whole(999), "999");
    EXPECT_EQ(Format_Whole(1000), "1,000");
    EXPECT_EQ(Format_Whole(1234567), "1,234,567");
    EXPECT_EQ(Format_Whole(-1234567), "-1,234,567");
    EXPECT_EQ(Format_Whole(0.5), "1");
    EXPECT_EQ(Format_Whole(1.5), "2");
    EXPECT_EQ(Format_Whole(2.5), "3"); // not to even
    EXPECT_EQ(Format_Whole(-2.5), "-3");
    EXPECT_EQ(Format_Whole(250000.5), "250,001");
    EXPECT_EQ(Format_Whole(6100000.5), "6,100,001");
    EXPECT_EQ(Format_Whole(999999.5), "1,000,000");
    EXPECT_EQ(Format_Whole(1e20), "100,000,000,000,000,000,000");
}

TEST(FormatWhole, WritesEveryDigitOfTheLargestDouble)
{
    const std::string text = Format_Whole(DBL_MAX);
    EXPECT_EQ(text.substr(0, 8), "179,769,");
    EXPECT_EQ(text.size(), 309u + 102u); // 309 digits, a comma before every group but the first
    EXPECT_EQ(Format_Whole(-DBL_MAX), "-" + text);
}

TEST(FormatWhole, ReadsBackAsTheRoundedAmountAcrossEveryMagnitude)
{
    // Includes both sides of 10^18, where the formatting changes method.
    std::vector<double> values = {999'999'999'999'999'999.0, 1e18,   1e18 + 256,
                                  123'456'789'012'345'678.0, 9.5e18, 1.8446744073709552e19};
    std::uint64_t x = 88172645463325252ull;
    for (int i = 0; i < 2000; ++i) { // xorshift: many magnitudes and fractions
        x ^= x << 13;
        x ^= x >> 7;
        x ^= x << 17;
        const double mantissa = static_cast<double>(x % 10'000'000) / 8;
        values.push_back(std::ldexp(mantissa, static_cast<int>(x % 1000)) * (x & 1 ? -1 : 1));
    }
    for (const double v : values) {
        const std::string text = Format_Whole(v);
        const ParsedNumber back = Parse_Number(text);
        if (!Within_Amount_Limit(v)) {
            EXPECT_EQ(back.status, NumberStatus::Overflow) << text;
            continue;
        }
        ASSERT_EQ(back.status, NumberStatus::Number) << text;
        EXPECT_EQ(back.value, Round_Won(v) == 0 ? 0.0 : Round_Won(v)) << text;
        EXPECT_EQ(Format_Grouped(text), Round_Won(v) == 0 ? "" : text);
    }
    EXPECT_EQ(Format_Whole(1e18), "1,000,000,000,000,000,000");
    EXPECT_EQ(Format_Whole(999'999'999'999'999'999.0), "1,000,000,000,000,000,000"); // nearest double is 1e18
}

TEST(FormatGrouped, ZeroIsEmptyAndTextThatIsNoNumberStands)
{
    EXPECT_EQ(Format_Grouped(0.0), "");
    EXPECT_EQ(Format_Grouped(0.4), "");
    EXPECT_EQ(Format_Grouped(-0.5), "-1");
    EXPECT_EQ(Format_Grouped(28'100'000.0), "28,100,000");
    EXPECT_EQ(Format_Grouped("1234567"), "1,234,567");
    EXPECT_EQ(Format_Grouped(" 1,234 "), "1,234");
    EXPECT_EQ(Format_Grouped("-1,000"), "-1,000");
    EXPECT_EQ(Format_Grouped("0"), "");
    EXPECT_EQ(Format_Grouped("00"), "");
    EXPECT_EQ(Format_Grouped(""), "");
    EXPECT_EQ(Format_Grouped("-"), "-");
    EXPECT_EQ(Format_Grouped("abc"), "abc");
    EXPECT_EQ(Format_Grouped("1e400"), "1e400"); // overflow: not a value to format
    EXPECT_EQ(Format_Grouped("1e3"), "1,000");
}

TEST(FormatAmount, RegroupsWhileTypingWithTheCaretAtTheEnd)
{
    struct Case {
        const char *text;
        int caret;
        const char *expectText;
        int expectCaret;
    } cases[] = {
        {"1", 1, "1", 1},
        {"1234", 4, "1,234", 5},
        {"1,2345", 6, "12,345", 6},
        {"12,3450", 4, "123,450", 7}, // typed in the middle: the caret still goes to the end
        {"-1234", 5, "-1,234", 6},
        {"1234.5", 6, "1,235", 5},
        {"0.5", 3, "1", 1},
        {"1e3", 3, "1,000", 5},
        // left as typed: empty, zero, not a number, too large
        {"", 0, "", 0},
        {"0", 1, "0", 1},
        {"00", 2, "00", 2},
        {"0.0", 2, "0.0", 2},
        {"-0", 2, "-0", 2},
        {"-", 1, "-", 1},
        {"12a", 3, "12a", 3},
        {"1e400", 5, "1e400", 5},
    };
    for (const Case &c : cases) {
        const AmountEdit out = Format_Amount(c.text, c.caret);
        EXPECT_EQ(out.text, c.expectText) << c.text;
        EXPECT_EQ(out.caret, c.expectCaret) << c.text;
    }
}

TEST(AmountFieldTyping, TakesBackCharactersBeforeTheCaretUntilTheTextIsANumber)
{
    struct Case {
        const char *text;
        int caret; // bytes
        const char *expectText;
        int expectCaret;
        bool overflowed;
    } cases[] = {
        {"1234", 4, "1,234", 5, false},  {"1,234x", 6, "1,234", 5, false},
        {"12a34", 3, "1,234", 5, false},                            // typed in the middle
        {"12가", 5, "12", 2, false},                                // one Korean character: three bytes
        {"12abc", 5, "12", 2, false},                               // a paste, taken back to the number before it
        {"-", 1, "", 0, false},                                     // a lone minus in an empty field
        {"5-", 2, "5", 1, false},        {"-5", 1, "-5", 2, false}, // a minus in front of digits stays
        {"12.", 3, "12", 2, false},      {"0", 1, "0", 1, false},
        {"", 0, "", 0, false},           {"x12", 1, "12", 2, false},
        {"12e999", 6, "", 0, true},  // checked below
        {"abc", 0, "abc", 0, false}, // nothing before the caret to take back
    };
    for (const Case &c : cases) {
        const AmountTyping out = Amount_Field_Typing(c.text, c.caret);
        EXPECT_EQ(out.overflowed, c.overflowed) << c.text;
        if (c.overflowed) {
            // Taken back to 12e9, the first text below the amount limit.
            EXPECT_EQ(out.edit.text, "12,000,000,000");
            continue;
        }
        EXPECT_EQ(out.edit.text, c.expectText) << c.text;
        EXPECT_EQ(out.edit.caret, c.expectCaret) << c.text;
    }
}

TEST(GetAmount, BlanksAndUnreadableTextsAreZero)
{
    EXPECT_EQ(Get_Amount(""), 0);
    EXPECT_EQ(Get_Amount("   "), 0);
    EXPECT_EQ(Get_Amount("1,234,567"), 1234567);
    EXPECT_EQ(Get_Amount(" -5 "), -5);
    EXPECT_EQ(Get_Amount("12.5"), 12.5);
    EXPECT_EQ(Get_Amount("합계"), 0);
    EXPECT_EQ(Get_Amount("-"), 0);
    EXPECT_EQ(Get_Amount("1e400"), 0);
}

} // namespace
