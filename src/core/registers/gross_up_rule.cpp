#include "core/registers/gross_up_rule.h"

#include "core/common/amount.h"
#include "core/law/law.h"
#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"

#include <algorithm>

namespace {

// 21, Gross-Up 대상 배당소득: the one code the gross-up applies to.
const std::string_view kGrossUpCode = kDividendLayout.codes[0];

double Data_Sum(const GridModel &grid, int col)
{
    double sum = 0;
    for (int r = 1; r < grid.Rows(); ++r)
        if (grid.Is_Data(r))
            sum += Get_Amount(grid.Text(r, col));
    return sum;
}

std::string Won(double amount) { return Format_Whole(amount) + "원"; }

} // namespace

GrossUpRule Gross_Up_Rule(const GridModel &fgEJ, const GridModel &fgBD)
{
    GrossUpRule rule;
    rule.rowBases.assign(fgBD.Rows(), 0);
    std::vector<int> eligible;
    double eligibleSum = 0;
    for (int r = 1; r < fgBD.Rows(); ++r) {
        if (fgBD.Is_Data(r) && fgBD.Text(r, kCodeCol) == kGrossUpCode) {
            eligible.push_back(r);
            eligibleSum += Get_Amount(fgBD.Text(r, kDividendCol));
        }
    }
    rule.financialIncome = Data_Sum(fgEJ, kFirstAmountCol) + Data_Sum(fgBD, kDividendCol);
    rule.excess = std::max(0.0, rule.financialIncome - law::kThreshold);
    // A code 21 whose corrections outweigh its payments grosses nothing up.
    rule.base = std::max(0.0, std::min(eligibleSum, rule.excess));

    std::stable_sort(eligible.begin(), eligible.end(), [&fgBD](int a, int b) {
        return Get_Amount(fgBD.Text(a, kDividendCol)) > Get_Amount(fgBD.Text(b, kDividendCol));
    });
    double left = rule.base;
    for (const int r : eligible) {
        // A correction (a negative 배당액) takes nothing: the payments before
        // it hold at least the whole base.
        const double take = std::max(0.0, std::min(Get_Amount(fgBD.Text(r, kDividendCol)), left));
        rule.rowBases[r] = take;
        left -= take;
    }
    return rule;
}

std::vector<int> GrossUpRule::Differing_Rows(const GridModel &fgBD) const
{
    std::vector<int> rows;
    for (int r = 1; r < fgBD.Rows() && r < static_cast<int>(rowBases.size()); ++r)
        if (fgBD.Is_Data(r) && Get_Amount(fgBD.Text(r, kBaseCol)) != rowBases[r])
            rows.push_back(r);
    return rows;
}

double Register_Base(const GridModel &fgBD) { return Data_Sum(fgBD, kBaseCol); }

RuleApplied Apply_Gross_Up_Rule(const GrossUpRule &rule, const GridModel &fgBD)
{
    RuleApplied applied{fgBD, 0, std::nullopt};
    // Saving a row over itself keeps its code, so the regrouping leaves
    // every data row where it stood.
    for (const int r : rule.Differing_Rows(fgBD)) {
        std::vector<std::string> fields;
        for (int c = kNameCol; c < fgBD.Cols(); ++c)
            fields.push_back(fgBD.Text(r, c));
        fields[kBaseCol - kNameCol] = Format_Whole(rule.rowBases[r]);
        const GrossUp g = BD_Calc(fields[kDividendCol - kNameCol], fields[kBaseCol - kNameCol]);
        fields[kBaseCol - kNameCol + 1] = g.grossUp;
        fields[kBaseCol - kNameCol + 2] = g.income;
        const SaveResult saved =
            g.overflow ? SaveResult::TooLarge
                       : Save_Row(applied.fgBD, r, Entry_Cells(applied.fgBD, fgBD.Text(r, kCodeCol), fields));
        if (const char *refusal = Refusal_Message(saved, kDividendLayout))
            return {fgBD, 0, refusal};
        ++applied.changedRows;
    }
    return applied;
}

std::string Gross_Up_Message(const GrossUpRule &rule, int changedRows)
{
    std::string text = "금융소득 " + Won(rule.financialIncome);
    if (rule.excess <= 0) {
        text += "이(가) 종합과세기준금액 " + Won(law::kThreshold) +
                " 이하이므로 배당가산(Gross-Up)을 하지 않습니다. 배당가산대상금액은 모두 0원입니다.";
    } else {
        text += " 중 종합과세기준금액 " + Won(law::kThreshold) + "을(를) 넘는 금액은 " + Won(rule.excess) +
                "입니다. 기준금액을 이자소득, Gross-Up 대상 아닌 배당소득(22, 23), Gross-Up 대상 배당소득(21)의 "
                "순서로 채우므로 배당가산대상금액은 모두 " +
                Won(rule.base) + "이며, 소득구분코드 21의 배당액이 큰 행부터 채웠습니다.";
    }
    text += changedRows == 0 ? "\n바뀐 행은 없습니다."
                             : "\n배당소득명세의 " + std::to_string(changedRows) + "개 행을 바꾸었습니다.";
    return text;
}

std::string Carry_Question(const GrossUpRule &rule, const GridModel &fgBD)
{
    return "배당소득명세에서 배당가산대상금액이 법에 따라 계산한 금액과 다른 행이 " +
           std::to_string(rule.Differing_Rows(fgBD).size()) + "개 있습니다(합계 " + Won(Register_Base(fgBD)) +
           ", 법에 따른 합계 " + Won(rule.base) +
           ").\n배당가산대상금액을 계산해 고친 뒤 옮기시겠습니까? 아니요를 누르면 명세대로 옮깁니다.";
}
