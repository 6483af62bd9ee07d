#include "ui/help/help_viewer.h"

#include "core/common/text.h"
#include "core/help/print_text.h"
#include "gui/platform/fonts.h"
#include "core/common/messages.h"
#include "ui/help/rich_text_box.h"
#include "gui/platform/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace {

// Design, in twips: the client area at its screen position, and the controls.
constexpr TwipsRect kWindow = {5400, 1140, 5835, 4545};
constexpr TwipsRect kTabs1 = {75, 75, 5685, 3555};
constexpr TwipsRect kRich1 = {195, 510, 5415, 2880};
constexpr TwipsRect kCmd1[2] = {{2910, 3705, 1395, 360}, {4365, 3705, 1395, 360}};
constexpr TwipsRect kLabel1_2 = {195, 3795, 1395, 180};
constexpr const char *kTabCaptions[2] = {"계산서작성요령", "프로그램사용법"};
constexpr const char *kCmdCaptions[2] = {"인쇄(&P)", "닫기(&Q)"};

// The window's width as designed counts its borders, 120 twips beyond the
// client area; the scale is taken past a further 135.
constexpr double kBorderWidth = 120;
constexpr double kDesignWidth = kWindow.width + kBorderWidth;
constexpr double kScaleOffset = 135;

// Enough of the title bar to take hold of the window with the mouse.
const QSize kGrip(120, 24);

// The design place scaled across by `ratio` and moved or stretched down by `dy`.
QRect Scaled(const TwipsRect &p, double ratio, int dy, bool moveDown, bool stretch)
{
    const int left = static_cast<int>(std::lround(p.left * ratio));
    const int width = static_cast<int>(std::lround(p.width * ratio));
    return Twips_Rect(left, p.top + (moveDown ? dy : 0), width, p.height + (stretch ? dy : 0));
}

// A window whose stored size exceeds its screen is shrunk to it, and one
// that no screen shows enough of to take hold of is brought onto the
// nearest screen.
void Keep_On_Screen(QWidget &window)
{
    const QRect frame(window.pos(), window.size() + kFrameAllowance);
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    window.resize(window.size().boundedTo(room.size() - kFrameAllowance).expandedTo(window.minimumSize()));

    const QRect grip(window.pos(), kGrip);
    const auto screens = QGuiApplication::screens();
    const bool held = std::any_of(screens.begin(), screens.end(), [&](const QScreen *s) {
        const QRect seen = s->availableGeometry().intersected(grip);
        return seen.width() >= kGrip.width() && seen.height() >= kGrip.height();
    });
    if (held)
        return;
    const QSize outer = window.size() + kFrameAllowance;
    const int x = std::clamp(window.x(), room.left(), std::max(room.left(), room.right() + 1 - outer.width()));
    const int y = std::clamp(window.y(), room.top(), std::max(room.top(), room.bottom() + 1 - outer.height()));
    window.move(x, y);
}

} // namespace

bool Load_Placement(QWidget &window, WindowPlacement &record, int n, int applySize, const QString &appPath)
{
    const QString file = QDir(appPath).filePath(QString::fromUtf8(kPlacementFile));
    const std::optional<WindowPlacement> read = Read_Placement(file.toStdString(), n);
    if (!read)
        return false;
    record = *read;
    if (record.Stored()) {
        window.move(Twips_To_Px(record.left), Twips_To_Px(record.top));
        if (applySize == 1)
            window.resize(Twips_To_Px(record.width), Twips_To_Px(record.height));
    }
    return true;
}

mod도움말::mod도움말(Messages &messages, Printer &printer, QString appPath)
    : messages_(messages), printer_(printer), appPath_(std::move(appPath))
{
    setWindowTitle(QString::fromUtf8("도움말"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(Design_Font(kGulim, 9));
    setMinimumSize(Twips_Size(kWindow.width, kWindow.height));

    Tabs1 = new QTabWidget(this);
    Tabs1->setAccessibleName(QString::fromUtf8("도움말 문서"));
    for (const char *caption : kTabCaptions)
        Tabs1->addTab(new QWidget, QString::fromUtf8(caption));
    Rich1 = new RichTextBox(this, Design_Font(kGulim, 15.75));
    for (int i = 0; i < 2; ++i) {
        Cmd1[i] = new QPushButton(QString::fromUtf8(kCmdCaptions[i]), this);
        connect(Cmd1[i], &QPushButton::clicked, this, [this, i] { Cmd1_Click(i); });
    }
    Label1_2 = new QLabel(QString::fromUtf8("도움말 보기는 F1"), this);
    QPalette palette = Label1_2->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 192));
    Label1_2->setPalette(palette);

    // The window sees Esc before its controls, wherever the focus is.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, [this] { close(); });

    Form_Load();
    connect(Tabs1, &QTabWidget::currentChanged, this, [this] { Tabs1_Click(); });
}

void mod도움말::Form_Load()
{
    resize(Twips_Size(kWindow.width, kWindow.height));
    move(Twips_To_Px(kWindow.left), Twips_To_Px(kWindow.top));
    for (const auto &[widget, place] : {std::pair<QWidget *, TwipsRect>{Tabs1, kTabs1},
                                        {Rich1, kRich1},
                                        {Cmd1[0], kCmd1[0]},
                                        {Cmd1[1], kCmd1[1]},
                                        {Label1_2, kLabel1_2}})
        widget->setGeometry(Twips_Rect(place));
    Rich1->raise();

    // A placement file that cannot be opened or created leaves the design
    // placement: the viewer still opens.
    WindowPlacement placement;
    Load_Placement(*this, placement, kHelpPlacementRecord, 1, appPath_);
    Keep_On_Screen(*this);
    CurTab = placement.CurTab;
    if (CurTab < 0 || CurTab >= Tabs1->count())
        CurTab = 0;
    {
        const QSignalBlocker quiet(Tabs1);
        Tabs1->setCurrentIndex(CurTab);
    }
    Tabs1_Click();
}

void mod도움말::Form_Activate()
{
    if (Activated)
        return;
    Tabs1->setCurrentIndex(CurTab);
    if (isMinimized())
        showNormal();
    Activated = true;
    Form_Resize();
    if (CurTab == 0)
        Rich1->setFocus();
    Rich1->raise();
}

void mod도움말::Form_Resize()
{
    if (isMinimized() || !Activated)
        return;
    const int width = Px_To_Twips(this->width());
    const int height = Px_To_Twips(this->height());
    // Computed from the design places each time, so repeated resizing
    // neither drifts nor creeps.
    const double ratio = (width + kBorderWidth - kScaleOffset) / (kDesignWidth - kScaleOffset);
    const int dy = height - kWindow.height;
    Tabs1->setGeometry(Scaled(kTabs1, ratio, dy, false, true));
    Rich1->setGeometry(Scaled(kRich1, ratio, dy, false, true));
    Cmd1[0]->setGeometry(Scaled(kCmd1[0], ratio, dy, true, false));
    Cmd1[1]->setGeometry(Scaled(kCmd1[1], ratio, dy, true, false));
    Label1_2->setGeometry(Scaled(kLabel1_2, ratio, dy, true, false));
}

void mod도움말::Tabs1_Click()
{
    CurTab = Tabs1->currentIndex();
    HelpPath = QDir(appPath_).filePath(QString::fromStdString(Get_Field(kHelpDocuments, ",", CurTab)) + ".rtf");
    Rich1->setAccessibleName(Tabs1->tabText(CurTab)); // the document, as a screen reader names it
    if (!Rich1->LoadFile(HelpPath))
        messages_.Info(kHelpMissing);
}

void mod도움말::Show_Document(int tab)
{
    if (tab != Tabs1->currentIndex())
        Tabs1->setCurrentIndex(tab); // loads it, as a click does
}

void mod도움말::Keep_Size(QSize size)
{
    resize(size);
    Keep_On_Screen(*this);
}

void mod도움말::Cmd1_Click(int index)
{
    if (index == 0) {
        if (Print_Text(Rich1->Plain_Text(), printer_))
            messages_.Info(kNoPrinter);
    } else if (index == 1) {
        close();
    }
}

bool mod도움말::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(e);
}

void mod도움말::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void mod도움말::closeEvent(QCloseEvent *e)
{
    if (isMinimized())
        showNormal();
    if (closing)
        closing(size());
    e->accept();
}
