// A Printer that records what it is asked to print, with the position and
// font of each text, and can be made to fail.
#pragma once

#include "printing/printer.h"

#include <optional>
#include <string>
#include <vector>

struct PrintedText {
    double x, y;
    std::string text;
    PrinterFont font;
};

struct PrintedLine {
    double x1, y1, x2, y2;
    Rgb colour;
};

// One document: what was printed between two ends.
struct PrintJob {
    std::vector<PrintedLine> lines;
    std::vector<PrintedText> texts;

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
        current.texts.push_back({CurrentX, CurrentY, text, Font});
    }
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        Fail_If_Asked();
        current.lines.push_back({x1, y1, x2, y2, colour});
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
