#include "shell/main_window.h"

#include "common/app_info.h"
#include "computation/computation_panel.h"
#include "computation/statement_form.h"
#include "help/help_panel.h"
#include "files/input_source.h"
#include "platform/designed_colours.h"
#include "platform/field_box.h"
#include "platform/file_dialogs.h"
#include "platform/focus_hook.h"
#include "platform/fonts.h"
#include "platform/messages.h"
#include "platform/twips.h"
#include "printing/page_form.h"
#include "printing/print_preview.h"
#include "registers/dividend_panel.h"
#include "registers/interest_panel.h"
#include "platform/printer_qt.h"
#include "printing/print_page.h"
#include "registers/carried_lines.h"
#include "registers/regrouping.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSessionManager>
#include <QSettings>
#include <QTimer>
#include <QUrl>
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
constexpr const char *kCaption = "2005 Orvanta(금융소득자용)";
constexpr const char *kAskSave = "변경된 내용을 저장하시겠습니까?";
constexpr const char *kExtension = ".orvanta";
constexpr int kRecentFiles = 8;

// Recent files and the last folder, kept per user.
QSettings Settings() { return QSettings(QStringLiteral("orvanta"), QStringLiteral("orvanta")); }
QStringList Recent_Files() { return Settings().value(QStringLiteral("files/recent")).toStringList(); }
QString Last_Folder()
{
    return Settings().value(QStringLiteral("files/lastFolder"), QDir::homePath()).toString();
}

// The first local file of a drag, or an empty text.
QString Dragged_File(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

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
    setWindowTitle(QString::fromUtf8(kCaption));
    setFont(Window_Font());
    // The designed window is the client area below the menu bar, which
    // keeps its size and every position; the window grows by the bar.
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
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { Open_Help_Viewer(); });

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

    txtLblHelp = new LabelBox(QString::fromUtf8("도움말"), client_);
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

    txtHelp = new QTextEdit(client_);
    txtHelp->setGeometry(Twips_Rect(960, 6960, 8415, 430));
    txtHelp->setReadOnly(true);
    txtHelp->setFocusPolicy(Qt::NoFocus);
    txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHelp->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    txtHelp->setLineWidth(1);
    txtHelp->document()->setDocumentMargin(0);
    txtHelp->setAccessibleName(QString::fromUtf8("도움말 줄"));
    Tool_Tip_Colours(txtHelp);

    for (int n = 1; n <= 4; ++n) {
        QWidget *owner = n == 4 ? client_ : panel_;
        CmdArray1[n] = new QPushButton(QString::fromUtf8(kCommands[n].caption), owner);
        CmdArray1[n]->setGeometry(Twips_Rect(kCommands[n].place));
        connect(CmdArray1[n], &QPushButton::clicked, this, [this, n] { CmdArray1_Click(n); });
    }

    const auto setHelp = [this](const QString &text) { Show_Help(text); };
    panel_->setHelp = setHelp;
    interest_->setHelp = setHelp;
    dividend_->setHelp = setHelp;
    panel_->onEscape = [this] { close(); };
    panel_->onHelpKey = [this] { Open_Help_Viewer(); };
    panel_->onCarry = [this] { Carry_Register_Totals(); };
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *focus) {
        if (focus && focus != windowHandle())
            fromModalBox_ = focus->modality() != Qt::NonModal;
    });
    interest_->onPrint = [this] { Print_Interest(); };
    interest_->onImport = [this] { Import_Register(0); };
    interest_->onExport = [this] { Export_Register(0); };
    dividend_->onImport = [this] { Import_Register(1); };
    dividend_->onExport = [this] { Export_Register(1); };
    dividend_->onPrint = [this] { Print_Dividend(); };

    // Every change of the work may change the title's marker.
    interest_->onChanged = [this] { Work_Edited(); };
    dividend_->onChanged = [this] { Work_Edited(); };
    for (QLineEdit *box : panel_->TxtLab4)
        connect(box, &QLineEdit::textChanged, this, [this] { Work_Edited(); });
    connect(panel_->txtMove1[0], &QLineEdit::textChanged, this, [this] { Work_Edited(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &session) {
        if (!Session_Ending(session.allowsInteraction()))
            session.cancel();
    });

    ownDialogs_ = std::make_unique<QtFileDialogs>();
    dialogs_ = ownDialogs_.get();
    Build_Menu();

    // A file dropped anywhere on the window, also on a field that takes
    // dropped text, is opened rather than typed in.
    setAcceptDrops(true);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);

    Form_Load();
    saved_ = Taxpayer_Json(Current_Work());
}

void frm금융소득2::Build_Menu()
{
    menuBar_ = new QMenuBar(this);
    fileMenu_ = menuBar_->addMenu(QString::fromUtf8("파일(&F)"));
    const auto add = [this](const char *text, QKeySequence keys, auto slot) {
        QAction *action = fileMenu_->addAction(QString::fromUtf8(text));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        addAction(action); // the keys work wherever the focus is in the window
        return action;
    };
    add("새로 만들기(&N)", QKeySequence(Qt::CTRL | Qt::Key_N), [this] { New_File(); });
    add("열기(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O), [this] { Open_File_Command(); });
    recentMenu_ = fileMenu_->addMenu(QString::fromUtf8("최근 파일(&R)"));
    fileMenu_->addSeparator();
    add("저장(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { Save_File(); });
    add("다른 이름으로 저장(&A)...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { Save_File_As(); });
    fileMenu_->addSeparator();
    add("이자소득명세 가져오기(&I)...", {}, [this] { Import_Register(0); });
    add("배당소득명세 가져오기(&D)...", {}, [this] { Import_Register(1); });
    add("이자소득명세 내보내기(&E)...", {}, [this] { Export_Register(0); });
    add("배당소득명세 내보내기(&V)...", {}, [this] { Export_Register(1); });
    fileMenu_->addSeparator();
    add("프린터 선택(&P)...", {}, [this] {
        if (onChoosePrinter)
            onChoosePrinter();
    });
    add("PDF로 저장(&F)...", {}, [this] { Save_Pdf_Command(); });
    fileMenu_->addSeparator();
    add("끝내기(&X)", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { CmdArray1_Click(4); });
    Rebuild_Recent_Menu();

    // F3 works wherever the focus is, the line editor included.
    QMenu *tools = menuBar_->addMenu(QString::fromUtf8("도구(&T)"));
    QAction *carry = tools->addAction(QString::fromUtf8("명세 합계를 계산서로 옮기기(&M)"));
    carry->setShortcut(QKeySequence(Qt::Key_F3));
    connect(carry, &QAction::triggered, this, [this] { Carry_Register_Totals(); });
    addAction(carry);

    const int barHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, client_->width(), barHeight);
    client_->move(0, barHeight);
    setFixedSize(client_->width(), barHeight + client_->height());
}

void frm금융소득2::Rebuild_Recent_Menu()
{
    recentMenu_->clear();
    const QStringList files = Recent_Files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction *action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        connect(action, &QAction::triggered, this, [this, path] { Open_File(S(path)); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void frm금융소득2::Remember_File(const std::string &path)
{
    const QString full = QFileInfo(Q(path)).absoluteFilePath();
    QStringList files = Recent_Files();
    files.removeAll(full);
    files.prepend(full);
    while (files.size() > kRecentFiles)
        files.removeLast();
    QSettings settings = Settings();
    settings.setValue(QStringLiteral("files/recent"), files);
    settings.setValue(QStringLiteral("files/lastFolder"), QFileInfo(full).absolutePath());
    Rebuild_Recent_Menu();
}

TaxpayerWork frm금융소득2::Current_Work() const
{
    return {interest_->Grid(), dividend_->Grid(), panel_->Line_Texts()};
}

bool frm금융소득2::Work_Changed() const { return Taxpayer_Json(Current_Work()) != saved_; }

void frm금융소득2::Work_Edited()
{
    // Called while the window is still being built, before the work has a
    // starting point.
    if (!saved_.empty() && !path_.empty())
        setWindowModified(Work_Changed());
}

void frm금융소득2::Update_Title()
{
    // Qt shows the marker "*" in place of "[*]" while the window is modified.
    if (path_.empty()) {
        setWindowTitle(QString::fromUtf8(kCaption));
        return;
    }
    setWindowTitle(QString::fromUtf8(kCaption) + QStringLiteral(" - ") + QFileInfo(Q(path_)).fileName() +
                   QStringLiteral("[*]"));
    setWindowModified(Work_Changed());
}

bool frm금융소득2::Guard()
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

bool frm금융소득2::Session_Ending(bool mayAsk)
{
    // Without leave to ask, nothing can be done but end.
    if (!mayAsk || Guard()) {
        leaving_ = true;
        return true;
    }
    return false;
}

void frm금융소득2::Load_Work(const TaxpayerWork &work, const std::string &path)
{
    // The statement and the pages shown belonged to the work that goes.
    if (preview_)
        preview_->close();
    if (statement_)
        statement_->close();
    interest_->Replace_Grid(work.interest);
    dividend_->Replace_Grid(work.dividend);
    panel_->Load_Lines(work.lines);
    path_ = path;
    saved_ = Taxpayer_Json(Current_Work());
    Update_Title();
}

void frm금융소득2::New_File()
{
    if (!Guard())
        return;
    Load_Work(Empty_Work(), {});
}

void frm금융소득2::Open_File_Command()
{
    if (!Guard())
        return;
    const std::string name = dialogs_->Open_Name(this, S(Last_Folder()));
    if (!name.empty())
        Open_File(name);
}

bool frm금융소득2::Open_File(const std::string &path)
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
    Remember_File(path);
    return true;
}

bool frm금융소득2::Save_To(const std::string &path)
{
    // Saving takes the line under the editor as leaving it would.
    if (Refuses_Negative(S(panel_->txtMove1[0]->text()), panel_->CurLine)) {
        messages_.Info(kNegativeRefused);
        return false;
    }
    const TaxpayerWork work = Current_Work();
    for (int i = 0; i < kLineCount; ++i) {
        if (const std::optional<std::string> failure = Line_Failure(i, work.lines[i])) {
            messages_.Info(*failure);
            return false;
        }
    }
    const std::string json = Taxpayer_Json(work);
    if (const std::optional<std::string> failure = Write_Atomically(path, json)) {
        messages_.Info(*failure);
        return false;
    }
    path_ = path;
    saved_ = json;
    Remember_File(path);
    Update_Title();
    return true;
}

bool frm금융소득2::Save_File() { return path_.empty() ? Save_File_As() : Save_To(path_); }

bool frm금융소득2::Save_File_As()
{
    const std::string suggested = path_.empty() ? S(Last_Folder()) : path_;
    std::string name = dialogs_->Save_Name(this, suggested);
    if (name.empty())
        return false;
    if (!QFileInfo(Q(name)).fileName().contains(QChar('.')))
        name += kExtension;
    return Save_To(name);
}

bool frm금융소득2::Drag_Event(QObject *target, QEvent *e)
{
    switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(e);
        if (Dragged_File(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(e);
        const QString file = Dragged_File(drop->mimeData());
        if (file.isEmpty())
            return false;
        drop->acceptProposedAction();
        RegisterPanel *panel = nullptr;
        if (file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
            for (QObject *o = target; o && !panel; o = o->parent())
                if (o == interest_ || o == dividend_)
                    panel = &Register_Panel(o == interest_ ? 0 : 1);
        // Done once the drop has ended: the dragging program waits on it.
        QTimer::singleShot(0, this, [this, file, panel] {
            if (panel)
                panel->Import_File(file);
            else if (Guard())
                Open_File(S(file));
        });
        return true;
    }
    default:
        return false;
    }
}

bool frm금융소득2::eventFilter(QObject *watched, QEvent *e)
{
    if (Drag_Event(watched, e))
        return true;
    return QWidget::eventFilter(watched, e);
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
    if (Drag_Event(this, e))
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

frm계산서 &frm금융소득2::Statement()
{
    if (!statement_)
        statement_ = new frm계산서(ComputationInputs, *panel_->txtTot1, printer_, messages_);
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

PageForm &frm금융소득2::Filled_Register_Page(bool interest)
{
    if (interest) {
        Interest_Page().Set_Data(fgEJ());
        return Interest_Page();
    }
    Dividend_Page().Set_Data(fgBD());
    return Dividend_Page();
}

void frm금융소득2::Print_Interest() { Preview().show_print(&Filled_Register_Page(true)); }

void frm금융소득2::Print_Dividend() { Preview().show_print(&Filled_Register_Page(false)); }

bool frm금융소득2::Statement_For_Page()
{
    if (panel_->txtTot1->text().isEmpty()) {
        messages_.Info(kPrintBeforeCompute);
        return false;
    }
    Statement().Clear_Values();
    return Gather_Statement_Inputs();
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
    // 종료 asks first about changed work; 취소 leaves everything as it was.
    if (n == 4) {
        if (!Guard())
            return;
        leaving_ = true;
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
        if (!Statement_For_Page())
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

void frm금융소득2::Carry_Register_Totals()
{
    if (!panel_->isVisible())
        cmdTab_Click(1);
    panel_->Carry_Lines(Carried_Lines(fgEJ(), fgBD()));
}

PageForm *frm금융소득2::Page_For_Pdf()
{
    if (preview_ && preview_->isVisible() && preview_->Shown_Page())
        return preview_->Shown_Page();
    for (int which : {0, 1})
        if (Register_Panel(which).isVisible())
            return Register_Panel(which).Printable() ? &Filled_Register_Page(which == 0) : nullptr;
    if (panel_->isVisible()) {
        if (panel_->Refuse_Negative())
            return nullptr;
        panel_->Commit_Editor();
        if (!Statement_For_Page())
            return nullptr;
        Statement().Calc_Val();
        return &Statement();
    }
    messages_.Info("PDF로 저장할 쪽이 없습니다. 명세나 계산서의 화면에서 저장하십시오.");
    return nullptr;
}

RegisterPanel &frm금융소득2::Register_Panel(int which) const
{
    return which == 0 ? static_cast<RegisterPanel &>(*interest_) : *dividend_;
}

void frm금융소득2::Import_Register(int which)
{
    cmdTab_Click(which == 0 ? 2 : 3);
    const std::string name = dialogs_->Open_Name(this, S(Last_Folder()), FileKind::RegisterCsv);
    if (name.empty())
        return;
    Register_Panel(which).Import_File(Q(name));
}

void frm금융소득2::Export_Register(int which)
{
    const char *file = which == 0 ? "이자소득명세.csv" : "배당소득명세.csv";
    const std::string name =
        dialogs_->Save_Name(this, S(QDir(Last_Folder()).filePath(QString::fromUtf8(file))), FileKind::RegisterCsv);
    if (!name.empty())
        Register_Panel(which).Export_File(Q(name));
}

void frm금융소득2::Save_Pdf_Command()
{
    PageForm *page = Page_For_Pdf();
    if (!page)
        return;
    const QString file = page->windowTitle().trimmed() + QStringLiteral(".pdf");
    const std::string name = dialogs_->Save_Name(this, S(QDir(Last_Folder()).filePath(file)), FileKind::Pdf);
    if (!name.empty())
        Save_Pdf(*page, Q(name));
}

bool frm금융소득2::Save_Pdf(PageForm &page, const QString &path)
{
    PdfPrinter pdf(path);
    if (const std::optional<std::string> failure = Print_Page(page.Contents(), pdf)) {
        messages_.Plain(*failure);
        return false;
    }
    return true;
}

void frm금융소득2::closeEvent(QCloseEvent *e)
{
    // The close box and Esc in the line editor: the same question as 종료.
    if (!leaving_ && !Guard()) {
        e->ignore();
        return;
    }
    leaving_ = true;
    if (preview_)
        preview_->close();
    if (statement_)
        statement_->close();
    if (helpViewer_)
        helpViewer_->close();
    e->accept();
}
