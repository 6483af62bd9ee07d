// The file dialogs of the taxpayer file commands, behind an interface so
// that tests can answer them instead of blocking on them.
#pragma once

#include <string>

class QWidget;

// What a dialog asks for: its caption, filter and default extension.
enum class FileKind { Taxpayer, RegisterCsv, Pdf };

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The file to open, starting in `folder`; empty when cancelled.
    virtual std::string Open_Name(QWidget *parent, const std::string &folder,
                                  FileKind kind = FileKind::Taxpayer) = 0;

    // Where to save, starting at `suggested` (a folder or a file); empty
    // when cancelled. A name typed without the extension gets the kind's.
    virtual std::string Save_Name(QWidget *parent, const std::string &suggested,
                                  FileKind kind = FileKind::Taxpayer) = 0;

    // The program's dialogs start in the folder last used, kept between
    // runs, and the folder of the file chosen becomes the last one; a save
    // suggests `fileName` there (none: the folder alone).
    std::string Open_In_Last_Folder(QWidget *parent, FileKind kind = FileKind::Taxpayer);
    std::string Save_In_Last_Folder(QWidget *parent, const std::string &fileName, FileKind kind = FileKind::Taxpayer);
};

// Qt's file dialogs, filtering on the kind's extension.
class QtFileDialogs final : public FileDialogs {
public:
    std::string Open_Name(QWidget *parent, const std::string &folder, FileKind kind) override;
    std::string Save_Name(QWidget *parent, const std::string &suggested, FileKind kind) override;
};
