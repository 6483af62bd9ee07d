// orvanta-calc interest / dividend: a register kept in a spreadsheet, saved
// row by row through the Save button's code and printed regrouped.
#include "cli/cli_support.h"
#include "cli/pdf.h"

#include "core/files/register_csv.h"
#include "core/printing/page_data.h"
#include "core/registers/regrouping.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace {

const char *Kind_Name(RowKind kind)
{
    switch (kind) {
    case RowKind::Subtotal:
        return "subtotal";
    case RowKind::Total:
        return "total";
    default:
        return "data";
    }
}

} // namespace

// Every cell came through the reader's checks, so no cell holds a tab or a
// line break that could split a line of the plain output.
std::string Register_Text(const GridModel &grid, bool json)
{
    if (json) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (int r = 1; r < grid.Rows(); ++r) {
            nlohmann::ordered_json cells = nlohmann::ordered_json::array();
            for (int c = 1; c < grid.Cols(); ++c)
                cells.push_back(grid.Text(r, c));
            rows.push_back({{"kind", Kind_Name(grid.Kind(r))}, {"cells", std::move(cells)}});
        }
        return nlohmann::ordered_json{{"rows", std::move(rows)}}.dump(-1, ' ', false,
                                                                      nlohmann::json::error_handler_t::replace) +
               '\n';
    }
    std::string out;
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int c = 1; c < grid.Cols(); ++c)
            out.append(c > 1 ? "\t" : "").append(grid.Text(r, c));
        out += '\n';
    }
    return out;
}

CommandResult Register_Command(const std::string &name, const std::vector<std::string> &args, CalcIo &io)
{
    const RegisterKind kind = name == "interest" ? RegisterKind::Interest : RegisterKind::Dividend;
    bool json = false;
    std::optional<std::string> file, pdf, usageError;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--json")
            json = true;
        else if (Take_Pdf_Option(args, i, pdf, usageError)) {
            if (usageError)
                return {kFailure, usageError};
        } else if (arg.starts_with("--"))
            return {kFailure, "알 수 없는 옵션입니다: " + arg};
        else if (file)
            return {kFailure, name + "는 파일 하나만 읽습니다."};
        else
            file = arg;
    }

    OpenedInput input = !file || *file == "-" ? io.openStandardInput() : Open_Input_File(*file);
    if (!input.source)
        return {Fail(io.err, input.error), {}};

    // A taxpayer file gives its register; anything else is read as CSV.
    PeekedSource source(*input.source);
    GridModel grid = Empty_Register(kind);
    if (Looks_Like_Taxpayer_File(source.Head())) {
        std::optional<TaxpayerWork> work = Load_Taxpayer_File(source, io.err);
        if (!work)
            return {kFailure, {}};
        grid = kind == RegisterKind::Interest ? std::move(work->interest) : std::move(work->dividend);
    } else if (const std::optional<ReadFailure> failure = Import_Register_Rows(source, kind, grid)) {
        return {Fail(io.err, Describe(*failure)), {}};
    }

    if (pdf) {
        const std::vector<Page> sheets =
            Register_Sheets(kind == RegisterKind::Interest ? Interest_Page_Spec() : Dividend_Page_Spec(), grid);
        if (const int status = Write_Pdf(sheets, *pdf, io.err))
            return {status, {}};
    }
    io.out = Register_Text(grid, json);
    return {0, {}};
}
