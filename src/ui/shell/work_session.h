// The work on screen as a taxpayer file: which file it is, whether it
// changed since it was opened or saved, the question before changed work is
// dropped, the window's title and the recent files. The window shows the
// work; the session decides when it is read, written and asked about.
#pragma once

#include "core/files/taxpayer_file.h"

#include <memory>
#include <string>

class FileDialogs;
class Messages;
class QMenu;
class QWidget;

// What the session asks of the window that shows the work.
class WorkHolder {
public:
    virtual ~WorkHolder() = default;
    // The work on screen, as a taxpayer file would keep it.
    virtual TaxpayerWork Current_Work() const = 0;
    // Puts a checked work on screen; what was shown of the old work goes.
    virtual void Show_Work(const TaxpayerWork &work) = 0;
    // Whether what is on screen cannot be saved as it stands (the line
    // under the editor, taken as leaving it would); the refusal is told.
    virtual bool Refuses_Save() = 0;
};

class WorkSession {
public:
    // `window` carries the title and parents the dialogs.
    WorkSession(WorkHolder &holder, Messages &messages, QWidget *window);
    ~WorkSession();

    // The file dialogs in use: Qt's, or a test's.
    FileDialogs &Dialogs() const { return *dialogs_; }
    void Use_File_Dialogs(FileDialogs &dialogs) { dialogs_ = &dialogs; }
    // The menu that lists the recent files, kept up to date from now on.
    void Use_Recent_Menu(QMenu *menu);

    // The work now on screen is the unchanged work of no file.
    void Start();

    // The commands of the menu "파일(&F)".
    void New_File();
    void Open_File_Command();
    // Opens `path` as it stands, without asking first; false when the file
    // was refused, which has been told (the work stays as it was).
    bool Open_File(const std::string &path);
    bool Save_File();
    bool Save_File_As();

    // The question before changed work is dropped: true when the caller
    // may go on (nothing changed, saved, or 저장 안 함).
    bool Guard();
    // The desktop session is ending; false to ask it not to.
    bool Session_Ending(bool mayAsk);
    // The window is closing: true when it may (asked already, or asked now).
    bool May_Close();
    // From now on the window closes without asking again.
    void Leave() { leaving_ = true; }

    // Whether the work differs from what was last opened or saved (or,
    // with no file, from an empty work).
    bool Work_Changed() const;
    // The work on screen changed: the title's marker follows.
    void Work_Edited();
    const std::string &File_Path() const { return path_; }

private:
    // Puts a checked work on screen, as the file at `path` (empty: none).
    void Load_Work(const TaxpayerWork &work, const std::string &path);
    bool Save_To(const std::string &path);
    void Update_Title();
    void Remember(const std::string &path);
    void Fill_Recent_Menu();

    WorkHolder &holder_;
    Messages &messages_;
    QWidget *window_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    FileDialogs *dialogs_;
    QMenu *recentMenu_ = nullptr;
    std::string path_;     // the open taxpayer file; empty for none
    std::string saved_;    // the work as last opened or saved, as file text
    bool leaving_ = false; // the question was answered on the way out
};
