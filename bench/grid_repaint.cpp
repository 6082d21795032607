// A repaint of the visible rows of a grid of 1,000,000 rows beside the same repaint of a grid of
// 100 rows: the cost must not grow with the rows that are not shown.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "GridRecords.h"
#include "RatioReporter.h"
#include "support/GridFixture.h"

namespace {

std::unique_ptr<GridFixture> gridOf(int rows) {
    auto f = std::make_unique<GridFixture>(1200, 800);
    for (RecordingCanvas* c : {&f->header, &f->data, &f->container, &f->hBar, &f->vBar}) {
        c->recording = false;
    }
    for (int c = 1; c <= 12; ++c) f->grid.addColumn("c" + std::to_string(c), 100, true);
    GridRecords records;
    for (int r = 1; r <= rows; ++r) f->grid.addRow(records.next(), r, false, true);
    // Every row selected: painting asks for each shown row whether it is selected.
    f->grid.selectAll();
    f->grid.scrollRows(rows / 2);
    return f;
}

void repaint(benchmark::State& state, int rows) {
    static std::map<int, std::unique_ptr<GridFixture>> grids;
    auto& f = grids[rows];
    if (!f) f = gridOf(rows);
    for (auto _ : state) f->grid.scrollRows();
}

void BM_RepaintOfAMillionRows(benchmark::State& state) {
    repaint(state, 1000000);
}
void BM_RepaintOfAHundredRows(benchmark::State& state) {
    repaint(state, 100);
}

// Repetitions, of which the median counts, so that a burst of load on the shared machine does
// not decide the ratio.
BENCHMARK(BM_RepaintOfAMillionRows)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintOfAHundredRows)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.3)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_RepaintOfAMillionRows", "BM_RepaintOfAHundredRows", 1.2, "us");
}
