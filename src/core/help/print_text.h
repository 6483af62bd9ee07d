// Printing a document's plain text: one job in the printer's current font,
// lines wrapped to the page and continued on new pages.
#pragma once

#include "core/printing/printer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Clear space kept on every side of the printable area.
inline constexpr double kTextMargin = 720;

// The text as one job; the failure's description when it could not be
// printed, the unfinished job then discarded.
std::optional<std::string> Print_Text(std::string_view text, Printer &printer);

// One line of text broken into lines no wider than `width` as the printer
// measures them: at blanks where it can, inside a word too long for a line
// otherwise. Tabs become blanks; an empty line stays one empty line.
std::vector<std::string> Wrap_Line(std::string_view line, double width, Printer &printer);
