#include "ui/computation/statement_form.h"

#include "gui/platform/twips.h"
#include "core/printing/page_data.h"

#include <QKeyEvent>
#include <QLineEdit>

frm계산서::frm계산서(const InputAmounts &ComputationInputs, QLineEdit &txtTot1, Printer &printer, Messages &messages)
    : PageForm(Statement_Page_Spec(), printer, messages), TxtLab1(Labels("TxtLab1")), TxtLab2(Labels("TxtLab2")),
      inputs_(ComputationInputs), txtTot1_(txtTot1)
{
    // It takes the keyboard itself: it holds no input controls.
    setFocusPolicy(Qt::StrongFocus);
    Form_Load();
}

void frm계산서::Form_Load()
{
    // The value labels start empty on their white background (the table's).
    Clear_Values();
    Set_Outer_Height(11280);
}

void frm계산서::Calc_Val()
{
    const std::string tax = engine_.Calc_Val(inputs_);
    Show_Labels();
    txtTot1_.setText(QString::fromStdString(tax));
    if (computed)
        computed();
}

void frm계산서::Clear_Values()
{
    engine_.Clear_Labels();
    Show_Labels();
}

void frm계산서::Show_Labels()
{
    Show_Statement(Contents(), engine_);
    Show_Captions();
}

void frm계산서::Move_Form(int key)
{
    // Inside the preview the window is its child frame.
    QWidget *window = parentWidget() ? parentWidget() : this;
    const QPoint step = [key] {
        switch (key) {
        case Qt::Key_Left:
            return QPoint(-Twips_To_Px(360), 0);
        case Qt::Key_Up:
            return QPoint(0, -Twips_To_Px(180));
        case Qt::Key_Right:
            return QPoint(Twips_To_Px(360), 0);
        case Qt::Key_Down:
            return QPoint(0, Twips_To_Px(180));
        default:
            return QPoint();
        }
    }();
    window->move(window->pos() + step);
}

void frm계산서::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->modifiers() & Qt::ControlModifier)
        Move_Form(event->key());
    // Other keys stop here: the preview around the form does not scroll with them.
    event->accept();
}
