// The pages printed for real through Qt into PDF files, read back with
// poppler: one page each, the texts there, the amounts where the page
// transform puts them.
#include "core/help/print_text.h"
#include "ui/platform/app_dir.h"
#include "gui/printing/printer_qt.h"
#include "gui/help/rich_text.h"
#include "core/printing/page_data.h"
#include "core/printing/print_page.h"
#include "core/registers/register_entry.h"
#include "support/pdf_text.h"
#include "support/statement_page.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double kTwipsPerPoint = 20;

class PdfPrint : public testing::Test {
protected:
    // Prints the page into a fresh PDF and returns its words.
    std::vector<PdfWord> Print(const Page &page)
    {
        const QString path = dir.filePath(QStringLiteral("page%1.pdf").arg(++count));
        PdfPrinter printer(path);
        EXPECT_EQ(Print_Page(page, printer), std::nullopt);
        EXPECT_EQ(Pdf_Pages(path), 1);
        return Pdf_Words(path);
    }

    // The word reads `text` and starts at the printed twips position.
    static void Expect_At(const std::vector<PdfWord> &words, const std::string &text, double x, double y)
    {
        const std::vector<PdfWord> found = Find_Words(words, text);
        ASSERT_FALSE(found.empty()) << text;
        EXPECT_NEAR(found.front().xMin, x / kTwipsPerPoint, 1.0) << text;
        EXPECT_NEAR(found.front().yMin, y / kTwipsPerPoint, 1.5) << text; // the line's top, not the glyphs'
    }

    QTemporaryDir dir;
    int count = 0;
};

TEST_F(PdfPrint, InterestPage)
{
    GridModel fgEJ("fgEJ");
    Init_fgEJ(fgEJ);
    Reset_fg(fgEJ);
    ASSERT_EQ(Save_Row(fgEJ, 0,
                       Entry_Cells(fgEJ, "13",
                                   std::vector<std::string>{"한빛저축은행", "123-81-45678", "12500000", "1925000"})),
              SaveResult::Saved);
    const std::vector<PdfWord> words = Print(Register_Sheets(Interest_Page_Spec(), fgEJ).front());

    const std::string text = Pdf_Text(words);
    for (const char *expected : {"[별지 제40호서식(1)] (제5쪽)", "⑤ 이자소득명세서", "④사업자등록번호", "원천징수세액",
                                 "한빛저축은행", "123-81-45678", "합계"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Row 0: the amount at layout 5250, 1920; the tax at 7005.
    Expect_At(words, "12,500,000", 6652.5, 3691.2);
    Expect_At(words, "1,925,000", 7005 * 1.21 + 300, 3691.2);
    Expect_At(words, "(제5쪽)", 10049.65, 1105.2);
}

TEST_F(PdfPrint, DividendPage)
{
    GridModel fgBD("fgBD");
    Init_fgBD(fgBD);
    Reset_fg(fgBD);
    ASSERT_EQ(Save_Row(fgBD, 0,
                       Entry_Cells(fgBD, "22",
                                   std::vector<std::string>{"글로벌리츠", "110-81-33333", "1500000", "0", "0",
                                                            "1500000", "210000"})),
              SaveResult::Saved);
    const std::vector<PdfWord> words = Print(Register_Sheets(Dividend_Page_Spec(), fgBD).front());

    const std::string text = Pdf_Text(words);
    for (const char *expected :
         {"[별지 제40호서식(1)] (제7쪽)", "⑥ 배당소득명세서", "배당가산액(gross-up)", "글로벌리츠"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    // Row 0: code at 345, 2295; the withheld tax at 7410, 2310.
    Expect_At(words, "22", 345 * 1.21 + 300, 2295 * 1.36 + 1080);
    Expect_At(words, "210,000", 7410 * 1.21 + 300, 2310 * 1.36 + 1080);
}

// Thirty payments over the three codes: 30 rows, three 소계 and the 합계,
// on two sheets of page 5 in one file.
TEST_F(PdfPrint, ARegisterOnTwoSheets)
{
    GridModel fgEJ = Empty_Register(RegisterKind::Interest);
    for (int i = 1; i <= 30; ++i)
        ASSERT_EQ(Save_Row(fgEJ, 0,
                           Entry_Cells(fgEJ, kInterestLayout.codes[i % 3],
                                       std::vector<std::string>{"지급자" + std::to_string(i), "", "1000", "0"})),
                  SaveResult::Saved);
    const QString path = dir.filePath(QStringLiteral("sheets.pdf"));
    PdfPrinter printer(path);
    ASSERT_EQ(Print_Page(Register_Sheets(Interest_Page_Spec(), fgEJ), printer), std::nullopt);
    ASSERT_EQ(Pdf_Pages(path), 2);

    const std::vector<PdfWord> sheets[2] = {Pdf_Words(path, 1), Pdf_Words(path, 2)};
    for (int s = 0; s < 2; ++s) {
        const std::string text = Pdf_Text(sheets[s]);
        const std::string header = "[별지 제40호서식(1)] (제5쪽) " + std::to_string(s + 1) + "/2";
        EXPECT_NE(text.find(header), std::string::npos) << text;
        EXPECT_NE(text.find("⑤ 이자소득명세서"), std::string::npos);
        EXPECT_EQ(Find_Words(sheets[s], "합계").size(), s == 1 ? 1u : 0u);
    }
    for (int i = 1; i <= 30; ++i) {
        const std::string payer = "지급자" + std::to_string(i);
        EXPECT_EQ(Find_Words(sheets[0], payer).size() + Find_Words(sheets[1], payer).size(), 1u) << payer;
    }
    EXPECT_EQ(Find_Words(sheets[1], "30,000").size(), 1u); // the 합계's amount
}

TEST_F(PdfPrint, StatementPage)
{
    const std::vector<PdfWord> words = Print(Statement_Page_Section_Three());

    const std::string text = Pdf_Text(words);
    for (const char *expected : {"[별지 제40호 서식(1)] (제21쪽)", "종합소득산출세액계산서(금융소득자용)",
                                 "(38)종합소득산출세액{(32)+(37)}", "(3) ⑴·⑵이외 이자소득"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    Expect_At(words, "4,500,000", 9502.05, 5175 * 1.36 + 1080); // (38), right-aligned on screen
    Expect_At(words, "종합소득산출세액계산서(금융소득자용)", 3367.35, 1508.4);
}

TEST_F(PdfPrint, AFileThatCannotBeWrittenIsAFailure)
{
    PdfPrinter printer(dir.filePath(QStringLiteral("no/such/folder/page.pdf")));
    const std::optional<std::string> failure = Print_Page(Page(Interest_Page_Spec()), printer);
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("page.pdf"), std::string::npos) << *failure;
}

// The longest help document as its viewer prints it: its plain text over
// several pages, every line inside the margins.
TEST_F(PdfPrint, AHelpDocumentsTextRunsOverPagesWithinTheMargins)
{
    const auto document = Read_Rtf_File(QDir(App_Path()).filePath(QString::fromUtf8("계산서작성요령.rtf")));
    ASSERT_TRUE(document);
    const QString path = dir.filePath(QStringLiteral("help.pdf"));
    PdfPrinter printer(path);
    EXPECT_EQ(Print_Text(document->Plain_Text(), printer), std::nullopt);
    EXPECT_GE(Pdf_Pages(path), 2);
    const std::vector<PdfWord> words = Pdf_Words(path);
    const double margin = kTextMargin / kTwipsPerPoint, a4Width = 595.3, a4Height = 841.9;
    for (const PdfWord &word : words) {
        EXPECT_GE(word.xMin, margin - 0.5) << word.text;
        EXPECT_LE(word.xMax, a4Width - margin + 0.5) << word.text;
        EXPECT_GE(word.yMin, margin - 0.5) << word.text;
        EXPECT_LE(word.yMax, a4Height - margin + 0.5) << word.text;
    }
    const std::string text = Pdf_Text(words);
    for (const char *expected : {"종합소득산출세액계산서(금융소득자용)", "(38)", "④"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
}

} // namespace
