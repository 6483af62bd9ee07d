#include "core/printing/page_spec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

const PageSpec *const kPages[] = {&Interest_Page_Spec(), &Dividend_Page_Spec(), &Statement_Page_Spec()};

const LabelArraySpec &Array(const PageSpec &page, const char *name)
{
    const int index = page.Array_Index(name);
    EXPECT_GE(index, 0) << name;
    return page.arrays.at(index);
}

const LabelSpec &Label(const PageSpec &page, const char *name, std::size_t index)
{
    return Array(page, name).labels.at(index);
}

// A label's font as text, "돋움 9" or "돋움 14.25 bold", so that the face is
// compared by its name and a failure reads plainly.
std::string Font(const LabelSpec &label)
{
    std::ostringstream out;
    out << label.font.name << ' ' << label.font.size << (label.font.bold ? " bold" : "");
    return out.str();
}

bool Horizontal(const LineSpec &l) { return l.y1 == l.y2 && l.x1 != l.x2; }
bool Vertical(const LineSpec &l) { return l.x1 == l.x2 && l.y1 != l.y2; }

// The table's ruled columns (x of the vertical rules, left to right) and row
// bands (y of the full-width rules from the heading bottom, Line1(9), down).
struct Grid {
    std::vector<int> xs, ys;
};

Grid Ruled_Grid(const PageSpec &page)
{
    Grid grid;
    const int headingBottom = page.lines.at(9).y1;
    for (const LineSpec &l : page.lines) {
        if (Vertical(l))
            grid.xs.push_back(l.x1);
        else if (l.x2 - l.x1 > page.width / 2 && l.y1 >= headingBottom)
            grid.ys.push_back(l.y1);
    }
    std::sort(grid.xs.begin(), grid.xs.end());
    std::sort(grid.ys.begin(), grid.ys.end());
    return grid;
}

// Every cell of the table lies inside its row band and its ruled column.
void Expect_Cells_In_Grid(const PageSpec &page, const char *array, int rows, int cells,
                          const std::vector<int> &ruledColumn)
{
    const Grid grid = Ruled_Grid(page);
    ASSERT_EQ(grid.ys.size(), static_cast<std::size_t>(rows + 1));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cells; ++c) {
            const LabelSpec &cell = Label(page, array, r * cells + c);
            const int col = ruledColumn.at(c);
            EXPECT_GE(cell.top, grid.ys[r]) << r << "," << c;
            EXPECT_LE(cell.top + cell.height, grid.ys[r + 1]) << r << "," << c;
            EXPECT_GE(cell.left, grid.xs.at(col)) << r << "," << c;
            EXPECT_LE(cell.left + cell.width, grid.xs.at(col + 1)) << r << "," << c;
        }
}

} // namespace

TEST(PageTables, FormsAndHeaderTexts)
{
    struct Expected {
        const char *name, *caption;
        int width, height;
        const char *formNumber, *pageNumber;
        int anchorX, anchorY;
    };
    const Expected expected[] = {
        {"frm이자소득", " 이자소득명세서", 8835, 10860, "[별지 제40호서식(1)]", "(제5쪽)", 165, 195},
        {"frm배당소득", " 배당소득명세서", 9225, 11115, "[별지 제40호서식(1)]", "(제7쪽)", 150, 195},
        {"frm계산서", " 종합소득산출세액 - 인쇄", 9195, 10410, "[별지 제40호 서식(1)]", "(제21쪽)", 150, 165},
    };
    for (int p = 0; p < 3; ++p) {
        const PageSpec &page = *kPages[p];
        const Expected &e = expected[p];
        EXPECT_STREQ(page.name, e.name);
        EXPECT_STREQ(page.caption, e.caption);
        EXPECT_EQ(page.width, e.width);
        EXPECT_EQ(page.height, e.height);
        EXPECT_STREQ(page.formNumber, e.formNumber);
        EXPECT_STREQ(page.pageNumber, e.pageNumber);
        // Line1(2) is the frame's top edge, drawn from its left end.
        const LineSpec &anchor = page.lines.at(2);
        EXPECT_EQ(anchor.x1, e.anchorX) << e.name;
        EXPECT_EQ(anchor.y1, e.anchorY) << e.name;
        EXPECT_TRUE(Horizontal(anchor));
        EXPECT_GT(anchor.x2, anchor.x1);
    }
}

TEST(PageTables, ArraysInPrintOrderWithTheirCounts)
{
    struct Expected {
        const PageSpec *page;
        std::size_t lines;
        std::vector<std::pair<std::string, std::size_t>> arrays;
    };
    const Expected expected[] = {
        {&Interest_Page_Spec(), 34, {{"FontLab1", 18}, {"lblEJ", 132}}},
        {&Dividend_Page_Spec(), 44, {{"FontLab1", 23}, {"lblBD", 126}}},
        {&Statement_Page_Spec(), 43, {{"FontLab1", 5}, {"Label1", 54}, {"TxtLab1", 26}, {"TxtLab2", 13}}},
    };
    for (const Expected &e : expected) {
        EXPECT_EQ(e.page->lines.size(), e.lines) << e.page->name;
        ASSERT_EQ(e.page->arrays.size(), e.arrays.size()) << e.page->name;
        for (std::size_t i = 0; i < e.arrays.size(); ++i) {
            EXPECT_EQ(e.page->arrays[i].name, e.arrays[i].first);
            EXPECT_EQ(e.page->arrays[i].labels.size(), e.arrays[i].second) << e.arrays[i].first;
            EXPECT_EQ(e.page->Array_Index(e.arrays[i].first), static_cast<int>(i));
        }
    }
    EXPECT_EQ(Interest_Page_Spec().Array_Index("lblBD"), -1);
    EXPECT_EQ(Statement_Page_Spec().Array_Index("Line1"), -1);
}

// No element is a placeholder: every label has a size and a 돋움 font, every
// rule is horizontal or vertical, and all of it lies on the form.
TEST(PageTables, EveryElementIsRealAndOnTheForm)
{
    for (const PageSpec *page : kPages) {
        for (std::size_t i = 0; i < page->lines.size(); ++i) {
            const LineSpec &l = page->lines[i];
            EXPECT_TRUE(Horizontal(l) || Vertical(l)) << page->name << " Line1 " << i;
            for (int x : {l.x1, l.x2})
                EXPECT_TRUE(x > 0 && x < page->width) << page->name << " Line1 " << i;
            for (int y : {l.y1, l.y2})
                EXPECT_TRUE(y > 0 && y < page->height) << page->name << " Line1 " << i;
        }
        for (const LabelArraySpec &array : page->arrays)
            for (std::size_t i = 0; i < array.labels.size(); ++i) {
                const LabelSpec &label = array.labels[i];
                const std::string where = std::string(page->name) + " " + array.name + " " + std::to_string(i);
                EXPECT_STREQ(label.font.name, "돋움") << where;
                EXPECT_GT(label.width, 0) << where;
                EXPECT_GT(label.height, 0) << where;
                EXPECT_GE(label.left, 0) << where;
                EXPECT_GE(label.top, 0) << where;
                EXPECT_LE(label.left + label.width, page->width) << where;
                EXPECT_LE(label.top + label.height, page->height) << where;
            }
    }
}

TEST(PageTables, InterestPage)
{
    const PageSpec &page = Interest_Page_Spec();

    const LabelSpec &title = Label(page, "FontLab1", 0);
    EXPECT_EQ(title.caption, "⑤ 이자소득명세서");
    EXPECT_EQ(Font(title), "돋움 14.25 bold");
    EXPECT_EQ(title.height, 285);
    const LabelSpec &registration = Label(page, "FontLab1", 9);
    EXPECT_EQ(registration.caption, "④사업자등록번호");
    EXPECT_EQ(Font(registration), "돋움 9");
    EXPECT_EQ(registration.align, LabelAlign::Centre);

    // The amount of row 0 starts at 5250, 1920 and stands right-aligned.
    const LabelSpec &amount = Label(page, "lblEJ", 0 * kInterestCells + 4);
    EXPECT_EQ(amount.left, 5250);
    EXPECT_EQ(amount.top, 1920);
    EXPECT_EQ(amount.width, 1515);
    EXPECT_EQ(amount.align, LabelAlign::Right);
    const LabelSpec &lastCode = Label(page, "lblEJ", 21 * kInterestCells + 0);
    EXPECT_EQ(lastCode.left, 285);
    EXPECT_EQ(lastCode.top, 10350);
    EXPECT_EQ(lastCode.align, LabelAlign::Centre);
    for (const LabelSpec &cell : Array(page, "lblEJ").labels) {
        EXPECT_EQ(cell.caption, "");
        EXPECT_EQ(cell.height, 180);
        EXPECT_EQ(Font(cell), "돋움 9");
    }

    // Table top, heading bottom, the last row rule; every rule is black.
    EXPECT_EQ(page.lines.at(7).x2, 8666);
    EXPECT_EQ(page.lines.at(9).y1, 1800);
    EXPECT_EQ(page.lines.at(33).y1, 10215);
    for (const LineSpec &l : page.lines)
        EXPECT_EQ(l.colour, 0x000000u);

    Expect_Cells_In_Grid(page, "lblEJ", kInterestRows, kInterestCells, {0, 1, 2, 3, 4, 5});
}

TEST(PageTables, DividendPage)
{
    const PageSpec &page = Dividend_Page_Spec();

    EXPECT_EQ(Label(page, "FontLab1", 0).caption, "⑥ 배당소득명세서");
    EXPECT_EQ(Font(Label(page, "FontLab1", 0)), "돋움 14.25 bold");
    EXPECT_EQ(Label(page, "FontLab1", 8).caption, "배당가산액(gross-up)");
    EXPECT_EQ(Label(page, "FontLab1", 6).height, 195);

    const auto cell = [&](int row, int col) -> const LabelSpec & {
        return Label(page, "lblBD", row * kDividendCells + col);
    };
    EXPECT_EQ(cell(5, 0).left, 420);
    EXPECT_EQ(cell(5, 0).top, 5370);
    EXPECT_EQ(cell(13, 3).top, 10410);
    EXPECT_EQ(cell(0, 0).width, 225);
    EXPECT_EQ(cell(1, 0).width, 360);
    EXPECT_EQ(cell(2, 0).width, 60);
    EXPECT_EQ(cell(0, 8).align, LabelAlign::Right);
    for (int row = 0; row < kDividendRows; ++row) {
        EXPECT_GE(cell(row, 8).width, 1155) << row;
        EXPECT_LE(cell(row, 8).width, 1215) << row;
        for (int col = 0; col < kDividendCells; ++col)
            EXPECT_EQ(cell(row, col).height, row >= 2 && col >= 4 && col <= 7 ? 165 : 180) << row << "," << col;
    }

    // The payer's name stands above its row's half rule, the number below.
    const int halfRules[kDividendRows] = {6, 16, 18, 20, 22, 24, 26, 28, 30, 32, 38, 40, 42, 43};
    for (int row = 0; row < kDividendRows; ++row) {
        const LineSpec &half = page.lines.at(halfRules[row]);
        EXPECT_EQ(half.colour, 0x808080u) << row;
        EXPECT_LE(cell(row, 2).top + cell(row, 2).height, half.y1) << row;
        EXPECT_GE(cell(row, 3).top, half.y1) << row;
    }
    int grey = 0;
    for (const LineSpec &l : page.lines)
        grey += l.colour == 0x808080u;
    EXPECT_EQ(grey, 14);
    EXPECT_EQ(page.lines.at(0).x1, 135);
    EXPECT_EQ(page.lines.at(12).y2, 10665);

    // Name and number share the payer column.
    Expect_Cells_In_Grid(page, "lblBD", kDividendRows, kDividendCells, {0, 1, 2, 2, 3, 4, 5, 6, 7});
}

TEST(PageTables, StatementPage)
{
    const PageSpec &page = Statement_Page_Spec();

    const LabelSpec &title = Label(page, "FontLab1", 0);
    EXPECT_EQ(title.caption, "종합소득산출세액계산서(금융소득자용)");
    EXPECT_EQ(title.left, 2535);
    EXPECT_EQ(title.top, 315);
    EXPECT_EQ(title.height, 225);
    EXPECT_EQ(Font(title), "돋움 11.25 bold");
    EXPECT_EQ(Label(page, "FontLab1", 3).caption, "③ 금융소득금액(⑷+⑻)이 종합과세기준금액");
    EXPECT_EQ(Font(Label(page, "FontLab1", 4)), "돋움 8.25 bold");
    EXPECT_EQ(Label(page, "FontLab1", 4).height, 165);

    EXPECT_EQ(Array(page, "Label1").backStyle, 0);
    EXPECT_EQ(Label(page, "Label1", 3).caption, " ");
    EXPECT_EQ(Label(page, "Label1", 12).caption, "(3) ⑴·⑵이외 이자소득");
    EXPECT_EQ(Label(page, "Label1", 37).caption, "(38)종합소득산출세액{(32)+(37)}");
    EXPECT_EQ(Label(page, "Label1", 46).caption, "구       분");
    EXPECT_EQ(Label(page, "Label1", 49).caption, "[(12)와 {(30)-(29)}중 작은 금액]");
    const std::vector<LabelSpec> &captions = Array(page, "Label1").labels;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(Font(captions[i]), i == 42 || i == 47 ? "돋움 8.25 bold" : "돋움 8.25") << i;
        EXPECT_EQ(captions[i].height, 165);
        EXPECT_EQ(captions[i].align, LabelAlign::Left);
    }

    const LabelSpec &tax = Label(page, "TxtLab1", 24);
    EXPECT_EQ(tax.left, 7605);
    EXPECT_EQ(tax.top, 5175);
    EXPECT_EQ(tax.width, 945);

    // Amounts: empty, right-aligned on white, the taken ones grey; each inside
    // the amount column of its half.
    const int amountColumns[][2] = {{2760, 4410}, {7050, 8655}};
    for (const char *name : {"TxtLab1", "TxtLab2"}) {
        const LabelArraySpec &amounts = Array(page, name);
        EXPECT_EQ(amounts.backStyle, 1);
        EXPECT_EQ(amounts.backColor, 0xFFFFFFu);
        EXPECT_EQ(amounts.foreColor, std::string(name) == "TxtLab2" ? 0x808080u : 0x000000u);
        for (std::size_t i = 0; i < amounts.labels.size(); ++i) {
            const LabelSpec &a = amounts.labels[i];
            EXPECT_EQ(a.caption, "") << name << i;
            EXPECT_EQ(a.align, LabelAlign::Right) << name << i;
            EXPECT_EQ(Font(a), "돋움 8.25") << name << i;
            EXPECT_EQ(a.height, 165) << name << i;
            const auto *column = a.left < 4410 ? amountColumns[0] : amountColumns[1];
            EXPECT_GE(a.left, column[0]) << name << i;
            EXPECT_LE(a.left + a.width, column[1]) << name << i;
        }
    }

    // The frame's uneven bottom corners, the half-width rule under (27), ④'s short rule.
    EXPECT_EQ(page.lines.at(0).y2, 10245);
    EXPECT_EQ(page.lines.at(1).y2, 10260);
    EXPECT_EQ(page.lines.at(36).x2, 4410);
    EXPECT_EQ(page.lines.at(42).y1, 9930);
    for (const LineSpec &l : page.lines)
        EXPECT_EQ(l.colour, 0x000000u);
}
