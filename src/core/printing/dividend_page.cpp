// Page 7, the dividend details sheet: its headings, a table of 14 rows of nine
// cells that Set_Data fills from the dividend register, and its rules. Each row
// takes two text lines in the payer column, the name above a grey half rule and
// the registration number below it.
#include "core/printing/page_spec.h"

#include "core/common/font_names.h"

namespace {

constexpr FontSpec kTitle{kDotum, 14.25, true};
constexpr FontSpec kText{kDotum, 9};
constexpr LabelAlign kLeft = LabelAlign::Left, kCentre = LabelAlign::Centre, kRight = LabelAlign::Right;
constexpr Rgb kHalfRule = 0x808080;

// FontLab1: left, top, width, height, caption, font, alignment.
std::vector<LabelSpec> Headings()
{
    return {
        /*  0 */ {285, 405, 2505, 285, "⑥ 배당소득명세서", kTitle, kLeft},
        /*  1 */ {945, 1200, 180, 180, "②", kText, kRight},
        /*  2 */ {1560, 1020, 1080, 180, "배당지급법인", kText, kLeft},
        /*  3 */ {345, 1110, 225, 180, "①", kText, kRight},
        /*  4 */ {7440, 1020, 1080, 180, "원천징수세액", kText, kLeft},
        /*  5 */ {3435, 1290, 270, 180, "⑤", kText, kCentre},
        /*  6 */ {1695, 1410, 840, 195, "③법인명", kText, kCentre},
        /*  7 */ {1395, 1785, 1515, 180, "④사업자등록번호", kText, kCentre},
        /*  8 */ {4245, 1020, 1830, 180, "배당가산액(gross-up)", kText, kLeft},
        /*  9 */ {4140, 1605, 945, 195, "⑥대상금액", kText, kCentre},
        /* 10 */ {7755, 1680, 540, 180, "소득세", kText, kRight},
        /* 11 */ {5160, 1665, 960, 180, "(⑥*19/100)", kText, kCentre},
        /* 12 */ {6480, 1275, 540, 180, "⑧배당", kText, kCentre},
        /* 13 */ {270, 1320, 375, 180, "소득", kText, kRight},
        /* 14 */ {270, 1515, 375, 180, "구분", kText, kRight},
        /* 15 */ {255, 1710, 390, 180, "코드", kText, kRight},
        /* 16 */ {855, 1395, 375, 180, "일련", kText, kRight},
        /* 17 */ {855, 1590, 375, 180, "번호", kText, kRight},
        /* 18 */ {3270, 1515, 615, 180, "배당액", kText, kCentre},
        /* 19 */ {5280, 1485, 720, 180, "⑦가산액", kText, kCentre},
        /* 20 */ {6375, 1470, 750, 180, "소득금액", kText, kCentre},
        /* 21 */ {6450, 1665, 600, 180, "(⑤+⑦)", kText, kCentre},
        /* 22 */ {7890, 1470, 180, 180, "⑨", kText, kRight},
    };
}

// lblBD: the cells were placed one by one, so each has its own left and top.
struct Place {
    int left, top;
};
// clang-format off
constexpr Place kPlaces[kDividendRows][kDividendCells] = {
    /*  0 */ {{345, 2295}, {795, 2295}, {1380, 2145}, {1395, 2445}, {2985, 2295}, {4155, 2295}, {5175, 2310}, {6210, 2310}, {7410, 2310}},
    /*  1 */ {{270, 2910}, {795, 2910}, {1380, 2760}, {1395, 3060}, {2985, 2910}, {4155, 2910}, {5175, 2925}, {6210, 2925}, {7455, 2925}},
    /*  2 */ {{390, 3540}, {825, 3540}, {1410, 3375}, {1410, 3675}, {3075, 3540}, {4170, 3540}, {5220, 3555}, {6240, 3540}, {7425, 3540}},
    /*  3 */ {{420, 4155}, {825, 4155}, {1410, 3990}, {1410, 4290}, {3075, 4155}, {4170, 4155}, {5220, 4170}, {6240, 4155}, {7440, 4155}},
    /*  4 */ {{420, 4755}, {825, 4755}, {1410, 4605}, {1410, 4890}, {3075, 4755}, {4170, 4755}, {5220, 4770}, {6240, 4755}, {7410, 4755}},
    /*  5 */ {{420, 5370}, {825, 5370}, {1410, 5205}, {1410, 5505}, {3075, 5370}, {4170, 5370}, {5220, 5385}, {6240, 5370}, {7410, 5370}},
    /*  6 */ {{420, 5985}, {825, 5985}, {1410, 5820}, {1410, 6120}, {3075, 5985}, {4170, 5985}, {5220, 6000}, {6240, 5985}, {7440, 5985}},
    /*  7 */ {{420, 6600}, {825, 6600}, {1410, 6450}, {1410, 6750}, {3075, 6600}, {4170, 6600}, {5220, 6615}, {6240, 6600}, {7440, 6600}},
    /*  8 */ {{420, 7200}, {825, 7200}, {1410, 7065}, {1410, 7365}, {3075, 7200}, {4170, 7200}, {5220, 7215}, {6240, 7200}, {7425, 7200}},
    /*  9 */ {{420, 7815}, {825, 7815}, {1410, 7680}, {1410, 7965}, {3075, 7815}, {4170, 7815}, {5220, 7830}, {6240, 7815}, {7470, 7815}},
    /* 10 */ {{420, 8445}, {825, 8445}, {1410, 8280}, {1410, 8580}, {3075, 8445}, {4170, 8445}, {5220, 8460}, {6240, 8445}, {7425, 8445}},
    /* 11 */ {{420, 9060}, {825, 9060}, {1410, 8895}, {1410, 9195}, {3075, 9060}, {4170, 9060}, {5220, 9075}, {6240, 9060}, {7470, 9060}},
    /* 12 */ {{420, 9660}, {825, 9660}, {1410, 9510}, {1410, 9795}, {3075, 9660}, {4170, 9660}, {5220, 9675}, {6240, 9660}, {7470, 9660}},
    /* 13 */ {{420, 10275}, {825, 10275}, {1410, 10110}, {1410, 10410}, {3075, 10275}, {4170, 10275}, {5220, 10290}, {6240, 10275}, {7470, 10275}},
};
// clang-format on

// Widths in rows 0..1 and in rows 2..13. Column 8 has none of its own: its
// cells are 1155 to 1215 wide and end at one right edge, as the right-aligned
// columns 4 and 7 do, so the withheld taxes line up whatever each cell's left.
struct Column {
    int widthTop, widthBelow;
    LabelAlign align;
};
constexpr Column kColumns[kDividendCells] = {
    {360, 60, kCentre},    // ① income code; 225 in row 0
    {465, 405, kCentre},   // ② serial number
    {1485, 1425, kCentre}, // ③ name of the paying corporation
    {1470, 1425, kCentre}, // ④ its business registration number
    {1095, 1005, kRight},  // ⑤ dividend
    {930, 930, kRight},    // ⑥ gross-up base
    {960, 930, kRight},    // ⑦ gross-up amount
    {1125, 1095, kRight},  // ⑧ dividend income
    {0, 0, kRight},        // ⑨ withheld income tax, to kTaxRight
};
constexpr int kTaxRight = 8625;

int Width(int row, int column, int left)
{
    if (column == 8)
        return kTaxRight - left;
    if (row == 0 && column == 0)
        return 225;
    return row < 2 ? kColumns[column].widthTop : kColumns[column].widthBelow;
}

// The amount cells below the first two rows are a little lower.
int Height(int row, int column) { return row >= 2 && column >= 4 && column <= 7 ? 165 : 180; }

std::vector<LabelSpec> Cells()
{
    std::vector<LabelSpec> cells;
    cells.reserve(kDividendRows * kDividendCells);
    for (int row = 0; row < kDividendRows; ++row)
        for (int column = 0; column < kDividendCells; ++column) {
            const Place &at = kPlaces[row][column];
            cells.push_back(
                {at.left, at.top, Width(row, column, at.left), Height(row, column), "", kText, kColumns[column].align});
        }
    return cells;
}

// Line1 by index: x1, y1, x2, y2 and, for the half rules, their screen colour.
std::vector<LineSpec> Rules()
{
    return {
        /*  0 */ {135, 195, 135, 10650},                // frame
        /*  1 */ {8640, 195, 8640, 10650},              // frame
        /*  2 */ {150, 195, 8640, 195},                 // frame top, the header's anchor
        /*  3 */ {150, 10650, 8640, 10650},             // frame
        /*  4 */ {150, 3300, 8640, 3300},               // below row 1
        /*  5 */ {7350, 1290, 8640, 1290},              // under 원천징수세액
        /*  6 */ {1305, 2370, 2940, 2370, kHalfRule},   // half rule of row 0
        /*  7 */ {150, 900, 8651, 900},                 // table top
        /*  8 */ {1320, 1290, 2940, 1290},              // under 배당지급법인
        /*  9 */ {150, 2055, 8640, 2055},               // heading bottom
        /* 10 */ {2940, 915, 2940, 10650},              // before ⑤
        /* 11 */ {1305, 900, 1305, 10650},              // before ③/④
        /* 12 */ {735, 900, 735, 10665},                // between ① and ②
        /* 13 */ {7350, 900, 7350, 10650},              // before ⑨
        /* 14 */ {150, 2685, 8640, 2685},               // below row 0
        /* 15 */ {5115, 1305, 5115, 10650},             // before ⑦
        /* 16 */ {1305, 2985, 2940, 2985, kHalfRule},   // half rule of row 1
        /* 17 */ {150, 3915, 8640, 3915},               // below row 2
        /* 18 */ {1305, 3600, 2940, 3600, kHalfRule},   // half rule of row 2
        /* 19 */ {165, 4530, 8655, 4530},               // below row 3
        /* 20 */ {1305, 4215, 2940, 4215, kHalfRule},   // half rule of row 3
        /* 21 */ {150, 5130, 8640, 5130},               // below row 4
        /* 22 */ {1305, 4830, 2940, 4830, kHalfRule},   // half rule of row 4
        /* 23 */ {150, 5745, 8640, 5745},               // below row 5
        /* 24 */ {1305, 5430, 2940, 5430, kHalfRule},   // half rule of row 5
        /* 25 */ {150, 6360, 8640, 6360},               // below row 6
        /* 26 */ {1305, 6045, 2940, 6045, kHalfRule},   // half rule of row 6
        /* 27 */ {150, 6990, 8640, 6990},               // below row 7
        /* 28 */ {1305, 6675, 2940, 6675, kHalfRule},   // half rule of row 7
        /* 29 */ {165, 7605, 8655, 7605},               // below row 8
        /* 30 */ {1305, 7290, 2940, 7290, kHalfRule},   // half rule of row 8
        /* 31 */ {150, 8205, 8640, 8205},               // below row 9
        /* 32 */ {1305, 7905, 2940, 7905, kHalfRule},   // half rule of row 9
        /* 33 */ {150, 8820, 8640, 8820},               // below row 10
        /* 34 */ {1320, 1665, 2940, 1665},              // between ③ and ④
        /* 35 */ {4095, 885, 4095, 10650},              // before ⑥
        /* 36 */ {6165, 930, 6165, 10650},              // before ⑧
        /* 37 */ {4095, 1290, 6165, 1290},              // under 배당가산액
        /* 38 */ {1305, 8505, 2940, 8505, kHalfRule},   // half rule of row 10
        /* 39 */ {150, 9435, 8640, 9435},               // below row 11
        /* 40 */ {1305, 9120, 2940, 9120, kHalfRule},   // half rule of row 11
        /* 41 */ {150, 10050, 8640, 10050},             // below row 12
        /* 42 */ {1320, 9735, 2955, 9735, kHalfRule},   // half rule of row 12
        /* 43 */ {1305, 10350, 2940, 10350, kHalfRule}, // half rule of row 13
    };
}

} // namespace

const PageSpec &Dividend_Page_Spec()
{
    static const PageSpec page{
        .name = "frm배당소득",
        .caption = " 배당소득명세서",
        .width = 9225,
        .height = 11115,
        .lines = Rules(),
        .arrays = {{.name = "FontLab1", .labels = Headings()}, {.name = "lblBD", .labels = Cells()}},
        .formNumber = "[별지 제40호서식(1)]",
        .pageNumber = "(제7쪽)",
    };
    return page;
}
