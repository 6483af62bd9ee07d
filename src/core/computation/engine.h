// The computation statement "종합소득산출세액계산서(금융소득자용)", lines (1)
// to (38) and ④, from the nine amounts of the computation panel.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// Elements 0..8 are the panel's lines 1..9; 9 and 10 repeat 7 and 8 for
// lines (24) and (25); 11 and 12 are unused and stay 0.
using InputAmounts = std::array<double, 13>;

// The 26 computed amounts of the statement form; element 25 (④) is only
// ever shown, never kept.
using StatementAmounts = std::array<double, 26>;

enum class Section : std::uint8_t {
    None,      // nothing computed yet on this statement
    Above,     // ② financial income above 40,000,000 won: lines (10)-(30), ④
    AtOrBelow, // ③ at or below it: lines (31)-(38)
};

enum class LabelArray : std::uint8_t { TxtLab1, TxtLab2 };

struct LabelRef {
    LabelArray array;
    int index;
};

// One line of the statement and the label that shows it.
struct StatementLine {
    const char *line; // "(1)" .. "(38)", "④"
    LabelRef label;
};

// The statement's lines in their printed order, (1) to (38), then ④.
std::span<const StatementLine, 39> Statement_Lines();

// The engine's state: what a statement form holds for as long as it lives.
class StatementEngine {
public:
    std::array<std::string, 26> TxtLab1; // computed lines
    std::array<std::string, 13> TxtLab2; // lines taken from the inputs
    StatementAmounts ComputationStatement{};
    Section section = Section::None;

    // Computes lines (4), (8), (9) and one section into the statement and
    // the labels, and returns the tax text for the result box txtTot1.
    std::string Calc_Val(const InputAmounts &in);

    // Empties every value label (the statement's amounts stay).
    void Clear_Labels();

    // ④ 배당세액공제 as the statement shows it: its label in section ②,
    // nothing in section ③ or before a computation.
    std::string Dividend_Credit() const { return section == Section::Above ? TxtLab1[25] : std::string(); }

    const std::string &Label(LabelRef ref) const;

    // Rate in percent of a tax base: 0, 9, 18, 27 or 36.
    static std::int16_t Get_Rate(double base);

    // Tax of a base at its rate: truncated to whole won, less the bracket's
    // progressive deduction.
    static double Bracket_Tax(double base, std::int16_t rate);

    // True when these inputs, all finite, would make some line of the
    // statement overflow the range of a double.
    static bool Would_Overflow(const InputAmounts &in);

private:
    void Calc_Sec2(const InputAmounts &in);
    void Calc_Sec3(const InputAmounts &in);
    bool finite_ = true;
};

// Label text of an amount: Format_Grouped, or "0" where that is empty.
std::string Show_Amount(double value);
