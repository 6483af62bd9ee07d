// Process start until the first window is exposed: the program beside a bare
// QWidget window, timed in the same run so that their ratio can be read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path g_dir; // where the probes are

long long Now_Ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Starts a probe and returns the seconds until it saw its window exposed.
double Time_To_Expose(const std::string &probe)
{
    const long long start = Now_Ns();
    FILE *out = popen(((g_dir / probe).string() + " 2>/dev/null").c_str(), "r");
    if (!out)
        return -1;
    long long exposed = 0;
    const int got = std::fscanf(out, "%lld", &exposed);
    pclose(out);
    return got == 1 ? (exposed - start) / 1e9 : -1;
}

void Start_Until_Exposed(benchmark::State &state, const std::string &probe)
{
    for (auto _ : state) {
        const double seconds = Time_To_Expose(probe);
        if (seconds < 0) {
            state.SkipWithError(("no window from " + probe).c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
}

} // namespace

int main(int argc, char **argv)
{
    g_dir = std::filesystem::absolute(argv[0]).parent_path();
    if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);

    // Interleaved repetitions, so that both see the same machine.
    for (const char *probe : {"probe_bare_window", "probe_program"})
        benchmark::RegisterBenchmark((std::string("Startup/") + probe).c_str(), Start_Until_Exposed, std::string(probe))
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
