// The dividend panel through the keys and clicks of a user.
#include "support/register_fixture.h"

#include <QScrollBar>

namespace {

class DividendPanelTest : public RegisterTest {
protected:
    void SetUp() override
    {
        RegisterTest::SetUp();
        window->cmdTab[3]->click();
    }

    FieldBox *Field(int n) { return BD().txtBD[n]; }

    // A payment typed with Enter between the fields (which skips the two
    // computed ones) and saved with Alt+S.
    void Enter(int codeIndex, const char *name, const char *dividend, const char *base, const char *tax)
    {
        BD().cmbBD->setCurrentIndex(codeIndex);
        for (const char *text : {name, "", dividend, base, tax}) {
            QWidget *focused = QApplication::focusWidget();
            Type_Into(focused, text);
            Press(focused, Qt::Key_Return);
        }
        Alt(Qt::Key_S);
    }

    void Save_Rows(const char *code, int count)
    {
        for (int i = 0; i < count; ++i) {
            BD().cmbBD->setCurrentText(code);
            Field(0)->setText(QStringLiteral("p"));
            Field(3)->setText(QStringLiteral("100"));
            BD().butBD[0]->click();
        }
    }
};

TEST_F(DividendPanelTest, APastedNameIsKeptWholeButSavedOnlyUpToTheBound)
{
    Field(0)->insert(QString(40000, QChar(0xD55C))); // 한, as a paste inserts it
    Field(2)->insert(QStringLiteral("5000"));
    BD().butBD[0]->click();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"배당지급법인명은(는) 200자까지 입력할 수 있습니다."});
    EXPECT_EQ(Field(0)->text().size(), 40000); // the fields stay as typed
    EXPECT_TRUE(Field(0)->hasFocus());
    EXPECT_EQ(BD().fgBD.Rows(), 2);

    Field(0)->setText(QString(200, QChar(0xD55C)));
    BD().butBD[0]->click();
    EXPECT_EQ(BD().fgBD.Text(1, 3).size(), 3u * 200); // UTF-8
}

TEST_F(DividendPanelTest, AFullRegisterScrollsUnderItsFixedRowAndColumn)
{
    Save_Rows("21", 12); // 12 rows, 소계, 합계: the page's 14
    GridView *view = BD().fgBD_View;
    QCoreApplication::processEvents(); // the table lays itself out
    QScrollBar *down = view->verticalScrollBar();
    QScrollBar *across = view->horizontalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    ASSERT_GT(across->maximum(), 0); // the vertical bar takes the room of the last column
    // What the table shows, its scroll bars left out.
    const auto shown = [view](int width, int height) {
        return view->grab(QRect(view->viewport()->pos(), QSize(width, height))).toImage();
    };
    const int headerHeight = view->rowHeight(0);
    const int fixedWidth = view->columnWidth(0);

    // Rows scroll under the header row; columns under the fixed column.
    const QImage header = shown(view->viewport()->width(), headerHeight);
    down->setValue(down->maximum());
    EXPECT_EQ(shown(view->viewport()->width(), headerHeight), header);
    const QImage fixedColumn = shown(fixedWidth, view->viewport()->height());
    across->setValue(across->maximum());
    EXPECT_EQ(shown(fixedWidth, view->viewport()->height()), fixedColumn);
    EXPECT_EQ(view->rowAt(view->viewport()->height() - 1), view->rowCount() - 1); // 합계 in sight

    // A row scrolled to stands below the header row, where it can be clicked.
    view->scrollTo(view->model()->index(1, 1));
    EXPECT_GE(view->visualItemRect(view->item(1, 1)).top(), headerHeight);
}

TEST_F(DividendPanelTest, TheGrossUpAndTheIncomeAreWorkedOutWhileTyping)
{
    Field(3)->setFocus();
    Type_Into(Field(3), "1000000");
    EXPECT_EQ(Text(Field(3)), "1,000,000");
    EXPECT_EQ(Text(Field(4)), "190,000");
    EXPECT_EQ(Text(Field(5)), "190,000");
    Field(2)->setFocus();
    Type_Into(Field(2), "2000000");
    EXPECT_EQ(Text(Field(5)), "2,190,000");

    Field(3)->selectAll();
    Type_Into(Field(3), "150");
    EXPECT_EQ(Text(Field(4)), "29"); // 28.5, halves away from zero
    EXPECT_EQ(Text(Field(5)), "2,000,029");
    // An erased base no longer counts.
    Field(3)->selectAll();
    Press(Field(3), Qt::Key_Backspace);
    EXPECT_EQ(Text(Field(3)), "");
    EXPECT_EQ(Text(Field(4)), "0");
    EXPECT_EQ(Text(Field(5)), "2,000,000");
    EXPECT_TRUE(messages.shown.empty());

    // The computed fields are grey, disabled and never take the focus.
    for (int n : {4, 5}) {
        EXPECT_FALSE(Field(n)->isEnabled());
        EXPECT_EQ(Field(n)->palette().color(QPalette::Disabled, QPalette::Base), QColor(224, 224, 224));
    }
}

TEST_F(DividendPanelTest, AnIncomeThatReachesTheAmountLimitIsReportedOnceAndTheLastDigitGoes)
{
    Field(2)->setText(QStringLiteral("8,100,000,000,000"));
    Field(3)->setFocus();
    Field(3)->insert(QStringLiteral("9999999999999")); // its gross-up would bring the income to 10^13
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"금액이 너무 큽니다."});
    EXPECT_EQ(Text(Field(3)), "999,999,999,999");
    EXPECT_EQ(Text(Field(4)), "190,000,000,000");
    EXPECT_EQ(Text(Field(5)), "8,290,000,000,000");
}

TEST_F(DividendPanelTest, KeysSkipTheComputedFields)
{
    for (int n : {0, 1, 2, 3, 6})
        Field(n)->setText(n < 2 ? QStringLiteral("abc") : QStringLiteral("7"));
    Field(0)->setFocus();
    struct Step {
        Qt::Key key;
        int focused;
    };
    for (const Step &s :
         {Step{Qt::Key_Return, 1}, Step{Qt::Key_Down, 2}, Step{Qt::Key_Right, 3}, Step{Qt::Key_Return, 6},
          Step{Qt::Key_Up, 3}, Step{Qt::Key_Left, 2}, Step{Qt::Key_PageDown, 6}, Step{Qt::Key_PageUp, 0}}) {
        Press(QApplication::focusWidget(), s.key);
        EXPECT_TRUE(Field(s.focused)->hasFocus()) << s.key;
        EXPECT_TRUE(Whole_Text_Selected(Field(s.focused))) << s.key;
    }
    // At the ends the focus stays; the key does what it does in a text box.
    Field(0)->setCursorPosition(1);
    Press(Field(0), Qt::Key_Up);
    EXPECT_TRUE(Field(0)->hasFocus());
    Field(6)->setFocus();
    Field(6)->setCursorPosition(0);
    Press(Field(6), Qt::Key_Right);
    EXPECT_TRUE(Field(6)->hasFocus());
    EXPECT_EQ(Field(6)->cursorPosition(), 1);
    Press(Field(6), Qt::Key_Return);
    EXPECT_TRUE(Field(6)->hasFocus());
    EXPECT_EQ(BD().fgBD.Rows(), 2);
}

TEST_F(DividendPanelTest, FocusShowsEachFieldsHelp)
{
    struct Case {
        int field;
        const char *help;
    };
    for (const Case &c :
         {Case{0, "배당을 지급하는 법인 또는 단체의 명칭"}, Case{1, "배당을 지급하는 법인 또는 단체의 사업자등록번호"},
          Case{2, "배당의 지급법인별 연간 합계액"}, Case{3, "내국법인(단체)의 배당액중 종합과세배당소득"},
          Case{6, "원천징수된 소득세"}}) {
        Field(c.field)->setFocus();
        EXPECT_EQ(Help(), c.help);
        EXPECT_EQ(Base(Field(c.field)), QColor(216, 244, 254));
    }
    BD().cmbBD->setFocus();
    EXPECT_EQ(Help(), "21-Gross-Up 대상 배당소득,  22-Gross-Up 대상 아닌 배당소득, 23-원천징수되지 않는 배당소득");
    EXPECT_NE(Base(Field(6)), QColor(216, 244, 254));
}

TEST_F(DividendPanelTest, SavedRowsAreGroupedAndAClickLoadsThemBack)
{
    Alt(Qt::Key_S);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"배당지급법인명을 입력하세요."});
    EXPECT_TRUE(Field(0)->hasFocus());
    messages.shown.clear();

    Enter(1, "글로벌리츠", "1500000", "", "210000");
    Enter(0, "대한전자(주)", "20000000", "20000000", "2800000");
    Enter(0, "한국제철(주)", "6000000", "6000000", "840000");
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Grid_Rows(BD().fgBD), (std::vector<std::string>{
                                        "21|1|대한전자(주)||20,000,000|20,000,000|3,800,000|23,800,000|2,800,000",
                                        "21|2|한국제철(주)||6,000,000|6,000,000|1,140,000|7,140,000|840,000",
                                        "||소계||26,000,000|26,000,000|4,940,000|30,940,000|3,640,000",
                                        "22|1|글로벌리츠||1,500,000|0|0|1,500,000|210,000",
                                        "||합계||27,500,000|26,000,000|4,940,000|32,440,000|3,850,000",
                                    }));
    EXPECT_EQ(Text(Field(0)), "");
    EXPECT_EQ(Text(Field(4)), "");
    EXPECT_EQ(BD().cmbBD->currentText().toStdString(), "21");

    // Loading a row sets every field; the computed ones are worked out again.
    BD().fgBD.Set_Text(2, 7, "stale");
    Click_Row(BD().fgBD_View, 2);
    EXPECT_EQ(BD().BD_EditRow, 2);
    EXPECT_EQ(Text(Field(0)), "한국제철(주)");
    EXPECT_EQ(Text(Field(3)), "6,000,000");
    EXPECT_EQ(Text(Field(4)), "1,140,000");
    EXPECT_EQ(Text(Field(5)), "7,140,000");
    EXPECT_TRUE(Whole_Text_Selected(Field(0)));
    EXPECT_TRUE(BD().butBD[2]->isEnabled());

    // A click on the subtotal keeps the loaded row; Save moves it to code 23.
    Click_Row(BD().fgBD_View, 3);
    EXPECT_FALSE(BD().butBD[2]->isEnabled());
    BD().cmbBD->setCurrentIndex(2);
    Alt(Qt::Key_S);
    EXPECT_EQ(Grid_Rows(BD().fgBD), (std::vector<std::string>{
                                        "21|1|대한전자(주)||20,000,000|20,000,000|3,800,000|23,800,000|2,800,000",
                                        "22|1|글로벌리츠||1,500,000|0|0|1,500,000|210,000",
                                        "23|1|한국제철(주)||6,000,000|6,000,000|1,140,000|7,140,000|840,000",
                                        "||합계||27,500,000|26,000,000|4,940,000|32,440,000|3,850,000",
                                    }));
}

TEST_F(DividendPanelTest, DeleteItemDeleteAllAndPrint)
{
    Alt(Qt::Key_P);
    Alt(Qt::Key_E);
    EXPECT_EQ(messages.shown, (std::vector<RecordedMessage>{{RecordedMessage::Info, "인쇄할 내용이 없습니다.", {}},
                                                            {RecordedMessage::Info, "삭제할 내용이 없습니다.", {}}}));
    messages.shown.clear();

    Save_Rows("22", 1);
    Click_Row(BD().fgBD_View, 1);
    Alt(Qt::Key_D);
    EXPECT_EQ(Grid_Rows(BD().fgBD), std::vector<std::string>{"||합계||0|0|0|0|0"});

    Save_Rows("21", 2);
    Field(0)->setText(QStringLiteral("typed"));
    messages.answers = {false};
    Alt(Qt::Key_E);
    EXPECT_EQ(BD().fgBD.Rows(), 5);
    EXPECT_EQ(Text(Field(0)), "typed");
    messages.answers = {true};
    Alt(Qt::Key_E);
    EXPECT_EQ(messages.shown.back(),
              (RecordedMessage{RecordedMessage::Confirm, "입력한 항목을 전체삭제 하시겠습니까?", "전체삭제"}));
    EXPECT_EQ(Grid_Rows(BD().fgBD), std::vector<std::string>{"||합계||0|0|0|0|0"});
    EXPECT_EQ(BD().fgBD_View->rowCount(), 2);
    for (FieldBox *field : BD().txtBD)
        EXPECT_EQ(Text(field), "");
    EXPECT_EQ(BD().cmbBD->currentText().toStdString(), "21");
    EXPECT_TRUE(Field(0)->hasFocus());
}

TEST_F(DividendPanelTest, TheRowLimitKeepsTheRegisterOnItsPage)
{
    Save_Rows("21", 10);
    Save_Rows("22", 1);
    ASSERT_EQ(BD().fgBD.Rows() - 1, 13);
    // A second 22 row would add a subtotal: 15 rows below the header.
    Enter(1, "넘침", "1", "", "");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"14행 이상 등록이 불가능합니다."});
    EXPECT_EQ(Text(Field(0)), "넘침");
    EXPECT_EQ(Text(Field(2)), "1");
    BD().cmbBD->setCurrentIndex(0);
    BD().butBD[0]->click();
    EXPECT_EQ(BD().fgBD.Rows() - 1, 14);
    Save_Rows("21", 1);
    EXPECT_EQ(messages.Texts().size(), 2u);
    EXPECT_EQ(BD().fgBD.Rows() - 1, 14);
}

} // namespace
