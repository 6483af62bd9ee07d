#include "shell/main_window.h"

#include "common/app_info.h"
#include "computation/computation_panel.h"
#include "computation/statement_form.h"
#include "help/help_panel.h"
#include "platform/field_box.h"
#include "platform/focus_hook.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/designed_colours.h"
#include "platform/twips.h"
#include "printing/page_form.h"
#include "printing/print_preview.h"
#include "registers/dividend_panel.h"
#include "registers/interest_panel.h"
#include "registers/regrouping.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QPushButton>
#include <QScreen>
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

constexpr const char *kPrintBeforeCompute = "세액계산 후 이용가능 합니다.";

void Tool_Tip_Colours(QWidget *w)
{
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    palette.setColor(QPalette::Text, palette.color(QPalette::ToolTipText));
    w->setPalette(palette);
}

// txtLblHelp: a locked text box 49 pixels wide, too narrow for the style's
// frame and margins; a thin line of the style's own colour frames it instead.
class LabelBox final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QLineEdit::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

frm금융소득2::frm금융소득2(Messages &messages, Printer &printer, QString appPath)
    : messages_(messages), printer_(printer), appPath_(std::move(appPath))
{
    setWindowTitle(QString::fromUtf8("2005 Orvanta(금융소득자용)"));
    setFont(Design_Font(kGulim, 9.75));
    setFixedSize(Twips_Size(kClientWidth, kClientHeight));

    for (int i = 0; i < 4; ++i) {
        cmdTab[i] = new QPushButton(QString::fromUtf8(kTabCaptions[i]), this);
        cmdTab[i]->setGeometry(Twips_Rect(kTabs[i]));
        connect(cmdTab[i], &QPushButton::clicked, this, [this, i] { cmdTab_Click(i); });
    }

    // The three hidden panels' contents are built after the window is first
    // painted (or when first asked for), so that the window shows sooner.
    help_ = new HelpPanel(this, messages_, appPath_);
    for (int i = 0; i < 4; ++i) {
        QFrame *frame = i == 0 ? help_ : new QFrame(this);
        frame->setGeometry(Twips_Rect(0, kPanelTop, i == 0 ? 11200 : 11295, kPanelHeight));
        frame->setAutoFillBackground(true);
        Designed_Surface(frame, QColor(kPanelColours[i]));
        cFrame[i] = frame;
    }
    // The tab buttons overlap the panels' top edge.
    for (QPushButton *tab : cmdTab)
        tab->raise();

    txtLblHelp = new LabelBox(QString::fromUtf8("도움말"), this);
    txtLblHelp->setGeometry(Twips_Rect(120, 7050, 735, 255));
    txtLblHelp->setReadOnly(true);
    txtLblHelp->setFocusPolicy(Qt::NoFocus);
    QFont bold = font();
    bold.setBold(true);
    txtLblHelp->setFont(bold);
    txtLblHelp->setAlignment(Qt::AlignCenter);
    txtLblHelp->setFrame(false);
    txtLblHelp->setAutoFillBackground(true);
    Tool_Tip_Colours(txtLblHelp);

    txtHelp = new QTextEdit(this);
    txtHelp->setGeometry(Twips_Rect(960, 6960, 8415, 430));
    txtHelp->setReadOnly(true);
    txtHelp->setFocusPolicy(Qt::NoFocus);
    txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHelp->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    txtHelp->setLineWidth(1);
    txtHelp->document()->setDocumentMargin(0);
    Tool_Tip_Colours(txtHelp);

    for (int n = 1; n <= 4; ++n) {
        QWidget *owner = n == 4 ? static_cast<QWidget *>(this) : cFrame[1];
        CmdArray1[n] = new QPushButton(QString::fromUtf8(kCommands[n].caption), owner);
        CmdArray1[n]->setGeometry(Twips_Rect(kCommands[n].place));
        connect(CmdArray1[n], &QPushButton::clicked, this, [this, n] { CmdArray1_Click(n); });
    }

    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *focus) {
        if (focus && focus != windowHandle())
            fromModalBox_ = focus->modality() != Qt::NonModal;
    });

    Form_Load();
}

frm금융소득2::~frm금융소득2()
{
    // The preview takes the pages shown in it along.
    delete preview_;
    delete statement_;
    delete interestPage_;
    delete dividendPage_;
    delete helpViewer_;
}

QLineEdit *frm금융소득2::txtTot1() { return Computation().txtTot1; }

const GridModel &frm금융소득2::fgEJ() { return Interest().fgEJ; }
const GridModel &frm금융소득2::fgBD() { return Dividend().fgBD; }

void frm금융소득2::Form_Load()
{
    // The rest of the start-up, the editor's place and both registers, is
    // each panel's building, below.
    Show_cFrame(0);
}

void frm금융소득2::Fill_Frame(int n, QFrame *contents)
{
    // Over the panel's own colour, under the buttons the frame already holds.
    contents->setGeometry(cFrame[n]->rect());
    contents->lower();
    contents->show();
}

ComputationPanel &frm금융소득2::Computation()
{
    if (panel_)
        return *panel_;
    panel_ = new ComputationPanel(cFrame[1], messages_, ComputationInputs);
    Fill_Frame(1, panel_);
    panel_->setHelp = [this](const QString &text) { Show_Help(text); };
    panel_->onEscape = [this] { close(); };
    panel_->onHelpKey = [this] { Open_Help_Viewer(); };
    panel_->Place_Editor();
    setTabOrder(panel_->txtMove1[0], CmdArray1[1]);
    setTabOrder(CmdArray1[1], CmdArray1[2]);
    setTabOrder(CmdArray1[2], CmdArray1[3]);
    return *panel_;
}

InterestPanel &frm금융소득2::Interest()
{
    if (interest_)
        return *interest_;
    interest_ = new InterestPanel(cFrame[2], messages_);
    Fill_Frame(2, interest_);
    interest_->setHelp = [this](const QString &text) { Show_Help(text); };
    interest_->onPrint = [this] { Print_Interest(); };
    Fill_Codes(interest_->cmbEJ, kInterestLayout.codes);
    interest_->Init_EJ();
    Init_fgEJ(interest_->fgEJ);
    Reset_fg(interest_->fgEJ);
    interest_->Show_Grid();
    interest_->butEJ[2]->setEnabled(false);
    // Built after a tab press, its buttons are as that press left them.
    if (tabPressed_)
        for (QPushButton *button : interest_->butEJ)
            button->setEnabled(false);
    return *interest_;
}

DividendPanel &frm금융소득2::Dividend()
{
    if (dividend_)
        return *dividend_;
    dividend_ = new DividendPanel(cFrame[3], messages_);
    Fill_Frame(3, dividend_);
    dividend_->setHelp = [this](const QString &text) { Show_Help(text); };
    dividend_->onPrint = [this] { Print_Dividend(); };
    Fill_Codes(dividend_->cmbBD, kDividendLayout.codes);
    dividend_->Init_BD();
    Init_fgBD(dividend_->fgBD);
    Reset_fg(dividend_->fgBD);
    dividend_->Show_Grid();
    dividend_->butBD[2]->setEnabled(false);
    if (tabPressed_)
        for (QPushButton *button : dividend_->butBD)
            button->setEnabled(false);
    return *dividend_;
}

void frm금융소득2::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Once the window is on screen, the hidden panels are built while the
    // user reads it (a drawing off screen does not count).
    if (isVisible() && !std::exchange(buildQueued_, true))
        QTimer::singleShot(0, this, [this] {
            Computation();
            Interest();
            Dividend();
        });
}

void frm금융소득2::Show_Help(const QString &text)
{
    txtHelp->setPlainText(text);
    // The font's own line spacing (15 pixels for 굴림 9.75 here) would cut
    // the second line of the longest help text; its pixel size keeps both.
    QTextBlockFormat lines;
    lines.setLineHeight(QFontInfo(txtHelp->font()).pixelSize(), QTextBlockFormat::FixedHeight);
    QTextCursor all(txtHelp->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(lines);
}

void frm금융소득2::Form_Activate()
{
    if (panel_) // lines exist only once the panel is built
        panel_->Regroup_Lines();
    // A message box closing gives the activation back without the user
    // having left the window; reloading then would undo the user's choice
    // of document, and a missing document would ask again for ever.
    if (std::exchange(fromModalBox_, false))
        return;
    help_->Load_Help(0);
}

bool frm금융소득2::event(QEvent *e)
{
    if (e->type() == QEvent::Show && !centred_) {
        centred_ = true;
        if (const QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(e);
}

void frm금융소득2::Show_cFrame(int n)
{
    for (int i = 0; i < static_cast<int>(cFrame.size()); ++i)
        cFrame[i]->setVisible(i == n);
}

void frm금융소득2::cmdTab_Click(int n)
{
    tabPressed_ = true;
    Show_cFrame(n);
    if (n == 1)
        Computation();
    else if (n == 2)
        Interest();
    else if (n == 3)
        Dividend();
    for (int i = 1; i <= 3; ++i)
        CmdArray1[i]->setEnabled(false);
    if (interest_)
        for (QPushButton *button : interest_->butEJ)
            button->setEnabled(false);
    if (dividend_)
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

frm계산서 &frm금융소득2::Statement()
{
    if (!statement_)
        statement_ = new frm계산서(ComputationInputs, *Computation().txtTot1, printer_, messages_);
    return *statement_;
}

frm_Print &frm금융소득2::Preview()
{
    if (!preview_)
        preview_ = new frm_Print;
    return *preview_;
}

frm이자소득 &frm금융소득2::Interest_Page()
{
    if (!interestPage_)
        interestPage_ = new frm이자소득(printer_, messages_);
    return *interestPage_;
}

frm배당소득 &frm금융소득2::Dividend_Page()
{
    if (!dividendPage_)
        dividendPage_ = new frm배당소득(printer_, messages_);
    return *dividendPage_;
}

mod도움말 &frm금융소득2::Open_Help_Viewer()
{
    if (!helpViewer_)
        helpViewer_ = new mod도움말(messages_, printer_, appPath_);
    helpViewer_->show();
    helpViewer_->raise();
    helpViewer_->activateWindow();
    return *helpViewer_;
}

void frm금융소득2::Print_Interest()
{
    frm이자소득 &page = Interest_Page();
    page.Set_Data(fgEJ());
    Preview().show_print(&page);
}

void frm금융소득2::Print_Dividend()
{
    frm배당소득 &page = Dividend_Page();
    page.Set_Data(fgBD());
    Preview().show_print(&page);
}

bool frm금융소득2::Gather_Statement_Inputs()
{
    if (!panel_->Gather_Inputs())
        return false;
    // Amounts near the largest double can make a line of the statement
    // overflow; nothing is computed from them.
    if (StatementEngine::Would_Overflow(ComputationInputs)) {
        messages_.Plain(kAmountTooLarge);
        return false;
    }
    return true;
}

void frm금융소득2::CmdArray1_Click(int n)
{
    Computation(); // Commit_Editor, the first step of every command, needs the editor
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
        if (!Gather_Statement_Inputs())
            return;
        // Shown inside the preview, the statement hides with its frame.
        if (auto *frame = qobject_cast<QMdiSubWindow *>(Statement().parentWidget()))
            frame->hide();
        Statement().hide();
        if (preview_)
            preview_->hide();
        Statement().Calc_Val();
        break;
    case 3: // 인쇄: the preview shows the statement, computed afresh
        if (panel_->txtTot1->text().isEmpty()) {
            messages_.Info(kPrintBeforeCompute);
            return;
        }
        Statement().Clear_Values();
        if (!Gather_Statement_Inputs())
            return;
        Preview().show_print(&Statement());
        Statement().Calc_Val();
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

void frm금융소득2::closeEvent(QCloseEvent *e)
{
    if (preview_)
        preview_->close();
    if (statement_)
        statement_->close();
    if (helpViewer_)
        helpViewer_->close();
    e->accept();
}
