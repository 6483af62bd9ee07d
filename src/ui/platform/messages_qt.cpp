#include "ui/platform/messages_qt.h"

#include "core/common/app_info.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

int Show_Box(QMessageBox::Icon icon, const std::string &text, const char *title, QMessageBox::StandardButtons buttons,
             QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    QMessageBox box(icon, QString::fromUtf8(title), QString::fromUtf8(text), buttons, QApplication::activeWindow());
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void QtMessages::Info(const std::string &text) { Show_Box(QMessageBox::Information, text, kAppTitle, QMessageBox::Ok); }

void QtMessages::Plain(const std::string &text) { Show_Box(QMessageBox::NoIcon, text, kAppTitle, QMessageBox::Ok); }

bool QtMessages::Confirm(const std::string &text, const std::string &title)
{
    // No is the default: a confirmation asks before something is undone for
    // good, and Enter pressed by habit must not do it.
    return Show_Box(QMessageBox::NoIcon, text, title.c_str(), QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

SaveAnswer QtMessages::Ask_Save(const std::string &text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kAppTitle), QString::fromUtf8(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton *save = box.addButton(QString::fromUtf8("저장"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QString::fromUtf8("저장 안 함"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QString::fromUtf8("취소"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::DontSave;
    return SaveAnswer::Cancel;
}

int QtMessages::Choose(const std::string &text, const std::vector<std::string> &buttons, int defaultButton,
                       int escapeButton)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kAppTitle), QString::fromUtf8(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    std::vector<QPushButton *> added;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        added.push_back(box.addButton(QString::fromUtf8(buttons[i]), static_cast<int>(i) == escapeButton
                                                                          ? QMessageBox::RejectRole
                                                                          : QMessageBox::AcceptRole));
    box.setDefaultButton(added.at(defaultButton));
    if (escapeButton >= 0)
        box.setEscapeButton(added.at(escapeButton));
    box.exec();
    const auto chosen = std::find(added.begin(), added.end(), box.clickedButton());
    return chosen == added.end() ? escapeButton : static_cast<int>(chosen - added.begin());
}
