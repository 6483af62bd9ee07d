#include "ui/shell/work_session.h"

#include "core/common/app_info.h"
#include "core/common/messages.h"
#include "core/computation/input_logic.h"
#include "core/files/input_source.h"
#include "gui/platform/strings.h"
#include "ui/platform/file_dialogs.h"
#include "ui/platform/user_settings.h"

#include <QFileInfo>
#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace {

constexpr const char *kCaption = "2005 Orvanta(금융소득자용)";
constexpr const char *kAskSave = "변경된 내용을 저장하시겠습니까?";
constexpr const char *kExtension = ".orvanta";
constexpr int kRecentFiles = 8;
constexpr const char *kAskOverwrite = "다른 프로그램이 파일을 바꾸었습니다. 덮어쓰시겠습니까?";
constexpr const char *kAskRecover = "저장하지 않은 작업이 있습니다 (%s). 복구하시겠습니까?";
// Changed work reaches the recovery file this long after the change that
// made it due, however long the typing goes on.
constexpr int kRecoveryDelayMs = 2000;

// The session whose recovery file is written when the program is ended
// by exit() from inside the event loop, as Qt does when the display goes.
WorkSession *recovering = nullptr;

void Flush_At_Exit()
{
    if (recovering)
        recovering->Flush_Recovery();
}

// Steps kept: far more than anyone takes back, and bounded memory with
// registers of a thousand rows.
constexpr int kHistorySteps = 100;

// One command's change: the parts it changed, before and after.
class WorkStep final : public QUndoCommand {
public:
    WorkStep(WorkSession &session, const char *name, WorkParts before, WorkParts after)
        : QUndoCommand(QString::fromUtf8(name)), session_(session), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { session_.Apply(before_); }
    void redo() override
    {
        // The command itself made the change the first time.
        if (!std::exchange(done_, false))
            session_.Apply(after_);
    }

private:
    WorkSession &session_;
    WorkParts before_, after_;
    bool done_ = true;
};

// "실행 취소(&U): 항목삭제", or the bare text with nothing to take back.
QString Step_Label(const char *action, const QString &step)
{
    return step.isEmpty() ? QString::fromUtf8(action) : QString::fromUtf8(action) + QStringLiteral(": ") + step;
}

std::string Local_Time(std::time_t time)
{
    char text[32] = "";
    std::tm local{};
    if (::localtime_r(&time, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

} // namespace

WorkSession::WorkSession(WorkHolder &holder, Messages &messages, QWidget *window)
    : holder_(holder), messages_(messages), window_(window), ownDialogs_(std::make_unique<QtFileDialogs>()),
      dialogs_(ownDialogs_.get()), refresh_(std::make_unique<QTimer>()), recoveryDue_(std::make_unique<QTimer>()),
      history_(std::make_unique<QUndoStack>())
{
    history_->setUndoLimit(kHistorySteps);
    // Once the event that changed the work is over: a command may pass
    // through states on the way (the line editor between two lines).
    refresh_->setSingleShot(true);
    refresh_->setInterval(0);
    QObject::connect(refresh_.get(), &QTimer::timeout, refresh_.get(), [this] { Refresh(); });
    recoveryDue_->setSingleShot(true);
    recoveryDue_->setInterval(kRecoveryDelayMs);
    QObject::connect(recoveryDue_.get(), &QTimer::timeout, recoveryDue_.get(), [this] { Write_Recovery(); });
}

WorkSession::~WorkSession()
{
    if (recovering == this)
        recovering = nullptr;
    // The steps call back into the session, and the menu follows the
    // stack: both go first, the stack silenced.
    QObject::disconnect(history_.get(), nullptr, nullptr, nullptr);
    history_.reset();
}

WorkParts WorkSession::Parts_Of(TaxpayerWork work) const
{
    return {std::move(work.interest), std::move(work.dividend), holder_.Stored_Lines()};
}

void WorkSession::Restart_History()
{
    history_->clear();
    command_ = nullptr;
    last_ = Parts_Of(holder_.Current_Work());
}

void WorkSession::Command_Done(const char *command)
{
    command_ = command;
    refresh_->start();
}

void WorkSession::Apply(const WorkParts &parts)
{
    if (parts.interest)
        holder_.Restore_Register(RegisterKind::Interest, *(last_.interest = parts.interest));
    if (parts.dividend)
        holder_.Restore_Register(RegisterKind::Dividend, *(last_.dividend = parts.dividend));
    if (parts.lines)
        holder_.Restore_Lines(*(last_.lines = parts.lines));
    Work_Edited();
}

void WorkSession::Use_History_Actions(QAction *undo, QAction *redo)
{
    const auto follow = [this, undo, redo] {
        undo->setEnabled(history_->canUndo());
        undo->setText(Step_Label("실행 취소(&U)", history_->undoText()));
        redo->setEnabled(history_->canRedo());
        redo->setText(Step_Label("다시 실행(&R)", history_->redoText()));
    };
    QObject::connect(history_.get(), &QUndoStack::indexChanged, undo, follow);
    QObject::connect(history_.get(), &QUndoStack::cleanChanged, undo, follow);
    follow();
}

void WorkSession::Use_Recovery(const std::string &folder)
{
    recovery_ = std::make_unique<RecoveryStore>(folder);
    if (!recovery_->Active())
        std::fprintf(stderr, "orvanta: 복구 파일을 둘 폴더를 쓸 수 없습니다: %s\n", folder.c_str());
    static const bool hooked = std::atexit(Flush_At_Exit) == 0;
    if (hooked)
        recovering = this;
}

void WorkSession::Flush_Recovery()
{
    if (recoveryDue_->isActive())
        Write_Recovery();
}

void WorkSession::Write_Recovery()
{
    recoveryDue_->stop();
    if (!recovery_)
        return;
    const std::string bytes = Recovery_Json({holder_.Current_Work(), path_, disk_, holder_.Pending_Entries()});
    if (const std::optional<std::string> failure = recovery_->Write(bytes))
        std::fprintf(stderr, "orvanta: %s\n", failure->c_str());
}

void WorkSession::Discard_Recovery()
{
    recoveryDue_->stop();
    if (recovery_)
        recovery_->Remove();
}

void WorkSession::End_By_Signal()
{
    leaving_ = true;
    if (Work_Changed())
        Write_Recovery();
    else
        Discard_Recovery();
}

void WorkSession::Offer_Recovery()
{
    if (!recovery_)
        return;
    for (const std::unique_ptr<OrphanRecovery> &orphan : recovery_->Claim_Orphans()) {
        const RecoveryRead read = orphan->Read();
        if (!read.recovered) {
            messages_.Info("저장하지 않은 작업을 복구할 수 없습니다.\n" + read.error);
            orphan->Discard();
            continue;
        }
        char text[256];
        std::snprintf(text, sizeof text, kAskRecover, Local_Time(orphan->Written()).c_str());
        const int choice = messages_.Choose(text, {"복구", "버리기"}, 0, -1);
        if (choice == 1)
            orphan->Discard();
        if (choice != 0)
            continue; // closed without an answer: offered again at the next start
        if (!Guard())
            return;
        const RecoveredWork &work = *read.recovered;
        holder_.Show_Work(work.work);
        holder_.Restore_Entries(work.entries);
        path_ = work.path;
        disk_ = work.disk;
        saved_.clear(); // changed work until it is saved or given up
        Restart_History();
        Update_Title();
        // This run keeps it from now on, before the other file goes.
        Write_Recovery();
        orphan->Discard();
        return;
    }
}

void WorkSession::Start()
{
    saved_ = Taxpayer_Json(holder_.Current_Work());
    Restart_History();
    Update_Title();
}

void WorkSession::Use_Recent_Menu(QMenu *menu)
{
    recentMenu_ = menu;
    Fill_Recent_Menu();
}

void WorkSession::Fill_Recent_Menu()
{
    if (!recentMenu_)
        return;
    recentMenu_->clear();
    const QStringList files = Recent_Files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction *action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        QObject::connect(action, &QAction::triggered, recentMenu_, [this, path] {
            if (Guard())
                Open_File(S(path));
        });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void WorkSession::Remember(const std::string &path)
{
    Remember_File(Q(path), kRecentFiles);
    Fill_Recent_Menu();
}

bool WorkSession::Work_Changed() const { return Differs_From_Saved(holder_.Current_Work()); }

bool WorkSession::Differs_From_Saved(const TaxpayerWork &work) const
{
    return Taxpayer_Json(work) != saved_ || !holder_.Pending_Entries().empty();
}

void WorkSession::Work_Edited() { refresh_->start(); }

void WorkSession::Refresh()
{
    // The work is gathered once: its registers may hold a thousand rows.
    TaxpayerWork work = holder_.Current_Work();
    const bool changed = Differs_From_Saved(work);
    WorkParts now = Parts_Of(std::move(work));
    // What a named command changed is a step; any other change (세액계산,
    // a register replaced by its file) is taken as it stands.
    if (const char *command = std::exchange(command_, nullptr)) {
        WorkParts before, after;
        if (now.interest != last_.interest)
            before.interest = last_.interest, after.interest = now.interest;
        if (now.dividend != last_.dividend)
            before.dividend = last_.dividend, after.dividend = now.dividend;
        if (now.lines != last_.lines)
            before.lines = last_.lines, after.lines = now.lines;
        if (after.interest || after.dividend || after.lines)
            history_->push(new WorkStep(*this, command, std::move(before), std::move(after)));
    }
    last_ = std::move(now);

    if (!path_.empty())
        window_->setWindowModified(changed);
    if (!changed)
        Discard_Recovery();
    else if (recovery_ && !recoveryDue_->isActive())
        recoveryDue_->start();
    if (refreshed)
        refreshed();
}

void WorkSession::Update_Title()
{
    // Qt shows the marker "*" in place of "[*]" while the window is modified.
    if (path_.empty()) {
        window_->setWindowTitle(QString::fromUtf8(kCaption));
        return;
    }
    window_->setWindowTitle(QString::fromUtf8(kCaption) + QStringLiteral(" - ") + QFileInfo(Q(path_)).fileName() +
                            QStringLiteral("[*]"));
    window_->setWindowModified(Work_Changed());
}

bool WorkSession::Guard()
{
    if (!Work_Changed())
        return true;
    switch (messages_.Ask_Save(kAskSave)) {
    case SaveAnswer::Save:
        return Save_File();
    case SaveAnswer::DontSave:
        Discard_Recovery();
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool WorkSession::Session_Ending(bool mayAsk)
{
    // Without leave to ask, the work is kept for the next start.
    if (!mayAsk) {
        End_By_Signal();
        return true;
    }
    if (!Guard())
        return false;
    leaving_ = true;
    Discard_Recovery();
    return true;
}

bool WorkSession::May_Close()
{
    if (leaving_)
        return true;
    if (!Guard())
        return false;
    leaving_ = true;
    Discard_Recovery();
    return true;
}

void WorkSession::Load_Work(const TaxpayerWork &work, const std::string &path)
{
    holder_.Show_Work(work);
    path_ = path;
    saved_ = Taxpayer_Json(holder_.Current_Work());
    Restart_History();
    Update_Title();
    Discard_Recovery();
}

void WorkSession::New_File()
{
    if (!Guard())
        return;
    disk_.reset();
    Load_Work(Empty_Work(), {});
}

void WorkSession::Open_File_Command()
{
    if (!Guard())
        return;
    const std::string name = dialogs_->Open_In_Last_Folder(window_);
    if (!name.empty())
        Open_File(name);
}

bool WorkSession::Open_File(const std::string &path)
{
    // Read and checked whole before anything on screen changes.
    std::string bytes;
    TaxpayerRead read;
    if (Read_Input_File(path, bytes, read.error))
        read = Parse_Taxpayer(bytes);
    if (!read.work) {
        messages_.Info(S(QFileInfo(Q(path)).fileName()) + " 파일을 열 수 없습니다.\n" + read.error);
        return false;
    }
    disk_ = Content_Hash(bytes);
    Load_Work(*read.work, path);
    Remember(path);
    return true;
}

bool WorkSession::Keeps_Changed_File(const std::string &path)
{
    if (path != path_ || !disk_)
        return false;
    const std::optional<std::uint64_t> now = Disk_Hash(path);
    if (!now || *now == *disk_)
        return false;
    return messages_.Choose(kAskOverwrite, {"덮어쓰기", "취소"}, 1, 1) != 0;
}

bool WorkSession::Save_To(const std::string &path)
{
    if (holder_.Refuses_Save() || !holder_.Save_Pending_Entries())
        return false;
    const TaxpayerWork work = holder_.Current_Work();
    for (int i = 0; i < kLineCount; ++i) {
        if (const std::optional<std::string> failure = Line_Failure(i, work.lines[i])) {
            messages_.Info(*failure + "\n" + kNothingSaved);
            return false;
        }
    }
    const std::string json = Taxpayer_Json(work);
    if (Keeps_Changed_File(path))
        return false;
    if (const std::optional<std::string> failure = Save_Taxpayer_File(path, json)) {
        messages_.Info(*failure);
        return false;
    }
    path_ = path;
    saved_ = json;
    disk_ = Content_Hash(json);
    Remember(path);
    Update_Title();
    Refresh();
    return true;
}

bool WorkSession::Save_File() { return path_.empty() ? Save_File_As() : Save_To(path_); }

bool WorkSession::Save_File_As()
{
    // The work's own name, in the folder last used.
    const std::string file = path_.empty() ? std::string() : S(QFileInfo(Q(path_)).fileName());
    std::string name = dialogs_->Save_In_Last_Folder(window_, file);
    if (name.empty())
        return false;
    if (!QFileInfo(Q(name)).fileName().contains(QChar('.')))
        name += kExtension;
    return Save_To(name);
}
