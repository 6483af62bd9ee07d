// A save and an open of a full taxpayer file: both registers filled to
// their pages, or with 500 payments each, and the nine lines, written
// atomically (with its fsync) and read back through every check.
#include "core/files/taxpayer_file.h"
#include "core/registers/register_entry.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void Fill(GridModel &grid, const std::vector<const char *> &codes, int rows, bool dividend)
{
    RowAppender appender(grid);
    for (int i = 0; i < rows; ++i) {
        const char *code = codes[i < 3 ? i : 3];
        std::vector<std::string> fields = {"주식회사 한빛저축은행 강남지점 " + std::to_string(i), "123-45-67890",
                                           "1,234,567", "123,456"};
        if (dividend) {
            const GrossUp g = BD_Calc(fields[2], fields[3]);
            fields.insert(fields.end(), {g.grossUp, g.income, "98,765"});
        }
        appender.Append(Entry_Cells(grid, code, fields));
    }
    appender.Finish();
}

// Interest 20 data rows (with one subtotal and the total, page 5's 22 rows),
// dividends 12 (page 7's 14); or `payments` rows in each.
TaxpayerWork Full_Work(int payments = 0)
{
    TaxpayerWork work = Empty_Work();
    Fill(work.interest, {"13", "11", "12", "11"}, payments ? payments : 20, false);
    Fill(work.dividend, {"23", "21", "22", "21"}, payments ? payments : 12, true);
    work.lines = {"1,000,000", "10,000,000", "30,000,000", "10,000,000", "2,000,000",
                  "3,000,000", "1,100,000",  "20,000,000", "3,000,000"};
    return work;
}

std::string Bench_File()
{
    const char *dir = std::getenv("TMPDIR");
    return (std::filesystem::path(dir && *dir ? dir : "/tmp") / "orvanta-bench.orvanta").string();
}

void BM_Save(benchmark::State &state)
{
    const TaxpayerWork work = Full_Work();
    const std::string path = Bench_File();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string json = Taxpayer_Json(work);
        bytes = json.size();
        if (Write_Atomically(path, json))
            state.SkipWithError("the save failed");
    }
    state.SetLabel(std::to_string(bytes) + " bytes, with fsync");
}
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);

void BM_Open(benchmark::State &state)
{
    const std::string path = Bench_File();
    const std::string json = Taxpayer_Json(Full_Work(static_cast<int>(state.range(0))));
    if (Write_Atomically(path, json))
        state.SkipWithError("the save failed");
    for (auto _ : state) {
        OpenedInput input = Open_Input_File(path);
        TaxpayerRead read = Read_Taxpayer_File(*input.source);
        if (!read.work)
            state.SkipWithError(read.error.c_str());
        benchmark::DoNotOptimize(read);
    }
    std::filesystem::remove(path);
    state.SetLabel(std::to_string(json.size()) + " bytes");
}
// 0: both registers filled to their pages; 500: 500 payments in each.
BENCHMARK(BM_Open)->Arg(0)->Arg(500)->ArgName("payments")->Unit(benchmark::kMicrosecond);

// The part of a save that is the program's own, apart from the disk.
void BM_Json(benchmark::State &state)
{
    const TaxpayerWork work = Full_Work(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Taxpayer_Json(work));
}
BENCHMARK(BM_Json)->Arg(0)->Arg(500)->ArgName("payments")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
