// Files dragged onto the main window: a CSV file dropped on a register
// panel is imported into that register, any other file is opened as a
// taxpayer file. It watches the window and every widget in it, fields that
// take dropped text included, so that a dropped file is never typed in.
#pragma once

#include <QObject>

#include <functional>

class QWidget;
class RegisterPanel;
class WorkSession;

class FileDrops final : public QObject {
public:
    // `panelAt` names the register panel a widget lies on, or nullptr.
    FileDrops(QWidget *window, WorkSession &session, std::function<RegisterPanel *(QObject *)> panelAt);

    // Whether `event` was a file's drag or drop, now handled.
    bool Handle(QObject *target, QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WorkSession &session_;
    std::function<RegisterPanel *(QObject *)> panelAt_;
};
