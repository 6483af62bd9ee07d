// What a register's Save does with the entry fields, apart from the widgets,
// so that the panels and orvanta-calc save a row through the same code.
#pragma once

#include "core/registers/regrouping.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char *kAmountTooLargeMessage = "금액이 너무 큽니다.";

// The most characters a payer's name or registration number may hold. No
// real name or number comes near it, and it keeps a register, and so every
// file written from one, within what the readers take (kMaxInputBytes).
inline constexpr std::size_t kMaxTextChars = 200;

// The cells of a data row from the code and the entry fields: field k goes
// to column k + 3 (the name, the registration number, then the amounts),
// names and numbers as typed, each amount read with Get_Amount and written
// with the amount pattern, so an empty field is stored as "0".
std::vector<std::string> Entry_Cells(const GridModel &grid, std::string_view code, std::span<const std::string> fields);

enum class SaveResult {
    Saved,
    NameMissing,   // the payer's name is exactly empty (blanks are a name)
    NameTooLong,   // the name holds more than kMaxTextChars characters
    NumberTooLong, // so does the registration number
    NameControl,   // the name holds a control character (a tab, a line break)
    NumberControl, // so does the registration number
    RegisterFull,  // the register would no longer fit its printed page
    TooLarge,      // a sum of the register would reach the amount limit
};

// Writes the cells (the payer's name given) over row editRow, or as a new row when editRow is 0,
// then regroups. A save that would leave more rows below the header than
// the register's page holds (a new row, or a subtotal row that the
// regrouping adds), or a name or number too long, is refused and the grid is
// left as it was.
SaveResult Save_Row(GridModel &grid, int editRow, std::vector<std::string> cells);

// What a refused save tells the user; nullptr for a save that was made.
const char *Refusal_Message(SaveResult result, const RegisterLayout &layout);

// The dividend's gross-up, 19/100 of the base rounded to whole won, and the
// dividend income, the dividend plus that rounded gross-up.
struct GrossUp {
    std::string grossUp;
    std::string income;
    bool overflow = false; // the income reaches the amount limit; the texts are empty
};
GrossUp BD_Calc(std::string_view dividend, std::string_view base);
