// What a screen reader is told, through Qt's accessibility interfaces, and
// what the keyboard alone reaches.
#include "support/register_fixture.h"

#include <QAccessible>
#include <QComboBox>

namespace {

using AccessibilityTest = RegisterTest;

std::string Name(QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).toStdString(); }
std::string Description(QWidget *w)
{
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description).toStdString();
}

TEST_F(AccessibilityTest, EveryControlIsNamedAndDescribedByItsCaptionAndHelp)
{
    const struct {
        QWidget *widget;
        const char *name, *description;
    } cases[] = {
        {EJ().txtEJ[0], "상호(성명)", "이자를 지급하는 자의 상호(성명)"},
        {EJ().txtEJ[2], "이자소득금액", "이자의 지급자별 연간 합계액"},
        {BD().txtBD[3], "배당가산/대상금액", "내국법인(단체)의 배당액중 종합과세배당소득"},
        {BD().txtBD[4], "배당가산액", ""},
        {Panel().TxtLab4[1], "2. 원천징수되지 않는 이자소득", "[이자소득명세]중 소득구분인 [12]인 건에 대한 연간 합계액"},
        {window->txtTot1(), "종합소득산출세액", ""},
        {EJ().butEJ[0], "저장(S)", ""}, // the caption without its ampersand
        {window->CmdArray1[2], "세액계산(C)", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Name(c.widget), c.name);
        EXPECT_EQ(Description(c.widget), c.description) << c.name;
    }
    // A code list speaks its code; its caption comes as its label.
    const auto labels = QAccessible::queryAccessibleInterface(EJ().cmbEJ)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name).toStdString(), "소득구분");
    // The line editor is named after the line it lies over.
    window->cmdTab[1]->click();
    Key(Qt::Key_Down);
    EXPECT_EQ(Name(Editor()), "2. 원천징수되지 않는 이자소득");
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Name(Editor()), "9. 소득공제");
    EXPECT_EQ(Description(Editor()), "[소득공제명서서]중 (22)소득공제 합계");
}

TEST_F(AccessibilityTest, PanelsSwitchFromTheKeyboardAndTheShownOneIsChecked)
{
    const struct {
        QKeyCombination key;
        int panel;
    } steps[] = {{Qt::CTRL | Qt::Key_3, 2}, {Qt::CTRL | Qt::Key_Tab, 3}, {Qt::CTRL | Qt::Key_Tab, 0},
                 {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 3}, {Qt::CTRL | Qt::Key_2, 1}};
    for (const auto &s : steps) {
        QTest::keyClick(QApplication::focusWidget(), s.key.key(), s.key.keyboardModifiers());
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(window->cFrame[i]->isVisible(), i == s.panel) << s.panel;
            EXPECT_EQ(window->cmdTab[i]->isChecked(), i == s.panel) << s.panel;
        }
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(window->cmdTab[s.panel])->state().checked);
    }
}

TEST_F(AccessibilityTest, AGridIsATableWithColumnHeadingsAndItsSumRowsSaySo)
{
    Save_Dividend("갑", "100");
    Save_Dividend("을", "200");
    QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(BD().findChild<GridView *>());
    QAccessibleTableInterface *table = grid->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(grid->text(QAccessible::Name).toStdString(), "배당소득명세");
    const QList<QAccessibleInterface *> heading = table->cellAt(1, 1)->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(heading.size(), 1);
    EXPECT_EQ(heading[0]->text(QAccessible::Name).toStdString(), "①소득 구분 코드"); // its blanks collapsed
    // Qt makes header cells afresh for each call and keeps none: handed to
    // its cache, they are deleted as the cache deletes its own.
    for (QAccessibleInterface *cell : heading)
        QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(cell));
    // Rows 1 and 2 are the payments, 3 their 소계 and 4 the 합계.
    EXPECT_EQ(table->cellAt(3, 5)->text(QAccessible::Description).toStdString(), "소계");
    EXPECT_EQ(table->cellAt(4, 5)->text(QAccessible::Description).toStdString(), "합계");
    EXPECT_EQ(table->cellAt(1, 5)->text(QAccessible::Description).toStdString(), "");
}

TEST_F(AccessibilityTest, EnterInTheGridLoadsTheSelectedRowAsAClickDoes)
{
    Save_Interest("11", "김민수", "3,000,000");
    Save_Interest("13", "한빛", "100");
    auto *grid = EJ().findChild<GridView *>();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down); // the first row
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(Text(EJ().txtEJ[0]), "한빛");
    EXPECT_EQ(EJ().EJ_EditRow, 2);
    EXPECT_TRUE(EJ().butEJ[2]->isEnabled());
    EXPECT_TRUE(EJ().txtEJ[0]->hasFocus());
}

} // namespace
