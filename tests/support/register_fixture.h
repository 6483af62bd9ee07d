// The main window with one of its register panels open, and what a user
// does there: typing, keys, clicks on grid rows.
#pragma once

#include "core/registers/register_entry.h"
#include "ui/platform/grid_view.h"
#include "ui/registers/dividend_panel.h"
#include "ui/registers/interest_panel.h"
#include "support/main_window_fixture.h"

#include <QComboBox>

class RegisterTest : public MainWindowTest {
protected:
    InterestPanel &EJ() { return window->Interest(); }
    DividendPanel &BD() { return window->Dividend(); }

    // Types into a widget, Korean as well (a committed input method text).
    static void Type_Into(QWidget *w, const char *utf8)
    {
        for (const QChar ch : QString::fromUtf8(utf8)) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(w, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    static void Press(QWidget *w, Qt::Key key) { QTest::keyClick(w, key); }

    static std::string Text(QLineEdit *field) { return field->text().toStdString(); }
    static bool Whole_Text_Selected(QLineEdit *field)
    {
        return field->selectionStart() == 0 && field->selectedText() == field->text();
    }
    static QColor Base(QWidget *w) { return w->palette().color(QPalette::Active, QPalette::Base); }

    // What a grid's cell shows in a role: its text, colours, alignment, tool tip.
    static QVariant Cell(GridView *view, int row, int col, int role = Qt::DisplayRole)
    {
        return view->model()->index(row, col).data(role);
    }

    // A mouse click on row `row` of a grid, as the user clicks it.
    static void Click_Row(GridView *view, int row)
    {
        view->scrollTo(view->model()->index(row, 1)); // clear of the fixed row
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    // A payment saved through a register's fields, as pasted, and the
    // register's Print command, each on its own panel.
    void Save_Interest(const char *code, const char *name, const char *amount, const char *withheld = "")
    {
        window->cmdTab[2]->click();
        EJ().cmbEJ->setCurrentText(code);
        EJ().txtEJ[0]->setText(QString::fromUtf8(name));
        EJ().txtEJ[2]->setText(QString::fromUtf8(amount));
        EJ().txtEJ[3]->setText(QString::fromUtf8(withheld));
        EJ().butEJ[0]->click();
    }
    void Save_Dividend(const char *name, const char *dividend, const char *withheld = "")
    {
        window->cmdTab[3]->click();
        BD().txtBD[0]->setText(QString::fromUtf8(name));
        BD().txtBD[2]->setText(QString::fromUtf8(dividend));
        BD().txtBD[3]->setText(QString::fromUtf8(dividend));
        BD().txtBD[6]->setText(QString::fromUtf8(withheld));
        BD().butBD[0]->click();
    }
    void Print_Interest()
    {
        window->cmdTab[2]->click();
        EJ().butEJ[3]->click();
    }
    void Print_Dividend()
    {
        window->cmdTab[3]->click();
        BD().butBD[3]->click();
    }

    // A register of `count` payments of one code, "지급자1" onwards, each of
    // 1,000 won, saved as an opened file saves them.
    static GridModel Payments(RegisterKind kind, const char *code, int count)
    {
        GridModel grid = Empty_Register(kind);
        RowAppender rows(grid);
        for (int i = 1; i <= count; ++i)
            rows.Append(
                Entry_Cells(grid, code, std::vector<std::string>{"지급자" + std::to_string(i), "", "1000", "1000"}));
        rows.Finish();
        return grid;
    }

    // Column 1.. of each row below the header, joined with "|".
    static std::vector<std::string> Grid_Rows(const GridModel &grid)
    {
        std::vector<std::string> rows;
        for (int r = 1; r < grid.Rows(); ++r) {
            std::string row;
            for (int c = 1; c < grid.Cols(); ++c)
                row.append(c > 1 ? "|" : "").append(grid.Text(r, c));
            rows.push_back(row);
        }
        return rows;
    }
};
