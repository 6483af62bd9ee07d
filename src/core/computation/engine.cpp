#include "core/computation/engine.h"

#include "core/common/amount.h"
#include "core/law/law.h"

#include <cmath>

namespace {

// A deduction set against an income: what the statement shows as the
// deduction, and the tax base left.
struct Capped {
    double deduction;
    double base;
};

Capped Cap_Deduction(double deduction, double income)
{
    if (!(income > 0))
        return {0, 0};
    if (income > deduction)
        return {deduction, income - deduction};
    return {income, 0};
}

constexpr LabelRef L1(int i) { return {LabelArray::TxtLab1, i}; }
constexpr LabelRef L2(int i) { return {LabelArray::TxtLab2, i}; }

constexpr StatementLine kLines[] = {
    {"(1)", L2(0)},   {"(2)", L2(1)},   {"(3)", L2(2)},   {"(4)", L1(0)},   {"(5)", L2(3)},   {"(6)", L2(4)},
    {"(7)", L2(5)},   {"(8)", L1(1)},   {"(9)", L1(2)},   {"(10)", L1(3)},  {"(11)", L1(4)},  {"(12)", L2(6)},
    {"(13)", L2(7)},  {"(14)", L1(5)},  {"(15)", L2(8)},  {"(16)", L1(6)},  {"(17)", L1(7)},  {"(18)", L1(8)},
    {"(19)", L1(9)},  {"(20)", L1(10)}, {"(21)", L1(11)}, {"(22)", L1(12)}, {"(23)", L1(13)}, {"(24)", L2(9)},
    {"(25)", L2(10)}, {"(26)", L1(14)}, {"(27)", L1(15)}, {"(28)", L1(16)}, {"(29)", L1(17)}, {"(30)", L1(18)},
    {"(31)", L1(19)}, {"(32)", L1(20)}, {"(33)", L2(11)}, {"(34)", L2(12)}, {"(35)", L1(21)}, {"(36)", L1(22)},
    {"(37)", L1(23)}, {"(38)", L1(24)}, {"④", L1(25)},
};
static_assert(std::size(kLines) == 39);

} // namespace

std::span<const StatementLine, 39> Statement_Lines() { return std::span<const StatementLine, 39>(kLines); }

std::string Show_Amount(double value)
{
    std::string text = Format_Grouped(value);
    return text.empty() ? "0" : text;
}

std::int16_t StatementEngine::Get_Rate(double base)
{
    if (!(base > 0))
        return 0;
    for (const law::Bracket &b : law::kBasicRates)
        if (base <= b.upTo)
            return b.rate;
    return law::kBasicRates[std::size(law::kBasicRates) - 1].rate; // NaN never gets here
}

double StatementEngine::Bracket_Tax(double base, std::int16_t rate)
{
    for (const law::Bracket &b : law::kBasicRates)
        if (b.rate == rate)
            return Truncate_Won(base * rate / 100) - b.less;
    return 0; // rate 0: no tax
}

const std::string &StatementEngine::Label(LabelRef ref) const
{
    return ref.array == LabelArray::TxtLab1 ? TxtLab1.at(ref.index) : TxtLab2.at(ref.index);
}

void StatementEngine::Clear_Labels()
{
    for (auto &t : TxtLab1)
        t.clear();
    for (auto &t : TxtLab2)
        t.clear();
}

std::string StatementEngine::Calc_Val(const InputAmounts &in)
{
    StatementAmounts &st = ComputationStatement;
    st[0] = in[0] + in[1] + in[2]; // (4) 이자소득합계
    st[1] = in[3] + in[4] + in[5]; // (8) 배당소득합계
    st[2] = st[0] + st[1];         // (9) 금융소득금액

    TxtLab1[0] = Show_Amount(st[0]);
    TxtLab1[1] = Show_Amount(st[1]);
    for (int i = 0; i <= 5; ++i)
        TxtLab2[i] = Show_Amount(in[i]);

    finite_ = std::isfinite(st[2]);
    if (st[2] > law::kThreshold) {
        Calc_Sec2(in);
        section = Section::Above;
        return TxtLab1[18];
    }
    Calc_Sec3(in);
    section = Section::AtOrBelow;
    return TxtLab1[24];
}

void StatementEngine::Calc_Sec2(const InputAmounts &in)
{
    StatementAmounts &st = ComputationStatement;
    st[3] = law::kThreshold;       // (10) 종합과세기준금액
    st[4] = st[2] - st[3];         // (11) 기준초과금액
    st[5] = st[4] + in[6] + in[7]; // (14) 종합소득금액 = (11)+(12)+(13)

    const Capped d15 = Cap_Deduction(in[8], st[5]);
    const std::int16_t rate17 = Get_Rate(d15.base);
    st[6] = d15.base;                   // (16) 과세표준
    st[7] = rate17;                     // (17) 기본세율
    st[8] = Bracket_Tax(st[6], rate17); // (18) 산출세액

    st[9] = Truncate_Won(law::Of(law::kThreshold, law::kWithholding)); // (19) (10)x15/100 = 6,000,000
    st[10] = st[9] + st[8];                      // (20) 비교산출세액계 = (18)+(19)

    st[11] = law::Of(in[0], law::kNonBusinessLoan);      // (21) not truncated: fractions stay
    st[12] = st[2] - in[0];                   // (22) 비영업대금이익 제외한 금융소득
    st[13] = Truncate_Won(law::Of(st[12], law::kWithholding)); // (23)

    const Capped d25 = Cap_Deduction(in[10], in[9]);
    const std::int16_t rate27 = Get_Rate(d25.base);
    st[14] = d25.base;                    // (26) 과세표준
    st[15] = rate27;                      // (27) 기본세율
    st[16] = Bracket_Tax(st[14], rate27); // (28) 산출세액

    st[17] = st[13] + st[11] + st[16];          // (29) 비교산출세액계
    st[18] = st[10] > st[17] ? st[10] : st[17]; // (30) the larger of (20) and (29)

    // ④ 배당세액공제: the smaller of (12) and (30)-(29); shown, never kept.
    const double credit = st[18] - st[17] > in[6] ? in[6] : st[18] - st[17];

    TxtLab1[25] = Show_Amount(credit);
    for (int i = 2; i <= 18; ++i)
        TxtLab1[i] = Show_Amount(st[i]);
    TxtLab2[6] = Show_Amount(in[6]);
    TxtLab2[7] = Show_Amount(in[7]);
    TxtLab2[8] = Show_Amount(d15.deduction);
    TxtLab2[9] = Show_Amount(in[9]);
    TxtLab2[10] = Show_Amount(d25.deduction);
    TxtLab1[7] += " %";
    TxtLab1[15] += " %";

    for (int i = 2; i <= 18; ++i)
        finite_ = finite_ && std::isfinite(st[i]);
    finite_ = finite_ && std::isfinite(credit) && std::isfinite(d15.deduction) && std::isfinite(d25.deduction);
}

void StatementEngine::Calc_Sec3(const InputAmounts &in)
{
    StatementAmounts &st = ComputationStatement;
    st[19] = in[1] + in[5];     // (31) 원천징수되지 않은 금융소득 = (2)+(7)
    st[20] = law::Of(st[19], law::kWithholding); // (32) not truncated

    const Capped d34 = Cap_Deduction(in[8], in[7]);
    const std::int16_t rate36 = Get_Rate(d34.base);
    st[21] = d34.base;                    // (35) 과세표준
    st[22] = rate36;                      // (36) 기본세율
    st[23] = Bracket_Tax(st[21], rate36); // (37) 산출세액
    st[24] = st[23] + st[20];             // (38) 종합소득산출세액

    for (int i = 19; i <= 24; ++i)
        TxtLab1[i] = Show_Amount(st[i]);
    TxtLab2[11] = Show_Amount(in[7]);
    TxtLab2[12] = Show_Amount(d34.deduction);
    TxtLab1[22] += " %";

    for (int i = 19; i <= 24; ++i)
        finite_ = finite_ && std::isfinite(st[i]);
    finite_ = finite_ && std::isfinite(d34.deduction);
}

bool StatementEngine::Would_Overflow(const InputAmounts &in)
{
    StatementEngine scratch;
    scratch.Calc_Val(in);
    return !scratch.finite_;
}
