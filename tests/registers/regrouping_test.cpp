// The registers' regrouping and Save, worked through rows as a user enters
// them: each case lists the rows saved in order and the grid they leave.
#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Payment {
    const char *code;
    const char *name;
    const char *amount;
    const char *tax = "";
};

// One row below the header as the grid shows it: kind, then columns 1..6.
struct Shown {
    RowKind kind;
    std::vector<std::string> cells;
    bool operator==(const Shown &) const = default;
};

std::ostream &operator<<(std::ostream &os, const Shown &row)
{
    os << static_cast<int>(row.kind) << ':';
    for (const auto &cell : row.cells)
        os << " [" << cell << ']';
    return os;
}

GridModel Interest_Register()
{
    GridModel fgEJ("fgEJ");
    Init_fgEJ(fgEJ);
    Reset_fg(fgEJ);
    return fgEJ;
}

GridModel Dividend_Register()
{
    GridModel fgBD("fgBD");
    Init_fgBD(fgBD);
    Reset_fg(fgBD);
    return fgBD;
}

SaveResult Save_Interest(GridModel &fgEJ, const Payment &p, int editRow = 0)
{
    const std::vector<std::string> fields = {p.name, "", p.amount, p.tax};
    return Save_Row(fgEJ, editRow, Entry_Cells(fgEJ, p.code, fields));
}

// Dividend rows as the panel saves them: dividend, base, computed gross-up
// and income, tax.
SaveResult Save_Dividend(GridModel &fgBD, const char *code, const char *name, const char *dividend,
                         const char *base = "", int editRow = 0)
{
    const GrossUp g = BD_Calc(dividend, base);
    const std::vector<std::string> fields = {name, "", dividend, base, g.grossUp, g.income, ""};
    return Save_Row(fgBD, editRow, Entry_Cells(fgBD, code, fields));
}

std::vector<Shown> Rows(const GridModel &grid)
{
    std::vector<Shown> rows;
    for (int r = 1; r < grid.Rows(); ++r) {
        Shown row{grid.Kind(r), {}};
        for (int c = 1; c < grid.Cols(); ++c)
            row.cells.push_back(grid.Text(r, c));
        rows.push_back(row);
    }
    return rows;
}

constexpr RowKind D = RowKind::Data;
constexpr RowKind S = RowKind::Subtotal;
constexpr RowKind T = RowKind::Total;

struct InterestCase {
    const char *name;
    std::vector<Payment> saved;
    std::vector<Shown> expected;
};

class InterestRegrouping : public testing::TestWithParam<InterestCase> {};

TEST_P(InterestRegrouping, GroupsByCodeWithSubtotalsAndTheTotalLast)
{
    GridModel fgEJ = Interest_Register();
    for (const Payment &p : GetParam().saved)
        ASSERT_EQ(Save_Interest(fgEJ, p), SaveResult::Saved);
    EXPECT_EQ(Rows(fgEJ), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, InterestRegrouping,
                         testing::Values(InterestCase{"Empty", {}, {{T, {"", "", "합계", "", "0", "0"}}}},
                                         InterestCase{"CodesOutOfOrder",
                                                      {{"13", "가", "100"}, {"11", "나", "200"}, {"13", "다", "300"}},
                                                      {{D, {"11", "1", "나", "", "200", "0"}},
                                                       {D, {"13", "1", "가", "", "100", "0"}},
                                                       {D, {"13", "2", "다", "", "300", "0"}},
                                                       {S, {"", "", "소계", "", "400", "0"}},
                                                       {T, {"", "", "합계", "", "600", "0"}}}},
                                         InterestCase{"OneRowPerCodeHasNoSubtotal",
                                                      {{"12", "가", "1"}, {"13", "나", "2"}, {"11", "다", "3"}},
                                                      {{D, {"11", "1", "다", "", "3", "0"}},
                                                       {D, {"12", "1", "가", "", "1", "0"}},
                                                       {D, {"13", "1", "나", "", "2", "0"}},
                                                       {T, {"", "", "합계", "", "6", "0"}}}},
                                         // Equal codes keep the order they were saved in.
                                         InterestCase{"TwoRowsOfOneCode",
                                                      {{"12", "둘째", "1,500", "210"}, {"12", "첫째", "2500.5", "-10"}},
                                                      {{D, {"12", "1", "둘째", "", "1,500", "210"}},
                                                       {D, {"12", "2", "첫째", "", "2,501", "-10"}},
                                                       {S, {"", "", "소계", "", "4,001", "200"}},
                                                       {T, {"", "", "합계", "", "4,001", "200"}}}},
                                         // A payer may be called 소계 or 합계: still a data row, counted.
                                         InterestCase{"PayersNamedLikeTheSumRows",
                                                      {{"11", "소계", "10"}, {"11", "합계", "20"}, {"12", "합계", "5"}},
                                                      {{D, {"11", "1", "소계", "", "10", "0"}},
                                                       {D, {"11", "2", "합계", "", "20", "0"}},
                                                       {S, {"", "", "소계", "", "30", "0"}},
                                                       {D, {"12", "1", "합계", "", "5", "0"}},
                                                       {T, {"", "", "합계", "", "35", "0"}}}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Regrouping, SumRowsAreYellowFromColumnOneAndRebuiltFromTheCells)
{
    GridModel fgEJ = Interest_Register();
    Save_Interest(fgEJ, {"11", "가", "100", "10"});
    Save_Interest(fgEJ, {"11", "나", "200", "20"});
    ASSERT_EQ(fgEJ.Rows(), 5);
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(fgEJ.Cell_Back(3, c), c == 0 ? std::nullopt : std::optional<Rgb>(0xFFFFC0)) << c;
        EXPECT_EQ(fgEJ.Cell_Back(4, c), c == 0 ? std::nullopt : std::optional<Rgb>(0xFFFFC0)) << c;
        EXPECT_EQ(fgEJ.Cell_Back(1, c), std::nullopt);
    }
    EXPECT_EQ(fgEJ.Row_Height(0), 350);
    EXPECT_EQ(fgEJ.Row_Height(3), 330);

    // A tax cell that does not read counts as 0; regrouping twice changes nothing.
    fgEJ.Set_Text(2, 6, "x");
    Reset_fg(fgEJ);
    const auto once = Rows(fgEJ);
    Reset_fg(fgEJ);
    EXPECT_EQ(Rows(fgEJ), once);
    EXPECT_EQ(fgEJ.Text(3, 6), "10");
    EXPECT_EQ(fgEJ.Text(4, 6), "10");
}

TEST(Regrouping, DividendGroupsSumAllFiveAmountColumns)
{
    GridModel fgBD = Dividend_Register();
    EXPECT_EQ(Rows(fgBD), (std::vector<Shown>{{T, {"", "", "합계", "", "0", "0", "0", "0", "0"}}}));

    Save_Dividend(fgBD, "22", "갑", "2,000,000", "1,000,000");
    Save_Dividend(fgBD, "22", "을", "150", "150");
    // Near the amount limit, where every sum is still exact.
    Save_Dividend(fgBD, "21", "병", "1,000,000,000,000", "1,000,000,000,000");
    EXPECT_EQ(Rows(fgBD), (std::vector<Shown>{
                              {D,
                               {"21", "1", "병", "", "1,000,000,000,000", "1,000,000,000,000", "190,000,000,000",
                                "1,190,000,000,000", "0"}},
                              {D, {"22", "1", "갑", "", "2,000,000", "1,000,000", "190,000", "2,190,000", "0"}},
                              {D, {"22", "2", "을", "", "150", "150", "29", "179", "0"}},
                              {S, {"", "", "소계", "", "2,000,150", "1,000,150", "190,029", "2,190,179", "0"}},
                              {T,
                               {"", "", "합계", "", "1,000,002,000,150", "1,000,001,000,150", "190,000,190,029",
                                "1,190,002,190,179", "0"}},
                          }));
    EXPECT_EQ(fgBD.Row_Height(0), 700);
    EXPECT_TRUE(fgBD.word_wrap);
    EXPECT_EQ(fgBD.Text(0, 1), "  ①소득      구분      코드");
    EXPECT_EQ(fgBD.Cell_Back(4, 9), std::optional<Rgb>(0xFFFFC0));
}

TEST(Save, OverwritingMovesTheRowToItsNewCodeGroup)
{
    GridModel fgEJ = Interest_Register();
    for (const char *name : {"가", "나", "다"})
        Save_Interest(fgEJ, {"11", name, "100"});
    Save_Interest(fgEJ, {"13", "라", "1"});
    // 11/1 가, 11/2 나, 11/3 다, 소계 300, 13/1 라, 합계: row 2 is 나.
    ASSERT_EQ(fgEJ.Text(2, 3), "나");
    ASSERT_EQ(Save_Interest(fgEJ, {"13", "나", "7"}, 2), SaveResult::Saved);
    EXPECT_EQ(Rows(fgEJ), (std::vector<Shown>{
                              {D, {"11", "1", "가", "", "100", "0"}},
                              {D, {"11", "2", "다", "", "100", "0"}},
                              {S, {"", "", "소계", "", "200", "0"}},
                              // Sorting keeps the rows' previous order: 나 stood above 라.
                              {D, {"13", "1", "나", "", "7", "0"}},
                              {D, {"13", "2", "라", "", "1", "0"}},
                              {S, {"", "", "소계", "", "8", "0"}},
                              {T, {"", "", "합계", "", "208", "0"}},
                          }));
}

TEST(Save, AnEmptyNameIsRefusedButBlanksAreAName)
{
    GridModel fgEJ = Interest_Register();
    EXPECT_EQ(Save_Interest(fgEJ, {"11", "", "1"}), SaveResult::NameMissing);
    EXPECT_STREQ(Refusal_Message(SaveResult::NameMissing, kInterestLayout), "상호(성명)을 입력하세요.");
    EXPECT_STREQ(Refusal_Message(SaveResult::NameMissing, kDividendLayout), "배당지급법인명을 입력하세요.");
    EXPECT_EQ(fgEJ.Rows(), 2);
    EXPECT_EQ(Save_Interest(fgEJ, {"11", "  ", ""}), SaveResult::Saved);
    EXPECT_EQ(Rows(fgEJ)[0], (Shown{D, {"11", "1", "  ", "", "0", "0"}}));
}

TEST(Save, SumsThatReachTheAmountLimitAreRefused)
{
    GridModel fgEJ = Interest_Register();
    ASSERT_EQ(Save_Interest(fgEJ, {"11", "가", "9,999,999,999,999", "1"}), SaveResult::Saved);
    const auto before = Rows(fgEJ);
    EXPECT_EQ(Save_Interest(fgEJ, {"12", "나", "1"}), SaveResult::TooLarge); // the 합계 would be 10^13
    EXPECT_EQ(Save_Interest(fgEJ, {"12", "나", "-1", "9,999,999,999,999"}), SaveResult::TooLarge);
    EXPECT_EQ(Rows(fgEJ), before);
    EXPECT_STREQ(Refusal_Message(SaveResult::TooLarge, kInterestLayout), "금액이 너무 큽니다.");
}

// A register of these many rows per code, saved as an opened file saves them.
GridModel Filled(RegisterKind kind, std::initializer_list<std::pair<const char *, int>> codes)
{
    GridModel grid = Empty_Register(kind);
    RowAppender rows(grid);
    for (const auto &[code, count] : codes)
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(rows.Append(Entry_Cells(grid, code, std::vector<std::string>{"x", "", "1", "1"})),
                      SaveResult::Saved);
    rows.Finish();
    return grid;
}

// The bound counts every row below the header as the grid shows it: data,
// 소계 and 합계 rows, after the regrouping a new row brings.
TEST(RegisterBound, ANewRowIsRefusedPastAThousandRows)
{
    const RegisterKind I = RegisterKind::Interest, B = RegisterKind::Dividend;
    const struct {
        GridModel grid;
        const char *code;
        SaveResult result;
    } cases[] = {
        {Filled(I, {{"11", 998}}), "11", SaveResult::RegisterFull}, // 998 rows, 소계, 합계: at the bound
        {Filled(I, {{"11", 998}}), "12", SaveResult::RegisterFull},
        {Filled(I, {{"11", 996}, {"12", 1}}), "13", SaveResult::Saved},        // 999 rows, then 1,000
        {Filled(I, {{"11", 996}, {"12", 1}}), "12", SaveResult::RegisterFull}, // its 소계 would make 1,001
        {Filled(B, {{"21", 332}, {"22", 332}, {"23", 331}}), "23", SaveResult::Saved},
        {Filled(B, {{"21", 332}, {"22", 332}, {"23", 332}}), "21", SaveResult::RegisterFull},
    };
    for (const auto &c : cases) {
        GridModel grid = c.grid;
        const int rows = grid.Rows();
        EXPECT_EQ(Save_Row(grid, 0, Entry_Cells(grid, c.code, std::vector<std::string>{"새", "", "1", "1"})), c.result)
            << rows - 1 << " rows, code " << c.code;
        EXPECT_EQ(grid.Rows(), c.result == SaveResult::Saved ? rows + 1 : rows);
        EXPECT_LE(grid.Rows() - 1, kMaxRegisterRows);
    }
    EXPECT_STREQ(Refusal_Message(SaveResult::RegisterFull, kInterestLayout), "1000행 이상 등록이 불가능합니다.");
    EXPECT_STREQ(Refusal_Message(SaveResult::RegisterFull, kDividendLayout), "1000행 이상 등록이 불가능합니다.");

    // At the bound a loaded row is still saved over; only a move to another
    // code that would give it a 소계 past the bound is not.
    GridModel full = Filled(I, {{"11", 996}, {"12", 1}, {"13", 1}});
    ASSERT_EQ(full.Rows() - 1, kMaxRegisterRows);
    EXPECT_EQ(Save_Interest(full, {"11", "고침", "5"}, 3), SaveResult::Saved);
    EXPECT_EQ(full.Text(3, 3), "고침");
    ASSERT_EQ(full.Text(999, 1), "13");
    EXPECT_EQ(Save_Interest(full, {"12", "옮김", "5"}, 999), SaveResult::RegisterFull);
    EXPECT_EQ(full.Text(999, 1), "13");
}

// Rows appended in one pass, as a file is opened, are answered and end as
// the same rows saved one by one, refusals and sums alike.
TEST(RegisterBound, RowsAppendedInOnePassEndAsRowsSavedOneByOne)
{
    const std::vector<Payment> payments = {
        {"13", "가", "9,000,000,000,000"},
        {"11", "나", "5"},
        {"13", "다", "999,999,999,990"},
        {"13", "라", "5"}, // the 합계 would pass 10^13
        {"12", "", "1"},   // no name
        {"11", "마", "-7"},
        {"13", "바", "-1"},
        {"13", "사", "8"},
        {"12", "아", "3", "2"},
        {"11", "자", "1"}, // the 합계 would reach 10^13
    };
    GridModel oneByOne = Filled(RegisterKind::Interest, {{"12", 1}});
    GridModel onePass = oneByOne;
    RowAppender rows(onePass);
    for (const Payment &p : payments) {
        const std::vector<std::string> fields = {p.name, "", p.amount, p.tax};
        EXPECT_EQ(rows.Append(Entry_Cells(onePass, p.code, fields)), Save_Interest(oneByOne, p)) << p.name;
    }
    rows.Finish();
    EXPECT_EQ(Rows(onePass), Rows(oneByOne));
    EXPECT_EQ(Rows(onePass).back(), (Shown{T, {"", "", "합계", "", "9,999,999,999,999", "3"}}));
}

TEST(GrossUp, NineteenHundredthsOfTheBaseRoundedHalvesAwayFromZero)
{
    struct Case {
        const char *dividend, *base, *grossUp, *income;
    };
    for (const Case &c : {Case{"2,000,000", "1,000,000", "190,000", "2,190,000"}, Case{"150", "150", "29", "179"},
                          Case{"", "", "0", "0"}, Case{"500", "0", "0", "500"}, Case{"", "-150", "-29", "-29"},
                          Case{"1", "50", "10", "11"}, Case{"10", "49", "9", "19"}}) {
        const GrossUp g = BD_Calc(c.dividend, c.base);
        EXPECT_FALSE(g.overflow);
        EXPECT_EQ(g.grossUp, c.grossUp) << c.base;
        EXPECT_EQ(g.income, c.income) << c.dividend << " + " << c.base;
    }
    // The income may not reach the amount limit.
    EXPECT_EQ(BD_Calc("8,099,999,999,999", "9,999,999,999,999").income, "9,999,999,999,999");
    EXPECT_TRUE(BD_Calc("8,100,000,000,000", "9,999,999,999,999").overflow);
}

TEST(GridModel, InsertsAndRemovesRowsBelowTheHeaderOnly)
{
    GridModel grid("g");
    grid.Set_Cols(3);
    grid.Add_Row();
    grid.Set_Text(1, 1, "a");
    grid.Insert_Row(1);
    EXPECT_EQ(grid.Text(2, 1), "a");
    EXPECT_THROW(grid.Insert_Row(0), std::out_of_range);
    EXPECT_THROW(grid.Remove_Row(0), std::out_of_range);
    EXPECT_THROW(grid.Remove_Row(3), std::out_of_range);
    grid.Set_Rows(0);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Kind(0), RowKind::Header);
}

} // namespace
