// The main window in one process: creating and showing it until it is
// exposed, register saves through its panel, and the preview opened by the
// register's Print, on registers of one page and of 500 payments.
#include "core/registers/register_entry.h"
#include "ui/platform/field_box.h"
#include "ui/registers/interest_panel.h"
#include "ui/shell/main_window.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void BM_MainWindow_CreateAndShow(benchmark::State &state)
{
    RecordingMessages messages; // nothing is shown here; it only must not block
    RecordingPrinter printer;
    for (auto _ : state) {
        frm금융소득2 window(messages, printer);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("the window was never exposed");
    }
}
BENCHMARK(BM_MainWindow_CreateAndShow)->Unit(benchmark::kMillisecond);

// The main window on its interest panel, with a register that fills its
// page: 20 payments, codes 13, 12, then 11, and the subtotal of code 11.
struct FullInterestRegister {
    FullInterestRegister()
    {
        window.show();
        window.cmdTab_Click(2);
        for (int i = 0; i < 20; ++i) {
            panel.cmbEJ->setCurrentIndex(i < 3 ? 2 - i : 0);
            panel.txtEJ[0]->setText(QStringLiteral("지급자 %1").arg(i));
            panel.txtEJ[2]->setText(QStringLiteral("1234567"));
            panel.butEJ_Click(0);
        }
    }
    bool Full() const { return panel.fgEJ.Rows() == 23; }

    RecordingMessages messages;
    RecordingPrinter printer;
    frm금융소득2 window{messages, printer};
    InterestPanel &panel = window.Interest();
};

// A Save on that register: a row loaded by its click, a changed amount
// typed, then Save, which regroups, empties the fields and shows the grid.
void BM_InterestPanel_SaveOverALoadedRow(benchmark::State &state)
{
    FullInterestRegister r;
    if (!r.Full())
        state.SkipWithError("the register does not fill its page");
    for (auto _ : state) {
        r.panel.fgEJ_Click(2);
        r.panel.txtEJ[2]->setText(QStringLiteral("7654321"));
        r.panel.butEJ_Click(0);
    }
}
BENCHMARK(BM_InterestPanel_SaveOverALoadedRow)->Unit(benchmark::kMicrosecond);

// The interest panel on screen with a register of `payments` rows spread
// over the three codes, as an opened file brings it.
struct LongInterestRegister {
    explicit LongInterestRegister(int payments)
    {
        window.show();
        window.cmdTab_Click(2);
        GridModel grid = Empty_Register(RegisterKind::Interest);
        RowAppender rows(grid);
        for (int i = 0; i < payments; ++i)
            rows.Append(Entry_Cells(grid, kInterestLayout.codes[i % 3],
                                    std::vector<std::string>{"지급자 " + std::to_string(i), "123-45-67890",
                                                             "1,234,567", "123,456"}));
        rows.Finish();
        panel.Replace_Grid(std::move(grid));
        QCoreApplication::processEvents();
    }

    RecordingMessages messages;
    RecordingPrinter printer;
    frm금융소득2 window{messages, printer};
    InterestPanel &panel = window.Interest();
};

// 저장 of one more payment: the regrouping, the grid mirrored, and the
// events that follow, the title's check of the changed work and the window's
// repaint (the grid's among them): what must fit in a frame. The row is taken
// out again, untimed.
void BM_InterestPanel_SaveNewRow(benchmark::State &state)
{
    LongInterestRegister r(static_cast<int>(state.range(0)));
    const GridModel before = r.panel.Grid();
    for (auto _ : state) {
        r.panel.cmbEJ->setCurrentIndex(1);
        r.panel.txtEJ[0]->setText(QStringLiteral("새 지급자"));
        r.panel.txtEJ[2]->setText(QStringLiteral("7654321"));
        r.panel.butEJ_Click(0);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (r.panel.Grid().Rows() != before.Rows() + 1)
            state.SkipWithError("the row was not saved");
        r.panel.Replace_Grid(before);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetLabel(std::to_string(before.Rows() - 1) + " rows before");
}
BENCHMARK(BM_InterestPanel_SaveNewRow)->Arg(18)->Arg(500)->ArgName("payments")->Unit(benchmark::kMillisecond);

// Print on a register of one sheet and of 500 payments: page 5 loaded and
// filled, the preview loaded and shown until the page is exposed; then 닫기,
// untimed.
void BM_Preview_OpenInterestPage(benchmark::State &state)
{
    LongInterestRegister r(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        r.panel.butEJ[3]->click();
        if (!QTest::qWaitForWindowExposed(&r.window.Interest_Page()))
            state.SkipWithError("the page was never exposed");
        state.PauseTiming();
        state.SetLabel(std::to_string(r.window.Interest_Page().Sheets().size()) + " sheets");
        r.window.Preview().mnu_Close_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Preview_OpenInterestPage)->Arg(18)->Arg(500)->ArgName("payments")->Unit(benchmark::kMillisecond);

} // namespace
