// orvanta-calc statement as a script runs it, a whole process, beside a
// trivial C++ program started the same way in the same run.
#include "clock.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace {

std::filesystem::path g_dir; // where orvanta-calc and bench_hello are

// Runs the program with its output thrown away; its wall time in ms, or a
// negative number when it failed.
double Run(const std::filesystem::path &program, std::vector<std::string> args)
{
    args.insert(args.begin(), program.string());
    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const long long start = Now_Ns();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return (Now_Ns() - start) / 1e6;
}

// Each iteration runs the trivial program and then the statement, so both
// see the same machine; the counters are medians in milliseconds.
void Statement(benchmark::State &state)
{
    const std::vector<std::string> args = {"statement", "",         "10,000,000", "30000000", "10,000,000",
                                           "",          "0",        "1,100,000",  "20,000,000", "3,000,000"};
    std::vector<double> hello, calc;
    for (auto _ : state) {
        hello.push_back(Run(g_dir / "bench_hello", {}));
        calc.push_back(Run(g_dir / "orvanta-calc", args));
        if (hello.back() < 0 || calc.back() < 0) {
            state.SkipWithError("a program failed");
            return;
        }
        state.SetIterationTime(calc.back() / 1e3);
    }
    state.counters["hello_ms"] = Median(hello);
    state.counters["calc_ms"] = Median(calc);
    state.counters["calc_per_hello"] = Median(calc) / Median(hello);
}

} // namespace

int main(int argc, char **argv)
{
    g_dir = std::filesystem::absolute(argv[0]).parent_path();
    benchmark::RegisterBenchmark("Calc/statement_beside_hello", Statement)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(200)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
