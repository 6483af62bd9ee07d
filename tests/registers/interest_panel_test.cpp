// The interest panel through the keys and clicks of a user.
#include "support/register_fixture.h"

#include <QInputMethodEvent>

namespace {

class InterestPanelTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        window->cmdTab[2]->click();
    }

    FieldBox *Field(int n) { return EJ().txtEJ[n]; }

    // A payment typed field by field, moving on with Enter, and saved with Alt+S.
    void Enter(int codeIndex, const char *name, const char *number, const char *amount, const char *tax)
    {
        EJ().cmbEJ->setCurrentIndex(codeIndex);
        Type_Into(Field(0), name);
        Press(Field(0), Qt::Key_Return);
        Type_Into(Field(1), number);
        Press(Field(1), Qt::Key_Return);
        Type_Into(Field(2), amount);
        Press(Field(2), Qt::Key_Return);
        Type_Into(Field(3), tax);
        Alt(Qt::Key_S);
    }

    // Saves rows quickly, as a user pasting into the fields would.
    void Save_Rows(const char *code, int count)
    {
        for (int i = 0; i < count; ++i) {
            EJ().cmbEJ->setCurrentText(code);
            Field(0)->setText(QStringLiteral("p"));
            Field(2)->setText(QStringLiteral("1"));
            EJ().butEJ[0]->click();
        }
    }
};

TEST_F(InterestPanelTest, StartsEmptyWithTheTotalRowAndOnlyItsButtonsEnabled)
{
    EXPECT_EQ(Grid_Rows(EJ().fgEJ), std::vector<std::string>{"||합계||0|0"});
    EXPECT_EQ(EJ().fgEJ_View->rowCount(), 2);
    EXPECT_EQ(EJ().fgEJ_View->item(0, 6)->text().toStdString(), "⑥원천징수세액  ");
    EXPECT_EQ(EJ().fgEJ_View->item(1, 3)->text().toStdString(), "합계");
    EXPECT_EQ(EJ().fgEJ_View->item(1, 5)->background().color(), QColor(255, 255, 192));
    EXPECT_EQ(EJ().fgEJ_View->columnWidth(4), 173); // 2600 twips
    ASSERT_EQ(EJ().cmbEJ->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(EJ().cmbEJ->itemText(i).toStdString(), std::string(1, '1') + char('1' + i));
    EXPECT_EQ(EJ().cmbEJ->currentText().toStdString(), "11");

    for (int n : {0, 1, 3, 4})
        EXPECT_TRUE(EJ().butEJ[n]->isEnabled()) << n;
    EXPECT_FALSE(EJ().butEJ[2]->isEnabled());
    for (QPushButton *b : BD().butBD)
        EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(window->CmdArray1[2]->isEnabled());
    EXPECT_TRUE(Field(0)->hasFocus());
    EXPECT_EQ(Help(), "이자를 지급하는 자의 상호(성명)");
}

TEST_F(InterestPanelTest, AmountsAreGroupedWhileTypedAndWhatIsNoNumberIsTakenBack)
{
    FieldBox *amount = Field(2);
    amount->setFocus();
    const char *shown[] = {"1", "12", "123", "1,234", "12,345", "123,456", "1,234,567"};
    for (int d = 0; d < 7; ++d) {
        QTest::keyClick(amount, char('1' + d));
        EXPECT_EQ(Text(amount), shown[d]);
        EXPECT_EQ(amount->cursorPosition(), amount->text().size());
    }
    Type_Into(amount, "x가");
    EXPECT_EQ(Text(amount), "1,234,567");
    amount->clear();
    Type_Into(amount, "-");
    EXPECT_EQ(Text(amount), "");
    Type_Into(amount, "12.");
    EXPECT_EQ(Text(amount), "12");
    amount->clear();
    Type_Into(amount, "0");
    EXPECT_EQ(Text(amount), "0");
    Type_Into(amount, "5");
    EXPECT_EQ(Text(amount), "5");
    // A minus sign in front of digits stays.
    Press(amount, Qt::Key_Home);
    Type_Into(amount, "-");
    EXPECT_EQ(Text(amount), "-5");
    EXPECT_TRUE(messages.shown.empty());

    // A pasted amount of ten trillion won or more: the message, and its last
    // characters go until it is below the limit (12e9).
    amount->clear();
    amount->insert(QStringLiteral("12e999"));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"금액이 너무 큽니다."});
    EXPECT_EQ(Text(amount), "12,000,000,000");
    // A long pasted text that is no number goes character by character.
    amount->clear();
    amount->insert(QString(20000, QChar('z')));
    EXPECT_EQ(Text(amount), "");
    // The name fields take anything.
    Type_Into(Field(0), "x-1.");
    EXPECT_EQ(Text(Field(0)), "x-1.");
}

TEST_F(InterestPanelTest, FieldKeysMoveTheFocusAndSelectTheText)
{
    for (int n = 0; n < 4; ++n)
        Field(n)->setText(n < 2 ? QStringLiteral("abc") : QStringLiteral("1"));
    Field(0)->setFocus();
    struct Step {
        Qt::Key key;
        int focused;
    };
    for (const Step &s : {Step{Qt::Key_Return, 1}, Step{Qt::Key_Right, 2}, Step{Qt::Key_Down, 3},
                          Step{Qt::Key_Return, 3}, Step{Qt::Key_Right, 3}, Step{Qt::Key_Up, 2}, Step{Qt::Key_Left, 1},
                          Step{Qt::Key_PageDown, 3}, Step{Qt::Key_PageUp, 0}, Step{Qt::Key_Left, 0}}) {
        Press(QApplication::focusWidget(), s.key);
        EXPECT_TRUE(Field(s.focused)->hasFocus()) << s.key;
        EXPECT_TRUE(Whole_Text_Selected(Field(s.focused))) << s.key;
    }
    // Enter never saves.
    EXPECT_EQ(EJ().fgEJ.Rows(), 2);
}

TEST_F(InterestPanelTest, AFocusedFieldIsLightBlueAndShowsItsHelp)
{
    const QColor window_colour = Base(Field(3));
    const char *help[] = {"이자를 지급하는 자의 상호(성명)", "이자를 지급하는 자의 사업자등록번호(주민등록번호)",
                          "이자의 지급자별 연간 합계액", "원천징수된 소득세"};
    for (int n = 0; n < 4; ++n) {
        Field(n)->setFocus();
        EXPECT_EQ(Base(Field(n)), QColor(216, 244, 254)) << n;
        EXPECT_EQ(Help(), help[n]);
        if (n > 0) {
            EXPECT_EQ(Base(Field(n - 1)), window_colour);
        }
    }
    EJ().cmbEJ->setFocus();
    EXPECT_EQ(Help(), "11-비영업대금의 이익(私債이자), 12-원천징수되지 않는 이자소득, 13-그 밖의 이자소득");
    EXPECT_EQ(Base(Field(3)), window_colour);
    // The code list has no lost-focus handling: its help stays.
    EJ().butEJ[1]->setFocus();
    EXPECT_EQ(Help(), "11-비영업대금의 이익(私債이자), 12-원천징수되지 않는 이자소득, 13-그 밖의 이자소득");
}

TEST_F(InterestPanelTest, AFocusMoveMadeWhileAMessageIsUpIsShownWhenTheWindowIsBack)
{
    const QColor window_colour = Base(Field(1));
    Field(2)->setFocus();
    // A message box takes the activation: the field keeps its colour and help.
    QWidget box;
    box.show();
    QApplication::setActiveWindow(&box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    EXPECT_EQ(Base(Field(2)), QColor(216, 244, 254));
    EXPECT_EQ(Help(), "이자의 지급자별 연간 합계액");

    // Save's "give the name field the focus" runs before the window is back.
    Field(0)->setFocus();
    box.hide();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(Field(0)->hasFocus());
    EXPECT_EQ(Base(Field(2)), window_colour);
    EXPECT_EQ(Base(Field(0)), QColor(216, 244, 254));
    EXPECT_EQ(Help(), "이자를 지급하는 자의 상호(성명)");
}

TEST_F(InterestPanelTest, SaveAddsTheRowInItsCodeGroupAndEmptiesTheFields)
{
    Enter(2, "한빛저축은행", "123-81-45678", "12500000", "1925000");
    EXPECT_EQ(Text(Field(0)), "");
    EXPECT_EQ(Text(Field(2)), "");
    EXPECT_EQ(EJ().cmbEJ->currentText().toStdString(), "11");
    EXPECT_TRUE(Field(0)->hasFocus());
    Enter(0, "김민수", "750101-1234567", "3000000", "");
    Enter(2, "우리은행", "202-81-12345", "8400000", "1176000");
    EXPECT_EQ(Grid_Rows(EJ().fgEJ), (std::vector<std::string>{
                                        "11|1|김민수|750101-1234567|3,000,000|0",
                                        "13|1|한빛저축은행|123-81-45678|12,500,000|1,925,000",
                                        "13|2|우리은행|202-81-12345|8,400,000|1,176,000",
                                        "||소계||20,900,000|3,101,000",
                                        "||합계||23,900,000|3,101,000",
                                    }));
    // The grid on screen shows the same, the sum rows light yellow.
    GridView *view = EJ().fgEJ_View;
    ASSERT_EQ(view->rowCount(), 6);
    EXPECT_EQ(view->item(2, 3)->text().toStdString(), "한빛저축은행");
    EXPECT_EQ(view->item(4, 5)->text().toStdString(), "20,900,000");
    EXPECT_EQ(view->item(4, 1)->background().color(), QColor(255, 255, 192));
    EXPECT_EQ(view->item(2, 1)->background().style(), Qt::NoBrush);
    EXPECT_EQ(view->item(2, 5)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
}

TEST_F(InterestPanelTest, HeaderCellsAlignAsTheirColumnsAndCutCellsShowTheirWholeText)
{
    constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
    constexpr int kCentre = Qt::AlignCenter;
    constexpr int kRight = Qt::AlignRight | Qt::AlignVCenter;
    const std::vector<int> interest = {kLeft, kCentre, kCentre, kLeft, kCentre, kRight, kRight};
    const std::vector<int> dividend = {kLeft, kCentre, kCentre, kCentre, kCentre, kRight, kRight, kRight, kRight, kRight};
    for (const auto &[view, columns] : {std::pair{EJ().fgEJ_View, interest}, std::pair{BD().fgBD_View, dividend}})
        for (int c = 0; c < view->columnCount(); ++c)
            EXPECT_EQ(view->item(0, c)->textAlignment(), columns[c]) << c;

    // Digits wider than the cell are cut at the end, with an ellipsis, and
    // the tool tip has them all; a text that fits has no tool tip.
    Enter(0, "한빛저축은행 서울특별시 중구 본점 영업부", "123-81-45678", "1000020899999", "5");
    GridView *view = EJ().fgEJ_View;
    EXPECT_EQ(view->textElideMode(), Qt::ElideRight);
    EXPECT_EQ(view->item(1, 3)->toolTip().toStdString(), "한빛저축은행 서울특별시 중구 본점 영업부");
    EXPECT_EQ(view->item(1, 5)->toolTip().toStdString(), "1,000,020,899,999");
    EXPECT_EQ(view->item(1, 4)->toolTip().toStdString(), "");
    EXPECT_EQ(view->item(1, 6)->toolTip().toStdString(), "");
}

TEST_F(InterestPanelTest, TheNameMustNotBeEmptyButBlanksAreANameAndNeitherFieldTooLong)
{
    Field(2)->setText(QStringLiteral("100"));
    Alt(Qt::Key_S);
    EXPECT_EQ(messages.shown, (std::vector<RecordedMessage>{{RecordedMessage::Plain, "상호(성명)을 입력하세요.", {}}}));
    EXPECT_TRUE(Field(0)->hasFocus());
    EXPECT_EQ(Text(Field(2)), "100");
    EXPECT_EQ(EJ().fgEJ.Rows(), 2);

    Type_Into(Field(0), " ");
    Field(2)->clear();
    Field(1)->setText(QString(201, QChar('1')));
    Alt(Qt::Key_S);
    EXPECT_EQ(messages.Texts().back(), "사업자등록번호(주민번호)은(는) 200자까지 입력할 수 있습니다.");
    EXPECT_TRUE(Field(1)->hasFocus());
    Field(1)->setText(QStringLiteral("1\t2")); // a tab pasted in: no file could hold it
    Alt(Qt::Key_S);
    EXPECT_EQ(messages.Texts().back(), "사업자등록번호(주민번호)에 제어 문자(탭, 줄바꿈 등)가 있습니다.");
    Field(1)->clear();
    Alt(Qt::Key_S);
    EXPECT_EQ(Grid_Rows(EJ().fgEJ)[0], "11|1| ||0|0");
}

TEST_F(InterestPanelTest, AClickedRowIsLoadedAndSavedOverInItsNewGroup)
{
    Save_Rows("11", 2);
    Enter(1, "대한은행", "1", "700", "70");
    // 11/1, 11/2, 소계, 12/1 대한은행, 합계
    Click_Row(EJ().fgEJ_View, 4);
    EXPECT_EQ(EJ().EJ_EditRow, 4);
    EXPECT_EQ(EJ().cmbEJ->currentText().toStdString(), "12");
    EXPECT_EQ(Text(Field(0)), "대한은행");
    EXPECT_EQ(Text(Field(2)), "700");
    EXPECT_EQ(Text(Field(3)), "70");
    EXPECT_TRUE(Field(0)->hasFocus());
    EXPECT_TRUE(Whole_Text_Selected(Field(0)));
    EXPECT_TRUE(EJ().butEJ[2]->isEnabled());

    // A click on the total row only disables Delete item; Save still writes row 4.
    Click_Row(EJ().fgEJ_View, 5);
    EXPECT_FALSE(EJ().butEJ[2]->isEnabled());
    EXPECT_EQ(Text(Field(0)), "대한은행");
    EJ().cmbEJ->setCurrentIndex(0);
    Field(2)->selectAll();
    Type_Into(Field(2), "1000");
    Alt(Qt::Key_S);
    EXPECT_EQ(Grid_Rows(EJ().fgEJ), (std::vector<std::string>{
                                        "11|1|p||1|0",
                                        "11|2|p||1|0",
                                        "11|3|대한은행|1|1,000|70",
                                        "||소계||1,002|70",
                                        "||합계||1,002|70",
                                    }));
    EXPECT_EQ(EJ().EJ_EditRow, 0);
    EXPECT_FALSE(EJ().butEJ[2]->isEnabled());
}

TEST_F(InterestPanelTest, DeleteItemRemovesTheLoadedRow)
{
    Save_Rows("11", 3);
    Click_Row(EJ().fgEJ_View, 2);
    Alt(Qt::Key_D);
    EXPECT_EQ(Grid_Rows(EJ().fgEJ),
              (std::vector<std::string>{"11|1|p||1|0", "11|2|p||1|0", "||소계||2|0", "||합계||2|0"}));
    EXPECT_FALSE(EJ().butEJ[2]->isEnabled());
    // Switching panels after picking a row disables Delete item but keeps the row for Save.
    Click_Row(EJ().fgEJ_View, 1);
    window->cmdTab[2]->click();
    EXPECT_FALSE(EJ().butEJ[2]->isEnabled());
    EXPECT_EQ(EJ().EJ_EditRow, 1);
    Field(0)->setText(QStringLiteral("q"));
    EJ().butEJ[0]->click();
    EXPECT_EQ(Grid_Rows(EJ().fgEJ)[0], "11|1|q||1|0");
}

TEST_F(InterestPanelTest, DeleteAllAsksFirstAndPrintNeedsARow)
{
    Alt(Qt::Key_E);
    Alt(Qt::Key_P);
    EXPECT_EQ(messages.shown, (std::vector<RecordedMessage>{{RecordedMessage::Info, "삭제할 내용이 없습니다.", {}},
                                                            {RecordedMessage::Info, "인쇄할 내용이 없습니다.", {}}}));
    messages.shown.clear();

    Save_Rows("12", 2);
    Field(0)->setText(QStringLiteral("typed"));
    messages.answers = {false, true};
    Alt(Qt::Key_E);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              (RecordedMessage{RecordedMessage::Confirm, "입력한 항목을 전체삭제 하시겠습니까?", "전체삭제"}));
    EXPECT_EQ(EJ().fgEJ.Rows(), 5);
    EXPECT_EQ(Text(Field(0)), "typed");

    Alt(Qt::Key_E);
    EXPECT_EQ(Grid_Rows(EJ().fgEJ), std::vector<std::string>{"||합계||0|0"});
    EXPECT_EQ(EJ().fgEJ_View->rowCount(), 2);
    EXPECT_EQ(Text(Field(0)), "");
    EXPECT_TRUE(Field(0)->hasFocus());

    Save_Rows("13", 1);
    Alt(Qt::Key_P);
    ASSERT_NE(window->Loaded_Preview(), nullptr);
    EXPECT_EQ(window->Loaded_Preview()->Shown_Page(), &window->Interest_Page());
}

TEST_F(InterestPanelTest, ASaveThatWouldNotFitThePageIsRefusedKeepingTheFields)
{
    Save_Rows("11", 18);
    Save_Rows("12", 1);
    ASSERT_EQ(EJ().fgEJ.Rows() - 1, 21);
    // A second 12 row would add a subtotal row: 23 rows below the header.
    Enter(1, "넘침", "", "5", "");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"22행 이상 등록이 불가능합니다."});
    EXPECT_EQ(Text(Field(0)), "넘침");
    EXPECT_EQ(Text(Field(2)), "5");
    EXPECT_EQ(EJ().fgEJ.Rows() - 1, 21);

    EJ().cmbEJ->setCurrentIndex(0);
    EJ().butEJ[0]->click();
    EXPECT_EQ(EJ().fgEJ.Rows() - 1, 22);
    Save_Rows("13", 1);
    EXPECT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(EJ().fgEJ.Rows() - 1, 22);
}

// What a Hangul input method sends: the syllable being composed, then the
// finished text.
void Compose(QWidget *field, const QString &preedit, const QString &commit)
{
    QInputMethodEvent composing(preedit, {});
    QCoreApplication::sendEvent(field, &composing);
    QInputMethodEvent done;
    done.setCommitString(commit);
    QCoreApplication::sendEvent(field, &done);
}

TEST_F(InterestPanelTest, KoreanTypedThroughAnInputMethodReachesTheNameAndIsSaved)
{
    ASSERT_TRUE(Field(0)->testAttribute(Qt::WA_InputMethodEnabled));
    Field(0)->setFocus();
    Compose(Field(0), QString::fromUtf8("하"), QString::fromUtf8("한빛"));
    Compose(Field(0), QString::fromUtf8("저"), QString::fromUtf8("저축은행"));
    EXPECT_EQ(Text(Field(0)), "한빛저축은행");

    // An amount takes digits only, however they come.
    Compose(Field(2), QString::fromUtf8("기"), QString::fromUtf8("금"));
    EXPECT_EQ(Text(Field(2)), "");
    Compose(Field(2), QString(), QStringLiteral("1250000"));
    EXPECT_EQ(Text(Field(2)), "1,250,000");

    Alt(Qt::Key_S);
    EXPECT_EQ(Grid_Rows(EJ().fgEJ)[0], "11|1|한빛저축은행||1,250,000|0");
}

TEST_F(InterestPanelTest, RepeatedAccessKeysActOnTheVisiblePanelOnly)
{
    Field(0)->setText(QStringLiteral("interest"));
    BD().txtBD[0]->setText(QStringLiteral("dividend"));
    Alt(Qt::Key_N);
    EXPECT_EQ(Text(Field(0)), "");
    EXPECT_EQ(Text(BD().txtBD[0]), "dividend");
}

} // namespace
