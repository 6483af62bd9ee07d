#include "cli/calc.h"
#include "cli/cli_support.h"
#include "cli/pdf.h"

#include "common/amount.h"
#include "computation/engine.h"
#include "computation/input_logic.h"
#include "printing/page_data.h"

#include <ostream>

namespace {

constexpr const char *kUsage = "usage: orvanta-calc statement [--json] [--pdf PDF] L1 L2 L3 L4 L5 L6 L7 L8 L9\n"
                               "       orvanta-calc interest [--json] [--pdf PDF] [FILE]\n"
                               "       orvanta-calc dividend [--json] [--pdf PDF] [FILE]\n"
                               "\n"
                               "Computes the statement 종합소득산출세액계산서(금융소득자용) from the nine\n"
                               "amounts of the computation panel, each as it would be typed there\n"
                               "(\"10,000,000\", \"10000000\", or \"\" for zero):\n"
                               "  L1 비영업대금이익            L6 원천징수되지 않는 배당소득\n"
                               "  L2 원천징수되지 않는 이자소득  L7 배당가산액 (may be negative)\n"
                               "  L3 위 이외 이자소득          L8 금융소득외의 다른 종합소득\n"
                               "  L4 Gross-Up 대상 배당소득     L9 소득공제\n"
                               "  L5 Gross-Up 대상 아닌 배당소득\n"
                               "Prints each line (1) to (38) and ④ as line<TAB>text, then the tax;\n"
                               "--json prints one JSON object instead.\n"
                               "\n"
                               "interest and dividend read a register as CSV from FILE, or from standard\n"
                               "input when FILE is absent or \"-\", save each row as the Save button does\n"
                               "and print the regrouped register, one row a line with its cells separated\n"
                               "by tabs (--json: {\"rows\": [{\"kind\": ..., \"cells\": [...]}, ...]}).\n"
                               "  interest rows: code (11, 12, 13), payer name, registration number,\n"
                               "                 interest amount, withheld tax\n"
                               "  dividend rows: code (21, 22, 23), payer name, registration number,\n"
                               "                 dividend, gross-up base, withheld tax\n"
                               "A header row is skipped; an empty amount is 0.\n"
                               "\n"
                               "--pdf PDF also prints the page of the return form into the file PDF\n"
                               "(A4): page 21 for the statement, page 5 for interest, page 7 for dividend.\n";

int Usage(std::ostream &err, const std::string &why)
{
    err << "orvanta-calc: " << why << "\n\n" << kUsage;
    return kFailure;
}

int Statement(const std::vector<std::string> &args, std::ostream &out, std::ostream &err)
{
    bool json = false;
    std::optional<std::string> pdf, usageError;
    std::size_t first = 0;
    // Options stand before the amounts, so "-1,000" is always an amount.
    for (; first < args.size() && args[first].starts_with("--"); ++first) {
        if (args[first] == "--json")
            json = true;
        else if (!Take_Pdf_Option(args, first, pdf, usageError))
            return Usage(err, "unknown option " + args[first]);
        if (usageError)
            return Usage(err, *usageError);
    }
    if (args.size() - first != kLineCount)
        return Usage(err, "statement takes nine amounts, L1 to L9");

    // Each amount is taken as leaving its line takes it, then gathered.
    const auto failLine = [&](int i, const char *why) {
        // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "L" + ...
        std::string message(1, 'L');
        message.append(std::to_string(i + 1)).append(" \"").append(args[first + i]).append("\": ").append(why);
        return Fail(err, message);
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
        return Fail(err, kAmountTooLarge);

    StatementEngine statement;
    const std::string tax = statement.Calc_Val(inputs);
    if (pdf) {
        Page page(Statement_Page_Spec());
        Show_Statement(page, statement);
        if (const int status = Write_Pdf(page, *pdf, err))
            return status;
    }

    if (json) {
        out << "{\"section\": " << (statement.section == Section::Above ? 2 : 3) << ", \"tax\": " << Json_String(tax)
            << ", \"lines\": {";
        bool firstLine = true;
        for (const StatementLine &line : Statement_Lines()) {
            out << (firstLine ? "" : ", ") << Json_String(line.line) << ": "
                << Json_String(statement.Label(line.label));
            firstLine = false;
        }
        out << "}}\n";
    } else {
        for (const StatementLine &line : Statement_Lines())
            out << line.line << '\t' << statement.Label(line.label) << '\n';
        out << "종합소득산출세액\t" << tax << '\n';
    }
    return 0;
}

} // namespace

int Run_Calc(const std::vector<std::string> &args, std::istream &in, std::ostream &out, std::ostream &err)
{
    if (args.empty())
        return Usage(err, "no command");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "statement")
        return Statement(rest, out, err);
    if (args[0] == "interest" || args[0] == "dividend") {
        const RegisterCommand command = Register_Command(args[0], rest, in, out, err);
        if (command.usageError)
            return Usage(err, *command.usageError);
        return command.status;
    }
    return Usage(err, "unknown command " + args[0]);
}
