#include "printing/print_preview.h"

#include "platform/twips.h"
#include "printing/page_form.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>

frm_Print::frm_Print()
{
    setWindowTitle(QString::fromUtf8("인쇄"));
    setAttribute(Qt::WA_DeleteOnClose);

    area_ = new QMdiArea(this);
    area_->setBackground(palette().brush(QPalette::Dark)); // the application workspace colour
    // A page taller than the window scrolls.
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

    // 9000 × 11200 twips, and its frame, on the screen as a whole: on a
    // small screen it is shorter and the page scrolls within it. It opens at
    // the top right, leaving the main window's left side in sight.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size = Twips_Size(9000, 11200).boundedTo(screen.size() - kFrameAllowance);
    resize(size);
    move(screen.right() + 1 - size.width() - kFrameAllowance.width(), screen.top());
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
