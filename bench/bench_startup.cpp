// Start-up under a real display: the process start until the splash is on
// screen, beside a bare QWidget window started the same way in the same run,
// and the splash's dismissal until the main window is on screen.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::filesystem::path g_dir; // where the probes are

long long Now_Ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

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

// Times the span between two of a probe's moments (0 being its start).
void Span(benchmark::State &state, const std::string &probe, size_t count, size_t from, size_t to)
{
    for (auto _ : state) {
        const std::vector<long long> moments = Run_Probe(probe, count);
        if (moments.empty()) {
            state.SkipWithError(("no window from " + probe).c_str());
            break;
        }
        state.SetIterationTime((moments[to] - moments[from]) / 1e9);
    }
}

} // namespace

int main(int argc, char **argv)
{
    g_dir = std::filesystem::absolute(argv[0]).parent_path();
    if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    struct Measure {
        const char *name, *probe;
        size_t count, from, to;
    };
    // probe_program writes: splash on screen, dismissal, main window on screen.
    const Measure measures[] = {
        {"Startup/bare_window_on_screen", "probe_bare_window", 1, 0, 1},
        {"Startup/splash_on_screen", "probe_program", 3, 0, 1},
        {"Startup/main_window_after_dismissal", "probe_program", 3, 2, 3},
    };
    for (const Measure &m : measures)
        benchmark::RegisterBenchmark(m.name, Span, std::string(m.probe), m.count, m.from, m.to)
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
