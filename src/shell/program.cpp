#include "shell/program.h"

#include "common/app_info.h"
#include "platform/fonts.h"
#include "platform/messages_qt.h"
#include "platform/printer_qt.h"
#include "shell/main_window.h"

#include <QApplication>

void Setup_Application(QApplication &app)
{
    app.setApplicationName(QStringLiteral("orvanta"));
    // No display name: on X11 Qt would append it to every window title
    // ("2005 Orvanta(금융소득자용) — 2005 Orvanta"). The message boxes name
    // the application title themselves.
    app.setApplicationVersion(QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    Install_Korean_Fonts();
    app.setFont(Design_Font(kGulim, 9.75));
}

struct Program::Impl {
    QtMessages messages;
    SystemPrinter printer;
    frm금융소득2 main{messages, printer};
};

Program::Program() : impl_(std::make_unique<Impl>()) { impl_->main.show(); }

Program::~Program() = default;

QWidget &Program::First_Window() { return impl_->main; }
