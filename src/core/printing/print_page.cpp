#include "core/printing/print_page.h"

#include "core/common/messages.h"

#include <cmath>
#include <utility>

double Round_Half_Even(double size)
{
    const double down = std::floor(size);
    const double fraction = size - down;
    if (fraction < 0.5)
        return down;
    if (fraction > 0.5)
        return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

void Print_Labels(const LabelArraySpec &array, std::span<const std::string> captions, Printer &printer, float scaleX,
                  float scaleY, int offsetX, int offsetY)
{
    PrinterFont saved = printer.Font;
    saved.size = Round_Half_Even(saved.size);

    for (std::size_t i = 0; i < array.labels.size(); ++i) {
        const LabelSpec &label = array.labels[i];
        printer.Font = {label.font.name, label.font.size, label.font.bold};
        printer.FillStyle = array.backStyle == 1 ? 0 : 1;
        printer.FillColor = array.backColor;
        // Single precision, as the scales are: 7605 × 1.21 + 300 is 9502.05.
        printer.CurrentX = static_cast<float>(label.left) * scaleX + static_cast<float>(offsetX);
        printer.CurrentY = static_cast<float>(label.top) * scaleY + static_cast<float>(offsetY);
        // Whatever its alignment on screen, a caption starts at the label's left edge.
        if (i >= captions.size() || captions[i].empty())
            continue;
        // An amount too wide for its cell would run into the next cell's
        // text: it ends at the cell's right edge instead.
        if (label.align == LabelAlign::Right && label.caption.empty()) {
            const double right = static_cast<float>(label.left + label.width) * scaleX + static_cast<float>(offsetX);
            const double width = printer.Text_Width(captions[i]);
            if (printer.CurrentX + width > right)
                printer.CurrentX = right - width;
        }
        printer.Print(captions[i]);
    }
    printer.Font = saved;
}

namespace {

double Printed_X(double x) { return x * 1.21 + kPrintOffsetX; }
double Printed_Y(double y) { return y * 1.36 + kPrintOffsetY; }

void Draw_Sheet(const Page &page, const std::string &sheetNumber, Printer &printer)
{
    const PageSpec &spec = page.Spec();
    // Rules print black, whatever their colour on screen.
    for (const LineSpec &line : spec.lines)
        printer.Line(Printed_X(line.x1), Printed_Y(line.y1), Printed_X(line.x2), Printed_Y(line.y2), 0x000000);

    for (std::size_t a = 0; a < spec.arrays.size(); ++a)
        Print_Labels(spec.arrays[a], page.Captions(a), printer, kPrintScaleX, kPrintScaleY, kPrintOffsetX,
                     kPrintOffsetY);

    // The header rides on the frame's top edge, Line1(2), in the font the
    // printer had before the page.
    const LineSpec &anchor = spec.lines.at(2);
    printer.CurrentX = Printed_X(anchor.x1);
    printer.CurrentY = Printed_Y(anchor.y1) - kHeaderRaise;
    printer.Print(spec.formNumber);
    printer.CurrentX = Printed_X(anchor.x1) + kPageNumberShift;
    printer.Print(spec.pageNumber);
    if (!sheetNumber.empty()) {
        printer.CurrentX += printer.Text_Width(std::string(spec.pageNumber) + " ");
        printer.Print(sheetNumber);
    }
}

} // namespace

std::string Sheet_Number(std::size_t sheet, std::size_t sheets)
{
    return sheets < 2 ? std::string() : std::to_string(sheet + 1) + "/" + std::to_string(sheets);
}

std::optional<std::string> Print_Page(std::span<const Page> sheets, Printer &printer)
{
    return Print_Pages(std::span(&sheets, 1), printer);
}

std::optional<std::string> Print_Pages(std::span<const std::span<const Page>> pages, Printer &printer)
{
    try {
        bool first = true;
        for (std::span<const Page> sheets : pages)
            for (std::size_t i = 0; i < sheets.size(); ++i) {
                if (!std::exchange(first, false))
                    printer.New_Page();
                Draw_Sheet(sheets[i], Sheet_Number(i, sheets.size()), printer);
            }
        printer.End_Doc();
        return std::nullopt;
    } catch (const std::exception &failure) {
        printer.Kill_Doc();
        return std::string(failure.what());
    }
}

std::int16_t Fun_인쇄(std::span<const Page> sheets, Printer &printer, Messages &messages)
{
    const std::optional<std::string> failure = Print_Page(sheets, printer);
    messages.Plain(failure ? *failure : kPrintDone);
    return 0;
}
