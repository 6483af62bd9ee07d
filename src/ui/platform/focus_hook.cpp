#include "ui/platform/focus_hook.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <unordered_map>

namespace {

struct Hooks {
    std::function<void()> got;
    std::function<void()> lost;
};

class FocusTracker {
public:
    static FocusTracker &Instance()
    {
        static FocusTracker tracker;
        return tracker;
    }

    Hooks &Hooks_Of(QWidget *widget)
    {
        Connect();
        auto [it, added] = hooks_.try_emplace(widget);
        if (added)
            QObject::connect(widget, &QObject::destroyed, [this, widget] { hooks_.erase(widget); });
        return it->second;
    }

private:
    void Connect()
    {
        if (connected_ == qApp)
            return;
        connected_ = qApp;
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [this](QWidget *, QWidget *now) { Moved(now); });
    }

    void Moved(QWidget *now)
    {
        if (!now) // the application lost its activation: every window keeps its control
            return;
        QWidget *window = now->window();
        auto [it, added] = focused_.try_emplace(window);
        if (added)
            QObject::connect(window, &QObject::destroyed, [this, window] { focused_.erase(window); });
        QPointer<QWidget> &current = it->second;
        if (current == now)
            return;
        QWidget *left = current;
        current = now;
        if (left)
            Call(left, &Hooks::lost);
        Call(now, &Hooks::got);
    }

    void Call(QWidget *widget, std::function<void()> Hooks::*which)
    {
        const auto it = hooks_.find(widget);
        if (it != hooks_.end() && it->second.*which)
            (it->second.*which)();
    }

    QPointer<QApplication> connected_;
    std::unordered_map<QWidget *, Hooks> hooks_;
    std::unordered_map<QWidget *, QPointer<QWidget>> focused_; // by window
};

} // namespace

void On_Got_Focus(QWidget *widget, std::function<void()> handler)
{
    FocusTracker::Instance().Hooks_Of(widget).got = std::move(handler);
}

void On_Lost_Focus(QWidget *widget, std::function<void()> handler)
{
    FocusTracker::Instance().Hooks_Of(widget).lost = std::move(handler);
}

void Try_Focus(QWidget *widget)
{
    if (widget && widget->isVisible() && widget->isEnabled())
        widget->setFocus(Qt::OtherFocusReason);
}
