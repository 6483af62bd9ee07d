#include "platform/file_dialogs.h"

#include <QFileDialog>

namespace {

const char *const kFilter = "Orvanta 납세자 파일 (*.orvanta)";

std::string Run(QFileDialog &dialog)
{
    dialog.setNameFilter(QString::fromUtf8(kFilter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

std::string QtFileDialogs::Open_Name(QWidget *parent, const std::string &folder)
{
    QFileDialog dialog(parent, QString::fromUtf8("열기"), QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog);
}

std::string QtFileDialogs::Save_Name(QWidget *parent, const std::string &suggested)
{
    QFileDialog dialog(parent, QString::fromUtf8("다른 이름으로 저장"), QString::fromStdString(suggested));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("orvanta"));
    return Run(dialog);
}
