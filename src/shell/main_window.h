// frm금융소득2: the main window. Four panels switched by the tab buttons
// along the top, the help line along the bottom and the Exit button.
#pragma once

#include "computation/engine.h"
#include "computation/statement_form.h"
#include "help/help_viewer.h"
#include "platform/app_dir.h"
#include "printing/page_form.h"
#include "printing/print_preview.h"

#include <QPointer>
#include <QWidget>

#include <array>

class ComputationPanel;
class DividendPanel;
class GridModel;
class HelpPanel;
class InterestPanel;
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

    HelpPanel &Help() const { return *help_; }
    // The other panels' contents, built on first use (at the latest just
    // after the window is first painted).
    ComputationPanel &Computation();
    InterestPanel &Interest();
    DividendPanel &Dividend();
    // The register grids, which the statement pages read.
    const GridModel &fgEJ();
    const GridModel &fgBD();
    QLineEdit *txtTot1();

    std::array<QPushButton *, 4> cmdTab{};
    std::array<QFrame *, 4> cFrame{};
    QLineEdit *txtLblHelp = nullptr;
    QTextEdit *txtHelp = nullptr;
    std::array<QPushButton *, 5> CmdArray1{}; // 1 New, 2 Compute, 3 Print, 4 Exit

    InputAmounts ComputationInputs{};

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    // A panel's contents, filling its frame cFrame(n).
    void Fill_Frame(int n, QFrame *contents);
    void Form_Activate();
    // The help line's text, two whole lines in its 430 twips.
    void Show_Help(const QString &text);
    // Gather_Inputs, and a statement that stays within the range of a double.
    bool Gather_Statement_Inputs();
    // The register commands' Print: the page filled from its grid, in the preview.
    void Print_Interest();
    void Print_Dividend();

    Messages &messages_;
    Printer &printer_;
    QString appPath_;
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
    bool buildQueued_ = false;
    bool tabPressed_ = false;
    // A modal box of the program had the focus since this window last had
    // it: coming back from it is no return to the window.
    bool fromModalBox_ = false;
};
