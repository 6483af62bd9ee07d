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
};

// Qt's file dialogs, filtering on the kind's extension.
class QtFileDialogs final : public FileDialogs {
public:
    std::string Open_Name(QWidget *parent, const std::string &folder, FileKind kind) override;
    std::string Save_Name(QWidget *parent, const std::string &suggested, FileKind kind) override;
};
