#include "shell/program.h"

#include "common/app_info.h"
#include "platform/fonts.h"
#include "platform/messages_qt.h"
#include "platform/printer_qt.h"
#include "shell/main_window.h"
#include "shell/program_icon.h"
#include "shell/splash.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

void Install_Korean_Translation(QApplication &app)
{
    // Qt's own texts (예, 아니요, 확인, 취소 on the standard buttons) in
    // Korean whatever the desktop's locale: the program is Korean throughout.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

void Setup_Application(QApplication &app)
{
    app.setApplicationName(QStringLiteral("orvanta"));
    // No display name: on X11 Qt would append it to every window title
    // ("2005 Orvanta(금융소득자용) — 2005 Orvanta"). The message boxes name
    // the application title themselves.
    app.setApplicationVersion(QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kAppId));
    // Every window's icon, the preview's pages and the message boxes included.
    QApplication::setWindowIcon(Program_Icon());
    Install_Korean_Fonts();
    Install_Korean_Translation(app);
    app.setFont(Design_Font(kGulim, 9.75));
}

int Run_Program(int &argc, char **argv, const std::function<void(QApplication &)> &started)
{
    FontConfigPreload fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    if (started)
        started(app);
    Setup_Application(app);
    Program program;
    return app.exec();
}

struct Program::Impl {
    QtMessages messages;
    SystemPrinter printer;
    std::unique_ptr<frm금융소득2> main;
    QPointer<frmSplash> splash;
};

Program::Program() : impl_(std::make_unique<Impl>())
{
    Impl *impl = impl_.get();
    const auto load = [impl] {
        if (!impl->main)
            impl->main = std::make_unique<frm금융소득2>(impl->messages, impl->printer);
    };
    impl_->splash = new frmSplash([impl, load] {
        load();
        impl->main->show();
        // It takes over the keyboard from the splash, also where no window
        // manager would make it the active window.
        impl->main->activateWindow();
    });
    // While the splash waits for the user, the main window is loaded and
    // drawn once off screen, which readies its fonts and glyphs, so that it
    // opens at once on the dismissal. It shows nothing and asks nothing
    // before it is shown.
    impl_->splash->whileWaiting = [impl, load] {
        load();
        impl->main->grab();
    };
    impl_->splash->show();
}

Program::~Program()
{
    delete impl_->splash;
    impl_->main.reset();
}
