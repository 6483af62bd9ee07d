// Page 5, the interest details sheet: its headings, a table of 22 rows of six
// cells that Set_Data fills from the interest register, and its rules.
#include "core/printing/page_spec.h"

#include "core/common/font_names.h"

namespace {

constexpr FontSpec kTitle{kDotum, 14.25, true};
constexpr FontSpec kText{kDotum, 9};
constexpr LabelAlign kLeft = LabelAlign::Left, kCentre = LabelAlign::Centre, kRight = LabelAlign::Right;

// FontLab1: left, top, width, height, caption, font, alignment.
std::vector<LabelSpec> Headings()
{
    return {
        /*  0 */ {300, 405, 2505, 285, "⑤ 이자소득명세서", kTitle, kLeft},
        /*  1 */ {1065, 1050, 180, 180, "②", kText, kRight},
        /*  2 */ {2775, 1020, 900, 180, "이자지급자", kText, kLeft},
        /*  3 */ {405, 990, 225, 180, "①", kText, kRight},
        /*  4 */ {7260, 1020, 1080, 180, "원천징수세액", kText, kLeft},
        /*  5 */ {5460, 1395, 1110, 180, "이자소득금액", kText, kCentre},
        /*  6 */ {2100, 1590, 510, 180, "(성명)", kText, kRight},
        /*  7 */ {3555, 1575, 1230, 180, "(주민등록번호)", kText, kCentre},
        /*  8 */ {5880, 1170, 210, 180, "⑤", kText, kCentre},
        /*  9 */ {3450, 1380, 1440, 180, "④사업자등록번호", kText, kCentre},
        /* 10 */ {7455, 1575, 540, 180, "소득세", kText, kRight},
        /* 11 */ {1995, 1380, 615, 180, "③상호", kText, kRight},
        /* 12 */ {960, 1245, 375, 180, "일련", kText, kRight},
        /* 13 */ {330, 1170, 375, 180, "소득", kText, kRight},
        /* 14 */ {330, 1350, 375, 180, "구분", kText, kRight},
        /* 15 */ {315, 1530, 390, 180, "코드", kText, kRight},
        /* 16 */ {7605, 1365, 180, 180, "⑥", kText, kRight},
        /* 17 */ {960, 1440, 375, 180, "번호", kText, kRight},
    };
}

struct Column {
    int left, width;
    LabelAlign align;
};

// lblEJ: every row has the same columns, so a cell is its column at its row's top.
constexpr Column kColumns[kInterestCells] = {
    {285, 435, kCentre},   // ① income code
    {945, 435, kCentre},   // ② serial number
    {1605, 1470, kCentre}, // ③ payer name
    {3300, 1725, kCentre}, // ④ registration number
    {5250, 1515, kRight},  // ⑤ interest amount
    {7005, 1530, kRight},  // ⑥ withheld income tax
};
constexpr int kRowTops[kInterestRows] = {1920, 2325, 2730, 3135, 3525, 3915, 4320, 4740, 5145, 5520, 5925,
                                         6330, 6720, 7110, 7515, 7920, 8325, 8745, 9150, 9540, 9945, 10350};
constexpr int kCellHeight = 180;

std::vector<LabelSpec> Cells()
{
    std::vector<LabelSpec> cells;
    cells.reserve(kInterestRows * kInterestCells);
    for (int top : kRowTops)
        for (const Column &column : kColumns)
            cells.push_back({column.left, top, column.width, kCellHeight, "", kText, column.align});
    return cells;
}

// Line1 by index: x1, y1, x2, y2.
std::vector<LineSpec> Rules()
{
    return {
        /*  0 */ {165, 195, 165, 10620},    // frame
        /*  1 */ {8655, 195, 8655, 10620},  // frame
        /*  2 */ {165, 195, 8655, 195},     // frame top, the header's anchor
        /*  3 */ {165, 10620, 8655, 10620}, // frame
        /*  4 */ {5130, 900, 5130, 10620},  // before ⑤
        /*  5 */ {6870, 1290, 8655, 1290},  // under 원천징수세액
        /*  6 */ {165, 2200, 8655, 2200},   // below row 0
        /*  7 */ {165, 900, 8666, 900},     // table top
        /*  8 */ {1485, 1290, 5130, 1290},  // under 이자지급자
        /*  9 */ {165, 1800, 8655, 1800},   // heading bottom
        /* 10 */ {3180, 1290, 3180, 10620}, // between ③ and ④
        /* 11 */ {1485, 900, 1485, 10620},  // before ③
        /* 12 */ {825, 900, 825, 10620},    // between ① and ②
        /* 13 */ {6870, 900, 6870, 10620},  // before ⑥
        /* 14 */ {165, 2600, 8655, 2600},   // below row 1
        /* 15 */ {165, 3000, 8655, 3000},   // below row 2
        /* 16 */ {165, 3390, 8655, 3390},   // below row 3
        /* 17 */ {165, 3795, 8655, 3795},   // below row 4
        /* 18 */ {165, 4185, 8655, 4185},   // below row 5
        /* 19 */ {165, 4590, 8655, 4590},   // below row 6
        /* 20 */ {165, 5010, 8655, 5010},   // below row 7
        /* 21 */ {165, 5415, 8655, 5415},   // below row 8
        /* 22 */ {165, 5805, 8655, 5805},   // below row 9
        /* 23 */ {165, 6210, 8655, 6210},   // below row 10
        /* 24 */ {165, 6600, 8655, 6600},   // below row 11
        /* 25 */ {165, 7005, 8655, 7005},   // below row 12
        /* 26 */ {165, 7395, 8655, 7395},   // below row 13
        /* 27 */ {165, 7800, 8655, 7800},   // below row 14
        /* 28 */ {165, 8205, 8655, 8205},   // below row 15
        /* 29 */ {165, 8625, 8655, 8625},   // below row 16
        /* 30 */ {165, 9030, 8655, 9030},   // below row 17
        /* 31 */ {165, 9420, 8655, 9420},   // below row 18
        /* 32 */ {165, 9825, 8655, 9825},   // below row 19
        /* 33 */ {165, 10215, 8655, 10215}, // below row 20
    };
}

} // namespace

const PageSpec &Interest_Page_Spec()
{
    static const PageSpec page{
        .name = "frm이자소득",
        .caption = " 이자소득명세서",
        .width = 8835,
        .height = 10860,
        .lines = Rules(),
        .arrays = {{.name = "FontLab1", .labels = Headings()}, {.name = "lblEJ", .labels = Cells()}},
        .formNumber = "[별지 제40호서식(1)]",
        .pageNumber = "(제5쪽)",
    };
    return page;
}
