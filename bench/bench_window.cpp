// The main window in one process: creating and showing it until it is
// exposed, and a register save through its panel.
#include "platform/field_box.h"
#include "registers/interest_panel.h"
#include "shell/main_window.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
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

// A Save through the interest panel on a register that fills its page:
// a row loaded by its click, a changed amount typed, then Save, which
// regroups, empties the fields and shows the grid again.
void BM_InterestPanel_SaveOverALoadedRow(benchmark::State &state)
{
    RecordingMessages messages;
    RecordingPrinter printer;
    frm금융소득2 window(messages, printer);
    window.show();
    window.cmdTab_Click(2);
    InterestPanel &panel = window.Interest();
    for (int i = 0; i < 20; ++i) {
        panel.cmbEJ->setCurrentIndex(i < 3 ? 2 - i : 0);
        panel.txtEJ[0]->setText(QStringLiteral("지급자 %1").arg(i));
        panel.txtEJ[2]->setText(QStringLiteral("1234567"));
        panel.butEJ_Click(0);
    }
    if (panel.fgEJ.Rows() != 23)
        state.SkipWithError("the register does not fill its page");
    for (auto _ : state) {
        panel.fgEJ_Click(2);
        panel.txtEJ[2]->setText(QStringLiteral("7654321"));
        panel.butEJ_Click(0);
    }
}
BENCHMARK(BM_InterestPanel_SaveOverALoadedRow)->Unit(benchmark::kMicrosecond);

} // namespace
