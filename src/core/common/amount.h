// Amounts in won: reading typed text, and the two display patterns of the
// program ("####,###,###,##0" for entry fields, "##,##" for the statement).
#pragma once

#include <string>
#include <string_view>

// The amounts the program takes are below ten trillion won in magnitude.
// No person's financial income comes near it, and below it every sum,
// product by a rate, truncation and half of the statement is exact in a
// double, so each line is exact to the won.
inline constexpr double kAmountLimit = 1e13;

enum class NumberStatus {
    NotNumber, // empty, a lone sign or point, letters, misplaced commas...
    Number,
    Overflow, // well-formed, but its whole won reach kAmountLimit
};

struct ParsedNumber {
    NumberStatus status = NumberStatus::NotNumber;
    double value = 0;
};

// Reads an optional sign, digits in which grouping commas may stand, an
// optional decimal part and an optional exponent, with blanks around.
// The decimal point is always ".", whatever the locale. A number that
// rounds to kAmountLimit won or more is an Overflow.
ParsedNumber Parse_Number(std::string_view text);

// The "reads as a number" test of the amount fields. An overflowing text
// reads as a number; converting it is what fails.
bool Reads_As_Number(std::string_view text);

// Whole won, halves away from zero (0.5 -> 1, -2.5 -> -3).
double Round_Won(double value);

// Truncation toward zero to whole won, where a tax rule asks for it.
double Truncate_Won(double value);

// "####,###,###,##0": grouped by threes, at least one digit, "-" in front of
// a negative amount. Every digit is written, up to the largest double.

// Whether a computed amount (a sum of a register) stays within the range.
bool Within_Amount_Limit(double value);
std::string Format_Whole(double value);

// "##,##": as Format_Whole, but zero (after rounding) gives the empty text.
std::string Format_Grouped(double value);
// The text form: a text that reads as a number is formatted as above; any
// other text (a lone "-", letters) comes back unchanged.
std::string Format_Grouped(std::string_view text);

// An amount text box's content and caret, counted in characters.
struct AmountEdit {
    std::string text;
    int caret = 0;
};

// Re-formats an amount text box in place. It leaves the box alone when the
// text is empty, reads as zero (so a typed 0, 00 or 0.0 stays as typed), is
// not a number, or is too large; otherwise the text becomes Format_Whole of the
// number and the caret goes after the last character.
AmountEdit Format_Amount(std::string_view text, int caret);

// What an amount field makes of its text after a keystroke or a paste. A
// text that does not read as a number loses the characters before the caret
// one at a time, as Backspace removes them, until it reads as one (an empty
// text or a lone "-" never does) or nothing is left before the caret; a
// number is then re-formatted as Format_Amount does. `overflowed` tells that
// a text on the way was too large an amount, which the field reports. The caret counts bytes of the UTF-8 text.
struct AmountTyping {
    AmountEdit edit;
    bool overflowed = false;
};
AmountTyping Amount_Field_Typing(std::string_view text, int caret);

// The value of an amount text kept in a field or grid cell: blanks and
// unreadable texts give 0, without a message.
double Get_Amount(std::string_view text);
