#include "ui/platform/field_box.h"

#include "ui/platform/focus_hook.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <limits>

FieldBox::FieldBox(QWidget *parent) : QLineEdit(parent)
{
    // The fields have no length limit; Qt's own, 32,767 characters, would
    // cut a long pasted text without a word.
    setMaxLength(std::numeric_limits<int>::max());
    On_Got_Focus(this, [this] {
        if (onGotFocus)
            onGotFocus();
    });
    On_Lost_Focus(this, [this] {
        if (onLostFocus)
            onLostFocus();
    });
}

void FieldBox::keyPressEvent(QKeyEvent *event)
{
    if (onKeyDown && onKeyDown(event)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FieldBox::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    if (onClick && event->button() == Qt::LeftButton)
        onClick();
}

int Virtual_Key(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_F1:
        return 112;
    case Qt::Key_F3:
        return 114;
    default:
        return 0;
    }
}
