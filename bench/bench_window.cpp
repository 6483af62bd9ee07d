// Creating and showing the main window, until it is exposed, in one process.
#include "shell/main_window.h"
#include "shell/program.h"
#include "support/recording_messages.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

void BM_MainWindow_CreateAndShow(benchmark::State &state)
{
    RecordingMessages messages; // nothing is shown here; it only must not block
    for (auto _ : state) {
        frm금융소득2 window(messages);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("the window was never exposed");
    }
}
BENCHMARK(BM_MainWindow_CreateAndShow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Setup_Application(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
