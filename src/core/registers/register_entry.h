// What a register's Save does with the entry fields, apart from the widgets,
// so that the panels and orvanta-calc save a row through the same code.
#pragma once

#include "core/registers/regrouping.h"

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char *kAmountTooLargeMessage = "금액이 너무 큽니다.";
inline constexpr const char *kBaseAboveDividendMessage = "배당가산대상금액은 배당액보다 클 수 없습니다.";

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
    NameMissing,       // the payer's name is exactly empty (blanks are a name)
    NameTooLong,       // the name holds more than kMaxTextChars characters
    NumberTooLong,     // so does the registration number
    NameControl,       // the name holds a control character (a tab, a line break)
    NumberControl,     // so does the registration number
    RegisterFull,      // the register would pass kMaxRegisterRows
    TooLarge,          // a sum of the register would reach the amount limit
    BaseAboveDividend, // a dividend's 배당가산대상금액 above its 배당액
};

// Writes the cells (the payer's name given) over row editRow, or as a new row when editRow is 0,
// then regroups. A save that would leave more than kMaxRegisterRows rows
// below the header (a new row, or a subtotal row that the regrouping adds),
// a name or number too long, or a sum reaching the amount limit, is refused
// and the grid is left as it was. A positive 배당가산대상금액 above the row's
// 배당액 is refused too, unless `keepBaseAboveDividend`: a taxpayer file
// saved before that was checked still opens, and the review points at the
// row. A negative base, a correction, is taken.
SaveResult Save_Row(GridModel &grid, int editRow, std::vector<std::string> cells, bool keepBaseAboveDividend = false);

// New rows saved one after another, each answered as Save_Row would answer
// it as a new row on the grid as the rows before it left it; a refused row is
// not taken. The sums and the row count are kept as the rows come, so the
// grid is regrouped once, by Finish: a file of many rows opens in one pass.
class RowAppender {
public:
    explicit RowAppender(GridModel &grid);
    const GridModel &Grid() const { return grid_; }
    SaveResult Append(std::vector<std::string> cells, bool keepBaseAboveDividend = false);
    // Regroups the grid with every row taken; call it once, after the last.
    void Finish();

private:
    struct Group {
        int rows = 0;
        std::vector<AmountSum> sums;
    };
    Group *Code_Group(std::string_view code); // nullptr for a code not in the list

    GridModel &grid_;
    const RegisterLayout &layout_;
    std::array<Group, 3> codes_; // by the layout's codes
    Group all_;
    int subtotals_ = 0;
};

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
