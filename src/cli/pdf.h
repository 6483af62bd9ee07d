// orvanta-calc --pdf: a page printed to a PDF file through the same print
// procedure as the preview's "인쇄", without its completion message. The
// drawing lives in a module loaded only then, so that every other call
// starts without Qt's GUI libraries.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

class Page;

// Takes "--pdf FILE" or "--pdf=FILE" at args[i]; moves i past what it took.
// False when args[i] is no --pdf option; a missing FILE is a usage error.
bool Take_Pdf_Option(const std::vector<std::string> &args, std::size_t &i, std::optional<std::string> &path,
                     std::optional<std::string> &usageError);

// Prints the sheets of a page into a new PDF at path, atomically: 0, or the
// failure told on err and kFailure.
int Write_Pdf(std::span<const Page> sheets, const std::string &path, std::ostream &err);

// The module's one entry point. True when the file was written; otherwise
// *failure says why.
extern "C" bool orvanta_calc_write_pdf(const Page *sheets, std::size_t count, const char *path, std::string *failure);
using WritePdfFunction = decltype(&orvanta_calc_write_pdf);
