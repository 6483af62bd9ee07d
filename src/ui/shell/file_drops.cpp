#include "ui/shell/file_drops.h"

#include "gui/platform/strings.h"
#include "ui/registers/register_panel.h"
#include "ui/shell/work_session.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

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

} // namespace

FileDrops::FileDrops(QWidget *window, WorkSession &session, std::function<RegisterPanel *(QObject *)> panelAt)
    : QObject(window), session_(session), panelAt_(std::move(panelAt))
{
    window->setAcceptDrops(true);
    for (QWidget *child : window->findChildren<QWidget *>())
        child->installEventFilter(this);
}

bool FileDrops::eventFilter(QObject *watched, QEvent *event) { return Handle(watched, event); }

bool FileDrops::Handle(QObject *target, QEvent *e)
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
        RegisterPanel *panel = file.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? panelAt_(target) : nullptr;
        // Done once the drop has ended: the dragging program waits on it.
        QTimer::singleShot(0, this, [this, file, panel] {
            if (panel)
                panel->Import_File(file, "끌어놓기");
            else if (session_.Guard())
                session_.Open_File(S(file));
        });
        return true;
    }
    default:
        return false;
    }
}
