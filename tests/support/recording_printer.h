// A Printer that records what it is asked to print, with the position and
// font of each text, measures text in a fixed pitch and can be made to fail.
#pragma once

#include "core/printing/printer.h"

#include <optional>
#include <string>
#include <vector>

struct PrintedText {
    double x, y;
    std::string text;
    PrinterFont font;
    int page = 0; // counted from 0 within the job
};

struct PrintedLine {
    double x1, y1, x2, y2;
    Rgb colour;
};

// One document: what was printed between two ends.
struct PrintJob {
    std::vector<PrintedLine> lines;
    std::vector<PrintedText> texts;
    int pages = 1;

    // The first text equal to `text`, if printed.
    const PrintedText *Find(const std::string &text) const
    {
        for (const PrintedText &t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

class RecordingPrinter final : public Printer {
public:
    explicit RecordingPrinter(PrinterFont font = {"굴림", 10, false}) : Printer(std::move(font)) {}

    void Print(const std::string &text) override
    {
        Fail_If_Asked();
        current.texts.push_back({CurrentX, CurrentY, text, Font, current.pages - 1});
    }
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        Fail_If_Asked();
        current.lines.push_back({x1, y1, x2, y2, colour});
    }
    // A fixed-pitch face as the Korean faces are: a Korean character as
    // wide as the size, a digit, letter or sign half as wide; a line 1.5
    // times as high.
    double Text_Width(const std::string &text) override
    {
        double ems = 0;
        for (unsigned char c : text)
            ems += c < 0x80 ? 0.5 : (c & 0xC0) != 0x80; // ASCII, or a UTF-8 lead byte
        return ems * Font.size * 20;
    }
    double Text_Height() override { return Font.size * 30; }
    double Page_Width() override { return pageWidth; }
    double Page_Height() override { return pageHeight; }
    void New_Page() override
    {
        Fail_If_Asked();
        ++current.pages;
    }
    void End_Doc() override
    {
        Fail_If_Asked();
        jobs.push_back(std::move(current));
        current = {};
    }
    void Kill_Doc() noexcept override
    {
        current = {};
        ++killed;
    }

    std::vector<PrintJob> jobs; // ended documents
    PrintJob current;           // the document being printed
    int killed = 0;
    double pageWidth = 11000;
    double pageHeight = 15000;
    // Fails every output from the given one on (counted from 0) with this description.
    std::optional<int> failFrom;
    std::string failure = "프린터가 없습니다.";

private:
    void Fail_If_Asked()
    {
        if (failFrom && outputs_++ >= *failFrom)
            throw PrintFailure(failure);
    }
    int outputs_ = 0;
};
