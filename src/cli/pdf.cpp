#include "cli/pdf.h"
#include "cli/cli_support.h"

#include "platform/fonts.h"
#include "platform/printer_qt.h"
#include "printing/print_page.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

// Text needs a GUI application for its fonts; a PDF needs no display.
void Ensure_Gui()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes about the session (no XDG_RUNTIME_DIR, say) are not the
    // command's to report: standard error is for its own failures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "orvanta-calc: %s\n", message.toLocal8Bit().constData());
    });
    static int argc = 1;
    static char name[] = "orvanta-calc";
    static char *argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
    Install_Korean_Fonts();
}

} // namespace

bool Take_Pdf_Option(const std::vector<std::string> &args, std::size_t &i, std::optional<std::string> &path,
                     std::optional<std::string> &usageError)
{
    const std::string &arg = args[i];
    if (arg.starts_with("--pdf=")) {
        path = arg.substr(6);
    } else if (arg == "--pdf") {
        if (i + 1 >= args.size()) {
            usageError = "--pdf needs a file name";
            return true;
        }
        path = args[++i];
    } else {
        return false;
    }
    if (path->empty())
        usageError = "--pdf needs a file name";
    return true;
}

int Write_Pdf(const Page &page, const std::string &path, std::ostream &err)
{
    Ensure_Gui();
    PdfPrinter printer(QString::fromStdString(path));
    if (const std::optional<std::string> failure = Print_Page(page, printer))
        return Fail(err, *failure);
    return 0;
}
