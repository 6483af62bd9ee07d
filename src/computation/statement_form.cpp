#include "computation/statement_form.h"

#include <QLabel>
#include <QLineEdit>

frm계산서::frm계산서(const InputAmounts &ComputationInputs, QLineEdit &txtTot1)
    : inputs_(ComputationInputs), txtTot1_(txtTot1)
{
    setWindowTitle(QString::fromUtf8(" 종합소득산출세액 - 인쇄"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (auto &label : TxtLab1)
        label = new QLabel(this);
    for (auto &label : TxtLab2)
        label = new QLabel(this);
}

void frm계산서::Calc_Val()
{
    const std::string tax = engine_.Calc_Val(inputs_);
    Show_Labels();
    txtTot1_.setText(QString::fromStdString(tax));
}

void frm계산서::Clear_Values()
{
    engine_.Clear_Labels();
    Show_Labels();
}

void frm계산서::Show_Labels()
{
    for (std::size_t i = 0; i < TxtLab1.size(); ++i)
        TxtLab1[i]->setText(QString::fromStdString(engine_.TxtLab1[i]));
    for (std::size_t i = 0; i < TxtLab2.size(); ++i)
        TxtLab2[i]->setText(QString::fromStdString(engine_.TxtLab2[i]));
}
