// The memory that 1,000,000 grid rows of 12 cells take, beside the bytes of their texts plus 64
// bytes per row, and the time to load them beside copying the same texts into strings.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "GridRecords.h"
#include "RatioReporter.h"
#include "grid/RecordGrid.h"

namespace {

constexpr int kRows = 1000000;

// The memory the process holds in RAM: the heap, and the blocks the allocator maps on their own,
// counted only for the pages actually touched.
size_t memoryInUse() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

const std::vector<std::vector<std::string>>& records() {
    static const std::vector<std::vector<std::string>> rows = [] {
        GridRecords records;
        std::vector<std::vector<std::string>> result;
        result.reserve(kRows);
        for (int r = 0; r < kRows; ++r) result.push_back(records.next());
        return result;
    }();
    return rows;
}

// Each iteration fills a fresh target; the previous one is freed while the timer is paused.
template <class Target, class Add>
void load(benchmark::State& state, Add add) {
    std::unique_ptr<Target> target;
    for (auto _ : state) {
        state.PauseTiming();
        target = std::make_unique<Target>();
        state.ResumeTiming();
        for (int r = 0; r < kRows; ++r) add(*target, r);
    }
}

void BM_LoadAMillionRows(benchmark::State& state) {
    load<RecordGrid>(state, [](RecordGrid& grid, int r) {
        if (r == 0) {
            for (int c = 1; c <= 12; ++c) grid.addColumn("c", 100, true);
        }
        grid.addRow(records()[r], r + 1, false, true);
    });
}

void BM_CopyTheTextsIntoStrings(benchmark::State& state) {
    using Copies = std::vector<std::vector<std::string>>;
    load<Copies>(state, [](Copies& copies, int r) { copies.push_back(records()[r]); });
}

BENCHMARK(BM_LoadAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_CopyTheTextsIntoStrings)->Unit(benchmark::kMillisecond)->Iterations(2);

void printMemory() {
    GridRecords records;
    size_t textBytes = 0;
    const size_t before = memoryInUse();
    {
        RecordGrid grid;
        for (int c = 1; c <= 12; ++c) grid.addColumn("c", 100, true);
        for (int r = 0; r < kRows; ++r) {
            const auto cells = records.next();
            for (const auto& cell : cells) textBytes += cell.size();
            grid.addRow(cells, r + 1, false, true);
        }
        const double used = static_cast<double>(memoryInUse() - before);
        const double allowed = 1.5 * textBytes + 64.0 * kRows;
        std::printf(
            "grid rows: %.1f MB in memory   texts: %.1f MB (%.1f bytes a row)   "
            "texts x 1.5 + 64 a row: %.1f MB   ratio %.2f (target <= 1.0)\n",
            used / 1e6, textBytes / 1e6, static_cast<double>(textBytes) / kRows, allowed / 1e6,
            used / allowed);
        std::printf("grid rows: %.1f bytes a row beyond their texts\n", (used - textBytes) / kRows);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    printMemory();
    records();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_LoadAMillionRows", "BM_CopyTheTextsIntoStrings");
}
