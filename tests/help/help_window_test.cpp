// The help panel of the main window, the help viewer opened with F1 and
// its placement file, offscreen with recorded message boxes and printer.
#include "support/help_fixture.h"

#include "ui/computation/computation_panel.h"
#include "gui/platform/twips.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <fstream>

namespace {

const std::string kGuide = "작성요령 파일을 찾을 수가 없습니다.";
const std::string kHelpFile = "도움말 파일을 찾을 수가 없습니다.";

TEST_F(HelpTest, ThePanelShowsTheFirstDocumentAtEveryReturnToTheMainWindow)
{
    Open_Main_Window();
    EXPECT_EQ(Panel_Text(), "도움말 0");
    const char *captions[] = {"프로그램사용법", "산출세액계산", "이자소득명세", "배당소득명세"};
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(window->Help().btnHelp[n]->text().toStdString(), captions[n]);
    EXPECT_EQ(window->Help().Rich1->geometry(), Twips_Rect(30, 600, 11100, 5835));

    window->Help().btnHelp[3]->click();
    EXPECT_EQ(Panel_Text(), "도움말 3");
    window->cmdTab[2]->click();
    window->cmdTab[0]->click();
    EXPECT_EQ(Panel_Text(), "도움말 3"); // switching panels keeps it

    Return_To_Main_Window();
    EXPECT_EQ(Panel_Text(), "도움말 0");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HelpTest, AMissingDocumentIsReportedAndTheViewerKeepsWhatItShowed)
{
    Remove_Doc("help_2.rtf");
    Open_Main_Window();
    window->Help().btnHelp[1]->click();
    window->Help().btnHelp[2]->click();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kGuide});
    EXPECT_EQ(messages.shown[0].kind, RecordedMessage::Info);
    EXPECT_EQ(Panel_Text(), "도움말 1");

    // A file that is not RTF cannot be loaded either.
    QFile garbage(Path("help_2.rtf"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x89PNG\r\n");
    garbage.close();
    window->Help().btnHelp[2]->click();
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(HelpTest, AMissingFirstDocumentIsReportedAtStartAndAtEachReturn)
{
    Remove_Doc("help_0.rtf");
    Open_Main_Window();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kGuide});
    Return_To_Main_Window();
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kGuide, kGuide}));
}

TEST_F(HelpTest, ComingBackFromAModalBoxIsNoReturnToTheWindow)
{
    Open_Main_Window();
    window->Help().btnHelp[2]->click();
    QDialog box(window.get());
    box.setModal(true);
    box.show();
    Activate(&box);
    box.close();
    Activate(window.get());
    EXPECT_EQ(Panel_Text(), "도움말 2");
}

TEST_F(HelpTest, F1OpensTheViewerOnTheFirstTabAtItsDesignPlacement)
{
    Open_Main_Window();
    ASSERT_FALSE(QFile::exists(Path("SdiFo.ini")));
    mod도움말 *viewer = Press_F1();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_TRUE(QFile::exists(Path("SdiFo.ini")));
    EXPECT_EQ(QFileInfo(Path("SdiFo.ini")).size(), 0);

    EXPECT_EQ(viewer->windowTitle().toStdString(), "도움말");
    EXPECT_FALSE(viewer->isModal());
    EXPECT_EQ(viewer->pos(), QPoint(Twips_To_Px(5400), Twips_To_Px(1140)));
    EXPECT_EQ(viewer->size(), Twips_Size(5835, 4545));
    EXPECT_EQ(viewer->Tabs1->count(), 2);
    EXPECT_EQ(viewer->Tabs1->tabText(0).toStdString(), "계산서작성요령");
    EXPECT_EQ(viewer->Tabs1->tabText(1).toStdString(), "프로그램사용법");
    EXPECT_EQ(viewer->Tabs1->currentIndex(), 0);
    EXPECT_EQ(viewer->Rich1->Plain_Text(), "작성요령 본문");
    EXPECT_TRUE(viewer->Rich1->hasFocus());
    EXPECT_EQ(viewer->Cmd1[0]->text().toStdString(), "인쇄(&P)");
    EXPECT_EQ(viewer->Cmd1[1]->text().toStdString(), "닫기(&Q)");
    EXPECT_EQ(viewer->Label1_2->text().toStdString(), "도움말 보기는 F1");
    EXPECT_EQ(viewer->Rich1->geometry(), Twips_Rect(195, 510, 5415, 2880));

    // F1 again brings up the same window.
    Activate(window.get());
    EXPECT_EQ(Press_F1(), viewer);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HelpTest, F1ShowsTheDocumentOfThePanelShownAndTheViewerKeepsTheSizeGivenIt)
{
    Open_Main_Window();
    const struct {
        int panel;
        const char *document;
    } cases[] = {{0, "사용법 본문"}, {1, "작성요령 본문"}, {2, "사용법 본문"}, {3, "사용법 본문"}, {1, "작성요령 본문"}};
    for (const auto &c : cases) {
        Activate(window.get());
        window->cmdTab[c.panel]->click();
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window.get(), Qt::Key_F1);
        ASSERT_NE(window->Loaded_Help_Viewer(), nullptr) << c.panel;
        EXPECT_EQ(window->Loaded_Help_Viewer()->Rich1->Plain_Text(), c.document) << c.panel;
    }

    // Closed and opened again, it keeps the size it was given.
    window->Loaded_Help_Viewer()->resize(Twips_Size(8000, 6000));
    window->Loaded_Help_Viewer()->close();
    QTest::qWait(0);
    Activate(window.get());
    EXPECT_EQ(Press_F1()->size(), Twips_Size(8000, 6000));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(HelpTest, TheSecondTabLoadsItsDocumentAndAMissingOneKeepsTheFirst)
{
    Open_Main_Window();
    mod도움말 *viewer = Press_F1();
    viewer->Tabs1->setCurrentIndex(1);
    EXPECT_EQ(viewer->CurTab, 1);
    EXPECT_EQ(viewer->Rich1->Plain_Text(), "사용법 본문");
    EXPECT_TRUE(viewer->HelpPath.endsWith(QString::fromUtf8("/프로그램사용법.rtf")));

    viewer->Tabs1->setCurrentIndex(0);
    Remove_Doc("프로그램사용법.rtf");
    viewer->Tabs1->setCurrentIndex(1);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kHelpFile});
    EXPECT_EQ(viewer->Rich1->Plain_Text(), "작성요령 본문");
}

TEST_F(HelpTest, EscCloseAndTheMainWindowsClosingEachCloseTheViewer)
{
    Open_Main_Window();
    mod도움말 *viewer = Press_F1();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer->Rich1, Qt::Key_Escape);
    QTest::qWait(0);
    EXPECT_EQ(window->Loaded_Help_Viewer(), nullptr);
    // Closed, it was discarded; a new one starts afresh on its first tab.
    Activate(window.get());
    viewer = Press_F1();
    ASSERT_NE(viewer, nullptr);
    viewer->Cmd1[1]->click();
    QTest::qWait(0);
    EXPECT_EQ(window->Loaded_Help_Viewer(), nullptr);

    Activate(window.get());
    Press_F1();
    window->close();
    QTest::qWait(0);
    EXPECT_EQ(window->Loaded_Help_Viewer(), nullptr);
}

TEST_F(HelpTest, ResizingScalesAcrossStretchesDownAndStopsAtTheDesignSize)
{
    Open_Main_Window();
    mod도움말 *viewer = Press_F1();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    viewer->resize(Twips_Size(3000, 2000));
    EXPECT_EQ(viewer->size(), Twips_Size(5835, 4545));

    const QRect rich = viewer->Rich1->geometry();
    const QRect print = viewer->Cmd1[0]->geometry();
    viewer->resize(Twips_Size(5835 * 2, 4545 + 1500));
    const QRect wider = viewer->Rich1->geometry();
    EXPECT_NEAR(wider.width(), 2 * rich.width(), 3);
    EXPECT_EQ(wider.height(), rich.height() + Twips_To_Px(1500));
    EXPECT_EQ(viewer->Cmd1[0]->y(), print.y() + Twips_To_Px(1500));
    EXPECT_EQ(viewer->Cmd1[1]->y(), viewer->Cmd1[0]->y());
    // The bottom row stays below the document and inside the window, however often it is resized.
    for (int i = 0; i < 5; ++i) {
        viewer->resize(Twips_Size(7000 + 300 * i, 6000 - 200 * i));
        EXPECT_GE(viewer->Cmd1[0]->y(), viewer->Rich1->geometry().bottom());
        EXPECT_LE(viewer->Cmd1[1]->geometry().bottom(), viewer->height());
        EXPECT_LE(viewer->Cmd1[1]->geometry().right(), viewer->width());
        EXPECT_LE(viewer->Label1_2->geometry().bottom(), viewer->height());
    }
}

TEST_F(HelpTest, PrintingPrintsThePlainTextAsOneJob)
{
    Write_Doc(QString::fromUtf8("계산서작성요령.rtf"), QString::fromUtf8("첫째 줄\n둘째 줄"));
    Open_Main_Window();
    mod도움말 *viewer = Press_F1();
    viewer->Cmd1[0]->click();
    ASSERT_EQ(printer.jobs.size(), 1u);
    ASSERT_EQ(printer.jobs[0].texts.size(), 2u);
    EXPECT_EQ(printer.jobs[0].texts[0].text, "첫째 줄");
    EXPECT_EQ(printer.jobs[0].texts[1].text, "둘째 줄");
    EXPECT_TRUE(messages.shown.empty()); // no completion message

    printer.failFrom = 0;
    viewer->Cmd1[0]->click();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"프린터가 연결되지 않았습니다"});
    EXPECT_EQ(printer.jobs.size(), 1u);
}

// Record 3 of the placement file with these five integers.
void Write_Placement(const QString &path, std::array<std::int32_t, 5> fields)
{
    std::vector<char> bytes(3 * kPlacementRecordSize);
    std::memcpy(bytes.data() + 2 * kPlacementRecordSize, fields.data(), sizeof fields); // little-endian host
    std::ofstream(path.toStdString(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST_F(HelpTest, AStoredPlacementIsAppliedAndThenLaidOut)
{
    Write_Placement(Path("SdiFo.ini"), {1, 600, 900, 8000, 6000});
    Open_Main_Window();
    mod도움말 *viewer = Press_F1();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    EXPECT_EQ(viewer->pos(), QPoint(Twips_To_Px(900), Twips_To_Px(600)));
    EXPECT_EQ(viewer->size(), Twips_Size(8000, 6000));
    EXPECT_GT(viewer->Rich1->width(), Twips_To_Px(5415));
    EXPECT_EQ(viewer->Cmd1[0]->y(), Twips_To_Px(3705 + 6000 - 4545));
}

TEST_F(HelpTest, PlacementsThatCannotBeShownLeaveTheViewerUsableOnScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const std::array<std::array<std::int32_t, 5>, 4> placements = {{
        {1, 600, 900, 3000, 2000},                // too small: the design size
        {1, -2000000000, 2000000000, 8000, 6000}, // off every screen
        {-1, 0, 0, 2147483647, 2147483647},       // larger than the screen
        {1, 0, 0, -5000, -5000},
    }};
    for (const auto &placement : placements) {
        Write_Placement(Path("SdiFo.ini"), placement);
        Open_Main_Window();
        mod도움말 *viewer = Press_F1();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_GE(viewer->width(), Twips_To_Px(5835));
        EXPECT_GE(viewer->height(), Twips_To_Px(4545));
        EXPECT_TRUE(screen.intersects(viewer->frameGeometry())) << placement[1] << " " << placement[2];
        EXPECT_LE(viewer->width(), std::max(screen.width(), Twips_To_Px(5835)));
        window.reset();
    }
}

TEST_F(HelpTest, AFolderWhereThePlacementFileCannotBeMadeStillOpensTheViewer)
{
    const QString gone = Path("gone"); // as unwritable as a read-only folder, for root too
    Open_Main_Window(gone);
    mod도움말 *viewer = Press_F1();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->pos(), QPoint(Twips_To_Px(5400), Twips_To_Px(1140)));
    EXPECT_FALSE(QFileInfo::exists(gone));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kGuide, kHelpFile}));
}

} // namespace
