// The dividend register panel of the main window (cFrame(3)): the code list
// and the seven fields of one dividend payment, two of them computed (the
// gross-up and the dividend income), the five register buttons and the
// grid fgBD.
#pragma once

#include "ui/registers/register_panel.h"

class FieldBox;

class DividendPanel : public RegisterPanel {
public:
    DividendPanel(QWidget *parent, Messages &messages);

    void Init_BD();
    void BD_Calc();
    void keyM(int target, int step);
    void butBD_Click(int index) { Button_Click(index); }
    void fgBD_Click(int row);

    QComboBox *&cmbBD = codes_;
    std::array<FieldBox *, 7> txtBD{};              // 4 and 5 are computed
    std::array<QPushButton *, 5> &butBD = buttons_; // 0 Save, 1 New, 2 Delete item, 3 Print, 4 Delete all
    GridModel &fgBD = grid_;
    GridView *&fgBD_View = gridView_;
    std::int16_t &BD_EditRow = editRow_;

private:
    void Init_Entry() override { Init_BD(); }
    void Save() override;
    std::span<FieldBox *const> Entry_Fields() const override { return txtBD; }
    void Row_Click(int row) override { fgBD_Click(row); }
    void txtBD_Change(int index);
    bool txtBD_KeyDown(int index, int key);

    bool initialising_ = false; // Init_BD is emptying the fields
};
