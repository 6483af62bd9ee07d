#include "cli/calc.h"
#include "cli/cli_support.h"
#include "cli/pdf.h"

#include "core/common/app_info.h"
#include "core/common/amount.h"
#include "core/common/utf8.h"
#include "core/computation/engine.h"
#include "core/computation/input_logic.h"
#include "core/files/register_csv.h"
#include "core/files/taxpayer_file.h"
#include "core/printing/page_data.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <ostream>
#include <ranges>

namespace {

constexpr const char *kUsage =
    "사용법: orvanta-calc statement [--json] [--pdf PDF] L1 L2 L3 L4 L5 L6 L7 L8 L9\n"
    "        orvanta-calc statement [--json] [--pdf PDF] --file WORK.orvanta\n"
    "        orvanta-calc interest [--json] [--pdf PDF] [FILE]\n"
    "        orvanta-calc dividend [--json] [--pdf PDF] [FILE]\n"
    "        orvanta-calc save OUT.orvanta [--interest FILE] [--dividend FILE] [L1 ... L9]\n"
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
    "--json은 그 대신 JSON 객체 하나를 씁니다. --file은 아홉 금액을 납세자 파일에서\n"
    "읽습니다.\n"
    "\n"
    "interest와 dividend는 FILE(없거나 \"-\"이면 표준 입력)의 CSV(UTF-8)를 한 줄씩\n"
    "저장 단추처럼 명세에 저장하고, 소계와 합계로 다시 묶은 명세를 한 행에 한 줄씩\n"
    "탭으로 구분해 씁니다(--json: {\"rows\": [{\"kind\": ..., \"cells\": [...]}, ...]}).\n"
    "  interest 행: 소득구분코드(11, 12, 13), 상호(성명), 사업자등록번호(주민번호),\n"
    "               이자소득금액, 원천징수세액\n"
    "  dividend 행: 소득구분코드(21, 22, 23), 배당지급법인명, 사업자등록번호,\n"
    "               배당액, 배당가산대상금액, 원천징수세액\n"
    "첫 줄은 필드 수가 맞고 금액 필드가 모두 숫자가 아닌 글자이면 머리글로 건너뜁니다.\n"
    "빈 금액은 0입니다. 금액은 10조 원 미만이어야 합니다. 파일은 16 MB까지 읽습니다.\n"
    "FILE이 납세자 파일(*.orvanta)이면(내용으로 알아봅니다) 그 파일의 명세를 씁니다.\n"
    "\n"
    "save는 납세자 파일 OUT.orvanta를 만듭니다: --interest와 --dividend의 CSV를\n"
    "명세에, L1~L9를 계산 화면의 아홉 줄에 넣고, 프로그램에서 여는 것과 같은 검사를\n"
    "거칩니다. 금액을 주지 않으면 아홉 줄은 비어 있습니다.\n"
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
    std::optional<std::string> pdf, usageError, file;
    std::size_t first = 0;
    // Options stand before the amounts, so "-1,000" is always an amount.
    for (; first < args.size() && args[first].starts_with("--"); ++first) {
        if (args[first] == "--json") {
            json = true;
        } else if (args[first] == "--file") {
            if (first + 1 >= args.size())
                return Usage(io.err, "--file 다음에 납세자 파일이 필요합니다.");
            file = args[++first];
        } else if (!Take_Pdf_Option(args, first, pdf, usageError)) {
            return Usage(io.err, "알 수 없는 옵션입니다: " + args[first]);
        }
        if (usageError)
            return Usage(io.err, *usageError);
    }
    std::array<std::string, kLineCount> texts;
    if (file) {
        if (first != args.size())
            return Usage(io.err, "--file과 금액(L1~L9)은 함께 쓸 수 없습니다.");
        OpenedInput input = Open_Input_File(*file);
        if (!input.source)
            return Fail(io.err, input.error);
        const std::optional<TaxpayerWork> work = Load_Taxpayer_File(*input.source, io.err);
        if (!work)
            return kFailure;
        texts = work->lines;
    } else {
        if (args.size() - first != kLineCount)
            return Usage(io.err, "statement에는 금액 아홉 개(L1~L9)가 필요합니다.");
        std::copy(args.begin() + static_cast<std::ptrdiff_t>(first), args.end(), texts.begin());
    }

    // Each amount is taken as leaving its line takes it, then gathered.
    const auto failLine = [&](int i, const char *why) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "L" + ...
        std::string message(1, 'L');
        message.append(std::to_string(i + 1)).append(" ").append(Quote_Excerpt(texts[i])).append(": ").append(why);
        return Fail(io.err, message);
    };
    PanelTexts panel;
    for (int i = 0; i < kLineCount; ++i) {
        const std::string &text = texts[i];
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

// A taxpayer file from register files and the nine lines, through the
// checks a file gets when it is opened.
int Save(const std::vector<std::string> &args, CalcIo &io)
{
    if (args.empty() || args[0].starts_with("--"))
        return Usage(io.err, "save에는 만들 납세자 파일(OUT.orvanta)이 필요합니다.");
    const std::string &out = args[0];
    std::map<RegisterKind, std::string> registers; // the CSV file of each register given
    std::size_t first = 1;
    for (; first < args.size() && args[first].starts_with("--"); ++first) {
        const bool interest = args[first] == "--interest";
        if (!interest && args[first] != "--dividend")
            return Usage(io.err, "알 수 없는 옵션입니다: " + args[first]);
        if (first + 1 >= args.size())
            return Usage(io.err, args[first] + " 다음에 CSV 파일이 필요합니다.");
        registers[interest ? RegisterKind::Interest : RegisterKind::Dividend] = args[++first];
    }
    const std::size_t amounts = args.size() - first;
    if (amounts != 0 && amounts != kLineCount)
        return Usage(io.err, "save에는 금액을 주지 않거나 아홉 개(L1~L9) 모두 줍니다.");
    if (std::ranges::count(registers | std::views::values, "-") > 1)
        return Usage(io.err, "표준 입력(-)은 한 번만 읽을 수 있습니다.");

    TaxpayerWork work = Empty_Work();
    for (const auto &[kind, file] : registers) {
        OpenedInput input = file == "-" ? io.openStandardInput() : Open_Input_File(file);
        if (!input.source)
            return Fail(io.err, input.error);
        if (const std::optional<ReadFailure> failure = Import_Register_Rows(*input.source, kind, work.Register(kind)))
            return Fail(io.err, input.source->Name() + ": " + Describe(*failure));
    }
    for (std::size_t i = 0; i < amounts; ++i) {
        const std::string &text = args[first + i];
        if (const std::optional<std::string> failure = Line_Failure(static_cast<int>(i), text))
            return Fail(io.err, "L" + std::to_string(i + 1) + ": " + *failure);
        work.lines[i] = Stored_Line_Text(text);
    }
    if (const std::optional<std::string> failure = Save_Taxpayer_File(out, Taxpayer_Json(work)))
        return Fail(io.err, *failure);
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
    if (args[0] == "save")
        return Save(rest, io);
    if (args[0] == "interest" || args[0] == "dividend") {
        const CommandResult command = Register_Command(args[0], rest, io);
        if (command.usageError)
            return Usage(io.err, *command.usageError);
        return command.status;
    }
    return Usage(io.err, "알 수 없는 명령입니다: " + args[0]);
}
