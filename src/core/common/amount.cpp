#include "core/common/amount.h"

#include "core/common/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

bool Is_Digit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponent of the leading significant digit, to tell an overflow
// from an underflow when the conversion reports a range error.
long long Leading_Exponent(std::string_view mantissa, long long exponent)
{
    const auto point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const auto first = whole.find_first_not_of('0');
    if (first != std::string_view::npos)
        return static_cast<long long>(whole.size() - first) - 1 + exponent;
    if (point == std::string_view::npos)
        return std::numeric_limits<long long>::min();
    const std::string_view fraction = mantissa.substr(point + 1);
    const auto nonzero = fraction.find_first_not_of('0');
    if (nonzero == std::string_view::npos)
        return std::numeric_limits<long long>::min();
    return -static_cast<long long>(nonzero) - 1 + exponent;
}

} // namespace

ParsedNumber Parse_Number(std::string_view text)
{
    const std::string_view s = Trim_Blanks(text);
    std::string clean; // the number without grouping commas, for conversion
    clean.reserve(s.size());

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int digits = 0;
    for (; i < s.size() && (Is_Digit(s[i]) || s[i] == ','); ++i) {
        if (s[i] != ',') {
            clean += s[i];
            ++digits;
        }
    }
    if (i < s.size() && s[i] == '.') {
        clean += '.';
        for (++i; i < s.size() && Is_Digit(s[i]); ++i) {
            clean += s[i];
            ++digits;
        }
    }
    if (digits == 0)
        return {};

    long long exponent = 0;
    const std::string mantissa = clean;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        clean += 'e';
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNegative = s[i] == '-';
            clean += s[i];
            ++i;
        }
        int expDigits = 0;
        for (; i < s.size() && Is_Digit(s[i]); ++i, ++expDigits) {
            clean += s[i];
            if (exponent < 1'000'000'000) // saturate: only its size matters
                exponent = exponent * 10 + (s[i] - '0');
        }
        if (expDigits == 0)
            return {};
        if (expNegative)
            exponent = -exponent;
    }
    if (i != s.size())
        return {};

    double value = 0;
    const auto [end, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (Leading_Exponent(mantissa, exponent) > 0)
            return {NumberStatus::Overflow, 0};
        value = 0; // underflow: as good as zero for an amount in won
    } else if (ec != std::errc() || end != clean.data() + clean.size()) {
        return {};
    }
    if (!Within_Amount_Limit(value))
        return {NumberStatus::Overflow, 0};
    return {NumberStatus::Number, negative ? -value : value};
}

bool Reads_As_Number(std::string_view text) { return Parse_Number(text).status != NumberStatus::NotNumber; }

double Round_Won(double value) { return std::round(value); }

double Truncate_Won(double value) { return std::trunc(value); }

bool Within_Amount_Limit(double value) { return std::fabs(Round_Won(value)) < kAmountLimit; }

std::string Format_Whole(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-∞" : "∞";
    const double rounded = Round_Won(value);
    const double magnitude = std::fabs(rounded);
    char digits[400];
    int n;
    if (magnitude < 1e18) {
        // The common case, an integer conversion: several times faster.
        n = static_cast<int>(
            std::to_chars(digits, digits + sizeof digits, static_cast<unsigned long long>(magnitude)).ptr - digits);
    } else {
        // %.0f of a whole double writes its exact decimal digits (at most 309).
        n = std::snprintf(digits, sizeof digits, "%.0f", magnitude);
    }
    std::string out;
    out.reserve(n + n / 3 + 1);
    if (rounded < 0)
        out += '-';
    for (int k = 0; k < n; ++k) {
        if (k > 0 && (n - k) % 3 == 0)
            out += ',';
        out += digits[k];
    }
    return out;
}

std::string Format_Grouped(double value)
{
    if (Round_Won(value) == 0)
        return {};
    return Format_Whole(value);
}

std::string Format_Grouped(std::string_view text)
{
    const ParsedNumber n = Parse_Number(text);
    if (n.status != NumberStatus::Number)
        return std::string(text);
    return Format_Grouped(n.value);
}

AmountEdit Format_Amount(std::string_view text, int caret)
{
    const ParsedNumber n = Parse_Number(text);
    if (n.status != NumberStatus::Number || n.value == 0)
        return {std::string(text), caret};
    std::string formatted = Format_Whole(n.value);
    const int length = static_cast<int>(formatted.size()); // digits, commas, sign: ASCII
    return {std::move(formatted), length};
}

AmountTyping Amount_Field_Typing(std::string_view text, int caret)
{
    AmountTyping typed{{std::string(text), caret}, false};
    std::string &t = typed.edit.text;
    int &at = typed.edit.caret;
    for (;;) {
        const NumberStatus status = Parse_Number(t).status;
        if (status == NumberStatus::Number)
            break;
        typed.overflowed |= status == NumberStatus::Overflow;
        if (at <= 0)
            return typed;
        // One character: back over the UTF-8 continuation bytes.
        int from = at - 1;
        while (from > 0 && (static_cast<unsigned char>(t[from]) & 0xC0) == 0x80)
            --from;
        t.erase(from, at - from);
        at = from;
    }
    typed.edit = Format_Amount(t, at);
    return typed;
}

double Get_Amount(std::string_view text)
{
    const ParsedNumber n = Parse_Number(text);
    return n.status == NumberStatus::Number ? n.value : 0;
}
