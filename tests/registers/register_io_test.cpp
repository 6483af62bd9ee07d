// Registers in and out of the window: import, export, the clipboard, the
// totals carried into the computation and a page saved as a PDF.
#include "support/pdf_text.h"
#include "support/register_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

using RegisterIoTest = RegisterTest;

QString Write(const QTemporaryDir &dir, const char *name, const std::string &text)
{
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.data(), static_cast<qint64>(text.size()));
    return path;
}

TEST_F(RegisterIoTest, ImportAndPasteAppendRowsAllOrNothing)
{
    QTemporaryDir dir;
    Save_Interest("12", "직접 입력", "1000");
    const auto typed = Grid_Rows(EJ().Grid());

    // A failing row in the middle: nothing of the file is kept.
    EXPECT_FALSE(EJ().Import_File(Write(dir, "bad.csv", "11,가,,100,0\n11,나,,12a,0\n11,다,,300,0\n")));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"2번째 줄: 이자소득금액 \"12a\"은(는) 숫자가 아닙니다."});
    EXPECT_EQ(messages.shown.back().kind, RecordedMessage::Info);
    EXPECT_EQ(Grid_Rows(EJ().Grid()), typed);

    ASSERT_TRUE(EJ().Import_File(Write(dir, "good.csv", "소득구분코드,상호(성명),번호,이자소득금액,원천징수세액\n"
                                                         "13,한빛,,\"12,500,000\",0\n11,가,,100,0\n")));
    EXPECT_EQ(Grid_Rows(EJ().Grid()), (std::vector<std::string>{"11|1|가||100|0", "12|1|직접 입력||1,000|0",
                                                                "13|1|한빛||12,500,000|0", "||합계||12,501,100|0"}));
    EXPECT_EQ(Grid_Rows(EJ().Grid()), Grid_Rows(window->fgEJ())); // what the page prints

    // Lines copied from a spreadsheet: tab-separated, CRLF.
    messages.shown.clear();
    window->cmdTab[3]->click();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("21\t대한전자(주)\t124-81\t2,000,000\t1,000,000\t0\r\n"
                                                            "22\t나\t\t1500000\t\t210000\r\n"));
    BD().gridActions[1]->trigger();
    EXPECT_EQ(Grid_Rows(BD().Grid())[0], "21|1|대한전자(주)|124-81|2,000,000|1,000,000|190,000|2,190,000|0");
    QGuiApplication::clipboard()->setText(QString::fromUtf8("23\tx\t\t1\t1\t1\n21\ty\t\t-\t1\t1\n"));
    BD().gridActions[1]->trigger();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"2번째 줄: 배당액 \"-\"은(는) 숫자가 아닙니다."});
    EXPECT_EQ(BD().Grid().Rows(), 4);

    // Ctrl+C in the grid: the clicked data row alone, or every row from a sum row.
    Click_Row(window->Dividend().findChild<GridView *>(), 2);
    QTest::keyClick(window->Dividend().findChild<GridView *>(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "22\t나\t\t1,500,000\t0\t210,000\r\n");
    Click_Row(window->Dividend().findChild<GridView *>(), 3);
    BD().gridActions[0]->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().count(QStringLiteral("\r\n")), 2);

    // Pasted back, every row stands there already: asked first, 아니요 the default.
    messages.shown.clear();
    BD().gridActions[1]->trigger();
    EXPECT_EQ(BD().Grid().Rows(), 4);
    messages.answers = {true};
    BD().gridActions[1]->trigger();
    EXPECT_EQ(messages.shown, std::vector<RecordedMessage>(2, {RecordedMessage::Confirm,
                                                               "이미 있는 행과 같은 행이 2개 있습니다. 그래도 "
                                                               "추가하시겠습니까?",
                                                               "붙여넣기"}));
    EXPECT_EQ(BD().Grid().Rows(), 8); // the header, two rows and a 소계 of each code, 합계
}

TEST_F(RegisterIoTest, AnExportedRegisterImportsAsTheSameGrid)
{
    QTemporaryDir dir;
    Save_Dividend("\"따옴표\", 쉼표", "1,234,567", "12,000");
    Save_Dividend(" 앞뒤 공백 ", "5");
    const QString path = dir.filePath(QStringLiteral("배당.csv"));
    ASSERT_TRUE(BD().Export_File(path));
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    EXPECT_TRUE(file.readAll().startsWith("\xEF\xBB\xBF소득구분코드,배당지급법인명,"));
    const auto exported = Grid_Rows(BD().Grid());
    messages.answers = {true};
    BD().butBD[4]->click(); // 전체삭제, confirmed
    ASSERT_EQ(BD().Grid().Rows(), 2);
    ASSERT_TRUE(BD().Import_File(path));
    EXPECT_EQ(Grid_Rows(BD().Grid()), exported);
    EXPECT_FALSE(BD().Export_File(dir.filePath(QStringLiteral("no/such/folder/x.csv"))));
}

TEST_F(RegisterIoTest, F3CarriesTheRegisterTotalsIntoLinesOneToSeven)
{
    Save_Interest("13", "한빛저축은행", "12,500,000");
    Save_Interest("11", "김민수", "3,000,000");
    Save_Interest("13", "우리은행", "28,400,000");
    Save_Dividend("대한전자(주)", "10,000,000"); // base as much: a gross-up of 1,900,000
    Save_Dividend("한국제철(주)", "150");
    Enter_Lines({"", "", "", "", "", "", "", "20,000,000", "3,000,000"});
    window->CmdArray1[2]->click();
    const std::string tax = Tax();
    Key(Qt::Key_Up); // on line 9
    Key(Qt::Key_F3);
    EXPECT_EQ((std::array<std::string, 9>{Box(0), Box(1), Box(2), Box(3), Box(4), Box(5), Box(6), Box(7), Box(8)}),
              (std::array<std::string, 9>{"3,000,000", "", "40,900,000", "10,000,150", "", "", "1,900,029", "20,000,000",
                                          "3,000,000"}));
    EXPECT_EQ(Panel().CurLine, 7);
    EXPECT_EQ(EditorText(), "20,000,000");
    EXPECT_TRUE(messages.shown.empty()); // the bases are the law's: nothing to ask
    EXPECT_EQ(Tax(), tax); // until the next computation
    window->CmdArray1[2]->click();
    EXPECT_NE(Tax(), tax);
}

TEST_F(RegisterIoTest, PdfOfTheRegisterPageAndOfTheComputedStatement)
{
    QTemporaryDir dir;
    window->cmdTab[2]->click();
    EXPECT_EQ(window->Page_For_Pdf(), nullptr);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"인쇄할 내용이 없습니다."});
    Save_Interest("11", "김민수", "3,000,000");
    const QString page5 = dir.filePath(QStringLiteral("5.pdf"));
    ASSERT_TRUE(window->Save_Pdf(*window->Page_For_Pdf(), page5));
    const std::string text = Pdf_Text(Pdf_Words(page5));
    for (const char *expected : {"(제5쪽)", "김민수", "3,000,000"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;

    window->cmdTab[1]->click();
    messages.shown.clear();
    EXPECT_EQ(window->Page_For_Pdf(), nullptr); // as 인쇄: not before a computation
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"세액계산 후 이용가능 합니다."});
    Enter_Lines({"", "10,000,000", "30000000", "10,000,000", "", "0", "1,100,000", "20,000,000", "3,000,000"});
    window->CmdArray1[2]->click();
    const QString page21 = dir.filePath(QStringLiteral("21.pdf"));
    ASSERT_TRUE(window->Save_Pdf(*window->Page_For_Pdf(), page21));
    EXPECT_NE(Pdf_Text(Pdf_Words(page21)).find("10,158,000"), std::string::npos);
}

} // namespace
