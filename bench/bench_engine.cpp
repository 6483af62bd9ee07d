// The computation of the statement, one call at a time.
#include "core/computation/engine.h"

#include <benchmark/benchmark.h>

namespace {

InputAmounts Inputs(std::array<double, 9> lines)
{
    InputAmounts in{};
    std::copy(lines.begin(), lines.end(), in.begin());
    in[9] = in[7];
    in[10] = in[8];
    return in;
}

void BM_CalcVal_AboveThreshold(benchmark::State &state)
{
    const InputAmounts in = Inputs({0, 10'000'000, 30'000'000, 10'000'000, 0, 0, 1'100'000, 20'000'000, 3'000'000});
    StatementEngine engine;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.Calc_Val(in));
}
BENCHMARK(BM_CalcVal_AboveThreshold);

void BM_CalcVal_AtOrBelowThreshold(benchmark::State &state)
{
    const InputAmounts in = Inputs({0, 5'000'000, 0, 0, 0, 1'000'000, 0, 30'000'000, 5'000'000});
    StatementEngine engine;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.Calc_Val(in));
}
BENCHMARK(BM_CalcVal_AtOrBelowThreshold);

} // namespace
