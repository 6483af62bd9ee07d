// Printing: each page drawn into a PDF through the print procedure, and the
// preview opened from a register's Print until the page is exposed.
#include "computation/engine.h"
#include "platform/printer_qt.h"
#include "printing/page_data.h"
#include "printing/print_page.h"
#include "registers/interest_panel.h"
#include "registers/register_entry.h"
#include "shell/main_window.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"

#include "platform/field_box.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// A register that fills its page: 20 rows in three codes, with the subtotals.
GridModel Full_Register(const char *name, void (*init)(GridModel &), std::vector<std::string> fields)
{
    GridModel grid(name);
    init(grid);
    Reset_fg(grid);
    const char *codes[2][3] = {{"11", "12", "13"}, {"21", "22", "23"}};
    const int rows = std::string(name) == "fgEJ" ? 19 : 11;
    for (int i = 0; i < rows; ++i)
        Save_Row(grid, 0, Entry_Cells(grid, codes[name[2] == 'B'][i % 3], fields));
    return grid;
}

void Print_To_Pdf(benchmark::State &state, const Page &page)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    for (auto _ : state) {
        PdfPrinter printer(path);
        if (Print_Page(page, printer))
            state.SkipWithError("the page did not print");
    }
}

void BM_PrintPdf_InterestPage(benchmark::State &state)
{
    Page page(Interest_Page_Spec());
    Set_Data(page, Full_Register("fgEJ", Init_fgEJ, {"한빛저축은행", "123-81-45678", "12500000", "1925000"}));
    Print_To_Pdf(state, page);
}
BENCHMARK(BM_PrintPdf_InterestPage)->Unit(benchmark::kMillisecond);

void BM_PrintPdf_DividendPage(benchmark::State &state)
{
    Page page(Dividend_Page_Spec());
    Set_Data(page,
             Full_Register("fgBD", Init_fgBD,
                           {"대한전자(주)", "124-81-00998", "20000000", "20000000", "3800000", "23800000", "2800000"}));
    Print_To_Pdf(state, page);
}
BENCHMARK(BM_PrintPdf_DividendPage)->Unit(benchmark::kMillisecond);

void BM_PrintPdf_StatementPage(benchmark::State &state)
{
    StatementEngine engine;
    InputAmounts in{};
    in[1] = 10'000'000, in[2] = 30'000'000, in[3] = 10'000'000, in[6] = 1'100'000;
    in[7] = in[9] = 20'000'000, in[8] = in[10] = 3'000'000;
    engine.Calc_Val(in);
    Page page(Statement_Page_Spec());
    Show_Statement(page, engine);
    Print_To_Pdf(state, page);
}
BENCHMARK(BM_PrintPdf_StatementPage)->Unit(benchmark::kMillisecond);

// The interest register's Print: the page loaded and filled, the preview
// loaded and shown until the page is exposed; then 닫기.
void BM_Preview_OpenInterestPage(benchmark::State &state)
{
    RecordingMessages messages;
    RecordingPrinter printer;
    frm금융소득2 window(messages, printer);
    window.show();
    window.cmdTab_Click(2);
    InterestPanel &panel = window.Interest();
    for (int i = 0; i < 19; ++i) {
        panel.cmbEJ->setCurrentIndex(i % 3);
        panel.txtEJ[0]->setText(QStringLiteral("지급자 %1").arg(i));
        panel.txtEJ[2]->setText(QStringLiteral("1234567"));
        panel.butEJ_Click(0);
    }
    for (auto _ : state) {
        panel.butEJ[3]->click();
        if (!QTest::qWaitForWindowExposed(&window.Interest_Page()))
            state.SkipWithError("the page was never exposed");
        state.PauseTiming();
        window.Preview().mnu_Close_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Preview_OpenInterestPage)->Unit(benchmark::kMillisecond);

} // namespace
