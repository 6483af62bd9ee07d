// orvanta-calc gross-up / review: the law's gross-up bases and the review
// of a taxpayer file, through the same core as the window's 도구 menu.
#include "cli/cli_support.h"

#include "core/registers/gross_up_rule.h"
#include "core/review/review.h"

#include <nlohmann/json.hpp>

namespace {

constexpr int kFindings = 1;

struct FileArgs {
    std::optional<std::string> file, output;
    bool json = false;
};

// WORK.orvanta ("-": standard input) and --json, and -o OUT where allowed.
std::optional<std::string> Parse_Args(const std::string &name, const std::vector<std::string> &args, bool output,
                                      FileArgs &parsed)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--json") {
            parsed.json = true;
        } else if (output && arg == "-o") {
            if (i + 1 >= args.size())
                return "-o 다음에 쓸 납세자 파일이 필요합니다.";
            parsed.output = args[++i];
        } else if (arg.starts_with("-") && arg != "-") {
            return "알 수 없는 옵션입니다: " + arg;
        } else if (parsed.file) {
            return name + "는 납세자 파일 하나만 읽습니다.";
        } else {
            parsed.file = arg;
        }
    }
    if (!parsed.file)
        return name + "에는 납세자 파일(WORK.orvanta)이 필요합니다.";
    return std::nullopt;
}

std::optional<TaxpayerWork> Read_Work(const std::string &file, CalcIo &io)
{
    OpenedInput input = file == "-" ? io.openStandardInput() : Open_Input_File(file);
    if (!input.source) {
        Fail(io.err, input.error);
        return std::nullopt;
    }
    return Load_Taxpayer_File(*input.source, io.err);
}

// The n-th data row, from 1, that grid row `row` is: the number the
// finding's text gives it.
int Data_Row_Number(const GridModel &grid, int row)
{
    int n = 0;
    for (int r = 1; r <= row && r < grid.Rows(); ++r)
        n += grid.Is_Data(r) ? 1 : 0;
    return n;
}

} // namespace

CommandResult Gross_Up_Command(const std::vector<std::string> &args, CalcIo &io)
{
    FileArgs parsed;
    if (std::optional<std::string> usage = Parse_Args("gross-up", args, true, parsed))
        return {kFailure, usage};
    std::optional<TaxpayerWork> work = Read_Work(*parsed.file, io);
    if (!work)
        return {kFailure, {}};
    RuleApplied applied = Apply_Gross_Up_Rule(Gross_Up_Rule(work->interest, work->dividend), work->dividend);
    if (applied.refusal)
        return {Fail(io.err, *applied.refusal), {}};
    work->dividend = std::move(applied.fgBD);
    if (parsed.output) {
        if (const std::optional<std::string> failure = Save_Taxpayer_File(*parsed.output, Taxpayer_Json(*work)))
            return {Fail(io.err, *failure), {}};
    }
    io.out = Register_Text(work->dividend, parsed.json);
    return {0, {}};
}

CommandResult Review_Command(const std::vector<std::string> &args, CalcIo &io)
{
    FileArgs parsed;
    if (std::optional<std::string> usage = Parse_Args("review", args, false, parsed))
        return {kFailure, usage};
    const std::optional<TaxpayerWork> work = Read_Work(*parsed.file, io);
    if (!work)
        return {kFailure, {}};
    // A file holds nothing computed, so no tax shown can be older than its lines.
    const std::vector<Finding> findings = Review_Work(*work);
    if (parsed.json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const Finding &finding : findings) {
            nlohmann::ordered_json item = nlohmann::ordered_json::object();
            const FindingPlace &place = finding.place;
            if (place.kind == FindingPlace::Kind::Register) {
                const bool interest = place.reg == RegisterKind::Interest;
                item["register"] = interest ? "interest" : "dividend";
                if (place.row > 0)
                    item["row"] = Data_Row_Number(interest ? work->interest : work->dividend, place.row);
            } else if (place.kind == FindingPlace::Kind::Line) {
                item["line"] = place.line + 1;
            }
            item["text"] = finding.text;
            list.push_back(std::move(item));
        }
        io.out = nlohmann::ordered_json{{"findings", std::move(list)}}.dump(-1, ' ', false,
                                                                            nlohmann::json::error_handler_t::replace) +
                 '\n';
    } else {
        for (const Finding &finding : findings)
            io.out.append(finding.text).append(1, '\n');
    }
    return {findings.empty() ? 0 : kFindings, {}};
}
