// Reading the help documents' RTF: text, character and paragraph formatting
// as far as the help window shows it. Tolerates damaged and hostile input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct RtfStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // Points (\fsN gives N half-points); nullopt when the text gives none, which RTF reads as 12.
    std::optional<double> size;
    // 0xRRGGBB from the colour table; nullopt for the automatic colour.
    std::optional<std::uint32_t> colour;
    // The font table's name in UTF-8 (\f, else \deff); empty when there is none.
    std::string font;

    bool operator==(const RtfStyle &) const = default;
};

enum class RtfAlign { Left, Centre, Right, Justify };

struct RtfRun {
    std::string text; // UTF-8; \line is "\n", \tab "\t"
    RtfStyle style;

    bool operator==(const RtfRun &) const = default;
};

// A paragraph's indents and spacing, in twips as the document gives them.
struct RtfLayout {
    int left = 0;              // \li
    int right = 0;             // \ri
    int first = 0;             // \fi: the first line's indent from `left`, negative for a hanging indent
    int before = 0, after = 0; // \sb, \sa
    int line = 0;              // \sl: 0 single; 240ths of a line with lineMultiple
    bool lineMultiple = false; // \slmult1
    std::vector<int> tabs;     // \tx, from the left edge

    bool operator==(const RtfLayout &) const = default;
};

// Adjacent runs always differ in style.
struct RtfParagraph {
    RtfAlign align = RtfAlign::Left;
    RtfLayout layout;
    std::vector<RtfRun> runs;
    // In a table: the row (an index into the document's rows) and the
    // column of the cell that holds the paragraph; row -1 outside tables.
    int row = -1;
    int column = 0;
};

// A table row as defined: each cell's right edge in twips (\cellx).
struct RtfRow {
    std::vector<int> cellRights;
};

struct RtfDocument {
    std::vector<RtfParagraph> paragraphs;
    std::vector<RtfRow> rows;

    // The paragraphs' text, one line each; a table row's cells on one line,
    // separated by tabs.
    std::string Plain_Text() const;
};

// The document, or nullopt when the bytes are no RTF (they must start with
// "{\rtf", after blanks or a UTF-8 byte order mark). Any other input, however
// damaged, reads as far as it can in time linear in its length.
std::optional<RtfDocument> Read_Rtf(std::string_view bytes);
