// The work on screen as a taxpayer file: which file it is, whether it
// changed since it was opened or saved, the question before changed work is
// dropped, the window's title and the recent files. The window shows the
// work; the session decides when it is read, written and asked about.
#pragma once

#include "core/files/recovery.h"
#include "core/files/taxpayer_file.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

class FileDialogs;
class Messages;
class QAction;
class QMenu;
class QTimer;
class QUndoStack;
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
    // What the registers' entry fields hold that 저장 has not taken.
    virtual std::map<RegisterKind, PendingEntry> Pending_Entries() const = 0;
    virtual void Restore_Entries(const std::map<RegisterKind, PendingEntry> &entries) = 0;
    // 저장 for each of them; false when one was refused (and told).
    virtual bool Save_Pending_Entries() = 0;
    // The nine lines as stored, without the line editor's unstored typing,
    // and such lines put back; a register put back, its fields afresh.
    virtual std::array<std::string, kLineCount> Stored_Lines() const = 0;
    virtual void Restore_Lines(const std::array<std::string, kLineCount> &lines) = 0;
    virtual void Restore_Register(RegisterKind kind, const GridModel &grid) = 0;
};

// The parts of the work a step of the history holds: each register and the
// nine lines, each only where the step changed it.
struct WorkParts {
    std::optional<GridModel> interest, dividend;
    std::optional<std::array<std::string, kLineCount>> lines;
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

    // Changed work is kept in a recovery file of this run in `folder`, a
    // few seconds after each change, until it is saved or given up.
    void Use_Recovery(const std::string &folder);
    // Offers the work that runs now ended left unsaved, newest first.
    void Offer_Recovery();
    // A signal ends the run: changed work is kept for the next start, and
    // the window closes without asking.
    void End_By_Signal();
    // Writes the recovery file now when a write is due.
    void Flush_Recovery();

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
    // with no file, from an empty work), or the registers' entry fields hold
    // what 저장 has not taken.
    bool Work_Changed() const;
    // The work on screen changed: the title's marker and the recovery file
    // follow once the change is complete.
    void Work_Edited();
    // The named command changed the work: once it is complete, what it
    // changed is one step of the history (none when it changed nothing).
    void Command_Done(const char *command);

    // Told after each change of the work has been taken in.
    std::function<void()> refreshed;

    // 실행 취소 and 다시 실행: the menu's actions follow the history, each
    // naming the step it would take ("실행 취소(&U): 항목삭제").
    void Use_History_Actions(QAction *undo, QAction *redo);
    QUndoStack &History() { return *history_; }
    // Puts the parts back, as a step of the history does.
    void Apply(const WorkParts &parts);
    const std::string &File_Path() const { return path_; }

private:
    // Puts a checked work on screen, as the file at `path` (empty: none).
    void Load_Work(const TaxpayerWork &work, const std::string &path);
    bool Save_To(const std::string &path);
    // Whether another program wrote the file since it was opened or saved
    // and the user would rather not write over it.
    bool Keeps_Changed_File(const std::string &path);
    void Refresh();
    // The history starts again from the work now on screen.
    void Restart_History();
    // The parts of the work a step holds: its registers, and the lines as
    // stored.
    WorkParts Parts_Of(TaxpayerWork work) const;
    bool Differs_From_Saved(const TaxpayerWork &work) const;
    void Write_Recovery();
    void Discard_Recovery();
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
    std::optional<std::uint64_t> disk_; // the file's bytes as last opened or saved
    bool leaving_ = false; // the question was answered on the way out
    std::unique_ptr<RecoveryStore> recovery_;
    std::unique_ptr<QTimer> refresh_, recoveryDue_;
    std::unique_ptr<QUndoStack> history_;
    WorkParts last_;                        // all three parts, as the last step left them
    const char *command_ = nullptr;         // the command done since the last refresh
};
