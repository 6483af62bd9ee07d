// Printing: each page drawn into a PDF through the print procedure, the
// register pages on one sheet and with 500 payments on all their sheets.
#include "core/computation/engine.h"
#include "gui/printing/printer_qt.h"
#include "core/printing/page_data.h"
#include "core/printing/print_page.h"
#include "core/registers/register_entry.h"

#include <QTemporaryDir>

#include <cstdlib>

#include <benchmark/benchmark.h>

namespace {

// A register of payments spread over the three codes, with their three
// subtotals and the total; with 0 payments, as many as fill one sheet.
GridModel Full_Register(const char *name, void (*init)(GridModel &), std::vector<std::string> fields, int payments)
{
    GridModel grid(name);
    init(grid);
    Reset_fg(grid);
    const char *codes[2][3] = {{"11", "12", "13"}, {"21", "22", "23"}};
    const int rows = payments ? payments : std::string(name) == "fgEJ" ? 22 - 4 : 14 - 4;
    const std::string payer = fields[0];
    RowAppender appender(grid);
    for (int i = 0; i < rows; ++i) {
        fields[0] = payer + " " + std::to_string(i + 1);
        if (appender.Append(Entry_Cells(grid, codes[name[2] == 'B'][i % 3], fields)) != SaveResult::Saved)
            std::abort();
    }
    appender.Finish();
    return grid;
}

void Print_To_Pdf(benchmark::State &state, std::span<const Page> sheets)
{
    state.SetLabel(std::to_string(sheets.size()) + (sheets.size() > 1 ? " sheets" : " sheet"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    for (auto _ : state) {
        PdfPrinter printer(path);
        if (Print_Page(sheets, printer))
            state.SkipWithError("the page did not print");
    }
}

void BM_PrintPdf_InterestPage(benchmark::State &state)
{
    const std::vector<Page> sheets =
        Register_Sheets(Interest_Page_Spec(),
                        Full_Register("fgEJ", Init_fgEJ, {"한빛저축은행", "123-81-45678", "12500000", "1925000"},
                                      static_cast<int>(state.range(0))));
    Print_To_Pdf(state, sheets);
}
BENCHMARK(BM_PrintPdf_InterestPage)->Arg(0)->Arg(500)->ArgName("payments")->Unit(benchmark::kMillisecond);

void BM_PrintPdf_DividendPage(benchmark::State &state)
{
    const std::vector<Page> sheets = Register_Sheets(
        Dividend_Page_Spec(),
        Full_Register("fgBD", Init_fgBD,
                      {"대한전자(주)", "124-81-00998", "20000000", "20000000", "3800000", "23800000", "2800000"},
                      static_cast<int>(state.range(0))));
    Print_To_Pdf(state, sheets);
}
BENCHMARK(BM_PrintPdf_DividendPage)->Arg(0)->Arg(500)->ArgName("payments")->Unit(benchmark::kMillisecond);

void BM_PrintPdf_StatementPage(benchmark::State &state)
{
    StatementEngine engine;
    InputAmounts in{};
    in[1] = 10'000'000, in[2] = 30'000'000, in[3] = 10'000'000, in[6] = 1'100'000;
    in[7] = in[9] = 20'000'000, in[8] = in[10] = 3'000'000;
    engine.Calc_Val(in);
    Page page(Statement_Page_Spec());
    Show_Statement(page, engine);
    Print_To_Pdf(state, std::span(&page, 1));
}
BENCHMARK(BM_PrintPdf_StatementPage)->Unit(benchmark::kMillisecond);

} // namespace
