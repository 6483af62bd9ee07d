#include "ui/shell/main_window.h"

#include "core/common/messages.h"
#include "core/registers/carried_lines.h"
#include "core/registers/gross_up_rule.h"
#include "core/registers/regrouping.h"
#include "ui/platform/designed_colours.h"
#include "gui/platform/fonts.h"
#include "gui/platform/strings.h"
#include "gui/platform/twips.h"
#include "ui/computation/computation_panel.h"
#include "ui/help/help_panel.h"
#include "ui/platform/field_box.h"
#include "ui/platform/focus_hook.h"
#include "ui/registers/dividend_panel.h"
#include "ui/registers/interest_panel.h"
#include "ui/shell/file_drops.h"
#include "ui/shell/help_line.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSessionManager>
#include <QShortcut>
#include <QTextEdit>
#include <QUndoStack>
#include <QTimer>
#include <QWindow>

#include <utility>

namespace {

constexpr int kClientWidth = 11175;
constexpr int kClientHeight = 7455;

constexpr TwipsRect kTabs[4] = {{0, 0, 2775, 495}, {2760, 0, 2775, 495}, {5520, 0, 2775, 495}, {8280, 0, 2910, 495}};
constexpr const char *kTabCaptions[4] = {"도움말", "산출세액계산", "이자소득명세", "배당소득명세"};
constexpr QRgb kPanelColours[4] = {qRgb(255, 255, 255), qRgb(255, 192, 192), qRgb(255, 224, 192), qRgb(255, 255, 192)};
constexpr int kPanelTop = 400;
constexpr int kPanelHeight = 6495;

struct Command {
    const char *caption;
    TwipsRect place;
};
// Index 0 is unused: the array is addressed by the command number.
constexpr Command kCommands[5] = {
    {nullptr, {}},
    {"새로작성(&N)", {3105, 3180, 1620, 400}},
    {"세액계산(&C)", {4920, 3180, 1620, 400}},
    {"인쇄(&P)", {6705, 3180, 1620, 400}},
    {"종료(&X)", {9555, 6960, 1560, 405}},
};

} // namespace

frm금융소득2::frm금융소득2(Messages &messages, Printer &printer, QString appPath)
    : messages_(messages), printer_(printer), appPath_(std::move(appPath)), session_(*this, messages, this)
{
    setFont(Window_Font());
    Build_Controls();
    pages_ = std::make_unique<PageCommands>(WorkPanels{*panel_, *interest_, *dividend_}, messages_, printer_,
                                            ComputationInputs, this);
    pages_->Use_File_Dialogs(session_.Dialogs());
    pages_->taxComputed = [this] { Update_Review(); };
    pages_->taxpayerFile = [this] { return session_.File_Path(); };
    pages_->showStatus = [this](const QString &text) { Show_Help(text); };
    session_.refreshed = [this] { Update_Review(); };

    panel_->Use_Host(this);
    interest_->Use_Host(this);
    dividend_->Use_Host(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *focus) {
        if (focus && focus != windowHandle())
            fromModalBox_ = focus->modality() != Qt::NonModal;
    });
    // Every change of the work may change the title's marker.
    for (QLineEdit *box : panel_->TxtLab4)
        connect(box, &QLineEdit::textChanged, this, [this] { Work_Edited(); });
    connect(panel_->txtMove1[0], &QLineEdit::textChanged, this, [this] { Work_Edited(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &session) {
        if (!Session_Ending(session.allowsInteraction()))
            session.cancel();
    });

    // The designed window is the client area below the menu bar, which
    // keeps its size and every position; the window grows by the bar.
    menus_ = Build_Menu_Bar(this, [this](MenuCommand command) { Menu_Command(command); });
    session_.Use_Recent_Menu(menus_.recent);
    session_.Use_History_Actions(menus_.undo, menus_.redo);
    const int barHeight = menus_.bar->sizeHint().height();
    menus_.bar->setGeometry(0, 0, client_->width(), barHeight);
    client_->move(0, barHeight);
    setFixedSize(client_->width(), barHeight + client_->height());
    // A window of one size offers no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    drops_ = new FileDrops(this, session_, [this](QObject *target) -> RegisterPanel * {
        for (QObject *o = target; o; o = o->parent())
            if (o == interest_ || o == dividend_)
                return static_cast<RegisterPanel *>(o);
        return nullptr;
    });

    Form_Load();
    session_.Start();
}

void frm금융소득2::Build_Controls()
{
    client_ = new QWidget(this);
    client_->setFixedSize(Twips_Size(kClientWidth, kClientHeight));

    for (int i = 0; i < 4; ++i) {
        cmdTab[i] = new QPushButton(QString::fromUtf8(kTabCaptions[i]), client_);
        cmdTab[i]->setGeometry(Twips_Rect(kTabs[i]));
        // Checked while its panel is shown, on screen and for a screen reader.
        cmdTab[i]->setCheckable(true);
        connect(cmdTab[i], &QPushButton::clicked, this, [this, i] { cmdTab_Click(i); });
        // Ctrl+1 to Ctrl+4, as tabbed windows switch their tabs.
        connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)), this), &QShortcut::activated, this,
                [this, i] { cmdTab_Click(i); });
    }
    const auto shown = [this] {
        for (int i = 0; i < 4; ++i)
            if (cFrame[i]->isVisible())
                return i;
        return 0;
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [this, shown] { cmdTab_Click((shown() + 1) % 4); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this), &QShortcut::activated, this,
            [this, shown] { cmdTab_Click((shown() + 3) % 4); });
    // F1 anywhere in the window, as in the line editor.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, [this] { Open_Help_Viewer(); });

    help_ = new HelpPanel(client_, messages_, appPath_);
    panel_ = new ComputationPanel(client_, messages_, ComputationInputs);
    interest_ = new InterestPanel(client_, messages_);
    dividend_ = new DividendPanel(client_, messages_);
    const std::array<QFrame *, 4> panels = {help_, panel_, interest_, dividend_};
    for (int i = 0; i < 4; ++i) {
        QFrame *frame = panels[i];
        frame->setGeometry(Twips_Rect(0, kPanelTop, i == 0 ? 11200 : 11295, kPanelHeight));
        frame->setAutoFillBackground(true);
        Designed_Surface(frame, QColor(kPanelColours[i]));
        cFrame[i] = frame;
    }
    // The tab buttons overlap the panels' top edge.
    for (QPushButton *tab : cmdTab)
        tab->raise();

    txtLblHelp = Make_Help_Label(client_, font());
    txtHelp = Make_Help_Line(client_);

    for (int n = 1; n <= 4; ++n) {
        QWidget *owner = n == 4 ? client_ : panel_;
        CmdArray1[n] = new QPushButton(QString::fromUtf8(kCommands[n].caption), owner);
        CmdArray1[n]->setGeometry(Twips_Rect(kCommands[n].place));
        connect(CmdArray1[n], &QPushButton::clicked, this, [this, n] { CmdArray1_Click(n); });
    }
}

void frm금융소득2::Menu_Command(MenuCommand command)
{
    switch (command) {
    case MenuCommand::NewFile:
        return session_.New_File();
    case MenuCommand::OpenFile:
        return session_.Open_File_Command();
    case MenuCommand::SaveFile:
        session_.Save_File();
        return;
    case MenuCommand::SaveFileAs:
        session_.Save_File_As();
        return;
    case MenuCommand::ImportInterest:
        return Import_Register(RegisterKind::Interest);
    case MenuCommand::ImportDividend:
        return Import_Register(RegisterKind::Dividend);
    case MenuCommand::ExportInterest:
        return Export_Register(RegisterKind::Interest);
    case MenuCommand::ExportDividend:
        return Export_Register(RegisterKind::Dividend);
    case MenuCommand::ChoosePrinter:
        return pages_->Choose_Printer();
    case MenuCommand::SavePdf:
        return pages_->Save_Pdf_Command();
    case MenuCommand::SaveAllPdf:
        return pages_->Save_All_Pdf_Command();
    case MenuCommand::Quit:
        return CmdArray1_Click(4);
    case MenuCommand::Undo:
        session_.History().undo();
        break;
    case MenuCommand::Redo:
        session_.History().redo();
        break;
    case MenuCommand::CarryTotals:
        return Carry_Register_Totals();
    case MenuCommand::GrossUp:
        return Gross_Up_Command();
    case MenuCommand::Review:
        Open_Review();
        return;
    case MenuCommand::RecentFiles:
    case MenuCommand::Separator:
        return;
    }
}

void frm금융소득2::Use_File_Dialogs(FileDialogs &dialogs)
{
    session_.Use_File_Dialogs(dialogs);
    pages_->Use_File_Dialogs(dialogs);
}

TaxpayerWork frm금융소득2::Current_Work() const { return {interest_->Grid(), dividend_->Grid(), panel_->Line_Texts()}; }

void frm금융소득2::Show_Work(const TaxpayerWork &work)
{
    // The statement and the pages shown belonged to the work that goes.
    pages_->Close_Pages();
    interest_->Replace_Grid(work.interest);
    dividend_->Replace_Grid(work.dividend);
    panel_->Load_Lines(work.lines);
}

std::array<RegisterPanel *, 2> frm금융소득2::Registers() const { return {interest_, dividend_}; }

std::map<RegisterKind, PendingEntry> frm금융소득2::Pending_Entries() const
{
    std::map<RegisterKind, PendingEntry> entries;
    for (const RegisterPanel *panel : Registers())
        if (std::optional<PendingEntry> entry = panel->Pending_Entry())
            entries[panel->Kind()] = std::move(*entry);
    return entries;
}

void frm금융소득2::Restore_Entries(const std::map<RegisterKind, PendingEntry> &entries)
{
    for (RegisterPanel *panel : Registers())
        if (const auto entry = entries.find(panel->Kind()); entry != entries.end())
            panel->Restore_Entry(entry->second);
}

std::array<std::string, kLineCount> frm금융소득2::Stored_Lines() const { return panel_->Stored_Lines(); }

void frm금융소득2::Restore_Lines(const std::array<std::string, kLineCount> &lines) { panel_->Restore_Lines(lines); }

void frm금융소득2::Restore_Register(RegisterKind kind, const GridModel &grid)
{
    (kind == RegisterKind::Interest ? static_cast<RegisterPanel *>(interest_) : dividend_)->Replace_Grid(grid);
}

bool frm금융소득2::Save_Pending_Entries()
{
    // The register whose save is refused is shown, with its refusal.
    for (RegisterPanel *panel : Registers()) {
        if (!panel->Save_Pending_Entry()) {
            cmdTab_Click(panel == interest_ ? 2 : 3);
            return false;
        }
    }
    return true;
}

bool frm금융소득2::Refuses_Save()
{
    // Saving takes the line under the editor as leaving it would.
    const std::optional<std::string> failure = Line_Failure(panel_->CurLine, S(panel_->txtMove1[0]->text()));
    if (!failure)
        return false;
    messages_.Info(*failure + "\n" + kNothingSaved);
    return true;
}

frm금융소득2::~frm금융소득2()
{
    // The page windows go before the panels they read.
    pages_.reset();
    delete helpViewer_;
    delete review_;
}

QLineEdit *frm금융소득2::txtTot1() const { return panel_->txtTot1; }

const GridModel &frm금융소득2::fgEJ() const { return interest_->fgEJ; }
const GridModel &frm금융소득2::fgBD() const { return dividend_->fgBD; }

void frm금융소득2::Form_Load()
{
    Show_cFrame(0);
    panel_->Place_Editor();

    Fill_Codes(interest_->cmbEJ, kInterestLayout.codes);
    interest_->Init_EJ();
    Init_fgEJ(interest_->fgEJ);
    Reset_fg(interest_->fgEJ);
    interest_->Show_Grid();
    interest_->butEJ[2]->setEnabled(false);

    Fill_Codes(dividend_->cmbBD, kDividendLayout.codes);
    dividend_->Init_BD();
    Init_fgBD(dividend_->fgBD);
    Reset_fg(dividend_->fgBD);
    dividend_->Show_Grid();
    dividend_->butBD[2]->setEnabled(false);
}

void frm금융소득2::Show_Help(const QString &text) { Show_Help_Text(txtHelp, text); }

void frm금융소득2::Form_Activate()
{
    panel_->Regroup_Lines();
    // A message box closing gives the activation back without the user
    // having left the window; reloading then would undo the user's choice
    // of document, and a missing document would ask again for ever.
    if (std::exchange(fromModalBox_, false) && helpLoaded_)
        return;
    // Loaded a moment ago, as the window was first shown.
    if (std::exchange(loadedAtShow_, false))
        return;
    helpLoaded_ = true;
    help_->Load_Help(0);
}

bool frm금융소득2::event(QEvent *e)
{
    if (e->type() == QEvent::Show && !centred_) {
        centred_ = true;
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
        // A box opened over the window as it first shows (a refused file,
        // the recovery question) may take the activation the window would
        // have had, and without a window manager nothing gives it back: the
        // first document loads with the window all the same.
        QTimer::singleShot(0, this, [this] {
            if (!helpLoaded_) {
                helpLoaded_ = loadedAtShow_ = true;
                help_->Load_Help(0);
            }
        });
    }
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    if (drops_ && drops_->Handle(this, e))
        return true;
    return QWidget::event(e);
}

void frm금융소득2::Show_cFrame(int n)
{
    for (int i = 0; i < static_cast<int>(cFrame.size()); ++i) {
        cFrame[i]->setVisible(i == n);
        cmdTab[i]->setChecked(i == n);
    }
}

void frm금융소득2::cmdTab_Click(int n)
{
    Show_cFrame(n);
    for (int i = 1; i <= 3; ++i)
        CmdArray1[i]->setEnabled(false);
    for (QPushButton *button : interest_->butEJ)
        button->setEnabled(false);
    for (QPushButton *button : dividend_->butBD)
        button->setEnabled(false);

    // Only the visible panel's buttons are enabled, so the access keys that
    // repeat across panels (Alt+N, Alt+P) act on that panel alone. Delete
    // item waits for a row to be picked.
    switch (n) {
    case 1:
        for (int i = 1; i <= 3; ++i)
            CmdArray1[i]->setEnabled(true);
        panel_->TxtLab4_Click(0);
        panel_->txtMove1[0]->setFocus();
        break;
    case 2:
        for (int i : {0, 1, 3, 4})
            interest_->butEJ[i]->setEnabled(true);
        Try_Focus(interest_->txtEJ[0]);
        break;
    case 3:
        for (int i : {0, 1, 3, 4})
            dividend_->butBD[i]->setEnabled(true);
        Try_Focus(dividend_->txtBD[0]);
        break;
    default:
        break;
    }
}

mod도움말 &frm금융소득2::Open_Help_Viewer()
{
    if (!helpViewer_) {
        helpViewer_ = new mod도움말(messages_, printer_, appPath_);
        // The placement file places the first opening; later ones keep the
        // size the person gave the window.
        if (helpViewerSize_.isValid())
            helpViewer_->Keep_Size(helpViewerSize_);
        helpViewer_->closing = [this](QSize size) { helpViewerSize_ = size; };
    }
    helpViewer_->Show_Document(panel_->isHidden() ? 1 : 0);
    helpViewer_->show();
    helpViewer_->raise();
    helpViewer_->activateWindow();
    return *helpViewer_;
}

void frm금융소득2::CmdArray1_Click(int n)
{
    // 종료 asks first about changed work; 취소 leaves everything as it was.
    if (n == 4) {
        if (!session_.Guard())
            return;
        session_.Leave();
    }
    // Compute and Print read the editor without leaving its line, so they
    // refuse a negative amount there as leaving the line would: otherwise
    // it would reach the computation, which takes every amount as it is.
    if ((n == 2 || n == 3) && panel_->Refuse_Negative())
        return;
    panel_->Commit_Editor();
    switch (n) {
    case 1: // 새로작성
        panel_->Clear_Panel();
        break;
    case 2: // 세액계산
        pages_->Compute();
        break;
    case 3: // 인쇄
        pages_->Print_Statement();
        break;
    case 4: // 종료
        for (auto *box : panel_->TxtLab4)
            box->clear();
        for (int i = 0; i <= 10; ++i)
            ComputationInputs[i] = 0;
        close();
        QCoreApplication::quit();
        break;
    default:
        break;
    }
}

void frm금융소득2::Carry_Register_Totals()
{
    std::array<std::string, kCarriedLines> lines = Carried_Lines(fgEJ(), fgBD());
    if (const std::optional<std::string> refusal = Carry_Refusal(lines)) {
        messages_.Info(*refusal);
        return;
    }
    // The bases only change line 7, which takes any amount: the refusal
    // above still holds once they are the law's.
    const GrossUpRule rule = Gross_Up_Rule(fgEJ(), fgBD());
    if (!rule.Differing_Rows(fgBD()).empty() && messages_.Confirm(Carry_Question(rule, fgBD()), "명세 합계 옮기기")) {
        RuleApplied applied = Apply_Gross_Up_Rule(rule, fgBD());
        if (applied.refusal) {
            messages_.Info(*applied.refusal);
            return;
        }
        dividend_->Replace_Rows(std::move(applied.fgBD), nullptr); // a part of this step
        lines = Carried_Lines(fgEJ(), fgBD());
    }
    if (!panel_->isVisible())
        cmdTab_Click(1);
    panel_->Carry_Lines(lines);
    Command_Done("명세 합계 옮기기");
}

void frm금융소득2::Gross_Up_Command()
{
    const GrossUpRule rule = Gross_Up_Rule(fgEJ(), fgBD());
    RuleApplied applied = Apply_Gross_Up_Rule(rule, fgBD());
    if (applied.refusal) {
        messages_.Info(*applied.refusal);
        return;
    }
    cmdTab_Click(3);
    dividend_->Replace_Rows(std::move(applied.fgBD), "배당가산대상금액 계산");
    messages_.Info(Gross_Up_Message(rule, applied.changedRows));
}

frm검토 &frm금융소득2::Open_Review()
{
    if (!review_) {
        review_ = new frm검토(this);
        review_->setAttribute(Qt::WA_DeleteOnClose);
        review_->onChoose = [this](const FindingPlace &place) { Show_Place(place); };
        review_->Place_Beside();
    }
    Update_Review();
    review_->show();
    review_->raise();
    review_->activateWindow();
    return *review_;
}

void frm금융소득2::Update_Review()
{
    if (review_)
        review_->Show_Findings(Review_Work(Current_Work(), panel_->Tax_Lines()));
}

void frm금융소득2::Show_Place(const FindingPlace &place)
{
    switch (place.kind) {
    case FindingPlace::Kind::Register: {
        const bool interest = place.reg == RegisterKind::Interest;
        cmdTab_Click(interest ? 2 : 3);
        RegisterPanel &panel = interest ? static_cast<RegisterPanel &>(*interest_) : *dividend_;
        if (panel.Grid().Is_Data(place.row))
            panel.Show_Row(place.row);
        break;
    }
    case FindingPlace::Kind::Line:
        cmdTab_Click(1);
        panel_->TxtLab4_Click(place.line);
        break;
    case FindingPlace::Kind::Tax:
        cmdTab_Click(1);
        break;
    }
}

void frm금융소득2::Import_Register(RegisterKind kind)
{
    cmdTab_Click(kind == RegisterKind::Interest ? 2 : 3);
    pages_->Import_Register(kind);
}

void frm금융소득2::Export_Register(RegisterKind kind) { pages_->Export_Register(kind); }

void frm금융소득2::closeEvent(QCloseEvent *e)
{
    // The close box and Esc in the line editor: the same question as 종료.
    if (!session_.May_Close()) {
        e->ignore();
        return;
    }
    pages_->Close_Pages();
    if (helpViewer_)
        helpViewer_->close();
    if (review_)
        review_->close();
    e->accept();
}
