// orvanta-calc interest / dividend: a register kept in a spreadsheet, saved
// row by row through the Save button's code and printed regrouped.
#include "cli/cli_support.h"
#include "cli/pdf.h"

#include "common/amount.h"
#include "common/csv.h"
#include "common/text.h"
#include "printing/page_data.h"
#include "registers/register_entry.h"
#include "registers/regrouping.h"

#include <fstream>
#include <iterator>
#include <ostream>

namespace {

struct RegisterInput {
    const RegisterLayout &layout;
    void (*init)(GridModel &);
    std::vector<const char *> columns; // of a CSV row, for messages
    std::vector<int> amountColumns;
};

const RegisterInput kInterestInput = {kInterestLayout,
                                      Init_fgEJ,
                                      {"code", "payer name", "registration number", "interest amount", "withheld tax"},
                                      {3, 4}};
const RegisterInput kDividendInput = {
    kDividendLayout,
    Init_fgBD,
    {"code", "payer name", "registration number", "dividend", "gross-up base", "withheld tax"},
    {3, 4, 5}};

bool Valid_Utf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int length = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > s.size())
            return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2)
                return false;
        i += length;
    }
    return true;
}

std::string Quoted(std::string_view text)
{
    std::string out(1, '"');
    out.append(text).append(1, '"');
    return out;
}

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

void Print_Register(const GridModel &grid, bool json, std::ostream &out)
{
    if (json)
        out << "{\"rows\": [";
    for (int r = 1; r < grid.Rows(); ++r) {
        if (json) {
            out << (r > 1 ? ", " : "") << "{\"kind\": \"" << Kind_Name(grid.Kind(r)) << "\", \"cells\": [";
            for (int c = 1; c < grid.Cols(); ++c)
                out << (c > 1 ? ", " : "") << Json_String(grid.Text(r, c));
            out << "]}";
        } else {
            for (int c = 1; c < grid.Cols(); ++c)
                out << (c > 1 ? "\t" : "") << grid.Text(r, c);
            out << '\n';
        }
    }
    if (json)
        out << "]}\n";
}

// The entry fields a CSV row stands for, or a reason it cannot be saved.
std::string Row_Fields(const RegisterInput &input, const CsvRecord &record, std::string &code,
                       std::vector<std::string> &fields)
{
    const auto &layout = input.layout;
    const auto &cells = record.fields;
    if (cells.size() != input.columns.size()) {
        std::string why =
            std::to_string(cells.size()) + " fields; a row has " + std::to_string(input.columns.size()) + ":";
        for (const char *column : input.columns)
            why.append(" ").append(column).append(column == input.columns.back() ? "" : ",");
        return why;
    }
    for (const std::string &cell : cells)
        if (!Valid_Utf8(cell))
            return "not UTF-8 text (save the file as CSV UTF-8)";
    code = Trim_Blanks(cells[0]);
    if (!Is_Register_Code(layout, code)) {
        std::string why = "code " + Quoted(code) + " is not one of ";
        for (const char *c : layout.codes)
            why.append(c).append(c == layout.codes.back() ? "" : ", ");
        return why;
    }
    // The fields as the panel holds them: name, number, then the amounts.
    fields = {cells[1], cells[2]};
    for (const int col : input.amountColumns) {
        const std::string amount(Trim_Blanks(cells[col]));
        const NumberStatus status = amount.empty() ? NumberStatus::Number : Parse_Number(amount).status;
        if (status == NumberStatus::NotNumber)
            return std::string(input.columns[col]) + " " + Quoted(amount) + " is not a number";
        if (status == NumberStatus::Overflow)
            return std::string(input.columns[col]) + " " + Quoted(amount) + ": " + kAmountTooLargeMessage;
        fields.push_back(amount);
    }
    if (&layout == &kDividendLayout) {
        // Fields 4 and 5, worked out as the panel does while the amounts are typed.
        const GrossUp g = BD_Calc(fields[2], fields[3]);
        if (g.overflow)
            return kAmountTooLargeMessage;
        fields.insert(fields.begin() + 4, {g.grossUp, g.income});
    }
    return {};
}

bool Is_Header(const RegisterInput &input, const CsvRecord &record)
{
    return !record.fields.empty() && !Is_Register_Code(input.layout, Trim_Blanks(record.fields[0])) &&
           !Reads_As_Number(Trim_Blanks(record.fields[0]));
}

} // namespace

RegisterCommand Register_Command(const std::string &name, const std::vector<std::string> &args, std::istream &in,
                                 std::ostream &out, std::ostream &err)
{
    const RegisterInput &input = name == "interest" ? kInterestInput : kDividendInput;
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
            return {kFailure, "unknown option " + arg};
        else if (file)
            return {kFailure, name + " reads one file"};
        else
            file = arg;
    }

    std::string text;
    if (!file || *file == "-") {
        text.assign(std::istreambuf_iterator<char>(in), {});
    } else {
        std::ifstream stream(*file, std::ios::binary);
        if (!stream)
            return {Fail(err, *file + ": cannot be read"), {}};
        text.assign(std::istreambuf_iterator<char>(stream), {});
        if (stream.bad())
            return {Fail(err, *file + ": cannot be read"), {}};
    }

    const CsvResult csv = Read_Csv(text);
    if (!csv.ok)
        return {Fail(err, "line " + std::to_string(csv.errorLine) + ": " + csv.error), {}};

    GridModel grid(input.layout.name);
    input.init(grid);
    Reset_fg(grid);
    for (std::size_t k = 0; k < csv.records.size(); ++k) {
        const CsvRecord &record = csv.records[k];
        if (k == 0 && Is_Header(input, record))
            continue;
        const auto fail = [&](const std::string &why) {
            return RegisterCommand{Fail(err, "line " + std::to_string(record.line) + ": " + why), {}};
        };
        std::string code;
        std::vector<std::string> fields;
        if (const std::string why = Row_Fields(input, record, code, fields); !why.empty())
            return fail(why);
        const SaveResult saved = Save_Row(grid, 0, Entry_Cells(grid, code, fields));
        if (const char *refusal = Refusal_Message(saved, input.layout))
            return fail(refusal);
    }

    if (pdf) {
        Page page(&input.layout == &kInterestLayout ? Interest_Page_Spec() : Dividend_Page_Spec());
        if (const std::optional<std::string> failure = Set_Data(page, grid))
            return {Fail(err, *failure), {}};
        if (const int status = Write_Pdf(page, *pdf, err))
            return {status, {}};
    }
    Print_Register(grid, json, out);
    return {0, {}};
}
