// frm계산서: the statement form. It owns the engine and the value labels of
// page 21; the computation loads it hidden and computes into it.
#pragma once

#include "computation/engine.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;

class frm계산서 : public QWidget {
public:
    // The statement reads the main window's inputs and writes its tax text
    // into the main window's result box; both outlive the form.
    frm계산서(const InputAmounts &ComputationInputs, QLineEdit &txtTot1);

    void Calc_Val();

    // Empties the captions of TxtLab1 and TxtLab2.
    void Clear_Values();

    const StatementEngine &Engine() const { return engine_; }

    std::array<QLabel *, 26> TxtLab1{};
    std::array<QLabel *, 13> TxtLab2{};

private:
    void Show_Labels();

    const InputAmounts &inputs_;
    QLineEdit &txtTot1_;
    StatementEngine engine_;
};
