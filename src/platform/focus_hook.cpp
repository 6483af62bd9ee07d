#include "platform/focus_hook.h"

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

namespace {

class FocusHook : public QObject {
public:
    FocusHook(QWidget *widget, std::function<void()> handler) : QObject(widget), handler_(std::move(handler))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
            handler_();
        return false;
    }

private:
    std::function<void()> handler_;
};

} // namespace

void On_Got_Focus(QWidget *widget, std::function<void()> handler) { new FocusHook(widget, std::move(handler)); }

void Try_Focus(QWidget *widget)
{
    if (widget && widget->isVisible() && widget->isEnabled())
        widget->setFocus(Qt::OtherFocusReason);
}
