// frm금융소득2: the main window. Four panels switched by the tab buttons
// along the top, the help line along the bottom and the Exit button. It lays
// out the designed window and wires its controls: the taxpayer file lives in
// the work session, the pages and files made from the work in the page
// commands, and the menus in the menu table.
#pragma once

#include "core/computation/engine.h"
#include "core/files/taxpayer_file.h"
#include "ui/help/help_viewer.h"
#include "ui/platform/app_dir.h"
#include "ui/platform/panel_host.h"
#include "ui/review/review_window.h"
#include "ui/shell/menu_table.h"
#include "ui/shell/page_commands.h"
#include "ui/shell/work_session.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

class ComputationPanel;
class DividendPanel;
class FileDrops;
class FileDialogs;
class GridModel;
class HelpPanel;
class InterestPanel;
class Messages;
class Printer;
class QFrame;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QTextEdit;
class RegisterPanel;

class frm금융소득2 : public QWidget, private PanelHost, private WorkHolder {
public:
    // Message boxes and the default printer serve every window of the run;
    // help documents and the placement file are read from `appPath`.
    frm금융소득2(Messages &messages, Printer &printer, QString appPath = App_Path());
    ~frm금융소득2() override;

    void Show_cFrame(int n);
    void cmdTab_Click(int n);
    void CmdArray1_Click(int n);

    // Lines 1 to 7 from the register totals, on the computation panel;
    // first, when the dividend bases are not the law's, asks whether to
    // make them so.
    void Carry_Register_Totals();
    // 배당가산대상금액 계산: the law's bases into the dividend register,
    // told in one message.
    void Gross_Up_Command();
    // 검토: the review window beside this one, opened or brought up.
    frm검토 &Open_Review();
    frm검토 *Loaded_Review() const { return review_; }
    // A finding's place: its row loaded, or the line editor on its line.
    void Show_Place(const FindingPlace &place);
    // A CSV file into or out of a register, with its panel shown.
    void Import_Register(RegisterKind kind) override;
    void Export_Register(RegisterKind kind) override;

    WorkSession &Session() { return session_; }
    PageCommands &Pages() { return *pages_; }
    // The help viewer: opened, or brought up when it is open already, on the
    // document for the panel shown (계산서작성요령 for the computation
    // panel, 프로그램사용법 for the others).
    mod도움말 &Open_Help_Viewer();
    mod도움말 *Loaded_Help_Viewer() const { return helpViewer_; }

    // The work session's and the page commands' own, for the tests.
    bool Open_File(const std::string &path) { return session_.Open_File(path); }
    bool Session_Ending(bool mayAsk) { return session_.Session_Ending(mayAsk); }
    bool Work_Changed() const { return session_.Work_Changed(); }
    const std::string &File_Path() const { return session_.File_Path(); }
    void Use_File_Dialogs(FileDialogs &dialogs);
    TaxpayerWork Current_Work() const override;
    frm계산서 &Statement() { return pages_->Statement(); }
    frm계산서 *Loaded_Statement() const { return pages_->Loaded_Statement(); }
    frm_Print &Preview() { return pages_->Preview(); }
    frm_Print *Loaded_Preview() const { return pages_->Loaded_Preview(); }
    frm이자소득 &Interest_Page() { return pages_->Interest_Page(); }
    frm배당소득 &Dividend_Page() { return pages_->Dividend_Page(); }
    PageForm *Page_For_Pdf() { return pages_->Page_For_Pdf(); }
    bool Save_Pdf(PageForm &page, const QString &path) { return pages_->Save_Pdf(page, path); }

    // The designed window, below the menu bar.
    QWidget *Client() const { return client_; }
    QMenuBar *Menu_Bar() const { return menus_.bar; }
    QMenu *File_Menu() const { return menus_.file; }
    QMenu *Recent_Menu() const { return menus_.recent; }

    HelpPanel &Help() const { return *help_; }
    ComputationPanel &Computation() const { return *panel_; }
    InterestPanel &Interest() const { return *interest_; }
    DividendPanel &Dividend() const { return *dividend_; }
    // The register grids, which the statement pages read.
    const GridModel &fgEJ() const;
    const GridModel &fgBD() const;
    QLineEdit *txtTot1() const;

    std::array<QPushButton *, 4> cmdTab{};
    std::array<QFrame *, 4> cFrame{};
    QLineEdit *txtLblHelp = nullptr;
    QTextEdit *txtHelp = nullptr;
    std::array<QPushButton *, 5> CmdArray1{}; // 1 New, 2 Compute, 3 Print, 4 Exit

    InputAmounts ComputationInputs{};

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // What the panels ask of the window.
    void Show_Help(const QString &text) override;
    void Work_Edited() override { session_.Work_Edited(); }
    void Command_Done(const char *command) override { session_.Command_Done(command); }
    void Print_Register(RegisterKind kind) override { pages_->Print_Register(kind); }
    void Close_Window() override { close(); }
    void Open_Help() override { Open_Help_Viewer(); }
    void Carry_Totals() override { Carry_Register_Totals(); }
    // What the work session asks of it.
    void Show_Work(const TaxpayerWork &work) override;
    bool Refuses_Save() override;
    std::map<RegisterKind, PendingEntry> Pending_Entries() const override;
    void Restore_Entries(const std::map<RegisterKind, PendingEntry> &entries) override;
    bool Save_Pending_Entries() override;
    std::array<std::string, kLineCount> Stored_Lines() const override;
    void Restore_Lines(const std::array<std::string, kLineCount> &lines) override;
    void Restore_Register(RegisterKind kind, const GridModel &grid) override;

    void Build_Controls();
    void Menu_Command(MenuCommand command);
    // The review window, when open, shows the work as it now stands.
    void Update_Review();
    void Form_Load();
    void Form_Activate();

    Messages &messages_;
    Printer &printer_;
    QString appPath_;
    QWidget *client_ = nullptr;
    HelpPanel *help_ = nullptr;
    ComputationPanel *panel_ = nullptr;
    InterestPanel *interest_ = nullptr;
    DividendPanel *dividend_ = nullptr;
    std::array<RegisterPanel *, 2> Registers() const; // both, interest first
    WorkSession session_;
    std::unique_ptr<PageCommands> pages_; // made once the panels are
    MenuBar menus_;
    FileDrops *drops_ = nullptr;
    QPointer<mod도움말> helpViewer_;
    QSize helpViewerSize_; // as the viewer last closed; none before that
    QPointer<frm검토> review_;
    bool centred_ = false;
    // A modal box of the program had the focus since this window last had
    // it: coming back from it is no return to the window.
    bool fromModalBox_ = false;
    bool helpLoaded_ = false;   // the first document, once
    bool loadedAtShow_ = false; // by the first show, before any activation
};
