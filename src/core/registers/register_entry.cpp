#include "core/registers/register_entry.h"

#include "core/common/amount.h"
#include "core/common/utf8.h"
#include "core/law/law.h"
#include "core/registers/gross_up_rule.h"

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

namespace {

// What no register takes, whatever it holds already.
SaveResult Row_Refusal(const GridModel &grid, const std::vector<std::string> &cells, bool keepBaseAboveDividend)
{
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
    if (Kind_Of(grid) == RegisterKind::Dividend && !keepBaseAboveDividend) {
        const double base = Get_Amount(cells[kBaseCol]);
        if (base > 0 && base > Get_Amount(cells[kDividendCol]))
            return SaveResult::BaseAboveDividend;
    }
    return SaveResult::Saved;
}

// A sum that its 소계 or 합계 row can show and a file can read back.
bool Sum_Fits(AmountSum sum)
{
    return Parse_Number(Format_Whole(static_cast<double>(sum))).status == NumberStatus::Number;
}

void Fill_Row(GridModel &grid, int row, std::vector<std::string> &cells)
{
    cells[kSerialCol] = std::to_string(row); // the regrouping renumbers it
    grid.Set_Row_Height(row, kRowHeight);
    for (int c = 1; c < grid.Cols(); ++c)
        grid.Set_Text(row, c, std::move(cells[c]));
}

} // namespace

RowAppender::RowAppender(GridModel &grid) : grid_(grid), layout_(Layout_Of(grid))
{
    const std::size_t amounts = static_cast<std::size_t>(grid.Cols() - kFirstAmountCol);
    all_.sums.assign(amounts, 0);
    for (Group &group : codes_)
        group.sums.assign(amounts, 0);
    for (int r = 1; r < grid.Rows(); ++r) {
        if (!grid.Is_Data(r))
            continue;
        for (Group *group : {&all_, Code_Group(grid.Text(r, kCodeCol))}) {
            if (!group)
                continue;
            ++group->rows;
            for (std::size_t a = 0; a < amounts; ++a)
                group->sums[a] += Get_Amount(grid.Text(r, kFirstAmountCol + static_cast<int>(a)));
        }
    }
    for (const Group &group : codes_)
        subtotals_ += group.rows >= 2;
}

RowAppender::Group *RowAppender::Code_Group(std::string_view code)
{
    for (std::size_t i = 0; i < layout_.codes.size(); ++i)
        if (code == layout_.codes[i])
            return &codes_[i];
    return nullptr;
}

SaveResult RowAppender::Append(std::vector<std::string> cells, bool keepBaseAboveDividend)
{
    cells.resize(grid_.Cols());
    if (const SaveResult refused = Row_Refusal(grid_, cells, keepBaseAboveDividend); refused != SaveResult::Saved)
        return refused;

    // The regrouping gives each code of two rows or more its 소계 and the
    // register its 합계.
    Group *code = Code_Group(cells[kCodeCol]);
    const int subtotals = subtotals_ + (code && code->rows == 1);
    if (all_.rows + 1 + subtotals + 1 > kMaxRegisterRows)
        return SaveResult::RegisterFull;
    std::vector<double> amounts;
    for (int c = kFirstAmountCol; c < grid_.Cols(); ++c)
        amounts.push_back(Get_Amount(cells[c]));
    for (std::size_t a = 0; a < amounts.size(); ++a)
        if (!Sum_Fits(all_.sums[a] + amounts[a]) || (code && code->rows >= 1 && !Sum_Fits(code->sums[a] + amounts[a])))
            return SaveResult::TooLarge;

    for (Group *group : {&all_, code}) {
        if (!group)
            continue;
        ++group->rows;
        for (std::size_t a = 0; a < amounts.size(); ++a)
            group->sums[a] += amounts[a];
    }
    subtotals_ = subtotals;
    grid_.Add_Row();
    Fill_Row(grid_, grid_.Rows() - 1, cells);
    return SaveResult::Saved;
}

void RowAppender::Finish() { Reset_fg(grid_); }

SaveResult Save_Row(GridModel &grid, int editRow, std::vector<std::string> cells, bool keepBaseAboveDividend)
{
    if (!grid.Is_Data(editRow)) {
        RowAppender appender(grid);
        const SaveResult saved = appender.Append(std::move(cells), keepBaseAboveDividend);
        if (saved == SaveResult::Saved)
            appender.Finish();
        return saved;
    }

    cells.resize(grid.Cols());
    if (const SaveResult refused = Row_Refusal(grid, cells, keepBaseAboveDividend); refused != SaveResult::Saved)
        return refused;
    // Over a loaded row: regroup a copy first, since a changed code may add
    // a 소계 row or make another code's sum too large.
    GridModel trial = grid;
    Fill_Row(trial, editRow, cells);
    Reset_fg(trial);
    // Past the bound only when the row moved to a code that gains its 소계
    // on a register already at the bound: a register no file could hold.
    if (trial.Rows() - 1 > kMaxRegisterRows)
        return SaveResult::RegisterFull;
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
        return kRegisterFullMessage;
    case SaveResult::TooLarge:
        return kAmountTooLargeMessage;
    case SaveResult::BaseAboveDividend:
        return kBaseAboveDividendMessage;
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
