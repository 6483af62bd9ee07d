// frm금융소득2: the main window. Four panels switched by the tab buttons
// along the top, the help line along the bottom and the Exit button.
#pragma once

#include "computation/engine.h"
#include "computation/statement_form.h"
#include "help/help_viewer.h"
#include "platform/app_dir.h"
#include "printing/page_form.h"
#include "printing/print_preview.h"

#include "files/taxpayer_file.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

class ComputationPanel;
class FileDialogs;
class QAction;
class QMenu;
class QMenuBar;
class DividendPanel;
class GridModel;
class HelpPanel;
class InterestPanel;
class RegisterPanel;
class Messages;
class QFrame;
class QLineEdit;
class QTextEdit;
class QPushButton;

class Printer;

class frm금융소득2 : public QWidget {
public:
    // Message boxes and the default printer serve every window of the run;
    // help documents and the placement file are read from `appPath`.
    frm금융소득2(Messages &messages, Printer &printer, QString appPath = App_Path());
    ~frm금융소득2() override;

    void Show_cFrame(int n);
    void cmdTab_Click(int n);
    void CmdArray1_Click(int n);

    // Lines 1 to 7 from the register totals, on the computation panel.
    void Carry_Register_Totals();
    // The register commands of the menu: a CSV file into or out of a register
    // (index 0 interest, 1 dividend), each through its file dialog.
    void Import_Register(int which);
    void Export_Register(int which);
    // 프린터 선택: the program's printer asks the system's print dialog.
    std::function<void()> onChoosePrinter;
    // PDF로 저장: Page_For_Pdf into the file the dialog names.
    void Save_Pdf_Command();
    // The page 'PDF로 저장' writes: the newest page in the preview, or the
    // register page of the panel shown, or page 21 from the computation
    // panel (refused and computed as 인쇄 is); nullptr when there is none,
    // which has been told.
    PageForm *Page_For_Pdf();
    // Prints the page into a PDF at path; false when it failed, as told.
    bool Save_Pdf(PageForm &page, const QString &path);

    // The statement form, loaded (hidden) on first use and discarded when
    // it is closed; nullptr while it is not loaded.
    frm계산서 &Statement();
    frm계산서 *Loaded_Statement() const { return statement_; }
    // The print preview and the register pages, loaded on first use and
    // discarded when closed.
    frm_Print &Preview();
    frm_Print *Loaded_Preview() const { return preview_; }
    frm이자소득 &Interest_Page();
    frm배당소득 &Dividend_Page();
    // The help viewer: opened, or brought up when it is open already.
    mod도움말 &Open_Help_Viewer();
    mod도움말 *Loaded_Help_Viewer() const { return helpViewer_; }

    // The taxpayer file commands of the menu "파일(&F)".
    void New_File();
    void Open_File_Command();
    // Opens `path` after the question about changed work; false when the
    // user cancelled or the file was refused (the work stays as it was).
    bool Open_File(const std::string &path);
    bool Save_File();
    bool Save_File_As();
    // The question before changed work is dropped: true when the caller
    // may go on (nothing changed, saved, or 저장 안 함).
    bool Guard();
    // The desktop session is ending; false to ask it not to.
    bool Session_Ending(bool mayAsk);
    // Whether the work differs from what was last opened or saved (or,
    // with no file, from an empty work).
    bool Work_Changed() const;
    // The work on screen, as a taxpayer file would keep it.
    TaxpayerWork Current_Work() const;
    const std::string &File_Path() const { return path_; }
    void Use_File_Dialogs(FileDialogs &dialogs) { dialogs_ = &dialogs; }

    // The designed window, below the menu bar.
    QWidget *Client() const { return client_; }
    QMenuBar *Menu_Bar() const { return menuBar_; }
    QMenu *File_Menu() const { return fileMenu_; }
    QMenu *Recent_Menu() const { return recentMenu_; }

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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Build_Menu();
    void Rebuild_Recent_Menu();
    void Remember_File(const std::string &path);
    // Puts a checked work on screen, as the file at `path` (empty: none).
    void Load_Work(const TaxpayerWork &work, const std::string &path);
    bool Save_To(const std::string &path);
    void Work_Edited();
    void Update_Title();
    // A file dragged over or dropped on `target`, the window or a widget in
    // it: a CSV file on a register panel is imported into that register,
    // any other file opened as a taxpayer file.
    bool Drag_Event(QObject *target, QEvent *event);
    void Form_Load();
    void Form_Activate();
    // The help line's text, two whole lines in its 430 twips.
    void Show_Help(const QString &text);
    // Gather_Inputs, and a statement that stays within the range of a double.
    bool Gather_Statement_Inputs();
    // The register commands' Print: the page filled from its grid, in the preview.
    void Print_Interest();
    void Print_Dividend();
    // The register panel by index: 0 interest, 1 dividend.
    RegisterPanel &Register_Panel(int which) const;
    // A register's page filled from its grid, for the preview or a PDF.
    PageForm &Filled_Register_Page(bool interest);
    // 인쇄's checks and gathering before the statement is computed for a
    // page: a first 세액계산 made, and inputs that read; false when refused,
    // which has been told.
    bool Statement_For_Page();

    Messages &messages_;
    Printer &printer_;
    QString appPath_;
    std::unique_ptr<FileDialogs> ownDialogs_;
    FileDialogs *dialogs_ = nullptr;
    QWidget *client_ = nullptr;
    QMenuBar *menuBar_ = nullptr;
    QMenu *fileMenu_ = nullptr;
    QMenu *recentMenu_ = nullptr;
    std::string path_;  // the open taxpayer file; empty for none
    std::string saved_; // the work as last opened or saved, as file text
    bool leaving_ = false; // the question was answered on the way out
    HelpPanel *help_ = nullptr;
    ComputationPanel *panel_ = nullptr;
    InterestPanel *interest_ = nullptr;
    DividendPanel *dividend_ = nullptr;
    QPointer<frm계산서> statement_;
    QPointer<frm_Print> preview_;
    QPointer<frm이자소득> interestPage_;
    QPointer<frm배당소득> dividendPage_;
    QPointer<mod도움말> helpViewer_;
    bool centred_ = false;
    // A modal box of the program had the focus since this window last had
    // it: coming back from it is no return to the window.
    bool fromModalBox_ = false;
};
