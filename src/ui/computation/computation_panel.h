// The computation panel of the main window (cFrame(1)): the nine line
// boxes, the line editor that lies over the line being edited, the result
// box txtTot1 and, beside it, the box of ④ 배당세액공제.
#pragma once

#include "core/common/amount.h"
#include "core/computation/engine.h"
#include "core/computation/input_logic.h"

#include <QFrame>

#include <array>
#include <optional>

class FieldBox;
class PanelHost;
class Messages;
class QLabel;
class QLineEdit;

class ComputationPanel : public QFrame {
public:
    ComputationPanel(QWidget *parent, Messages &messages, InputAmounts &ComputationInputs);

    // What the panel asks of the main window; nothing without one.
    void Use_Host(PanelHost *host) { host_ = host; }

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
    // Lines 1 to 7 take the given texts; the editor goes on to line 8, and
    // txtTot1 keeps its text until the next computation.
    void Carry_Lines(const std::array<std::string, 7> &lines);

    // Start-up: the editor covers line CurLine and is shown.
    void Place_Editor();
    // The lines of an opened or new taxpayer file: the boxes take them, the
    // inputs and txtTot1 are emptied as by New, and the editor goes back
    // to line 1 holding its value.
    void Load_Lines(const std::array<std::string, kLineCount> &lines);
    // The nine lines as leaving the current line would store them: the
    // editor's text stands for its line.
    std::array<std::string, kLineCount> Line_Texts() const;
    // The nine lines as their boxes hold them, the editor's typing not yet
    // stored; and such lines put back, the editor holding its line's value.
    std::array<std::string, kLineCount> Stored_Lines() const;
    void Restore_Lines(const std::array<std::string, kLineCount> &lines);

    // Activation: every line box re-grouped (Gather_Inputs may have left
    // plain digits in one).
    void Regroup_Lines();

    // A computation has just shown its tax in txtTot1: ④ of that statement
    // is shown beside it, and the lines it was computed from are kept, to
    // tell when they have changed since.
    void Tax_Computed(const std::string &credit);
    // Both boxes greyed, with the tool tip that says why, while the lines
    // differ from those the tax was computed from.
    bool Tax_Out_Of_Date() const;
    // Those lines while txtTot1 shows a tax; nullopt when it shows none.
    std::optional<std::array<std::string, kLineCount>> Tax_Lines() const;

    int CurLine = 0;
    std::array<FieldBox *, kLineCount> TxtLab4{};
    std::array<FieldBox *, 1> txtMove1{};
    QLineEdit *txtTot1 = nullptr;
    QLineEdit *txtCredit = nullptr; // ④ 배당세액공제 of the last computation
    std::array<QLabel *, kLineCount> Label3{};

private:
    // A command changed the lines: one step back for 실행 취소.
    void Done(const char *command);
    void txtMove1_Change(const QString &text);
    // The nine lines with the editor standing for line `current`.
    std::array<std::string, kLineCount> Lines_With_Editor(int current) const;
    // Greys txtTot1 and txtCredit, or clears that, as the lines stand with
    // the editor on line `current`.
    void Show_Tax_State(int current);
    bool txtMove1_KeyDown(int key);

    Messages &messages_;
    PanelHost *host_ = nullptr;
    InputAmounts &inputs_;
    AmountEdit current_; // the editor as it stood after its last change
    std::array<std::string, kLineCount> taxLines_{};
};
