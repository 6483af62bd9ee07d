// frm계산서: the statement form, page 21. It owns the engine and the value
// labels the engine fills; the computation loads it hidden, and printing
// shows it inside the preview.
#pragma once

#include "core/computation/engine.h"
#include "ui/printing/page_form.h"

#include <functional>

class QLineEdit;

class frm계산서 final : public PageForm {
public:
    // The statement reads the main window's inputs and writes its tax text
    // into the main window's result box; both outlive the form.
    frm계산서(const InputAmounts &ComputationInputs, QLineEdit &txtTot1, Printer &printer, Messages &messages);

    void Calc_Val();
    // Told each time Calc_Val has written the tax into txtTot1.
    std::function<void()> computed;

    // Empties the captions of TxtLab1 and TxtLab2.
    void Clear_Values();

    const StatementEngine &Engine() const { return engine_; }

    // The value labels: computed lines, and lines taken from the inputs.
    const std::vector<QLabel *> &TxtLab1;
    const std::vector<QLabel *> &TxtLab2;

    // Ctrl with an arrow key moves the window, Esc closes it.
    void Move_Form(int key);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void Show_Labels();

    const InputAmounts &inputs_;
    QLineEdit &txtTot1_;
    StatementEngine engine_;
};
