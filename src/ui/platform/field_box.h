// A text box that hands its key-down, focus and click notifications to the
// window's handlers, as the forms' control_event procedures expect.
#pragma once

#include <QLineEdit>

#include <functional>

class QKeyEvent;

class FieldBox : public QLineEdit {
public:
    explicit FieldBox(QWidget *parent = nullptr);

    // Key-down: return true to swallow the key, false to let the box type it.
    std::function<bool(QKeyEvent *)> onKeyDown;
    // Focus changes as the window's handlers see them (On_Got_Focus).
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void()> onClick;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

// The Windows virtual-key code of a Qt key, or 0 for keys the handlers
// never look at.
int Virtual_Key(int qtKey);
