// A page of the return form as a table: label arrays and line segments, in
// layout twips. The same table builds the page form on screen and drives the
// printed page, so the two cannot drift apart.
#pragma once

#include "core/registers/grid_model.h" // Rgb

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class LabelAlign : std::uint8_t { Left, Centre, Right };

struct FontSpec {
    const char *name; // "돋움", "굴림"
    double size;      // points; fractional sizes such as 8.25 are kept
    bool bold = false;

    bool operator==(const FontSpec &other) const
    {
        return std::string_view(name) == other.name && size == other.size && bold == other.bold;
    }
};

struct LabelSpec {
    int left, top, width, height;
    std::string caption; // as the form loads
    FontSpec font;
    LabelAlign align = LabelAlign::Left;
};

// Labels numbered 0..n-1 without gaps, with what the array shares on screen.
struct LabelArraySpec {
    const char *name; // "FontLab1", "lblEJ", ...
    std::vector<LabelSpec> labels;
    int backStyle = 0;        // 0 transparent, 1 opaque
    Rgb backColor = 0xFFFFFF; // with backStyle 1
    Rgb foreColor = 0x000000; // on screen only: paper is printed in black
};

struct LineSpec {
    int x1, y1, x2, y2;
    Rgb colour = 0x000000; // on screen only
};

struct PageSpec {
    const char *name;                   // the page form: "frm이자소득", ...
    const char *caption;                // its window caption
    int width, height;                  // client area, twips
    std::vector<LineSpec> lines;        // Line1, by index
    std::vector<LabelArraySpec> arrays; // in the order they are printed
    const char *formNumber;             // "[별지 제40호서식(1)]"
    const char *pageNumber;             // "(제5쪽)"

    // Index into `arrays`; -1 when the page has no such array.
    int Array_Index(std::string_view arrayName) const;
};

// Page 5, ⑤ 이자소득명세서: FontLab1 and the 22 × 6 table lblEJ.
const PageSpec &Interest_Page_Spec();
// Page 7, ⑥ 배당소득명세서: FontLab1 and the 14 × 9 table lblBD.
const PageSpec &Dividend_Page_Spec();
// Page 21, 종합소득산출세액계산서(금융소득자용): FontLab1, Label1, TxtLab1, TxtLab2.
const PageSpec &Statement_Page_Spec();

inline constexpr int kInterestRows = 22, kInterestCells = 6;
inline constexpr int kDividendRows = 14, kDividendCells = 9;
