#include "ui/shell/program.h"

#include "core/common/app_info.h"
#include "gui/platform/fonts.h"
#include "gui/platform/strings.h"
#include "ui/platform/messages_qt.h"
#include "ui/platform/termination_signals.h"
#include "gui/printing/printer_qt.h"
#include "ui/platform/utf8_locale.h"
#include "ui/shell/main_window.h"
#include "ui/shell/program_icon.h"
#include "ui/shell/splash.h"
#include "gui/shell/splash_art.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string_view>
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

namespace {

// All of the set-up but the window font.
void Setup_Application_Without_Font(QApplication &app)
{
    Use_Utf8_Ctype();
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
}

} // namespace

void Setup_Application(QApplication &app)
{
    Setup_Application_Without_Font(app);
    app.setFont(Window_Font());
}

namespace {

constexpr const char *kProgramUsage = "사용법: orvanta [FILE | --help | --version]\n"
                                      "이자·배당 금융소득자의 종합소득산출세액을 계산하는 2005 Orvanta를 엽니다.\n"
                                      "  FILE       납세자 파일(*.orvanta)을 주 화면이 열린 뒤 엽니다.\n"
                                      "  --help     이 도움말을 쓰고 끝냅니다.\n"
                                      "  --version  버전을 쓰고 끝냅니다.\n";

// --help and --version answer on standard output without a window, or a
// display; nullopt when the program is to start.
std::optional<int> Answer_Without_Window(int argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;
    const std::string_view arg = argv[1];
    std::string text;
    if (arg == "--version")
        text = std::string("orvanta ") + kVersionText + "\n";
    else if (arg == "--help" || arg == "-h")
        text = kProgramUsage;
    else
        return std::nullopt;
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 2;
}

} // namespace

int Run_Program(int &argc, char **argv, const std::function<void(QApplication &)> &started)
{
    if (const std::optional<int> status = Answer_Without_Window(argc, argv))
        return *status;
    QApplication app(argc, argv);
    if (started)
        started(app);
    Setup_Application_Without_Font(app);
    // Listing the fonts (fontconfig's configuration, then every installed
    // font) takes longer than anything else before the first window, and the
    // splash needs none: its texts and its button are pictures. It starts
    // with the window font as this build resolved it, a font named but not
    // loaded; the main window's loading resolves it here (Program).
    QFont named;
    named.fromString(QString::fromUtf8(kSplashWindowFont));
    app.setFont(named);
    // Qt has taken its own options out of the arguments by now.
    const QStringList args = app.arguments();
    if (args.size() > 2 || (args.size() == 2 && args[1].startsWith(QChar('-')) && args[1] != QStringLiteral("-"))) {
        std::fprintf(stderr, "orvanta: 알 수 없는 인수입니다: %s\n\n%s", args.mid(1).join(' ').toUtf8().constData(),
                     kProgramUsage);
        return 2;
    }
    // The file's name as the bytes it was given in: a name that is not
    // UTF-8 would not survive the trip through QString.
    Program program(args.size() == 2 && argc == 2 ? std::string(argv[1]) : std::string());
    return app.exec();
}

namespace {

// 프린터 선택: the system's print dialog, starting at the printer in use;
// the one chosen serves every later print of the run.
void Choose_Printer(QWidget *parent, SystemPrinter &printer)
{
    const QPrinterInfo current =
        printer.Chosen_Printer().isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printer.Chosen_Printer());
    QPrinter choice(current);
    QPrintDialog dialog(&choice, parent);
    dialog.setWindowTitle(QString::fromUtf8("프린터 선택"));
    dialog.setOptions({}); // a printer only: PDF로 저장 makes files
    if (dialog.exec() == QDialog::Accepted && choice.outputFormat() == QPrinter::NativeFormat)
        printer.Use_Printer(choice.printerName());
}

} // namespace

struct Program::Impl {
    QtMessages messages;
    SystemPrinter printer;
    std::unique_ptr<frm금융소득2> main;
    QPointer<frmSplash> splash;
};

Program::Program(const std::string &file) : impl_(std::make_unique<Impl>())
{
    Impl *impl = impl_.get();
    const auto load = [impl] {
        if (!impl->main) {
            QApplication::setFont(Window_Font());
            impl->main = std::make_unique<frm금융소득2>(impl->messages, impl->printer);
            impl->main->Pages().choosePrinter = [impl] { Choose_Printer(impl->main.get(), impl->printer); };
            WorkSession &session = impl->main->Session();
            session.Use_Recovery(S(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)));
            Watch_Termination_Signals(impl->main.get(), [&session](int) {
                session.End_By_Signal();
                QCoreApplication::quit();
            });
        }
    };
    impl_->splash = new frmSplash([impl, load, file] {
        load();
        impl->main->show();
        // It takes over the keyboard from the splash, also where no window
        // manager would make it the active window.
        impl->main->activateWindow();
        // Once the window is up, so that a refusal or a question shows over
        // it: the file named, then the work an ended run left unsaved.
        QTimer::singleShot(0, impl->main.get(), [main = impl->main.get(), file] {
            if (!file.empty())
                main->Open_File(file);
            main->Session().Offer_Recovery();
        });
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
