// Printing the three pages through a recording printer: where each text and
// rule lands on paper, in which font and order, and what a failure leaves.
#include "core/computation/engine.h"
#include "core/common/messages.h"
#include "core/printing/page_data.h"
#include "core/printing/print_page.h"
#include "core/registers/register_entry.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"
#include "support/statement_page.h"

#include <gtest/gtest.h>

namespace {

constexpr double kTol = 0.01; // the transform runs in single precision

// The register after saving these rows through Save (code, then fields).
GridModel Register(void (*init)(GridModel &), const std::vector<std::vector<std::string>> &rows)
{
    GridModel grid(init == Init_fgEJ ? "fgEJ" : "fgBD");
    init(grid);
    Reset_fg(grid);
    for (const auto &row : rows) {
        const std::vector<std::string> fields(row.begin() + 1, row.end());
        EXPECT_EQ(Save_Row(grid, 0, Entry_Cells(grid, row[0], fields)), SaveResult::Saved);
    }
    return grid;
}

// A grid of `rows` rows below the header whose cells read "r.c".
GridModel Numbered_Grid(void (*init)(GridModel &), int rows)
{
    GridModel grid(init == Init_fgEJ ? "fgEJ" : "fgBD");
    init(grid);
    grid.Set_Rows(rows + 1);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c < grid.Cols(); ++c)
            grid.Set_Text(r, c, std::to_string(r) + "." + std::to_string(c));
    return grid;
}

PrintJob Print_One(const Page &page, RecordingPrinter &printer)
{
    EXPECT_EQ(Print_Page(page, printer), std::nullopt);
    EXPECT_EQ(printer.jobs.size(), 1u);
    return printer.jobs.empty() ? PrintJob{} : printer.jobs.back();
}

int Non_Empty(const Page &page)
{
    int n = 0;
    for (std::size_t a = 0; a < page.Spec().arrays.size(); ++a)
        for (const std::string &caption : page.Captions(a))
            n += caption.empty() ? 0 : 1;
    return n;
}

TEST(PrintPage, StatementAmountsStartAtTheirLabelsLeftEdge)
{
    RecordingPrinter printer;
    const PrintJob job = Print_One(Statement_Page_Section_Three(), printer);

    // (38) sits right-aligned on screen at x 7605, y 5175; on paper from its left edge.
    const PrintedText *tax = job.Find("4,500,000");
    ASSERT_NE(tax, nullptr);
    EXPECT_NEAR(tax->x, 7605 * 1.21 + 300, kTol); // 9502.05
    EXPECT_NEAR(tax->y, 5175 * 1.36 + 1080, kTol);
    EXPECT_EQ(tax->font, (PrinterFont{"돋움", 8.25, false}));

    const PrintedText *title = job.Find("종합소득산출세액계산서(금융소득자용)");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->x, 3367.35, kTol);
    EXPECT_NEAR(title->y, 1508.4, kTol);
    EXPECT_EQ(title->font, (PrinterFont{"돋움", 11.25, true})); // unscaled

    // Section ② was not computed: its labels are empty and print nothing,
    // while every caption and rule does.
    EXPECT_EQ(job.texts.size(), static_cast<std::size_t>(Non_Empty(Statement_Page_Section_Three()) + 2));
    EXPECT_EQ(job.lines.size(), 43u);
    EXPECT_NE(job.Find("(30)종합소득산출세액"), nullptr);
}

TEST(PrintPage, RulesComeFirstInBlackThenTheArraysInPageOrderThenTheHeader)
{
    RecordingPrinter printer;
    // Dividend fields: name, number, dividend, gross-up base, gross-up, income, tax.
    const std::vector<Page> sheets =
        Register_Sheets(Dividend_Page_Spec(), Register(Init_fgBD, {{"21", "대한전자(주)", "124-81-00998", "20000000",
                                                                    "20000000", "3800000", "23800000", "2800000"}}));
    ASSERT_EQ(sheets.size(), 1u);
    const PrintJob job = Print_One(sheets[0], printer);

    ASSERT_EQ(job.lines.size(), 44u);
    for (const PrintedLine &line : job.lines)
        EXPECT_EQ(line.colour, 0x000000u); // the grey half rules too
    // Line1(6), a half rule: from x 1305 to 2940 at y 2370.
    EXPECT_NEAR(job.lines[6].x1, 1305 * 1.21 + 300, kTol);
    EXPECT_NEAR(job.lines[6].x2, 2940 * 1.21 + 300, kTol);
    EXPECT_NEAR(job.lines[6].y1, 2370 * 1.36 + 1080, kTol);

    // FontLab1 (23 captions) before lblBD, then the two header texts last.
    // A data row, and the total row with its name line and five amounts.
    ASSERT_EQ(job.texts.size(), 23u + 9u + 6u + 2u);
    EXPECT_EQ(job.texts[0].text, "⑥ 배당소득명세서");
    EXPECT_EQ(job.texts[0].font, (PrinterFont{"돋움", 14.25, true}));
    EXPECT_EQ(job.texts[23].text, "21");
    EXPECT_EQ(job.texts[25].text, "대한전자(주)");
    EXPECT_EQ(job.texts[25].font, (PrinterFont{"돋움", 9, false}));
    EXPECT_EQ(job.texts[29].text, "3,800,000"); // the gross-up
    EXPECT_EQ(job.texts[32].text, "합계");
    EXPECT_EQ(job.texts[38].text, "[별지 제40호서식(1)]");
    EXPECT_NEAR(job.texts[38].x, 481.5, kTol);
    EXPECT_NEAR(job.texts[38].y, 1105.2, kTol);
    EXPECT_EQ(job.texts[39].text, "(제7쪽)");
    EXPECT_NEAR(job.texts[39].x, 10031.5, kTol);
    EXPECT_NEAR(job.texts[39].y, 1105.2, kTol);
}

TEST(PrintPage, CellsPrintAtTheirTransformedCorners)
{
    // Page 5: the amount of page row 0 starts at x 5250, y 1920.
    RecordingPrinter printer;
    const PrintJob five = Print_One(
        Register_Sheets(Interest_Page_Spec(), Register(Init_fgEJ, {{"11", "김민수", "750101-1234567", "3000000", "0"}}))
            .front(),
        printer);
    const PrintedText *amount = five.Find("3,000,000");
    ASSERT_NE(amount, nullptr);
    EXPECT_NEAR(amount->x, 6652.5, kTol);
    EXPECT_NEAR(amount->y, 3691.2, kTol);

    // Page 7: the code on page row 5 at layout 420, 5370, whatever the cell's width.
    RecordingPrinter printer7;
    const PrintJob seven =
        Print_One(Register_Sheets(Dividend_Page_Spec(), Numbered_Grid(Init_fgBD, 6)).front(), printer7);
    const PrintedText *code = seven.Find("6.1");
    ASSERT_NE(code, nullptr);
    EXPECT_NEAR(code->x, 808.2, kTol);
    EXPECT_NEAR(code->y, 8383.2, kTol);
}

TEST(PrintPage, AnAmountWiderThanItsCellEndsAtTheCellsRightEdge)
{
    // Page 7, row 0, in 9-point digits and commas of 90 twips: ⑥ (930 wide
    // from 4155) takes 1,234,567,890, 13 × 90 = 1170 against 930 × 1.21 =
    // 1125.3: it ends at (4155 + 930) × 1.21 + 300 = 6452.85 instead of
    // running into ⑦. The rest fit and start at their left edges: ⑤ (1095
    // from 2985) its 1170, ⑦ (960 from 5175) its 990.
    RecordingPrinter printer;
    const PrintJob seven = Print_One(
        Register_Sheets(Dividend_Page_Spec(),
                        Register(Init_fgBD, {{"21", "대한전자(주)", "124-81-00998", "1300000000", "1234567890",
                                              "234567899", "1534567899", "0"}}))
            .front(),
        printer);
    const struct {
        const char *text;
        double x;
    } cases[] = {{"1,234,567,890", 6452.85 - 1170}, {"1,300,000,000", 2985 * 1.21 + 300}, {"234,567,899", 6561.75}};
    for (const auto &c : cases) {
        const PrintedText *amount = seven.Find(c.text);
        ASSERT_NE(amount, nullptr) << c.text;
        EXPECT_NEAR(amount->x, c.x, kTol) << c.text;
    }
}

TEST(PrintPage, HeaderTextsOfEachPage)
{
    struct Case {
        const PageSpec &spec;
        const char *form, *page;
        double x, y;
    };
    const Case cases[] = {
        {Interest_Page_Spec(), "[별지 제40호서식(1)]", "(제5쪽)", 499.65, 1105.2},
        {Dividend_Page_Spec(), "[별지 제40호서식(1)]", "(제7쪽)", 481.5, 1105.2},
        {Statement_Page_Spec(), "[별지 제40호 서식(1)]", "(제21쪽)", 481.5, 1064.4},
    };
    for (const Case &c : cases) {
        RecordingPrinter printer;
        const PrintJob job = Print_One(Page(c.spec), printer);
        ASSERT_GE(job.texts.size(), 2u);
        const PrintedText &form = job.texts[job.texts.size() - 2];
        const PrintedText &page = job.texts.back();
        EXPECT_EQ(form.text, c.form) << c.spec.name;
        EXPECT_NEAR(form.x, c.x, kTol) << c.spec.name;
        EXPECT_NEAR(form.y, c.y, kTol) << c.spec.name;
        EXPECT_EQ(page.text, c.page) << c.spec.name;
        EXPECT_NEAR(page.x, c.x + 9550, kTol) << c.spec.name;
        EXPECT_NEAR(page.y, c.y, kTol) << c.spec.name;
        // In the printer's own font, never set by the pages.
        EXPECT_EQ(page.font, (PrinterFont{"굴림", 10, false})) << c.spec.name;
    }
}

TEST(PrintPage, ThePrinterKeepsItsFontRoundedHalfToEvenAcrossJobs)
{
    EXPECT_EQ(Round_Half_Even(9.75), 10);
    EXPECT_EQ(Round_Half_Even(10.5), 10);
    EXPECT_EQ(Round_Half_Even(11.5), 12);
    EXPECT_EQ(Round_Half_Even(8.25), 8);

    RecordingPrinter printer({"굴림", 10.5, true});
    const Page page(Interest_Page_Spec());
    const PrintJob first = Print_One(page, printer);
    EXPECT_EQ(first.texts.back().font, (PrinterFont{"굴림", 10, true}));
    EXPECT_EQ(printer.Font, (PrinterFont{"굴림", 10, true}));

    // Twice the same page: two identical jobs.
    ASSERT_EQ(Print_Page(page, printer), std::nullopt);
    ASSERT_EQ(printer.jobs.size(), 2u);
    const PrintJob &second = printer.jobs[1];
    ASSERT_EQ(second.texts.size(), first.texts.size());
    ASSERT_EQ(second.lines.size(), first.lines.size());
    for (std::size_t i = 0; i < first.texts.size(); ++i) {
        EXPECT_EQ(second.texts[i].text, first.texts[i].text);
        EXPECT_EQ(second.texts[i].font, first.texts[i].font);
        EXPECT_EQ(second.texts[i].x, first.texts[i].x);
        EXPECT_EQ(second.texts[i].y, first.texts[i].y);
    }
}

TEST(PrintPage, AFailureIsToldAndEndsThePageWithoutTheCompletionMessage)
{
    RecordingMessages messages;
    Page page(Interest_Page_Spec());

    RecordingPrinter none;
    none.failFrom = 0;
    none.failure = "기본 프린터가 지정되어 있지 않습니다.";
    EXPECT_EQ(Fun_인쇄(std::span(&page, 1), none, messages), 0);
    EXPECT_EQ(messages.shown, (std::vector<RecordedMessage>{{RecordedMessage::Plain, none.failure, {}}}));
    EXPECT_TRUE(none.jobs.empty());
    EXPECT_EQ(none.killed, 1);

    // Failing among the labels: the job is dropped and the label's font stays.
    RecordingPrinter midway;
    midway.failFrom = 40; // after the 34 rules and 6 captions
    EXPECT_EQ(Print_Page(page, midway), midway.failure);
    EXPECT_TRUE(midway.jobs.empty());
    EXPECT_EQ(midway.Font, (PrinterFont{"돋움", 9, false}));
    EXPECT_EQ(page.Captions("FontLab1")[0], "⑤ 이자소득명세서");

    RecordingPrinter working;
    messages.shown.clear();
    Fun_인쇄(std::span(&page, 1), working, messages);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"인쇄가 완료되었습니다."});
    EXPECT_EQ(messages.shown[0].kind, RecordedMessage::Plain);
}

TEST(SetData, CopiesTheRegisterAsItStands)
{
    const std::vector<Page> sheets = Register_Sheets(
        Interest_Page_Spec(), Register(Init_fgEJ, {{"13", "한빛저축은행", "123-81-45678", "12500000", "1925000"},
                                                   {"11", "김민수", "750101-1234567", "3000000", ""},
                                                   {"13", "우리은행 본점", "202-81-12345", "8400000", "1176000"}}));
    ASSERT_EQ(sheets.size(), 1u);
    const std::vector<std::string> &cells = sheets[0].Captions("lblEJ");
    const std::vector<std::string> expected = {"11",         "1",         "김민수",        "750101-1234567",
                                               "3,000,000",  "0", // row 0
                                               "13",         "1",         "한빛저축은행",  "123-81-45678",
                                               "12,500,000", "1,925,000", // row 1
                                               "13",         "2",         "우리은행 본점", "202-81-12345",
                                               "8,400,000",  "1,176,000", // row 2
                                               "",           "",          "소계",          "",
                                               "20,900,000", "3,101,000", // row 3
                                               "",           "",          "합계",          "",
                                               "23,900,000", "3,101,000"}; // row 4
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 30), expected);
    for (std::size_t i = 30; i < cells.size(); ++i)
        EXPECT_EQ(cells[i], "") << i;
}

// The grid's rows in grid order, a sheet's worth at a time: the row on a
// sheet's first line and the sheet holding the last row, at the edges.
TEST(Sheets, ARegisterRunsOnToAsManySheetsAsItsRowsNeed)
{
    struct Case {
        void (*init)(GridModel &);
        int rows, sheets, lastOnLastSheet; // the last grid row's line on the last sheet
    };
    // The last, at the bound: 45 full sheets and 10 rows.
    const Case cases[] = {
        {Init_fgBD, 1, 1, 0},   {Init_fgBD, 14, 1, 13}, {Init_fgBD, 15, 2, 0},    {Init_fgBD, 29, 3, 0},
        {Init_fgEJ, 22, 1, 21}, {Init_fgEJ, 23, 2, 0},  {Init_fgEJ, 1000, 46, 9},
    };
    for (const Case &c : cases) {
        const PageSpec &spec = c.init == Init_fgEJ ? Interest_Page_Spec() : Dividend_Page_Spec();
        const std::string table = spec.arrays.back().name;
        const int perRow = c.init == Init_fgEJ ? kInterestCells : kDividendCells;
        const int perSheet = c.init == Init_fgEJ ? kInterestRows : kDividendRows;
        const std::vector<Page> sheets = Register_Sheets(spec, Numbered_Grid(c.init, c.rows));
        ASSERT_EQ(static_cast<int>(sheets.size()), c.sheets) << table << " " << c.rows;
        for (int s = 0; s < c.sheets; ++s) // each sheet begins with the row after the last sheet's
            EXPECT_EQ(sheets[s].Captions(table)[0], std::to_string(s * perSheet + 1) + ".1") << c.rows;
        const std::vector<std::string> &last = sheets.back().Captions(table);
        const std::size_t end = static_cast<std::size_t>((c.lastOnLastSheet + 1) * perRow);
        EXPECT_EQ(last[end - 1], std::to_string(c.rows) + "." + std::to_string(perRow)) << c.rows;
        for (std::size_t i = end; i < last.size(); ++i)
            ASSERT_EQ(last[i], "") << c.rows << " " << i;
        // Every sheet is the whole page: its fixed texts too.
        EXPECT_EQ(sheets.back().Captions("FontLab1"), sheets.front().Captions("FontLab1"));
    }
}

// Fourteen payments under code 21 fill page 7; their 소계 opens the second
// sheet and the 합계 follows it. One job of two pages, each with its header
// and its number of the whole beside the page number.
TEST(Sheets, EverySheetPrintsAsThePageInOneJobNumberedOfTheWhole)
{
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 14; ++i)
        rows.push_back({"21", "법인" + std::to_string(i), "", "100", "100", "19", "119", "0"});
    const std::vector<Page> sheets = Register_Sheets(Dividend_Page_Spec(), Register(Init_fgBD, rows));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[1].Captions("lblBD")[2], "소계");
    EXPECT_EQ(sheets[1].Captions("lblBD")[4], "1,400");
    EXPECT_EQ(sheets[1].Captions("lblBD")[9 + 2], "합계");

    RecordingPrinter printer;
    ASSERT_EQ(Print_Page(sheets, printer), std::nullopt);
    ASSERT_EQ(printer.jobs.size(), 1u);
    const PrintJob &job = printer.jobs[0];
    EXPECT_EQ(job.pages, 2);
    EXPECT_EQ(job.lines.size(), 2u * 44u);
    std::vector<std::string> headers[2];
    for (const PrintedText &t : job.texts)
        if (t.y < 1200)
            headers[t.page].push_back(t.text);
    for (int page = 0; page < 2; ++page) {
        const std::string number = std::to_string(page + 1) + "/2";
        EXPECT_EQ(headers[page], (std::vector<std::string>{"[별지 제40호서식(1)]", "(제7쪽)", number}));
        const PrintedText *sheetNumber = job.Find(number);
        ASSERT_NE(sheetNumber, nullptr);
        // One blank beside "(제7쪽)", in the printer's 10-point font: two
        // Korean characters of 200 twips and four others of 100.
        EXPECT_NEAR(sheetNumber->x, 10031.5 + 2 * 200 + 4 * 100, kTol);
        EXPECT_NEAR(sheetNumber->y, 1105.2, kTol);
    }
    // The 소계 on the second sheet's first line, where row 0 prints.
    const PrintedText *subtotal = job.Find("소계");
    ASSERT_NE(subtotal, nullptr);
    EXPECT_EQ(subtotal->page, 1);
    EXPECT_NEAR(subtotal->y, 2145 * 1.36 + 1080, kTol);
}

} // namespace
