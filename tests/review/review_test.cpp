// The gross-up rule against worked numbers, and the review of a work, each
// finding alone.
#include "core/files/register_csv.h"
#include "core/registers/gross_up_rule.h"
#include "core/registers/register_entry.h"
#include "core/review/review.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Cells = std::vector<std::string>;

// Rows as a file gives them (code, name, number, amounts), saved as an old
// taxpayer file's are, so that a base above its 배당액 can stand.
GridModel Register(RegisterKind kind, const std::vector<Cells> &rows)
{
    GridModel grid = Empty_Register(kind);
    for (const Cells &cells : rows) {
        RegisterRow row;
        EXPECT_EQ(Row_From_Cells(kind, cells, row), std::nullopt);
        EXPECT_EQ(Save_Row(grid, 0, Entry_Cells(grid, row.code, row.fields), true), SaveResult::Saved);
    }
    return grid;
}

Cells Interest(const char *amount, const char *code = "13") { return {code, "은행", "", amount, ""}; }
Cells Dividend(const char *code, const char *name, const char *amount, const char *base = "")
{
    return {code, name, "", amount, base, ""};
}

TEST(GrossUpRule, FillsTheThresholdWithInterestThenOtherDividendsAndSpreadsTheRestLargestFirst)
{
    const struct {
        const char *name;
        std::vector<Cells> interest, dividend;
        double income, excess, base;
        std::vector<Cells> after; // each data row: 배당가산대상금액, 배당가산액, 배당소득금액
        int changed;
        const char *message = nullptr;
    } cases[] = {
        // clang-format off
        {"below", {Interest("30000000")}, {Dividend("21", "A", "5000000", "5000000")}, 35e6, 0, 0,
         {{"0", "0", "5,000,000"}}, 1,
         "금융소득 35,000,000원이(가) 종합과세기준금액 40,000,000원 이하이므로 배당가산(Gross-Up)을 하지 "
         "않습니다. 배당가산대상금액은 모두 0원입니다.\n배당소득명세의 1개 행을 바꾸었습니다."},
        {"at", {Interest("30000000")}, {Dividend("21", "A", "10000000", "10000000")}, 40e6, 0, 0,
         {{"0", "0", "10,000,000"}}, 1},
        {"one won above", {Interest("30000001")}, {Dividend("21", "A", "10000000")}, 40'000'001, 1, 1,
         {{"1", "0", "10,000,000"}}, 1},
        {"interest alone above", {Interest("50000000")}, {Dividend("21", "A", "5000000"), Dividend("21", "B", "3000000")},
         58e6, 18e6, 8e6, {{"5,000,000", "950,000", "5,950,000"}, {"3,000,000", "570,000", "3,570,000"}}, 2},
        {"no code 21", {Interest("30000000")},
         {Dividend("22", "A", "20000000", "1000000"), Dividend("23", "B", "5000000")}, 55e6, 15e6, 0,
         {{"0", "0", "20,000,000"}, {"0", "0", "5,000,000"}}, 1},
        {"a partial row", {Interest("20000000")},
         {Dividend("22", "C", "5000000"), Dividend("21", "A", "10000000"), Dividend("21", "B", "15000000")}, 50e6,
         10e6, 10e6, {{"0", "0", "10,000,000"}, {"10,000,000", "1,900,000", "16,900,000"}, {"0", "0", "5,000,000"}}, 1,
         "금융소득 50,000,000원 중 종합과세기준금액 40,000,000원을(를) 넘는 금액은 10,000,000원입니다. 기준금액을 "
         "이자소득, Gross-Up 대상 아닌 배당소득(22, 23), Gross-Up 대상 배당소득(21)의 순서로 채우므로 "
         "배당가산대상금액은 모두 10,000,000원이며, 소득구분코드 21의 배당액이 큰 행부터 채웠습니다.\n"
         "배당소득명세의 1개 행을 바꾸었습니다."},
        // Equal amounts: the row standing first takes its whole 배당액.
        {"equal amounts", {Interest("38000000")}, {Dividend("21", "A", "5000000"), Dividend("21", "B", "5000000")},
         48e6, 8e6, 8e6, {{"5,000,000", "950,000", "5,950,000"}, {"3,000,000", "570,000", "5,570,000"}}, 2},
        // clang-format on
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const GridModel fgEJ = Register(RegisterKind::Interest, c.interest);
        const GridModel fgBD = Register(RegisterKind::Dividend, c.dividend);
        const GrossUpRule rule = Gross_Up_Rule(fgEJ, fgBD);
        EXPECT_EQ(rule.financialIncome, c.income);
        EXPECT_EQ(rule.excess, c.excess);
        EXPECT_EQ(rule.base, c.base);

        const RuleApplied applied = Apply_Gross_Up_Rule(rule, fgBD);
        ASSERT_EQ(applied.refusal, std::nullopt);
        EXPECT_EQ(applied.changedRows, c.changed);
        std::vector<Cells> after;
        for (int r = 1; r < applied.fgBD.Rows(); ++r)
            if (applied.fgBD.Is_Data(r))
                after.push_back({applied.fgBD.Text(r, 6), applied.fgBD.Text(r, 7), applied.fgBD.Text(r, 8)});
        EXPECT_EQ(after, c.after);
        EXPECT_TRUE(Gross_Up_Rule(fgEJ, applied.fgBD).Differing_Rows(applied.fgBD).empty());
        if (c.message) {
            EXPECT_EQ(Gross_Up_Message(rule, applied.changedRows), c.message);
        }
    }
}

// Work that holds together: 53,000,000 of financial income, so the whole
// 10,000,000 of code 21 is grossed up, and lines 1 to 7 as F3 carries them.
struct Work {
    std::vector<Cells> interest = {{"11", "김민수", "750101", "3000000", "750000"},
                                   {"13", "은행", "202-81", "40000000", "5600000"}};
    std::vector<Cells> dividend = {{"21", "대한전자", "124-81", "10000000", "10000000", "1400000"}};
    std::array<std::string, kLineCount> lines = {"3,000,000", "",          "40,000,000", "10,000,000", "",
                                                 "",          "1,900,000", "20,000,000", "5,000,000"};
    std::optional<std::array<std::string, kLineCount>> taxLines;
};

TEST(Review, NamesEachInconsistencyAtItsPlaceAndNothingInWorkThatHoldsTogether)
{
    const std::string bd1 = "배당소득명세 1번째 행: ", bd2 = "배당소득명세 2번째 행: ";
    const struct {
        const char *name;
        std::function<void(Work &)> change;
        std::vector<std::string> findings;
    } cases[] = {
        {"consistent", [](Work &) {}, {}},
        {"no rows, any lines", [](Work &w) { w.interest.clear(), w.dividend.clear(); }, {}},
        {"bases not the rule's",
         [](Work &w) { w.dividend[0][4] = "5000000", w.lines[6] = "950,000"; },
         {"배당소득명세: 배당가산대상금액의 합계 5,000,000이(가) 법에 따른 합계 10,000,000과(와) 다릅니다(금융소득 "
          "53,000,000, 종합과세기준금액을 넘는 금액 13,000,000).",
          bd1 + "배당가산대상금액 5,000,000이(가) 법에 따라 계산한 10,000,000과(와) 다릅니다."}},
        {"a base on code 22",
         [](Work &w) {
             w.dividend.push_back({"22", "펀드", "", "1000000", "1000000", ""});
             w.lines[4] = "1,000,000", w.lines[6] = "2,090,000";
         },
         {"배당소득명세: 배당가산대상금액의 합계 11,000,000이(가) 법에 따른 합계 10,000,000과(와) 다릅니다(금융소득 "
          "54,000,000, 종합과세기준금액을 넘는 금액 14,000,000).",
          bd2 + "소득구분코드 22은(는) Gross-Up 대상이 아닌데 배당가산대상금액 1,000,000이(가) 있습니다."}},
        {"a base above its 배당액, from an old file",
         [](Work &w) { w.dividend[0][4] = "12000000", w.lines[6] = "2,280,000"; },
         {"배당소득명세: 배당가산대상금액의 합계 12,000,000이(가) 법에 따른 합계 10,000,000과(와) 다릅니다(금융소득 "
          "53,000,000, 종합과세기준금액을 넘는 금액 13,000,000).",
          bd1 + "배당가산대상금액 12,000,000이(가) 배당액 10,000,000보다 큽니다."}},
        {"a line not carried",
         [](Work &w) { w.lines[2] = "4,000,000"; },
         {"산출세액계산 3번 줄: 4,000,000이(가) 이자소득명세 소득구분코드 13의 합계 40,000,000과(와) 다릅니다."}},
        {"tax withheld on code 12",
         [](Work &w) {
             w.interest.push_back({"12", "사채", "", "1000000", "140000"}), w.lines[1] = "1,000,000";
         },
         {"이자소득명세 2번째 행: 소득구분코드 12은(는) 원천징수되지 않는 소득인데 원천징수세액 140,000이(가) "
          "있습니다."}},
        {"tax above the amount",
         [](Work &w) { w.interest[0][4] = "4000000"; },
         {"이자소득명세 1번째 행: 원천징수세액 4,000,000이(가) 이자소득금액 3,000,000보다 큽니다."}},
        {"a payment twice",
         [](Work &w) {
             w.interest.push_back({"13", "은행", "202-81", "1000000", ""}), w.lines[2] = "41,000,000";
         },
         {"이자소득명세 3번째 행: 2번째 행과 소득구분코드, 상호(성명), 사업자등록번호(주민번호)이(가) 같습니다. 같은 "
          "지급을 두 번 입력하지 않았습니까?"}},
        {"a row of 0",
         [](Work &w) {
             w.dividend.push_back({"23", "조합", "", "0", "", ""});
         },
         {bd2 + "배당액이 0입니다."}},
        {"the tax shown is older than the lines",
         [](Work &w) { w.taxLines = w.lines, w.lines[8] = "6,000,000"; },
         {"종합소득산출세액: 보이는 세액은 줄을 마지막으로 바꾸기 전에 계산한 것입니다. 세액계산을 다시 하십시오."}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Work w;
        c.change(w);
        TaxpayerWork work{Register(RegisterKind::Interest, w.interest), Register(RegisterKind::Dividend, w.dividend),
                          w.lines};
        // Such work, saved and opened again, is reviewed alike.
        const TaxpayerRead read = Parse_Taxpayer(Taxpayer_Json(work));
        ASSERT_TRUE(read.work) << read.error;
        std::vector<std::string> texts;
        for (const Finding &finding : Review_Work(*read.work, w.taxLines))
            texts.push_back(finding.text);
        EXPECT_EQ(texts, c.findings);
    }
}

} // namespace
