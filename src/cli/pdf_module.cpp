// The PDF output of orvanta-calc, loaded only for --pdf: Qt GUI for the
// fonts and QPdfWriter, and no Print Support or Widgets.
#include "cli/pdf.h"

#include "gui/platform/fonts.h"
#include "gui/printing/printer_qt.h"
#include "core/printing/print_page.h"

#include <QFile>
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

extern "C" __attribute__((visibility("default"))) bool orvanta_calc_write_pdf(const Page *sheets, std::size_t count,
                                                                              const char *path, std::string *failure)
{
    Ensure_Gui();
    PdfPrinter printer(QFile::decodeName(path));
    if (const std::optional<std::string> why = Print_Page(std::span(sheets, count), printer)) {
        *failure = *why;
        return false;
    }
    return true;
}
