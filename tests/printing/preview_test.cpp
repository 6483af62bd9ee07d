// The print preview and the page forms through the main window's commands
// and the preview's menu, printing to a recording printer.
#include "gui/platform/twips.h"
#include "ui/printing/print_preview.h"
#include "support/register_fixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

namespace {

const std::array<const char *, 9> kFirstExample = {"", "10000000", "30000000", "10000000", "",
                                                   "", "1100000",  "20000000", "3000000"};

class PreviewTest : public RegisterTest {
protected:
    frm_Print *Preview() { return window->Loaded_Preview(); }
    static void Flush_Deletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::string Last_Page_Number() const
    {
        return printer.jobs.empty() ? std::string() : printer.jobs.back().texts.back().text;
    }
};

TEST_F(PreviewTest, ThePreviewIsAFrameTitledWithTwoMenuCommands)
{
    Save_Interest("11", "김민수", "3000000");
    Print_Interest();
    frm_Print *preview = Preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle().toStdString(), "인쇄");
    // 9000 × 11200 twips with its frame (none here), kept on the screen.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(preview->frameGeometry().size(), QSize(600, 747).boundedTo(screen.size()));
    EXPECT_TRUE(screen.contains(preview->frameGeometry())) << screen.height();
    const QList<QAction *> menus = preview->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text().toStdString(), "인쇄");
    EXPECT_EQ(menus[1]->text().toStdString(), "닫기");

    // The page inside it, at its own size and scrollable within the window.
    PageForm *page = preview->Shown_Page();
    ASSERT_EQ(page, &window->Interest_Page());
    EXPECT_EQ(page->windowTitle().toStdString(), " 이자소득명세서");
    EXPECT_EQ(page->size(), QSize(589, 724)); // 8835 × 10860 twips
    EXPECT_EQ(preview->Area()->subWindowList().size(), 1);
    EXPECT_TRUE(page->isVisible());
    // The program's icon on the preview and on its page's frame, not Qt's.
    ASSERT_FALSE(QApplication::windowIcon().isNull());
    for (const QWidget *w : std::initializer_list<const QWidget *>{preview, preview->Area()->subWindowList()[0]})
        EXPECT_EQ(w->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    EXPECT_EQ(page->Labels("lblEJ")[2]->text().toStdString(), "김민수");
    EXPECT_EQ(page->Labels("lblEJ")[8]->text().toStdString(), "합계");
}

TEST_F(PreviewTest, EveryLabelStandsAtItsPlaceFilledOrEmpty)
{
    Save_Interest("11", "김민수", "3000000");
    Print_Interest();
    for (PageForm *page : std::initializer_list<PageForm *>{&window->Interest_Page(), &window->Statement()}) {
        const PageSpec &spec = page->Contents().Spec();
        for (const LabelArraySpec &array : spec.arrays)
            for (std::size_t i = 0; i < array.labels.size(); ++i) {
                const LabelSpec &designed = array.labels[i];
                const QLabel *label = page->Labels(array.name)[i];
                EXPECT_EQ(label->y(), Twips_To_Px(designed.top)) << spec.name << " " << array.name << i;
                if (label->text().isEmpty()) { // nothing to widen it for
                    EXPECT_EQ(label->x(), Twips_To_Px(designed.left)) << spec.name << " " << array.name << i;
                }
            }
    }
}

// Thirty payments of one code, their 소계 and the 합계 take two sheets of
// page 5: both shown, one below the other, printed as one job with one
// message; a shorter register shown again takes one.
TEST_F(PreviewTest, ALongRegisterShowsAndPrintsEverySheet)
{
    EJ().Replace_Grid(Payments(RegisterKind::Interest, "11", 30));
    Print_Interest();
    PageForm &page = window->Interest_Page();
    ASSERT_EQ(page.Sheets().size(), 2u);
    EXPECT_EQ(page.Labels("lblEJ", 1)[2]->text().toStdString(), "지급자23");
    EXPECT_EQ(page.Labels("lblEJ", 1)[9 * 6 + 2]->text().toStdString(), "합계");
    const QWidget *second = page.Sheet_View(1);
    EXPECT_TRUE(second->isVisible());
    EXPECT_GT(second->y(), page.Sheet_View(0)->geometry().bottom());
    EXPECT_EQ(page.size(), page.Client_Size());
    EXPECT_EQ(second->accessibleName().toStdString(), "이자소득명세서 2/2");
    // The workspace scrolls by lines and by its window, not by a share of the page.
    QCoreApplication::processEvents();
    const QScrollBar *down = Preview()->Area()->verticalScrollBar();
    EXPECT_GT(down->maximum(), 0);
    EXPECT_EQ(down->singleStep(), 20); // 300 twips
    EXPECT_EQ(down->pageStep(), Preview()->Area()->viewport()->height());

    Preview()->mnu_Print->trigger();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].pages, 2);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"인쇄가 완료되었습니다."});
    EXPECT_EQ(Last_Page_Number(), "2/2");

    // Printed again with the preview open, the same page loses its second sheet.
    EJ().Replace_Grid(Payments(RegisterKind::Interest, "11", 3));
    Print_Interest();
    EXPECT_EQ(&window->Interest_Page(), &page);
    EXPECT_EQ(page.Sheets().size(), 1u);
    EXPECT_EQ(page.size(), QSize(589, 724));
    EXPECT_EQ(page.Labels("lblEJ")[4 * 6 + 2]->text().toStdString(), "합계");
}

TEST_F(PreviewTest, PrintingTheSamePageTwiceMakesTwoIdenticalJobs)
{
    Save_Interest("13", "한빛저축은행", "12500000");
    Print_Interest();
    Preview()->mnu_Print->trigger();
    Preview()->mnu_Print->trigger();
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"인쇄가 완료되었습니다.", "인쇄가 완료되었습니다."}));
    ASSERT_EQ(printer.jobs[0].texts.size(), printer.jobs[1].texts.size());
    for (std::size_t i = 0; i < printer.jobs[0].texts.size(); ++i)
        EXPECT_EQ(printer.jobs[0].texts[i].text, printer.jobs[1].texts[i].text);
    EXPECT_EQ(Last_Page_Number(), "(제5쪽)");
    EXPECT_TRUE(Preview()->isVisible()); // it stays open for another print
}

TEST_F(PreviewTest, CtrlPPrintsTheNewestPage)
{
    Save_Interest("11", "김민수", "3000000");
    Print_Interest();
    QPointer<frm_Print> preview = Preview();
    preview->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
    QTest::keyClick(preview, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(Last_Page_Number(), "(제5쪽)");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"인쇄가 완료되었습니다."});
}

TEST_F(PreviewTest, TheNewestPageIsTheOnePrintedAndClosed)
{
    Save_Interest("11", "김민수", "3000000");
    Save_Dividend("대한전자(주)", "20000000");
    Print_Interest();
    QPointer<frm_Print> preview = Preview();
    QPointer<PageForm> interest = &window->Interest_Page();
    Print_Dividend();
    EXPECT_EQ(Preview(), preview); // one preview, a second child
    EXPECT_EQ(preview->Area()->subWindowList().size(), 2);
    EXPECT_EQ(preview->Shown_Page(), &window->Dividend_Page());

    preview->mnu_Print->trigger();
    EXPECT_EQ(Last_Page_Number(), "(제7쪽)");
    EXPECT_NE(printer.jobs.back().Find("3,800,000"), nullptr);

    // 닫기 closes page 7 and the window, which takes page 5 along.
    preview->mnu_Close->trigger();
    Flush_Deletes();
    EXPECT_FALSE(preview);
    EXPECT_FALSE(interest);
    EXPECT_EQ(window->Loaded_Preview(), nullptr);
}

TEST_F(PreviewTest, AReopenedPageIsFilledAgainFromTheRegister)
{
    Save_Interest("11", "김민수", "3000000");
    Print_Interest();
    Preview()->mnu_Close->trigger();
    Flush_Deletes();

    Save_Interest("12", "박영희", "1000");
    Print_Interest();
    ASSERT_NE(Preview(), nullptr);
    const std::vector<QLabel *> &cells = window->Interest_Page().Labels("lblEJ");
    EXPECT_EQ(cells[2]->text().toStdString(), "김민수");
    EXPECT_EQ(cells[8]->text().toStdString(), "박영희");
    EXPECT_EQ(cells[14]->text().toStdString(), "합계");
    EXPECT_EQ(cells[16]->text().toStdString(), "3,001,000");
}

TEST_F(PreviewTest, PrintShowsTheComputedStatementAndComputeHidesIt)
{
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    EXPECT_EQ(Preview(), nullptr); // Compute loads the statement hidden
    window->CmdArray1[3]->click();
    frm계산서 *statement = window->Loaded_Statement();
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(Preview()->Shown_Page(), statement);
    EXPECT_TRUE(statement->isVisible());
    EXPECT_EQ(statement->windowTitle().toStdString(), " 종합소득산출세액 - 인쇄");
    EXPECT_EQ(statement->TxtLab1[18]->text().toStdString(), "10,158,000");

    Preview()->mnu_Print->trigger();
    EXPECT_EQ(Last_Page_Number(), "(제21쪽)");
    EXPECT_NE(printer.jobs.back().Find("10,158,000"), nullptr);

    window->CmdArray1[2]->click();
    EXPECT_FALSE(Preview()->isVisible());
    EXPECT_FALSE(statement->isVisible());
    EXPECT_EQ(window->Loaded_Statement(), statement); // hidden, not closed

    window->CmdArray1[3]->click();
    EXPECT_TRUE(Preview()->isVisible());
    EXPECT_TRUE(statement->isVisible());
    EXPECT_EQ(Preview()->Area()->subWindowList().size(), 1);
}

TEST_F(PreviewTest, TheStatementMovesWithCtrlArrowsAndEscapeClosesIt)
{
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    window->CmdArray1[3]->click();
    QPointer<frm계산서> statement = window->Loaded_Statement();
    QWidget *frame = statement->parentWidget();
    const QPoint start = frame->pos();
    QTest::keyClick(statement, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(frame->pos(), start + QPoint(24, 0)); // 360 twips
    QTest::keyClick(statement, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(frame->pos(), start + QPoint(24, 12)); // 180 twips
    QTest::keyClick(statement, Qt::Key_Right);
    QTest::keyClick(statement, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(frame->pos(), start + QPoint(24, 12));

    // The page has the keyboard in the preview: Esc there closes it, and
    // the preview, left without a page, closes as well.
    QApplication::setActiveWindow(Preview());
    EXPECT_EQ(QApplication::focusWidget(), statement);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Flush_Deletes();
    EXPECT_FALSE(statement);
    QCoreApplication::processEvents();
    Flush_Deletes();
    EXPECT_EQ(Preview(), nullptr);

    // The next Print shows a freshly loaded statement, computed again.
    window->CmdArray1[3]->click();
    ASSERT_NE(window->Loaded_Statement(), nullptr);
    EXPECT_EQ(window->Loaded_Statement()->TxtLab1[18]->text().toStdString(), "10,158,000");
    ASSERT_NE(Preview(), nullptr);
    EXPECT_EQ(Preview()->Area()->subWindowList().size(), 1);
}

TEST_F(PreviewTest, ClosingOnePageOfTwoLeavesThePreviewOpen)
{
    Save_Interest("11", "김민수", "3000000");
    Save_Dividend("대한전자(주)", "20000000");
    Print_Interest();
    Print_Dividend();
    QPointer<frm_Print> preview = Preview();
    window->Dividend_Page().close();
    QCoreApplication::processEvents();
    Flush_Deletes();
    ASSERT_TRUE(preview);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->Area()->subWindowList().size(), 1);
    window->Interest_Page().close();
    QCoreApplication::processEvents();
    Flush_Deletes();
    EXPECT_FALSE(preview);
}

TEST_F(PreviewTest, ClosingTheMainWindowClosesThePreview)
{
    Save_Interest("11", "김민수", "3000000");
    Print_Interest();
    QPointer<frm_Print> preview = Preview();
    messages.saveAnswers = {SaveAnswer::DontSave}; // the payment is not kept
    window->close();
    Flush_Deletes();
    EXPECT_FALSE(preview);
}

TEST_F(PreviewTest, APrinterFailureIsToldWithoutTheCompletionMessage)
{
    Save_Interest("11", "김민수", "3000000");
    Print_Interest();
    printer.failFrom = 0;
    printer.failure = "기본 프린터가 지정되어 있지 않습니다.";
    Preview()->mnu_Print->trigger();
    EXPECT_EQ(messages.shown,
              (std::vector<RecordedMessage>{{RecordedMessage::Plain, "기본 프린터가 지정되어 있지 않습니다.", {}}}));
    EXPECT_TRUE(printer.jobs.empty());
    // The page keeps what it showed, ready for another try.
    EXPECT_EQ(window->Interest_Page().Labels("lblEJ")[2]->text().toStdString(), "김민수");
}

} // namespace
