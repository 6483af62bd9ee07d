// The printer as the page procedures use it: a current position, a current
// font, two background attributes, text at the current position, straight
// lines, text measures, new pages and the end of the document. One object stands for the default
// printer for the whole run, so its font outlives a print job.
#pragma once

#include "core/registers/grid_model.h" // Rgb

#include <stdexcept>
#include <string>

struct PrinterFont {
    std::string name;
    double size; // points
    bool bold = false;

    bool operator==(const PrinterFont &) const = default;
};

// A failure of the printer; what() is the description shown to the user.
class PrintFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Printer {
public:
    explicit Printer(PrinterFont font) : Font(std::move(font)) {}
    virtual ~Printer() = default;
    Printer(const Printer &) = delete;
    Printer &operator=(const Printer &) = delete;

    // Printer coordinates, twips from the top-left corner of the printable area.
    double CurrentX = 0;
    double CurrentY = 0;
    PrinterFont Font;
    // They take a label's BackStyle and BackColor. They colour filled shapes
    // only, and nothing this program prints is filled, so a label's
    // background never covers a rule drawn before it or changes the text.
    int FillStyle = 1; // 1 hollow
    Rgb FillColor = 0x000000;

    // Prints one line of text in the current font with its top-left corner
    // at the current position, which stays where it is. The first output of
    // a document starts the print job. Each may throw PrintFailure.
    virtual void Print(const std::string &text) = 0;
    virtual void Line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // The width of a text and the height of a line in the current font, and
    // the printable area, all in twips. Measuring may start the job.
    virtual double Text_Width(const std::string &text) = 0;
    virtual double Text_Height() = 0;
    virtual double Page_Width() = 0;
    virtual double Page_Height() = 0;
    // Ends the current page of the job and starts the next one.
    virtual void New_Page() = 0;
    // Ends the document: the job, with its pages, goes to the printer.
    virtual void End_Doc() = 0;
    // Discards a document that a failure left unfinished; never throws.
    virtual void Kill_Doc() noexcept = 0;
};
