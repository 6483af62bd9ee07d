// The file dialogs of the taxpayer file commands, behind an interface so
// that tests can answer them instead of blocking on them.
#pragma once

#include <string>

class QWidget;

class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The taxpayer file to open, starting in `folder`; empty when cancelled.
    virtual std::string Open_Name(QWidget *parent, const std::string &folder) = 0;

    // Where to save, starting at `suggested` (a folder or a file); empty
    // when cancelled. A name typed without the extension gets ".orvanta".
    virtual std::string Save_Name(QWidget *parent, const std::string &suggested) = 0;
};

// Qt's file dialogs, filtering on the taxpayer file's extension.
class QtFileDialogs final : public FileDialogs {
public:
    std::string Open_Name(QWidget *parent, const std::string &folder) override;
    std::string Save_Name(QWidget *parent, const std::string &suggested) override;
};
