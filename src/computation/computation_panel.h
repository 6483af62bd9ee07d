// The computation panel of the main window (cFrame(1)): the nine line
// boxes, the line editor that lies over the line being edited, and the
// result box txtTot1.
#pragma once

#include "common/amount.h"
#include "computation/engine.h"
#include "computation/input_logic.h"

#include <QFrame>

#include <array>
#include <functional>

class FieldBox;
class Messages;
class QLabel;
class QLineEdit;

class ComputationPanel : public QFrame {
public:
    ComputationPanel(QWidget *parent, Messages &messages, InputAmounts &ComputationInputs);

    // What the panel asks of the main window.
    std::function<void(const QString &)> setHelp; // the help line txtHelp
    std::function<void()> onEscape;               // close the main window
    std::function<void()> onHelpKey;              // F1: the help viewer

    int Move_Editor(int from, int to);
    void Show_LineHelp(int index);
    void TxtLab4_Click(int index);
    void Commit_Editor();
    // Leaving the line's refusal of a negative amount off line 7, for the
    // commands that read the editor without leaving it: true, with the
    // message and the focus back in the editor, when its text is refused.
    bool Refuse_Negative();
    bool Gather_Inputs();
    void Clear_Panel();

    // Start-up: the editor covers line CurLine and is shown.
    void Place_Editor();
    // Activation: every line box re-grouped (Gather_Inputs may have left
    // plain digits in one).
    void Regroup_Lines();

    int CurLine = 0;
    std::array<FieldBox *, kLineCount> TxtLab4{};
    std::array<FieldBox *, 1> txtMove1{};
    QLineEdit *txtTot1 = nullptr;
    std::array<QLabel *, kLineCount> Label3{};

private:
    void txtMove1_Change(const QString &text);
    bool txtMove1_KeyDown(int key);

    Messages &messages_;
    InputAmounts &inputs_;
    AmountEdit current_; // the editor as it stood after its last change
};
