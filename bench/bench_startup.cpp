// Start-up under a real display: the process start until the splash is on
// screen, beside a bare QWidget window started the same way in the same run,
// and the splash's dismissal until the main window is on screen, each also as
// a ratio to the bare window's start (goals: at most 1.1 and 0.15).
#include "clock.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::filesystem::path g_dir; // where the probes are

// Starts a probe and returns its start followed by the moments it wrote, or
// nothing when it wrote fewer than `count`.
std::vector<long long> Run_Probe(const std::string &probe, size_t count)
{
    std::vector<long long> moments{Now_Ns()};
    FILE *out = popen(((g_dir / probe).string() + " 2>/dev/null").c_str(), "r");
    if (!out)
        return {};
    long long moment = 0;
    while (moments.size() <= count && std::fscanf(out, "%lld", &moment) == 1)
        moments.push_back(moment);
    pclose(out);
    return moments.size() == count + 1 ? moments : std::vector<long long>{};
}

// Each iteration starts the bare window and then the program, so that both
// see the same machine, however busy it is; the counters are medians over
// the iterations, in milliseconds. The iteration's time is the splash's.
void Startup(benchmark::State &state)
{
    std::vector<double> bare, splash, main;
    for (auto _ : state) {
        const std::vector<long long> b = Run_Probe("probe_bare_window", 1);
        // probe_program writes: splash on screen, dismissal, main window on screen.
        const std::vector<long long> p = Run_Probe("probe_program", 3);
        if (b.empty() || p.empty()) {
            state.SkipWithError("a probe showed no window");
            return;
        }
        bare.push_back((b[1] - b[0]) / 1e6);
        splash.push_back((p[1] - p[0]) / 1e6);
        main.push_back((p[3] - p[2]) / 1e6);
        state.SetIterationTime(splash.back() / 1e3);
    }
    state.counters["bare_ms"] = Median(bare);
    state.counters["splash_ms"] = Median(splash);
    state.counters["splash_per_bare"] = Median(splash) / Median(bare);
    state.counters["main_after_dismissal_ms"] = Median(main);
    state.counters["main_per_bare"] = Median(main) / Median(bare);
}

} // namespace

int main(int argc, char **argv)
{
    g_dir = std::filesystem::absolute(argv[0]).parent_path();
    if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    benchmark::RegisterBenchmark("Startup/splash_beside_bare_window", Startup)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(20)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
