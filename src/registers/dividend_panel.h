// The dividend register panel of the main window (cFrame(3)): the code list
// and the seven fields of one dividend payment, two of them computed (the
// gross-up and the dividend income), the five register buttons and the
// grid fgBD.
#pragma once

#include "platform/grid_model.h"
#include "registers/entry_widgets.h"

#include <QFrame>

#include <array>
#include <cstdint>
#include <functional>

class FieldBox;
class GridView;
class Messages;
class QComboBox;
class QPushButton;

class DividendPanel : public QFrame {
public:
    DividendPanel(QWidget *parent, Messages &messages);

    std::function<void(const QString &)> setHelp; // the help line txtHelp
    std::function<void()> onPrint;                // page 7 in the print preview

    void Init_BD();
    void BD_Calc();
    void keyM(int target, int step);
    void butBD_Click(int index);
    void fgBD_Click(int row);
    void Show_Grid();

    QComboBox *cmbBD = nullptr;
    std::array<FieldBox *, 7> txtBD{}; // 4 and 5 are computed
    std::array<QPushButton *, 5> butBD{}; // 0 Save, 1 New, 2 Delete item, 3 Print, 4 Delete all
    GridModel fgBD{"fgBD"};
    GridView *fgBD_View = nullptr;
    std::int16_t BD_EditRow = 0;

private:
    void Save();
    void Delete_Item();
    void Print();
    void Delete_All();
    void txtBD_Change(int index);
    bool txtBD_KeyDown(int index, int key);
    void Help(const QString &text);

    Messages &messages_;
    bool initialising_ = false; // Init_BD is emptying the fields
};
