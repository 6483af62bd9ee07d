#include "ui/shell/work_session.h"

#include "core/common/app_info.h"
#include "core/common/messages.h"
#include "core/computation/input_logic.h"
#include "core/files/input_source.h"
#include "gui/platform/strings.h"
#include "ui/platform/file_dialogs.h"
#include "ui/platform/user_settings.h"

#include <QFileInfo>
#include <QMenu>
#include <QWidget>

namespace {

constexpr const char *kCaption = "2005 Orvanta(금융소득자용)";
constexpr const char *kAskSave = "변경된 내용을 저장하시겠습니까?";
constexpr const char *kExtension = ".orvanta";
constexpr int kRecentFiles = 8;

} // namespace

WorkSession::WorkSession(WorkHolder &holder, Messages &messages, QWidget *window)
    : holder_(holder), messages_(messages), window_(window), ownDialogs_(std::make_unique<QtFileDialogs>()),
      dialogs_(ownDialogs_.get())
{
}

WorkSession::~WorkSession() = default;

void WorkSession::Start()
{
    saved_ = Taxpayer_Json(holder_.Current_Work());
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

bool WorkSession::Work_Changed() const { return Taxpayer_Json(holder_.Current_Work()) != saved_; }

void WorkSession::Work_Edited()
{
    // Called while the window is still being built, before the work has a
    // starting point.
    if (!saved_.empty() && !path_.empty())
        window_->setWindowModified(Work_Changed());
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
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool WorkSession::Session_Ending(bool mayAsk)
{
    // Without leave to ask, nothing can be done but end.
    if (!mayAsk || Guard()) {
        leaving_ = true;
        return true;
    }
    return false;
}

bool WorkSession::May_Close()
{
    if (!leaving_ && !Guard())
        return false;
    leaving_ = true;
    return true;
}

void WorkSession::Load_Work(const TaxpayerWork &work, const std::string &path)
{
    holder_.Show_Work(work);
    path_ = path;
    saved_ = Taxpayer_Json(holder_.Current_Work());
    Update_Title();
}

void WorkSession::New_File()
{
    if (!Guard())
        return;
    Load_Work(Empty_Work(), {});
}

void WorkSession::Open_File_Command()
{
    if (!Guard())
        return;
    const std::string name = dialogs_->Open_Name(window_, S(Last_Folder()));
    if (!name.empty())
        Open_File(name);
}

bool WorkSession::Open_File(const std::string &path)
{
    // Read and checked whole before anything on screen changes.
    const OpenedInput input = Open_Input_File(path);
    TaxpayerRead read;
    if (!input.source)
        read.error = input.error;
    else
        read = Read_Taxpayer_File(*input.source);
    if (!read.work) {
        messages_.Info(S(QFileInfo(Q(path)).fileName()) + " 파일을 열 수 없습니다.\n" + read.error);
        return false;
    }
    Load_Work(*read.work, path);
    Remember(path);
    return true;
}

bool WorkSession::Save_To(const std::string &path)
{
    if (holder_.Refuses_Save())
        return false;
    const TaxpayerWork work = holder_.Current_Work();
    for (int i = 0; i < kLineCount; ++i) {
        if (const std::optional<std::string> failure = Line_Failure(i, work.lines[i])) {
            messages_.Info(*failure);
            return false;
        }
    }
    const std::string json = Taxpayer_Json(work);
    if (const std::optional<std::string> failure = Save_Taxpayer_File(path, json)) {
        messages_.Info(*failure);
        return false;
    }
    path_ = path;
    saved_ = json;
    Remember(path);
    Update_Title();
    return true;
}

bool WorkSession::Save_File() { return path_.empty() ? Save_File_As() : Save_To(path_); }

bool WorkSession::Save_File_As()
{
    const std::string suggested = path_.empty() ? S(Last_Folder()) : path_;
    std::string name = dialogs_->Save_Name(window_, suggested);
    if (name.empty())
        return false;
    if (!QFileInfo(Q(name)).fileName().contains(QChar('.')))
        name += kExtension;
    return Save_To(name);
}
