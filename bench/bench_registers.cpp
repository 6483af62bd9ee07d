// The registers' regrouping and Save on full registers, without a window.
#include "core/registers/register_entry.h"
#include "core/registers/regrouping.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A register filled to its page: 22 rows below the header for interest
// (18 + 1 + 1 data rows of the three codes, one subtotal, the total), 14
// for dividends (10 + 1 + 1).
GridModel Full(bool interest)
{
    GridModel grid(interest ? "fgEJ" : "fgBD");
    interest ? Init_fgEJ(grid) : Init_fgBD(grid);
    Reset_fg(grid);
    const std::vector<const char *> codes = interest ? std::vector<const char *>{"13", "11", "12", "11"}
                                                     : std::vector<const char *>{"23", "21", "22", "21"};
    const int rows = interest ? 20 : 12;
    for (int i = 0; i < rows; ++i) {
        const char *code = codes[i < 3 ? i : 3];
        const std::vector<std::string> fields = {
            "지급자 " + std::to_string(i), "123-45-67890", "1,234,567", "123,456", "234,567", "1,469,134", "98,765"};
        Save_Row(grid, 0, Entry_Cells(grid, code, fields));
    }
    return grid;
}

void BM_Reset_fg(benchmark::State &state)
{
    const GridModel full = Full(state.range(0) == 1);
    GridModel grid = full;
    for (auto _ : state) {
        Reset_fg(grid);
        benchmark::DoNotOptimize(grid);
    }
    state.SetLabel(std::to_string(full.Rows() - 1) + " rows");
}
BENCHMARK(BM_Reset_fg)->Arg(1)->Arg(0)->ArgName("interest")->Unit(benchmark::kMicrosecond);

void BM_Save_Row_OverALoadedRow(benchmark::State &state)
{
    GridModel grid = Full(true);
    const std::vector<std::string> fields = {"새 지급자", "111-22-33333", "5,000,000", "700,000"};
    for (auto _ : state) {
        const SaveResult r = Save_Row(grid, 2, Entry_Cells(grid, "11", fields));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_Save_Row_OverALoadedRow)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
