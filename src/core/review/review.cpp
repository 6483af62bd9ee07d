#include "core/review/review.h"

#include "core/common/amount.h"
#include "core/registers/carried_lines.h"
#include "core/registers/gross_up_rule.h"
#include "core/registers/regrouping.h"

#include <map>

namespace {

constexpr int kAmountCol = 5; // ⑤이자소득금액, ⑤배당액

struct RegisterFacts {
    RegisterKind kind;
    const char *title;       // of the panel, as the file's messages name it
    const char *amountLabel; // column 5
    int withheldCol;
    const char *notWithheldCode; // 12, 23: paid without withholding
};
constexpr RegisterFacts kFacts[] = {
    {RegisterKind::Interest, "이자소득명세", "이자소득금액", 6, "12"},
    {RegisterKind::Dividend, "배당소득명세", "배당액", 9, "23"},
};

std::string Amount(double value) { return Format_Whole(value); }

class Reviewer {
public:
    explicit Reviewer(const TaxpayerWork &work) : work_(work) {}

    void Register(const RegisterFacts &facts)
    {
        const GridModel &grid = facts.kind == RegisterKind::Interest ? work_.interest : work_.dividend;
        const bool dividend = facts.kind == RegisterKind::Dividend;
        const std::string title = facts.title;
        GrossUpRule rule;
        if (dividend) {
            rule = Gross_Up_Rule(work_.interest, work_.dividend);
            const double typed = Register_Base(grid);
            if (typed != rule.base)
                Add({FindingPlace::Kind::Register, facts.kind, 0, 0},
                    title + ": 배당가산대상금액의 합계 " + Amount(typed) + "이(가) 법에 따른 합계 " +
                        Amount(rule.base) + "과(와) 다릅니다(금융소득 " + Amount(rule.financialIncome) +
                        ", 종합과세기준금액을 넘는 금액 " + Amount(rule.excess) + ").");
        }
        const RegisterLayout &layout = Layout_Of(facts.kind);
        // Code, name and number of each data row so far, to its number from 1.
        std::map<std::array<std::string, 3>, int> payers;
        int number = 0;
        for (int r = 1; r < grid.Rows(); ++r) {
            if (!grid.Is_Data(r))
                continue;
            ++number;
            const std::string where = title + " " + std::to_string(number) + "번째 행: ";
            const FindingPlace place{FindingPlace::Kind::Register, facts.kind, r, 0};
            const std::string &code = grid.Text(r, kCodeCol);
            const double amount = Get_Amount(grid.Text(r, kAmountCol));

            if (dividend) {
                const double base = Get_Amount(grid.Text(r, kBaseCol));
                if (code != layout.codes[0] && base != 0)
                    Add(place, where + "소득구분코드 " + code + "은(는) Gross-Up 대상이 아닌데 배당가산대상금액 " +
                                   Amount(base) + "이(가) 있습니다.");
                else if (base > 0 && base > amount)
                    Add(place, where + "배당가산대상금액 " + Amount(base) + "이(가) 배당액 " + Amount(amount) +
                                   "보다 큽니다.");
                else if (base != rule.rowBases[r])
                    Add(place, where + "배당가산대상금액 " + Amount(base) + "이(가) 법에 따라 계산한 " +
                                   Amount(rule.rowBases[r]) + "과(와) 다릅니다.");
            }

            const double withheld = Get_Amount(grid.Text(r, facts.withheldCol));
            if (code == facts.notWithheldCode && withheld != 0)
                Add(place, where + "소득구분코드 " + code + "은(는) 원천징수되지 않는 소득인데 원천징수세액 " +
                               Amount(withheld) + "이(가) 있습니다.");
            else if (withheld > 0 && withheld > amount)
                Add(place, where + "원천징수세액 " + Amount(withheld) + "이(가) " + facts.amountLabel + " " +
                               Amount(amount) + "보다 큽니다.");

            const auto [first, added] =
                payers.try_emplace({code, grid.Text(r, kNameCol), grid.Text(r, kNumberCol)}, number);
            if (!added)
                Add(place, where + std::to_string(first->second) + "번째 행과 소득구분코드, " + layout.textLabels[0] +
                               ", " + layout.textLabels[1] + "이(가) 같습니다. 같은 지급을 두 번 입력하지 않았습니까?");

            if (amount == 0)
                Add(place, where + facts.amountLabel + "이 0입니다."); // 이자소득금액, 배당액
        }
    }

    // Lines 1 to 7 against what F3 would carry, once a register holds rows.
    void Carried()
    {
        if (!work_.interest.Holds_Rows() && !work_.dividend.Holds_Rows())
            return;
        static constexpr const char *kSources[kCarriedLines] = {
            "이자소득명세 소득구분코드 11의 합계", "이자소득명세 소득구분코드 12의 합계",
            "이자소득명세 소득구분코드 13의 합계", "배당소득명세 소득구분코드 21의 합계",
            "배당소득명세 소득구분코드 22의 합계", "배당소득명세 소득구분코드 23의 합계",
            "배당소득명세 배당가산액의 합계",
        };
        const std::array<std::string, kCarriedLines> carried = Carried_Lines(work_.interest, work_.dividend);
        for (int i = 0; i < kCarriedLines; ++i) {
            const double typed = Get_Amount(work_.lines[i]), worked = Get_Amount(carried[i]);
            if (typed != worked)
                Add({FindingPlace::Kind::Line, RegisterKind::Dividend, 0, i},
                    "산출세액계산 " + std::to_string(i + 1) + "번 줄: " + Amount(typed) + "이(가) " + kSources[i] +
                        " " + Amount(worked) + "과(와) 다릅니다.");
        }
    }

    void Tax(const std::array<std::string, kLineCount> &taxLines)
    {
        if (Lines_Differ(taxLines, work_.lines))
            Add({FindingPlace::Kind::Tax, RegisterKind::Dividend, 0, 0},
                "종합소득산출세액: 보이는 세액은 줄을 마지막으로 바꾸기 전에 계산한 것입니다. 세액계산을 다시 "
                "하십시오.");
    }

    std::vector<Finding> findings;

private:
    void Add(const FindingPlace &place, std::string text) { findings.push_back({place, std::move(text)}); }

    const TaxpayerWork &work_;
};

} // namespace

std::vector<Finding> Review_Work(const TaxpayerWork &work,
                                 const std::optional<std::array<std::string, kLineCount>> &taxLines)
{
    Reviewer reviewer(work);
    for (const RegisterFacts &facts : kFacts)
        reviewer.Register(facts);
    reviewer.Carried();
    if (taxLines)
        reviewer.Tax(*taxLines);
    return std::move(reviewer.findings);
}
