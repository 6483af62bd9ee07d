#include "cli/calc.h"
#include "cli/cli_support.h"
#include "cli/pdf.h"

#include "common/app_info.h"
#include "common/amount.h"
#include "common/utf8.h"
#include "computation/engine.h"
#include "computation/input_logic.h"
#include "printing/page_data.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace {

constexpr const char *kUsage =
    "사용법: orvanta-calc statement [--json] [--pdf PDF] L1 L2 L3 L4 L5 L6 L7 L8 L9\n"
    "        orvanta-calc interest [--json] [--pdf PDF] [FILE]\n"
    "        orvanta-calc dividend [--json] [--pdf PDF] [FILE]\n"
    "        orvanta-calc --help | --version\n"
    "\n"
    "statement는 계산 화면의 아홉 금액으로 종합소득산출세액계산서(금융소득자용)를\n"
    "계산합니다. 금액은 계산 화면에 입력하듯이 씁니다(\"10,000,000\", \"10000000\",\n"
    "0은 \"\"):\n"
    "  L1 비영업대금이익              L6 원천징수되지 않는 배당소득\n"
    "  L2 원천징수되지 않는 이자소득  L7 배당가산액 (음수 가능)\n"
    "  L3 위 이외 이자소득            L8 금융소득외의 다른 종합소득\n"
    "  L4 Gross-Up 대상 배당소득      L9 소득공제\n"
    "  L5 Gross-Up 대상 아닌 배당소득\n"
    "(1)~(38)란과 ④를 한 줄에 하나씩 \"란<TAB>금액\"으로 쓰고, 끝에 세액을 씁니다.\n"
    "--json은 그 대신 JSON 객체 하나를 씁니다.\n"
    "\n"
    "interest와 dividend는 FILE(없거나 \"-\"이면 표준 입력)의 CSV(UTF-8)를 한 줄씩\n"
    "저장 단추처럼 명세에 저장하고, 소계와 합계로 다시 묶은 명세를 한 행에 한 줄씩\n"
    "탭으로 구분해 씁니다(--json: {\"rows\": [{\"kind\": ..., \"cells\": [...]}, ...]}).\n"
    "  interest 행: 소득구분코드(11, 12, 13), 상호(성명), 사업자등록번호(주민번호),\n"
    "               이자소득금액, 원천징수세액\n"
    "  dividend 행: 소득구분코드(21, 22, 23), 배당지급법인명, 사업자등록번호,\n"
    "               배당액, 배당가산대상금액, 원천징수세액\n"
    "첫 줄은 필드 수가 맞고 금액 필드가 모두 숫자가 아닌 글자이면 머리글로 건너뜁니다.\n"
    "빈 금액은 0입니다. 금액은 10조 원 미만이어야 합니다. 파일은 4 MB까지 읽습니다.\n"
    "\n"
    "--pdf PDF는 신고서 서식의 쪽(A4)을 파일 PDF로도 인쇄합니다: statement는 제21쪽,\n"
    "interest는 제5쪽, dividend는 제7쪽.\n"
    "\n"
    "종료 상태: 성공하면 0, 잘못된 입력이나 실패는 2(표준 오류에 까닭을 씁니다).\n";

int Usage(std::ostream &err, const std::string &why)
{
    err << "orvanta-calc: " << why << "\n\n" << kUsage;
    return kFailure;
}

int Statement(const std::vector<std::string> &args, CalcIo &io)
{
    bool json = false;
    std::optional<std::string> pdf, usageError;
    std::size_t first = 0;
    // Options stand before the amounts, so "-1,000" is always an amount.
    for (; first < args.size() && args[first].starts_with("--"); ++first) {
        if (args[first] == "--json")
            json = true;
        else if (!Take_Pdf_Option(args, first, pdf, usageError))
            return Usage(io.err, "알 수 없는 옵션입니다: " + args[first]);
        if (usageError)
            return Usage(io.err, *usageError);
    }
    if (args.size() - first != kLineCount)
        return Usage(io.err, "statement에는 금액 아홉 개(L1~L9)가 필요합니다.");

    // Each amount is taken as leaving its line takes it, then gathered.
    const auto failLine = [&](int i, const char *why) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "L" + ...
        std::string message(1, 'L');
        message.append(std::to_string(i + 1)).append(" ").append(Quote_Excerpt(args[first + i])).append(": ").append(why);
        return Fail(io.err, message);
    };
    PanelTexts panel;
    for (int i = 0; i < kLineCount; ++i) {
        const std::string &text = args[first + i];
        // Leaving the line would keep such a text as it is, and then it
        // would not read as a number: say what is really wrong with it.
        if (Parse_Number(text).status == NumberStatus::Overflow)
            return failLine(i, kAmountTooLarge);
        if (Refuses_Negative(text, i))
            return failLine(i, kNegativeRefused);
        panel.boxes[i] = Stored_Line_Text(text);
    }
    panel.curLine = 0;
    panel.editor = panel.boxes[0]; // the editor back on line 1, as after a move there
    InputAmounts inputs{};
    int unread = 0;
    if (!Gather_Inputs(panel, inputs, &unread))
        return failLine(unread, kNotANumber);
    if (StatementEngine::Would_Overflow(inputs))
        return Fail(io.err, kAmountTooLarge);

    StatementEngine statement;
    const std::string tax = statement.Calc_Val(inputs);
    if (pdf) {
        Page page(Statement_Page_Spec());
        Show_Statement(page, statement);
        if (const int status = Write_Pdf(page, *pdf, io.err))
            return status;
    }

    if (json) {
        nlohmann::ordered_json lines = nlohmann::ordered_json::object();
        for (const StatementLine &line : Statement_Lines())
            lines[line.line] = statement.Label(line.label);
        const nlohmann::ordered_json object = {
            {"section", statement.section == Section::Above ? 2 : 3}, {"tax", tax}, {"lines", std::move(lines)}};
        io.out = object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
    } else {
        for (const StatementLine &line : Statement_Lines())
            io.out.append(line.line).append(1, '\t').append(statement.Label(line.label)).append(1, '\n');
        io.out.append("종합소득산출세액\t").append(tax).append(1, '\n');
    }
    return 0;
}

} // namespace

int Run_Calc(const std::vector<std::string> &args, CalcIo &io)
{
    if (args.empty())
        return Usage(io.err, "명령이 없습니다.");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        io.out = kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        io.out = std::string("orvanta-calc ") + kVersionText + '\n';
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "statement")
        return Statement(rest, io);
    if (args[0] == "interest" || args[0] == "dividend") {
        const CommandResult command = Register_Command(args[0], rest, io);
        if (command.usageError)
            return Usage(io.err, *command.usageError);
        return command.status;
    }
    return Usage(io.err, "알 수 없는 명령입니다: " + args[0]);
}
