// The main window in one process: creating and showing it until it is
// exposed, a register save through its panel, and the preview opened by the
// register's Print.
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

// Print on that register: page 5 loaded and filled, the preview loaded and
// shown until the page is exposed; then 닫기, untimed.
void BM_Preview_OpenInterestPage(benchmark::State &state)
{
    FullInterestRegister r;
    for (auto _ : state) {
        r.panel.butEJ[3]->click();
        if (!QTest::qWaitForWindowExposed(&r.window.Interest_Page()))
            state.SkipWithError("the page was never exposed");
        state.PauseTiming();
        r.window.Preview().mnu_Close_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Preview_OpenInterestPage)->Unit(benchmark::kMillisecond);

} // namespace
