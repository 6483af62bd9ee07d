// The system's default printer: the only part of printing that needs Qt
// Print Support, kept apart so that PDF output can do without it.
#include "gui/printing/printer_qt.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

// Where no printer can be reached, the pages can still leave the program.
constexpr const char *kOtherWays = "파일 메뉴의 프린터 선택으로 다른 프린터를 고르거나, PDF로 저장으로 PDF 파일을 만들 수 있습니다.";

} // namespace

struct SystemPrinter::Job {
    explicit Job(const QPrinterInfo &info) : printer(info, QPrinter::HighResolution) {}
    QPrinter printer;
};

SystemPrinter::SystemPrinter() = default;
SystemPrinter::~SystemPrinter() { Kill_Doc(); }

QPagedPaintDevice &SystemPrinter::Open_Device()
{
    const QPrinterInfo info = chosen_.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(chosen_);
    if (info.isNull() && !chosen_.isEmpty())
        throw PrintFailure("프린터 " + chosen_.toStdString() + "을(를) 찾을 수 없습니다. " + kOtherWays);
    if (info.isNull())
        throw PrintFailure(std::string("기본 프린터가 지정되어 있지 않습니다. 프린터를 설치하고 기본 프린터로 지정하십시오.\n\n") +
                           kOtherWays);
    job_ = std::make_unique<Job>(info);
    job_->printer.setDocName(QStringLiteral("2005 Orvanta"));
    if (!job_->printer.isValid()) {
        job_.reset();
        throw PrintFailure("프린터 " + info.printerName().toStdString() + "을(를) 사용할 수 없습니다.");
    }
    return job_->printer;
}

std::string SystemPrinter::Begin_Failure() const
{
    const QString name = job_ ? job_->printer.printerName() : QString();
    return "프린터 " + name.toStdString() + "에 인쇄를 시작할 수 없습니다. 프린터의 상태를 확인하십시오.";
}

void SystemPrinter::Abort_Device() noexcept
{
    if (job_)
        job_->printer.abort();
}

// Once the painter has ended, a job that is kept has been handed to CUPS.
bool SystemPrinter::Close_Device(bool) noexcept
{
    job_.reset();
    return true;
}
