// The printer drawn with QPainter: the system's default printer through
// CUPS (system_printer.cpp, which alone needs Qt Print Support), or a PDF
// file. A job starts at its first output and ends with
// End_Doc; the font state outlives the job, as a printer's does.
#pragma once

#include "core/printing/printer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>

#include <memory>

class QPagedPaintDevice;

class PainterPrinter : public Printer {
public:
    ~PainterPrinter() override;

    void Print(const std::string &text) override;
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override;
    double Text_Width(const std::string &text) override;
    double Text_Height() override;
    double Page_Width() override;
    double Page_Height() override;
    void New_Page() override;
    void End_Doc() override;
    void Kill_Doc() noexcept override;

protected:
    PainterPrinter();

    // The device of a new job, ready to paint on; throws PrintFailure.
    virtual QPagedPaintDevice &Open_Device() = 0;
    // What the user is told when painting on that device cannot start.
    virtual std::string Begin_Failure() const = 0;
    // Asks the device, while it is still painted on, to drop the job.
    virtual void Abort_Device() noexcept {}
    // After the painter has finished with the device: sent, or thrown away.
    // False when a kept job could not be completed.
    virtual bool Close_Device(bool discard) noexcept = 0;

private:
    QPainter &Painter();
    // The painter set to the current font, and that font's measures on the device.
    QFontMetricsF Font_Metrics();
    double Px_X(double twips) const { return twips * dpiX_ / 1440.0; }
    double Px_Y(double twips) const { return twips * dpiY_ / 1440.0; }

    QPainter painter_;
    QPagedPaintDevice *device_ = nullptr;
    bool open_ = false;
    double dpiX_ = 1440, dpiY_ = 1440;
};

// The system's default printer with its own settings (QPrinterInfo's
// default: the CUPS default destination).
class SystemPrinter final : public PainterPrinter {
public:
    SystemPrinter();
    ~SystemPrinter() override;

    // The printer every later job goes to, chosen in the print dialog; an
    // empty name is the default printer again.
    void Use_Printer(const QString &name) { chosen_ = name; }
    const QString &Chosen_Printer() const { return chosen_; }

private:
    QPagedPaintDevice &Open_Device() override;
    std::string Begin_Failure() const override;
    void Abort_Device() noexcept override;
    bool Close_Device(bool discard) noexcept override;

    struct Job;
    std::unique_ptr<Job> job_;
    QString chosen_;
};

// A PDF file, A4 with no margins: printed coordinates are page coordinates.
// The file is written beside its place and renamed into it once complete,
// so a failure never leaves a partial file or damages one that was there.
class PdfPrinter final : public PainterPrinter {
public:
    explicit PdfPrinter(QString path);
    ~PdfPrinter() override;

private:
    QPagedPaintDevice &Open_Device() override;
    std::string Begin_Failure() const override;
    bool Close_Device(bool discard) noexcept override;

    QString path_;
    struct Job;
    std::unique_ptr<Job> job_;
};
