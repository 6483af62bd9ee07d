#include "support/main_window_fixture.h"

#include "core/common/app_info.h"
#include "ui/registers/dividend_panel.h"
#include "ui/registers/interest_panel.h"
#include "ui/help/help_panel.h"
#include "ui/platform/grid_view.h"
#include "ui/help/rich_text_box.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>

#include <QFrame>
#include <QMenuBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

const std::array<const char *, 9> kFirstExample = {"", "10000000", "30000000", "10000000", "",
                                                   "", "1100000",  "20000000", "3000000"};

TEST_F(MainWindowTest, OpensOnTheHelpPanelWithTheEditorOnLineOne)
{
    EXPECT_EQ(window->windowTitle().toStdString(), "2005 Orvanta(금융소득자용)");
    // A display name of its own would be appended to the title on X11.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    // The designed client area, 11175 x 7455 twips, below the menu bar.
    EXPECT_EQ(window->Client()->size(), QSize(745, 497));
    EXPECT_EQ(window->Client()->pos(), QPoint(0, window->Menu_Bar()->height()));
    EXPECT_EQ(window->size(), QSize(745, 497 + window->Menu_Bar()->height()));
    // Of one size, it offers to minimise and close only.
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    const char *tabs[] = {"도움말", "산출세액계산", "이자소득명세", "배당소득명세"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(window->cmdTab[i]->text().toStdString(), tabs[i]);
        EXPECT_EQ(window->cFrame[i]->isVisible(), i == 0) << i;
    }
    EXPECT_EQ(window->cmdTab[3]->geometry(), QRect(552, 0, 194, 33));
    EXPECT_EQ(window->cFrame[1]->geometry(), QRect(0, 27, 753, 433));
    EXPECT_EQ(window->CmdArray1[4]->text().toStdString(), "종료(&X)");
    EXPECT_EQ(window->CmdArray1[4]->geometry(), QRect(637, 464, 104, 27));
    EXPECT_EQ(window->txtLblHelp->text().toStdString(), "도움말");
    EXPECT_TRUE(window->txtLblHelp->isReadOnly());
    EXPECT_EQ(window->txtLblHelp->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(window->txtHelp->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(Help(), "");

    EXPECT_EQ(Panel().CurLine, 0);
    EXPECT_FALSE(Editor()->isHidden());
    EXPECT_EQ(Editor()->geometry(), Panel().TxtLab4[0]->geometry());
    EXPECT_EQ(Panel().TxtLab4[5]->geometry(), QRect(504, 16, 175, 25)); // 7560, 240
    EXPECT_EQ(Tax(), "");
    for (int n = 1; n <= 4; ++n)
        EXPECT_TRUE(window->CmdArray1[n]->isEnabled()) << n; // as designed until a tab is pressed
    EXPECT_EQ(window->Loaded_Statement(), nullptr);
}

TEST_F(MainWindowTest, BothRegistersStartWithTheirTotalRowAndNoDeleteItem)
{
    const InterestPanel &ej = window->Interest();
    const DividendPanel &bd = window->Dividend();
    EXPECT_EQ(window->fgEJ().Rows(), 2);
    EXPECT_EQ(window->fgEJ().Text(1, 3), "합계");
    EXPECT_EQ(window->fgEJ().Text(1, 6), "0");
    EXPECT_EQ(window->fgBD().Rows(), 2);
    EXPECT_EQ(window->fgBD().Text(1, 9), "0");
    EXPECT_EQ(ej.cmbEJ->currentText().toStdString(), "11");
    EXPECT_EQ(bd.cmbBD->itemText(2).toStdString(), "23");
    EXPECT_EQ(bd.cmbBD->count(), 3);
    // The hidden panels' buttons keep their designed state until a tab is pressed.
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(ej.butEJ[n]->isEnabled(), n != 2) << n;
        EXPECT_EQ(bd.butBD[n]->isEnabled(), n != 2) << n;
    }
    EXPECT_EQ(ej.EJ_EditRow, 0);
    EXPECT_EQ(bd.BD_EditRow, 0);
    EXPECT_FALSE(ej.txtEJ[0]->hasFocus()); // hidden at start-up: the focus move was skipped
}

TEST_F(MainWindowTest, TabButtonsShowOnePanelAndEnableOnlyItsButtons)
{
    window->cmdTab[1]->click();
    EXPECT_TRUE(window->cFrame[1]->isVisible());
    EXPECT_FALSE(window->cFrame[0]->isVisible());
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(window->CmdArray1[n]->isEnabled());
    EXPECT_TRUE(Editor()->hasFocus());

    window->cmdTab[2]->click();
    EXPECT_TRUE(window->cFrame[2]->isVisible());
    for (int n = 1; n <= 3; ++n)
        EXPECT_FALSE(window->CmdArray1[n]->isEnabled());
    EXPECT_TRUE(window->CmdArray1[4]->isEnabled());

    window->cmdTab[0]->click();
    EXPECT_TRUE(window->cFrame[0]->isVisible());
    EXPECT_FALSE(window->CmdArray1[2]->isEnabled());
}

TEST_F(MainWindowTest, ComputeWithAltCShowsTheTaxOfTheFirstWorkedExample)
{
    Enter_Lines(kFirstExample);
    Alt(Qt::Key_C);
    EXPECT_EQ(Tax(), "10,158,000");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window->ComputationInputs[9], 20'000'000);
    EXPECT_EQ(window->ComputationInputs[10], 3'000'000);

    ASSERT_NE(window->Loaded_Statement(), nullptr);
    frm계산서 &statement = *window->Loaded_Statement();
    EXPECT_FALSE(statement.isVisible()); // loaded hidden
    EXPECT_EQ(statement.TxtLab1[18]->text().toStdString(), "10,158,000");
    EXPECT_EQ(statement.TxtLab1[25]->text().toStdString(), "498,000");
    EXPECT_EQ(statement.TxtLab1[7]->text().toStdString(), "18 %");
    EXPECT_EQ(statement.TxtLab2[8]->text().toStdString(), "3,000,000");
}

TEST_F(MainWindowTest, TheHelpLineShowsTheLongestHelpInTwoWholeLines)
{
    window->cmdTab[1]->click();
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Up); // line 8
    ASSERT_TRUE(Help().starts_with("[종합소득금액"));
    const QTextDocument *text = window->txtHelp->document();
    EXPECT_EQ(text->firstBlock().layout()->lineCount(), 2);
    EXPECT_LE(text->size().height(), window->txtHelp->viewport()->height());
    // Clear of the box's top and left edges.
    const QRectF first = text->documentLayout()->blockBoundingRect(text->firstBlock());
    EXPECT_GE(first.top(), 1);
    EXPECT_GE(first.left(), 2);
}

TEST_F(MainWindowTest, ComputeTakesAValueTypedButNotYetLeft)
{
    window->cmdTab[1]->click();
    Key(Qt::Key_Down);
    Type("5000000");
    window->CmdArray1[2]->click();
    EXPECT_EQ(window->ComputationInputs[1], 5'000'000);
    EXPECT_EQ(Tax(), "750,000");  // (32) = 5,000,000 x 15/100
    EXPECT_EQ(Box(1), "5000000"); // written back as plain digits...

    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    EXPECT_EQ(Box(1), "5,000,000"); // ...and grouped again at the next activation
}

TEST_F(MainWindowTest, ComputeAfterEmptyingTheEditorCountsTheLineAsZero)
{
    window->cmdTab[1]->click();
    Type("3000");
    Key(Qt::Key_Return);
    Key(Qt::Key_Up);
    EXPECT_EQ(EditorText(), "3,000");
    Editor()->selectAll();
    Key(Qt::Key_Backspace);
    window->CmdArray1[2]->click();
    EXPECT_EQ(window->ComputationInputs[0], 0);
    EXPECT_EQ(EditorText(), "0");
    EXPECT_EQ(Tax(), "0");
}

TEST_F(MainWindowTest, ALoneMinusStopsComputeWithTheEarlierLinesGathered)
{
    window->cmdTab[1]->click();
    for (const char *line : {"1000", "2000", "3000"}) {
        Type(line);
        Key(Qt::Key_Return);
    }
    Type("-");
    window->CmdArray1[2]->click();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"잘못된 문자를 입력하셨습니다"});
    EXPECT_EQ(Box(3), "-");
    EXPECT_EQ(window->ComputationInputs[0], 1000);
    EXPECT_EQ(window->ComputationInputs[2], 3000);
    EXPECT_EQ(Tax(), "");
    EXPECT_EQ(window->Loaded_Statement(), nullptr); // nothing computed
}

TEST_F(MainWindowTest, PrintIsRefusedUntilATaxIsShownAndRecomputesAfter)
{
    window->cmdTab[1]->click();
    Alt(Qt::Key_P);
    EXPECT_EQ(messages.shown,
              (std::vector<RecordedMessage>{{RecordedMessage::Info, "세액계산 후 이용가능 합니다.", {}}}));
    EXPECT_EQ(window->Loaded_Statement(), nullptr);

    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    // Lines change after the computation: Print computes with them.
    QTest::mouseClick(Panel().TxtLab4[0], Qt::LeftButton);
    Type("1000000");
    window->CmdArray1[3]->click();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(window->ComputationInputs[0], 1'000'000);
    EXPECT_EQ(window->Loaded_Statement()->TxtLab2[0]->text().toStdString(), "1,000,000");
    // (20) = 6,000,000 + 4,338,000 is larger than (29) = 250,000 + 7,500,000 + 2,160,000
    EXPECT_EQ(Tax(), "10,338,000");
}

TEST_F(MainWindowTest, PrintBlanksTheSectionNotComputed)
{
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    frm계산서 *statement = window->Loaded_Statement();
    ASSERT_NE(statement, nullptr);
    EXPECT_FALSE(statement->TxtLab1[25]->text().isEmpty());

    // Down to section ③: line 3 back to zero.
    QTest::mouseClick(Panel().TxtLab4[2], Qt::LeftButton);
    Key(Qt::Key_Delete);
    window->CmdArray1[3]->click();
    EXPECT_EQ(window->Loaded_Statement(), statement);
    for (int i = 2; i <= 18; ++i)
        EXPECT_EQ(statement->TxtLab1[i]->text(), "") << i;
    EXPECT_EQ(statement->TxtLab1[25]->text(), "");
    EXPECT_EQ(statement->TxtLab1[24]->text().toStdString(), Tax());
}

TEST_F(MainWindowTest, NewEmptiesThePanelAndPrintIsRefusedAgain)
{
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    ASSERT_FALSE(Tax().empty());
    Alt(Qt::Key_N);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Box(i), "") << i;
    EXPECT_EQ(Tax(), "");
    EXPECT_EQ(Panel().CurLine, 0);
    EXPECT_EQ(EditorText(), "");
    EXPECT_TRUE(Editor()->hasFocus());
    EXPECT_EQ(Help(), "[이자소득명세]중 소득구분이 [11]인 건에 대한 연간 합계액");
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(window->ComputationInputs[i], 0) << i;
    window->CmdArray1[3]->click();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"세액계산 후 이용가능 합니다."});
}

TEST_F(MainWindowTest, AnAmountThatReachesTheLimitIsTakenBackAsItIsTyped)
{
    window->cmdTab[1]->click();
    Type("9999999999999");
    Type("9");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"금액이 너무 큽니다."});
    EXPECT_EQ(Editor()->text(), QStringLiteral("9,999,999,999,999"));
}

TEST_F(MainWindowTest, EscapeClosesTheWindowAndDiscardsTheStatement)
{
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    QPointer<frm계산서> statement = window->Loaded_Statement();
    ASSERT_TRUE(statement);
    messages.saveAnswers = {SaveAnswer::DontSave}; // the lines are not kept
    Key(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(statement);
}

TEST_F(MainWindowTest, ExitEmptiesTheLinesAndClosesTheWindow)
{
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    messages.saveAnswers = {SaveAnswer::DontSave};
    Alt(Qt::Key_X);
    EXPECT_FALSE(window->isVisible());
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(Box(i), "") << i;
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(window->ComputationInputs[i], 0) << i;
}

TEST_F(MainWindowTest, AStatementLoadedAfterTheLastWasClosedStartsFromZero)
{
    Enter_Lines(kFirstExample);
    window->CmdArray1[2]->click();
    window->Loaded_Statement()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->Loaded_Statement(), nullptr);
    frm계산서 &fresh = window->Statement();
    for (double v : fresh.Engine().ComputationStatement)
        EXPECT_EQ(v, 0);
    for (QLabel *label : fresh.TxtLab1)
        EXPECT_EQ(label->text(), "");
}

// A panel built only after a tab press (the window not yet painted) is as
// that press would have left it: its buttons disabled, its register empty.
TEST(TabPress, OnlyTheShownPanelsButtonsAreEnabled)
{
    RecordingMessages messages;
    RecordingPrinter printer;
    frm금융소득2 window(messages, printer);
    window.cmdTab[1]->click();
    for (QPushButton *button : window.Interest().butEJ)
        EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(window.fgBD().Text(1, 3), "합계");
    for (QPushButton *button : window.Dividend().butBD)
        EXPECT_FALSE(button->isEnabled());
    EXPECT_TRUE(window.CmdArray1[2]->isEnabled());
    EXPECT_EQ(window.Computation().CurLine, 0);
}

// Under a dark desktop theme every designed colour keeps its black text;
// the system's colours keep the theme's own pair.
TEST(DarkTheme, DesignedColoursKeepTheirTextAndTheSystemsFollowTheTheme)
{
    const QPalette saved = QApplication::palette();
    QPalette dark(QColor(45, 45, 45), QColor(30, 30, 30)); // button, window
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 20));
    dark.setColor(QPalette::ToolTipText, QColor(250, 250, 200));
    QApplication::setPalette(dark);
    {
        RecordingMessages messages;
        RecordingPrinter printer;
        frm금융소득2 window(messages, printer);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        const auto text = [](QWidget *w, QPalette::ColorRole role = QPalette::WindowText,
                             QPalette::ColorGroup group = QPalette::Active) { return w->palette().color(group, role); };

        // Captions on the panels, the pages of the help documents.
        for (QFrame *panel : window.cFrame)
            for (QLabel *caption : panel->findChildren<QLabel *>())
                EXPECT_EQ(text(caption), QColor(Qt::black)) << caption->text().toStdString();
        EXPECT_EQ(text(window.Help().Rich1, QPalette::Text), QColor(Qt::black));
        EXPECT_EQ(text(window.Help().Rich1, QPalette::Base), QColor(Qt::white));

        // The line editor, a focused register field, the computed fields.
        EXPECT_EQ(text(window.Computation().txtMove1[0], QPalette::Text), QColor(Qt::black));
        window.cmdTab[3]->click();
        FieldBox *name = window.Dividend().txtBD[0];
        EXPECT_EQ(text(name, QPalette::Base), QColor(216, 244, 254));
        EXPECT_EQ(text(name, QPalette::Text), QColor(Qt::black));
        EXPECT_EQ(text(window.Dividend().txtBD[4], QPalette::Text, QPalette::Disabled), QColor(Qt::black));
        window.Dividend().txtBD[1]->setFocus();
        EXPECT_EQ(text(name, QPalette::Text), QColor(Qt::white)); // the window colour again, and its text

        // The sum row's yellow with black; the fixed cells in the theme's pair.
        const GridView *grid = window.Dividend().fgBD_View;
        const auto brush = [grid](int row, int role) {
            return grid->model()->index(row, 5).data(role).value<QBrush>().color();
        };
        EXPECT_EQ(brush(1, Qt::ForegroundRole), QColor(Qt::black));
        EXPECT_EQ(brush(0, Qt::ForegroundRole), QColor(Qt::white));
        EXPECT_EQ(brush(0, Qt::BackgroundRole), QColor(45, 45, 45));

        // The help line and its label in the tool-tip colours.
        for (QWidget *help : std::initializer_list<QWidget *>{window.txtLblHelp, window.txtHelp}) {
            EXPECT_EQ(text(help, QPalette::Base), QColor(60, 60, 20));
            EXPECT_EQ(text(help, QPalette::Text), QColor(250, 250, 200));
        }
        // What the label box shows in its middle is its tool-tip colour.
        const QImage label = window.txtLblHelp->grab().toImage();
        EXPECT_EQ(label.pixelColor(2, label.height() / 2), QColor(60, 60, 20));

        // The pages: white, black text.
        frm계산서 &statement = window.Statement();
        EXPECT_EQ(text(&statement), QColor(Qt::black));
        EXPECT_EQ(text(statement.TxtLab1[0]), QColor(Qt::black));
    }
    QApplication::setPalette(saved);
}

} // namespace
