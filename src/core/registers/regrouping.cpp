#include "core/registers/regrouping.h"

#include "core/common/amount.h"

#include <string>
#include <vector>

namespace {

constexpr const char *kInterestHeaders[] = {
    "", "①소득구분", "②일련번호", "③상호(성명)", "④사업자등록번호(주민번호)", "⑤이자소득금액", "⑥원천징수세액  ",
};
constexpr GridColumn kInterestColumns[] = {
    {50, CellAlign::General},  {1200, CellAlign::Centre}, {1100, CellAlign::Centre}, {2400, CellAlign::General},
    {2600, CellAlign::Centre}, {1600, CellAlign::Right},  {1600, CellAlign::Right},
};

// The runs of blanks break each header into two or three lines at these
// widths, with word wrap on and the taller header row.
constexpr const char *kDividendHeaders[] = {
    "",
    "  ①소득      구분      코드",
    " ②  일련번호",
    "      배당지급      ③법인명    ",
    "    배당지급    ④사업자번호",
    "⑤배당액",
    " 배당가산    ⑥대상금액   ",
    "⑦배당가산액",
    "⑧배당소득  금액    ",
    "⑨원천징수  세액    ",
};
constexpr GridColumn kDividendColumns[] = {
    {100, CellAlign::General}, {800, CellAlign::Centre}, {500, CellAlign::Centre}, {1500, CellAlign::Centre},
    {1400, CellAlign::Centre}, {1250, CellAlign::Right}, {1250, CellAlign::Right}, {1350, CellAlign::Right},
    {1250, CellAlign::Right},  {1250, CellAlign::Right},
};

void Init_Grid(GridModel &grid, const RegisterLayout &layout)
{
    grid.Set_Cols(static_cast<int>(layout.columns.size()));
    grid.Set_Rows(1);
    grid.Set_Row_Height(0, layout.headerHeight);
    grid.word_wrap = layout.wordWrap;
    for (int c = 0; c < grid.Cols(); ++c) {
        grid.Set_Text(0, c, layout.headers[c]);
        grid.Column(c) = layout.columns[c];
    }
}

// Sums of the amount columns over the data rows that `take` accepts.
template <typename Take> std::vector<double> Amount_Sums(const GridModel &grid, Take take)
{
    std::vector<double> sums(grid.Cols() - kFirstAmountCol, 0.0);
    for (int r = 1; r < grid.Rows(); ++r) {
        if (!grid.Is_Data(r) || !take(r))
            continue;
        for (int c = kFirstAmountCol; c < grid.Cols(); ++c)
            sums[c - kFirstAmountCol] += Get_Amount(grid.Text(r, c));
    }
    return sums;
}

void Fill_Sum_Row(GridModel &grid, int row, RowKind kind, const char *label, const std::vector<double> &sums)
{
    grid.Set_Kind(row, kind);
    grid.Set_Row_Height(row, kRowHeight);
    grid.Set_Text(row, kNameCol, label);
    for (int c = kFirstAmountCol; c < grid.Cols(); ++c)
        grid.Set_Text(row, c, Format_Whole(sums[c - kFirstAmountCol]));
    for (int c = 1; c < grid.Cols(); ++c)
        grid.Set_Cell_Back(row, c, kTotalBack);
}

void Sub_Total(GridModel &grid, std::string_view code)
{
    int lastSerial = 0;
    int insertAt = 0;
    for (int r = 1; r < grid.Rows(); ++r) {
        if (grid.Is_Data(r) && grid.Text(r, kCodeCol) == code) {
            lastSerial = static_cast<int>(Get_Amount(grid.Text(r, kSerialCol)));
            insertAt = r + 1;
        }
    }
    // Just renumbered, so the last serial is the code's row count.
    if (lastSerial <= 1)
        return;
    const std::vector<double> sums = Amount_Sums(grid, [&](int r) { return grid.Text(r, kCodeCol) == code; });
    grid.Insert_Row(insertAt);
    Fill_Sum_Row(grid, insertAt, RowKind::Subtotal, "소계", sums);
}

void Total(GridModel &grid)
{
    const std::vector<double> sums = Amount_Sums(grid, [](int) { return true; });
    grid.Add_Row();
    Fill_Sum_Row(grid, grid.Rows() - 1, RowKind::Total, "합계", sums);
}

} // namespace

const RegisterLayout kInterestLayout = {
    "fgEJ",
    {"11", "12", "13"},
    350,
    false,
    kInterestHeaders,
    kInterestColumns,
    22,
    "22행 이상 등록이 불가능합니다.",
    "상호(성명)을 입력하세요.",
    {"상호(성명)", "사업자등록번호(주민번호)"},
};

const RegisterLayout kDividendLayout = {
    "fgBD",
    {"21", "22", "23"},
    700,
    true,
    kDividendHeaders,
    kDividendColumns,
    14,
    "14행 이상 등록이 불가능합니다.",
    "배당지급법인명을 입력하세요.",
    {"배당지급법인명", "사업자등록번호"},
};

const RegisterLayout &Layout_Of(RegisterKind kind)
{
    return kind == RegisterKind::Interest ? kInterestLayout : kDividendLayout;
}

RegisterKind Kind_Of(const GridModel &grid)
{
    return grid.Name() == kInterestLayout.name ? RegisterKind::Interest : RegisterKind::Dividend;
}

const RegisterLayout &Layout_Of(const GridModel &grid) { return Layout_Of(Kind_Of(grid)); }

GridModel Empty_Register(RegisterKind kind)
{
    GridModel grid(Layout_Of(kind).name);
    (kind == RegisterKind::Interest ? Init_fgEJ : Init_fgBD)(grid);
    Reset_fg(grid);
    return grid;
}

bool Is_Register_Code(const RegisterLayout &layout, std::string_view code)
{
    for (const char *c : layout.codes)
        if (code == c)
            return true;
    return false;
}

void Init_fgEJ(GridModel &fgEJ) { Init_Grid(fgEJ, kInterestLayout); }
void Init_fgBD(GridModel &fgBD) { Init_Grid(fgBD, kDividendLayout); }

void fgEJ_subTotal(GridModel &fgEJ, std::string_view code) { Sub_Total(fgEJ, code); }
void fgEJ_Total(GridModel &fgEJ) { Total(fgEJ); }
void fgBD_subTotal(GridModel &fgBD, std::string_view code) { Sub_Total(fgBD, code); }
void fgBD_Total(GridModel &fgBD) { Total(fgBD); }

void Reset_fg(GridModel &grid)
{
    for (int r = grid.Rows() - 1; r >= 1; --r)
        if (!grid.Is_Data(r))
            grid.Remove_Row(r);

    grid.Sort_Numeric(kCodeCol);

    int serial = 0;
    for (int r = 1; r < grid.Rows(); ++r) {
        serial = r > 1 && grid.Text(r, kCodeCol) == grid.Text(r - 1, kCodeCol) ? serial + 1 : 1;
        grid.Set_Text(r, kSerialCol, std::to_string(serial));
    }

    const bool interest = Kind_Of(grid) == RegisterKind::Interest;
    for (const char *code : Layout_Of(grid).codes) {
        if (interest)
            fgEJ_subTotal(grid, code);
        else
            fgBD_subTotal(grid, code);
    }
    if (interest)
        fgEJ_Total(grid);
    else
        fgBD_Total(grid);
}
