// The interest register panel of the main window (cFrame(2)): the code list
// and entry fields of one interest payment, the five register buttons and
// the grid fgEJ.
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

class InterestPanel : public QFrame {
public:
    InterestPanel(QWidget *parent, Messages &messages);

    // What the panel asks of the main window.
    std::function<void(const QString &)> setHelp; // the help line txtHelp
    std::function<void()> onPrint;                // page 5 in the print preview

    void Init_EJ();
    void butEJ_Click(int n);
    void fgEJ_Click(int row);
    // Shows fgEJ as it now stands.
    void Show_Grid();

    QComboBox *cmbEJ = nullptr;
    std::array<FieldBox *, 4> txtEJ{};
    std::array<QPushButton *, 5> butEJ{}; // 0 Save, 1 New, 2 Delete item, 3 Print, 4 Delete all
    GridModel fgEJ{"fgEJ"};
    GridView *fgEJ_View = nullptr;
    std::int16_t EJ_EditRow = 0;

private:
    void Save();
    void Delete_Item();
    void Print();
    void Delete_All();
    void txtEJ_Change(int n);
    bool txtEJ_KeyDown(int n, int key);
    void Help(const QString &text);

    Messages &messages_;
};
