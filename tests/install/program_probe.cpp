// Preloaded (LD_PRELOAD) into an installed, unchanged orvanta, which no
// outside input reaches on the offscreen platform. It starts with the
// QApplication and, by ORVANTA_PROBE:
//   help            dismisses the splash with a key, waits for the main window
//                   and prints the help panel's text, then quits (status 0);
//   input-contexts  prints Qt's platform input context plugins, each with its
//                   keys once loaded, then quits.
// Anything unexpected (a message box, a missing window, no text in time)
// ends the run at once with "probe: ..." and status 3.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPluginLoader>
#include <QTextBrowser>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

const char *const kSplashTitle = "2005 Orvanta";
const char *const kMainTitle = "2005 Orvanta(금융소득자용)";
constexpr int kPollMs = 50;
constexpr int kGiveUpMs = 30000;

void Print(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// Exits at once: a nested event loop (a modal box) may be running.
[[noreturn]] void Fail(const QString &why)
{
    Print(QStringLiteral("probe: %1\n").arg(why));
    std::_Exit(3);
}

void List_Input_Contexts()
{
    const QString dir = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforminputcontexts");
    Print(QStringLiteral("directory: %1\n").arg(dir));
    const QFileInfoList files = QDir(dir).entryInfoList({QStringLiteral("*.so")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        QPluginLoader loader(file.absoluteFilePath());
        QStringList keys;
        const QJsonArray metaKeys =
            loader.metaData().value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
        for (const QJsonValue &key : metaKeys)
            keys << key.toString();
        // Loaded for real: a plugin whose libraries are missing fails here.
        const bool loads = loader.instance() != nullptr;
        Print(QStringLiteral("plugin: %1 keys=%2 %3\n")
                  .arg(file.fileName(), keys.join(QLatin1Char(',')),
                       loads ? QStringLiteral("loads") : QStringLiteral("fails: ") + loader.errorString()));
    }
}

QWidget *Visible_Window(const char *title)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == QString::fromUtf8(title) && !qobject_cast<QMessageBox *>(w))
            return w;
    return nullptr;
}

class HelpProbe : public QObject {
public:
    explicit HelpProbe(QObject *parent) : QObject(parent)
    {
        clock_.start();
        connect(&timer_, &QTimer::timeout, this, [this] { Step(); });
        timer_.start(kPollMs);
    }

private:
    void Step()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                Fail(QStringLiteral("message box: %1").arg(box->text()));

        if (QWidget *main = Visible_Window(kMainTitle)) {
            const QList<QTextBrowser *> views = main->findChildren<QTextBrowser *>();
            if (views.size() != 1)
                Fail(QStringLiteral("%1 rich-text views in the main window").arg(views.size()));
            const QString text = views.front()->toPlainText();
            if (!text.isEmpty()) {
                timer_.stop();
                Print(QStringLiteral("help panel:\n%1\n").arg(text));
                QCoreApplication::quit();
                return;
            }
        } else if (QWidget *splash = Visible_Window(kSplashTitle); splash && !keySent_) {
            // Through the window, as typed input arrives: it goes to the
            // focused widget.
            QWindow *window = splash->windowHandle();
            if (window && window->isExposed()) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
                QCoreApplication::sendEvent(window, &press);
                QCoreApplication::sendEvent(window, &release);
                keySent_ = true;
                Print(QStringLiteral("probe: a key to the splash\n"));
            }
        }
        if (clock_.elapsed() > kGiveUpMs)
            Fail(keySent_ ? QStringLiteral("no help text in the main window") : QStringLiteral("no splash window"));
    }

    QTimer timer_;
    QElapsedTimer clock_;
    bool keySent_ = false;
};

void Start_Probe()
{
    const QByteArray mode = qgetenv("ORVANTA_PROBE");
    // Queued: the application is still being constructed.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [mode] {
            if (mode == "input-contexts") {
                List_Input_Contexts();
                QCoreApplication::quit();
            } else if (mode == "help" || mode.isEmpty()) {
                new HelpProbe(QCoreApplication::instance());
            } else {
                Fail(QStringLiteral("unknown ORVANTA_PROBE '%1'").arg(QString::fromLocal8Bit(mode)));
            }
        },
        Qt::QueuedConnection);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(Start_Probe)
