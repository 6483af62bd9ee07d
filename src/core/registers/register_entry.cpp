#include "core/registers/register_entry.h"

#include "core/common/amount.h"
#include "core/common/utf8.h"
#include "core/law/law.h"

#include <string>

namespace {

// The refusal of a register's name (field 0) or number (field 1), built once
// for each: "상호(성명)은(는) 200자까지 입력할 수 있습니다." when too long,
// "상호(성명)에 제어 문자(탭, 줄바꿈 등)가 있습니다." as a file's row is told.
const char *Text_Field_Message(const RegisterLayout &layout, int field, bool tooLong)
{
    const auto text = [](const char *label, bool tooLong) {
        return tooLong ? std::string(label) + "은(는) " + std::to_string(kMaxTextChars) + "자까지 입력할 수 있습니다."
                       : std::string(label) + "에 제어 문자(탭, 줄바꿈 등)가 있습니다.";
    };
    static const std::string messages[2][2][2] = {
        {{text(kInterestLayout.textLabels[0], false), text(kInterestLayout.textLabels[0], true)},
         {text(kInterestLayout.textLabels[1], false), text(kInterestLayout.textLabels[1], true)}},
        {{text(kDividendLayout.textLabels[0], false), text(kDividendLayout.textLabels[0], true)},
         {text(kDividendLayout.textLabels[1], false), text(kDividendLayout.textLabels[1], true)}},
    };
    return messages[&layout == &kDividendLayout][field][tooLong].c_str();
}

} // namespace

std::vector<std::string> Entry_Cells(const GridModel &grid, std::string_view code, std::span<const std::string> fields)
{
    std::vector<std::string> cells(grid.Cols());
    cells[kCodeCol] = code;
    for (std::size_t k = 0; k < fields.size() && k + kNameCol < cells.size(); ++k) {
        const int col = static_cast<int>(k) + kNameCol;
        cells[col] = col < kFirstAmountCol ? fields[k] : Format_Whole(Get_Amount(fields[k]));
    }
    return cells;
}

SaveResult Save_Row(GridModel &grid, int editRow, std::vector<std::string> cells)
{
    cells.resize(grid.Cols());
    if (cells[kNameCol].empty())
        return SaveResult::NameMissing;
    if (Code_Points(cells[kNameCol]) > kMaxTextChars)
        return SaveResult::NameTooLong;
    if (Code_Points(cells[kNumberCol]) > kMaxTextChars)
        return SaveResult::NumberTooLong;
    // What no file could hold as a row's text (a tab pasted into a field).
    if (Has_Control_Character(cells[kNameCol]))
        return SaveResult::NameControl;
    if (Has_Control_Character(cells[kNumberCol]))
        return SaveResult::NumberControl;

    // Regroup a copy first: whether the page still holds the register is
    // only known after the regrouping has placed the subtotal rows.
    GridModel trial = grid;
    int target = editRow;
    if (!trial.Is_Data(target)) {
        trial.Add_Row();
        target = trial.Rows() - 1;
    }
    cells[kSerialCol] = std::to_string(target); // the regrouping renumbers it
    trial.Set_Row_Height(target, kRowHeight);
    for (int c = 1; c < trial.Cols(); ++c)
        trial.Set_Text(target, c, std::move(cells[c]));
    Reset_fg(trial);

    // This also covers the plain row limit: a new row on a register that
    // already fills its page always leaves one row too many.
    if (trial.Rows() - 1 > Layout_Of(trial).pageRows)
        return SaveResult::RegisterFull;
    // A sum too large to read back as an amount is refused like a typed one.
    for (int r = 1; r < trial.Rows(); ++r)
        for (int c = kFirstAmountCol; !trial.Is_Data(r) && c < trial.Cols(); ++c)
            if (Parse_Number(trial.Text(r, c)).status != NumberStatus::Number)
                return SaveResult::TooLarge;

    grid = std::move(trial);
    return SaveResult::Saved;
}

const char *Refusal_Message(SaveResult result, const RegisterLayout &layout)
{
    switch (result) {
    case SaveResult::Saved:
        break;
    case SaveResult::NameMissing:
        return layout.nameMissingMessage;
    case SaveResult::NameTooLong:
        return Text_Field_Message(layout, 0, true);
    case SaveResult::NumberTooLong:
        return Text_Field_Message(layout, 1, true);
    case SaveResult::NameControl:
        return Text_Field_Message(layout, 0, false);
    case SaveResult::NumberControl:
        return Text_Field_Message(layout, 1, false);
    case SaveResult::RegisterFull:
        return layout.limitMessage;
    case SaveResult::TooLarge:
        return kAmountTooLargeMessage;
    }
    return nullptr;
}

GrossUp BD_Calc(std::string_view dividend, std::string_view base)
{
    // The base is below the amount limit, so 19 times it is exact and the
    // gross-up rounds as the exact fraction would.
    std::string grossUp = Format_Whole(law::Of(Get_Amount(base), law::kGrossUp));
    const double income = Get_Amount(dividend) + Get_Amount(grossUp);
    if (!Within_Amount_Limit(income))
        return {{}, {}, true};
    return {std::move(grossUp), Format_Whole(income), false};
}
