#include "gui/printing/printer_qt.h"

#include "gui/platform/fonts.h"
#include "gui/platform/strings.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>

namespace {

// A printer's own font before this program sets any.
PrinterFont Initial_Font() { return {kGulim, 10, false}; }

// Rules a little heavier than a device pixel, so that they survive a
// 1200 dpi page: 0.5 pt.
constexpr double kRuleTwips = 10;

} // namespace

PainterPrinter::PainterPrinter() : Printer(Initial_Font()) {}

PainterPrinter::~PainterPrinter() = default;

QPainter &PainterPrinter::Painter()
{
    if (!open_) {
        QPagedPaintDevice &device = Open_Device();
        if (!painter_.begin(&device)) {
            const std::string why = Begin_Failure();
            Close_Device(true);
            throw PrintFailure(why);
        }
        open_ = true;
        device_ = &device;
        dpiX_ = device.logicalDpiX();
        dpiY_ = device.logicalDpiY();
    }
    return painter_;
}

QFontMetricsF PainterPrinter::Font_Metrics()
{
    QPainter &painter = Painter();
    const QFont font = Design_Font(Font.name.c_str(), Font.size, Font.bold);
    painter.setFont(font);
    return QFontMetricsF(font, painter.device());
}

double PainterPrinter::Text_Width(const std::string &text)
{
    return Font_Metrics().horizontalAdvance(Q(text)) * 1440.0 / dpiX_;
}

double PainterPrinter::Text_Height() { return Font_Metrics().height() * 1440.0 / dpiY_; }

double PainterPrinter::Page_Width()
{
    Painter();
    return device_->width() * 1440.0 / dpiX_;
}

double PainterPrinter::Page_Height()
{
    Painter();
    return device_->height() * 1440.0 / dpiY_;
}

void PainterPrinter::New_Page()
{
    Painter();
    if (!device_->newPage())
        throw PrintFailure("새 페이지를 시작할 수 없습니다.");
}

void PainterPrinter::Print(const std::string &text)
{
    const QFontMetricsF metrics = Font_Metrics();
    painter_.setPen(Qt::black);
    const QString line = Q(text);
    const double x = Px_X(CurrentX);
    const double baseline = Px_Y(CurrentY) + metrics.ascent();
    // Word by word, each where the whole line would put it. The Korean faces
    // share one glyph between the blank and the control characters, and a
    // PDF made of the whole line then reads back U+0001 for every blank.
    qsizetype start = 0;
    while (start < line.size()) {
        while (start < line.size() && line[start] == u' ')
            ++start;
        qsizetype end = start;
        while (end < line.size() && line[end] != u' ')
            ++end;
        if (end > start)
            painter_.drawText(QPointF(x + metrics.horizontalAdvance(line.left(start)), baseline),
                              line.mid(start, end - start));
        start = end;
    }
}

void PainterPrinter::Line(double x1, double y1, double x2, double y2, Rgb colour)
{
    QPainter &painter = Painter();
    QPen pen(QColor::fromRgb(static_cast<QRgb>(colour)));
    pen.setWidthF(Px_X(kRuleTwips));
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(Px_X(x1), Px_Y(y1)), QPointF(Px_X(x2), Px_Y(y2)));
}

void PainterPrinter::End_Doc()
{
    Painter(); // an empty document still makes its one page
    open_ = false;
    device_ = nullptr;
    const bool ended = painter_.end();
    const bool closed = Close_Device(!ended);
    if (!ended)
        throw PrintFailure("인쇄 작업을 프린터로 보내지 못했습니다.");
    if (!closed)
        throw PrintFailure(Begin_Failure());
}

void PainterPrinter::Kill_Doc() noexcept
{
    if (!open_)
        return;
    open_ = false;
    device_ = nullptr;
    Abort_Device();
    painter_.end();
    Close_Device(true);
}

struct PdfPrinter::Job {
    explicit Job(const QString &path) : file(path), writer(&file) {}
    QSaveFile file;
    QPdfWriter writer;
};

PdfPrinter::PdfPrinter(QString path) : path_(std::move(path)) {}
PdfPrinter::~PdfPrinter() { Kill_Doc(); }

QPagedPaintDevice &PdfPrinter::Open_Device()
{
    // A device or a folder at that name is never written to nor replaced.
    const QFileInfo target(path_);
    if (target.exists() && !target.isFile())
        throw PrintFailure(Begin_Failure() + " 일반 파일이 아닙니다.");
    job_ = std::make_unique<Job>(path_);
    if (!job_->file.open(QIODevice::WriteOnly)) {
        job_.reset();
        throw PrintFailure(Begin_Failure());
    }
    QPdfWriter &writer = job_->writer;
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("2005 Orvanta"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return writer;
}

std::string PdfPrinter::Begin_Failure() const { return "PDF 파일 " + path_.toStdString() + "을(를) 쓸 수 없습니다."; }

bool PdfPrinter::Close_Device(bool discard) noexcept
{
    if (!job_)
        return !discard;
    if (discard)
        job_->file.cancelWriting();
    // Commit flushes, syncs and renames, and reports any write that failed.
    const bool kept = !discard && job_->file.commit();
    job_.reset();
    return kept;
}
