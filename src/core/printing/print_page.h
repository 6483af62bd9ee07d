// Printing a page form: its rules and label arrays through one fixed page
// transform, the form and page numbers above the frame, one job of one page.
#pragma once

#include "core/printing/page.h"
#include "core/printing/printer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class Messages;

// Printed x = layout x × 1.21 + 300, printed y = layout y × 1.36 + 1080.
inline constexpr float kPrintScaleX = 1.21f;
inline constexpr float kPrintScaleY = 1.36f;
inline constexpr int kPrintOffsetX = 300;
inline constexpr int kPrintOffsetY = 1080;
// The page number stands this far right of the form number.
inline constexpr int kPageNumberShift = 9550;
// The header line stands this far above the frame's top edge.
inline constexpr int kHeaderRaise = 240;

inline constexpr const char *kPrintDone = "인쇄가 완료되었습니다.";

// Prints every label of one array at its transformed top-left corner, in
// the label's font, and then gives the printer back its font as it was, the
// size rounded to a whole point (halves to even). An amount (a right-aligned
// label the page fills) wider than its transformed cell ends at the cell's
// right edge instead. A failure leaves at once.
void Print_Labels(const LabelArraySpec &array, std::span<const std::string> captions, Printer &printer, float scaleX,
                  float scaleY, int offsetX, int offsetY);

// Prints the sheets of a page as one job, each the whole page with its
// header; beside the page number of each, when there are two or more, its
// number of the whole ("1/3"). The failure's description when it could not,
// the unfinished job then discarded.
std::optional<std::string> Print_Page(std::span<const Page> sheets, Printer &printer);
inline std::optional<std::string> Print_Page(const Page &page, Printer &printer)
{
    return Print_Page(std::span(&page, 1), printer);
}
// Several pages, each with its sheets, as one job in their order: the sheets
// of each page are numbered within that page, as Print_Page numbers them.
std::optional<std::string> Print_Pages(std::span<const std::span<const Page>> pages, Printer &printer);

// What stands beside the page number of a sheet: "1/3", or nothing for a
// page of one sheet.
std::string Sheet_Number(std::size_t sheet, std::size_t sheets);

// The page forms' print command: Print_Page, then "인쇄가 완료되었습니다."
// or the failure's description, each in a plain box, once for the job.
// Always 0.
std::int16_t Fun_인쇄(std::span<const Page> sheets, Printer &printer, Messages &messages);

// A point size rounded to a whole number, a half going to the even neighbour.
double Round_Half_Even(double size);
