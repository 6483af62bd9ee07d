#include "core/registers/carried_lines.h"

#include "core/common/amount.h"
#include "core/computation/input_logic.h"
#include "core/registers/regrouping.h"

namespace {

constexpr int kAmountCol = 5;  // ⑤이자소득금액, ⑤배당액
constexpr int kGrossUpCol = 7; // ⑦배당가산액

// The sum of a column over the data rows of one code: what the code's 소계
// shows, or its single row where it has no 소계.
double Code_Sum(const GridModel &grid, std::string_view code, int col)
{
    double sum = 0;
    for (int r = 1; r < grid.Rows(); ++r)
        if (grid.Is_Data(r) && grid.Text(r, kCodeCol) == code)
            sum += Get_Amount(grid.Text(r, col));
    return sum;
}

} // namespace

std::array<std::string, kCarriedLines> Carried_Lines(const GridModel &fgEJ, const GridModel &fgBD)
{
    std::array<std::string, kCarriedLines> lines;
    for (int i = 0; i < 3; ++i) {
        lines[i] = Stored_Line_Text(Format_Whole(Code_Sum(fgEJ, kInterestLayout.codes[i], kAmountCol)));
        lines[i + 3] = Stored_Line_Text(Format_Whole(Code_Sum(fgBD, kDividendLayout.codes[i], kAmountCol)));
    }
    double grossUp = 0;
    for (const char *code : kDividendLayout.codes)
        grossUp += Code_Sum(fgBD, code, kGrossUpCol);
    lines[6] = Stored_Line_Text(Format_Whole(grossUp));
    return lines;
}

std::optional<std::string> Carry_Refusal(const std::array<std::string, kCarriedLines> &lines)
{
    for (int i = 0; i < 6; ++i) {
        if (!Refuses_Negative(lines[i], i))
            continue;
        const bool interest = i < 3;
        return "산출세액계산 " + std::to_string(i + 1) + "번 줄: " + (interest ? "이자소득명세" : "배당소득명세") +
               " 소득구분코드 " + (interest ? kInterestLayout : kDividendLayout).codes[i % 3] + "의 합계 " +
               lines[i] + "이(가) 음수입니다. 이 줄은 음수를 받지 않으므로 1~7번 줄을 옮기지 않았습니다.";
    }
    return std::nullopt;
}
