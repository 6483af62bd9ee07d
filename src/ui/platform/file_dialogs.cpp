#include "ui/platform/file_dialogs.h"

#include "ui/platform/user_settings.h"

#include <QDir>
#include <QFileDialog>

namespace {

struct Kind {
    const char *filter, *suffix, *openCaption, *saveCaption;
};

Kind Kind_Of(FileKind kind)
{
    switch (kind) {
    case FileKind::RegisterCsv:
        return {"CSV 파일 (*.csv)", "csv", "명세 가져오기", "명세 내보내기"};
    case FileKind::Pdf:
        return {"PDF 파일 (*.pdf)", "pdf", "열기", "PDF로 저장"};
    case FileKind::Taxpayer:
        break;
    }
    return {"Orvanta 납세자 파일 (*.orvanta)", "orvanta", "열기", "다른 이름으로 저장"};
}

std::string Run(QFileDialog &dialog, const Kind &kind)
{
    dialog.setNameFilter(QString::fromUtf8(kind.filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst().toStdString();
}

} // namespace

std::string QtFileDialogs::Open_Name(QWidget *parent, const std::string &folder, FileKind fileKind)
{
    const Kind kind = Kind_Of(fileKind);
    QFileDialog dialog(parent, QString::fromUtf8(kind.openCaption), QString::fromStdString(folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog, kind);
}

std::string QtFileDialogs::Save_Name(QWidget *parent, const std::string &suggested, FileKind fileKind)
{
    const Kind kind = Kind_Of(fileKind);
    QFileDialog dialog(parent, QString::fromUtf8(kind.saveCaption), QString::fromStdString(suggested));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromUtf8(kind.suffix));
    return Run(dialog, kind);
}

std::string FileDialogs::Open_In_Last_Folder(QWidget *parent, FileKind kind)
{
    std::string name = Open_Name(parent, Last_Folder().toStdString(), kind);
    if (!name.empty())
        Remember_Folder(QString::fromStdString(name));
    return name;
}

std::string FileDialogs::Save_In_Last_Folder(QWidget *parent, const std::string &fileName, FileKind kind)
{
    const QString folder = Last_Folder();
    const QString suggested = fileName.empty() ? folder : QDir(folder).filePath(QString::fromStdString(fileName));
    std::string name = Save_Name(parent, suggested.toStdString(), kind);
    if (!name.empty())
        Remember_Folder(QString::fromStdString(name));
    return name;
}
