#include "support/main_window_fixture.h"

#include <QUndoStack>

namespace {

using PanelTest = MainWindowTest;

TEST_F(PanelTest, TypingRegroupsAndTakesBackWhatIsNoAmount)
{
    window->cmdTab[1]->click();
    Type("1234567");
    EXPECT_EQ(EditorText(), "1,234,567");
    EXPECT_EQ(Editor()->cursorPosition(), 9);
    Type("x");
    EXPECT_EQ(EditorText(), "1,234,567");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(EditorText(), "123,456");
    Editor()->clear();
    Type("-");
    EXPECT_EQ(EditorText(), "-");
    Type("-");
    EXPECT_EQ(EditorText(), "-");
    Type("5");
    EXPECT_EQ(EditorText(), "-5");
    Editor()->clear();
    QTest::sendKeyEvent(QTest::Click, Editor(), Qt::Key_unknown, QString::fromUtf8("가"), Qt::NoModifier);
    Type(".+");
    EXPECT_EQ(EditorText(), "");
    Type("00");
    EXPECT_EQ(EditorText(), "00");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PanelTest, AnAmountTooLargeForADoubleIsRefused)
{
    window->cmdTab[1]->click();
    Type("12");
    Editor()->insert("e999"); // as a paste would put it
    EXPECT_EQ(EditorText(), "12");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"금액이 너무 큽니다."});
}

TEST_F(PanelTest, LeavingALineStoresItGroupedAndZeroAsEmpty)
{
    window->cmdTab[1]->click();
    EXPECT_EQ(Help(), "[이자소득명세]중 소득구분이 [11]인 건에 대한 연간 합계액");
    Type("1234567");
    Key(Qt::Key_Return);
    EXPECT_EQ(Box(0), "1,234,567");
    EXPECT_EQ(Panel().CurLine, 1);
    EXPECT_EQ(EditorText(), "");
    EXPECT_EQ(Editor()->geometry(), Panel().TxtLab4[1]->geometry());
    EXPECT_EQ(Help(), "[이자소득명세]중 소득구분인 [12]인 건에 대한 연간 합계액");

    Type("0");
    Key(Qt::Key_Down);
    EXPECT_EQ(Box(1), "");

    // Back on line 1: its value comes into the editor, selected.
    Key(Qt::Key_PageUp);
    EXPECT_EQ(EditorText(), "1,234,567");
    EXPECT_EQ(Editor()->selectedText(), "1,234,567");
    Type("5"); // typing replaces the selection
    EXPECT_EQ(EditorText(), "5");

    Key(Qt::Key_Delete);
    EXPECT_EQ(EditorText(), "0");
    Key(Qt::Key_Return);
    EXPECT_EQ(Box(0), "");
}

TEST_F(PanelTest, MovementKeysFollowTheRowsAndWrapAround)
{
    window->cmdTab[1]->click();
    Key(Qt::Key_Up);
    EXPECT_EQ(Panel().CurLine, 8);
    Key(Qt::Key_Return);
    EXPECT_EQ(Panel().CurLine, 0);
    Key(Qt::Key_Left); // lines 1..5 have nothing to their left
    EXPECT_EQ(Panel().CurLine, 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right); // line 2 to line 7
    EXPECT_EQ(Panel().CurLine, 6);
    EXPECT_EQ(Help(), "[배당소득명세]중 (7)가산액");
    Key(Qt::Key_Right);
    EXPECT_EQ(Panel().CurLine, 6);
    Key(Qt::Key_Left);
    EXPECT_EQ(Panel().CurLine, 1);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Panel().CurLine, 8);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Panel().CurLine, 0);
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Down);
    Key(Qt::Key_Right); // line 5 has no line beside it
    EXPECT_EQ(Panel().CurLine, 4);

    QTest::mouseClick(Panel().TxtLab4[7], Qt::LeftButton);
    EXPECT_EQ(Panel().CurLine, 7);
    EXPECT_EQ(Editor()->geometry(), Panel().TxtLab4[7]->geometry());
    EXPECT_TRUE(Editor()->hasFocus());
}

TEST_F(PanelTest, OnlyLineSevenAcceptsANegativeAmount)
{
    window->cmdTab[1]->click();
    Key(Qt::Key_PageDown);
    Type("-1000");
    EXPECT_EQ(EditorText(), "-1,000");
    Key(Qt::Key_Return);
    EXPECT_EQ(messages.shown,
              (std::vector<RecordedMessage>{{RecordedMessage::Info, "음수가 입력되어선 않됩니다!!", {}}}));
    EXPECT_EQ(Panel().CurLine, 8);
    EXPECT_EQ(EditorText(), "-1,000");
    QTest::mouseClick(Panel().TxtLab4[2], Qt::LeftButton); // a click is refused too
    EXPECT_EQ(Panel().CurLine, 8);
    EXPECT_EQ(messages.shown.size(), 2u);

    Editor()->clear();
    QTest::mouseClick(Panel().TxtLab4[6], Qt::LeftButton);
    Type("-1000");
    Key(Qt::Key_Return);
    EXPECT_EQ(Box(6), "-1,000");
    EXPECT_EQ(Panel().CurLine, 7);
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(PanelTest, ComputeAndPrintRefuseANegativeAmountTheEditorStillHolds)
{
    Enter_Lines({"", "10000000", "30000000", "10000000", "", "", "1100000", "20000000", "3000000"});
    window->CmdArray1[2]->click();
    ASSERT_EQ(Tax(), "10,158,000");
    QTest::mouseClick(Panel().TxtLab4[8], Qt::LeftButton);
    Type("-1000");
    for (int command : {2, 3}) { // the button takes the focus as it is clicked
        QTest::mouseClick(window->CmdArray1[command], Qt::LeftButton);
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"음수가 입력되어선 않됩니다!!"}) << command;
        EXPECT_TRUE(Editor()->hasFocus()) << command;
        EXPECT_EQ(EditorText(), "-1,000");
        EXPECT_EQ(Box(8), "3,000,000"); // not committed
        EXPECT_EQ(Tax(), "10,158,000");
        EXPECT_EQ(window->Loaded_Preview(), nullptr);
        messages.shown.clear();
    }

    // Line 7 takes it: (12) -1,000 counts.
    Editor()->clear();
    QTest::mouseClick(Panel().TxtLab4[6], Qt::LeftButton);
    Editor()->clear();
    Type("-1000");
    QTest::mouseClick(window->CmdArray1[2], Qt::LeftButton);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(window->Statement().TxtLab2[6]->text().toStdString(), "-1,000");
}

TEST_F(PanelTest, AChangedLineGreysTheTaxAndItsCreditUntilComputedAgainOrNew)
{
    const std::string why = "세액계산 후 바뀐 줄이 있습니다. 다시 세액계산을 누르십시오.";
    QLineEdit *credit = Panel().txtCredit;
    const auto click = [this](int n) { return [this, n] { window->CmdArray1[n]->click(); }; };
    Enter_Lines({"", "10000000", "30000000", "10000000", "", "", "1100000", "20000000", "3000000"});
    const struct {
        const char *step;
        std::function<void()> act;
        const char *tax, *credit;
        bool outOfDate;
    } steps[] = {
        {"세액계산", click(2), "10,158,000", "498,000", false},
        {"line 9 changed",
         [this] {
             QTest::mouseClick(Panel().TxtLab4[8], Qt::LeftButton);
             Type("4000000"); // over its value, selected
             Key(Qt::Key_Return);
         },
         "10,158,000", "498,000", true},
        {"실행 취소: the tax holds again", [this] { window->Session().History().undo(); }, "10,158,000", "498,000", false},
        {"다시 실행", [this] { window->Session().History().redo(); }, "10,158,000", "498,000", true},
        // (15) 4,000,000: (18) 3,978,000, (20) 9,978,000 against (29) 9,480,000.
        {"세액계산 again", click(2), "9,978,000", "498,000", false},
        {"line 1 typed, not yet left", [this] { Type("5"); }, "9,978,000", "498,000", true},
        {"새로작성", click(1), "", "", false},
        // At or below the threshold the statement has no ④.
        {"세액계산 of nothing", click(2), "0", "", false},
    };
    for (const auto &s : steps) {
        s.act();
        QTest::qWait(0); // the step goes into the history
        EXPECT_EQ(Tax(), s.tax) << s.step;
        EXPECT_EQ(credit->text().toStdString(), s.credit) << s.step;
        for (QLineEdit *box : {window->txtTot1(), credit}) {
            const QPalette &p = box->palette();
            EXPECT_EQ(p.color(QPalette::Text) == p.color(QPalette::Disabled, QPalette::Text), s.outOfDate) << s.step;
            EXPECT_EQ(box->toolTip().toStdString(), s.outOfDate ? why : "") << s.step;
            EXPECT_EQ(box->accessibleDescription().toStdString(), s.outOfDate ? why : "") << s.step;
        }
    }
    EXPECT_EQ(credit->accessibleName().toStdString(), "④ 배당세액공제");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PanelTest, LosingTheFocusEmptiesTheHelpLine)
{
    window->cmdTab[1]->click();
    EXPECT_FALSE(Help().empty());
    window->CmdArray1[2]->setFocus();
    EXPECT_EQ(Help(), "");
}

} // namespace
