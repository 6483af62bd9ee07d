// The interest register panel of the main window (cFrame(2)): the code list
// and entry fields of one interest payment, the five register buttons and
// the grid fgEJ.
#pragma once

#include "ui/registers/register_panel.h"

class FieldBox;

class InterestPanel : public RegisterPanel {
public:
    InterestPanel(QWidget *parent, Messages &messages);

    void Init_EJ();
    void butEJ_Click(int n) { Button_Click(n); }
    void fgEJ_Click(int row);

    QComboBox *&cmbEJ = codes_;
    std::array<FieldBox *, 4> txtEJ{};
    std::array<QPushButton *, 5> &butEJ = buttons_; // 0 Save, 1 New, 2 Delete item, 3 Print, 4 Delete all
    GridModel &fgEJ = grid_;
    GridView *&fgEJ_View = gridView_;
    std::int16_t &EJ_EditRow = editRow_;

private:
    void Init_Entry() override { Init_EJ(); }
    void Save() override;
    std::span<FieldBox *const> Entry_Fields() const override { return txtEJ; }
    void Row_Click(int row) override { fgEJ_Click(row); }
    void txtEJ_Change(int n);
    bool txtEJ_KeyDown(int n, int key);
};
