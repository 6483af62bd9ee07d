#include "ui/printing/print_preview.h"

#include "gui/platform/twips.h"
#include "ui/printing/page_form.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

namespace {

// A scroll bar of the workspace that steps by a few lines and by the
// window, however tall the page: QMdiArea would step by a twentieth of it
// and by the whole of it, a sheet or more a turn of the wheel once a long
// register's page runs on to dozens of sheets.
class PreviewScrollBar final : public QScrollBar {
public:
    PreviewScrollBar(Qt::Orientation orientation, QMdiArea *area) : QScrollBar(orientation), area_(area) {}

protected:
    void sliderChange(SliderChange change) override
    {
        if (change == SliderStepsChange) {
            const QSize window = area_->viewport()->size();
            const int line = Twips_To_Px(300);
            const int page = std::max(1, orientation() == Qt::Vertical ? window.height() : window.width());
            if (singleStep() != line || pageStep() != page) {
                setSingleStep(line); // each settles the steps again, to the same values
                setPageStep(page);
                return;
            }
        }
        QScrollBar::sliderChange(change);
    }

private:
    QMdiArea *area_;
};

} // namespace

frm_Print::frm_Print()
{
    setWindowTitle(QString::fromUtf8("인쇄"));
    setAttribute(Qt::WA_DeleteOnClose);

    area_ = new QMdiArea(this);
    area_->setBackground(palette().brush(QPalette::Dark)); // the application workspace colour
    // A page taller than the window scrolls, a long register's sheets one
    // below the other.
    area_->setHorizontalScrollBar(new PreviewScrollBar(Qt::Horizontal, area_));
    area_->setVerticalScrollBar(new PreviewScrollBar(Qt::Vertical, area_));
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);

    mnu_Print = menuBar()->addAction(QString::fromUtf8("인쇄"));
    mnu_Close = menuBar()->addAction(QString::fromUtf8("닫기"));
    // The menu commands have no access letters: Ctrl+P, the usual key, prints.
    // (Ctrl+W and Ctrl+F4 already close the page, through its frame.)
    mnu_Print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(mnu_Print, &QAction::triggered, this, [this] { mnu_Print_Click(); });
    connect(mnu_Close, &QAction::triggered, this, [this] { mnu_Close_Click(); });

    Fit_Outer_Size();
}

void frm_Print::Fit_Outer_Size()
{
    // 9000 × 11200 twips are the window's outer size, frame included (as
    // the statement's 11280 is its own); on a small screen it is shorter and
    // the page scrolls within it. It opens at the top right, leaving the
    // main window's left side in sight.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize outer = Twips_Size(9000, 11200).boundedTo(screen.size());
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    resize(outer.shrunkBy(frame));
    move(screen.right() + 1 - outer.width(), screen.top());
}

bool frm_Print::event(QEvent *e)
{
    // The window manager frames the window only once it is shown, and tells
    // its size with a move; the first frame seen sets the size once.
    // (Only these two: after others, a deferred delete say, the window may be gone.)
    if (e->type() != QEvent::Show && e->type() != QEvent::Move)
        return QMainWindow::event(e);
    const bool result = QMainWindow::event(e);
    if (!frameFitted_ && windowHandle() && !windowHandle()->frameMargins().isNull()) {
        frameFitted_ = true;
        Fit_Outer_Size();
    }
    return result;
}

void frm_Print::show_print(PageForm *page)
{
    page_ = page;
    show();
    raise();
    activateWindow();

    auto *frame = qobject_cast<QMdiSubWindow *>(page->parentWidget());
    if (!frame || frame->mdiArea() != area_) {
        frame = area_->addSubWindow(page);
        frame->setWindowTitle(page->windowTitle());
        frame->move(0, 0);
        // A preview whose last page has closed (by Esc on the statement, or
        // its frame's own close) has nothing left to show: it closes too.
        connect(frame, &QObject::destroyed, this, [this] {
            if (area_->subWindowList().isEmpty())
                close();
        }, Qt::QueuedConnection);
    }
    frame->show();
    page->show();
    // At the page's own size: its client area, or the outer height it sets itself.
    const QMargins margins = frame->contentsMargins();
    const QSize client = page->Client_Size();
    const int outer = page->Outer_Height();
    frame->resize(client.width() + margins.left() + margins.right(),
                  outer > 0 ? Twips_To_Px(outer) : client.height() + margins.top() + margins.bottom());
    area_->setActiveSubWindow(frame);
    // The statement page takes its keys itself (Ctrl+arrows, Esc).
    page->setFocus();
}

void frm_Print::mnu_Print_Click()
{
    if (page_)
        page_->Fun_인쇄();
}

void frm_Print::mnu_Close_Click()
{
    if (page_)
        page_->close();
    close();
}
