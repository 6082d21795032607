// A repaint of the visible rows of a grid of 1,000,000 rows beside the same repaint of a grid of
// 100 rows: the cost must not grow with the rows that are not shown. Measured on the recording
// canvas (the grid's own work) and on the Qt canvases the program paints on (offscreen).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <map>
#include <memory>

#include "GridRecords.h"
#include "RatioReporter.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "support/GridFixture.h"

namespace {

// The five canvases of the main window, as Qt widgets in a window of their own.
struct QtGrid {
    QWidget window;
    QtCanvas container{"container", &window};
    QtCanvas header{"header"}, data{"data"}, hBar{"hBar"}, vBar{"vBar"};
    RecordGrid grid;
    QtGrid() {
        window.resize(1200, 800);
        grid.attach({&header, &data, &container, &hBar, &vBar}, nullptr, nullptr);
        grid.setBounds(0, 0, 1200, 800);
    }
};

struct RecordingGrid : GridFixture {
    RecordingGrid() : GridFixture(1200, 800) {
        for (RecordingCanvas* c : {&header, &data, &container, &hBar, &vBar}) {
            c->recording = false;
        }
    }
};

template <class Fixture>
std::unique_ptr<Fixture> gridOf(int rows) {
    auto f = std::make_unique<Fixture>();
    for (int c = 1; c <= 12; ++c) f->grid.addColumn("c" + std::to_string(c), 100, true);
    GridRecords records;
    for (int r = 1; r <= rows; ++r) f->grid.addRow(records.next(), r, false, true);
    // Every row selected: painting asks for each shown row whether it is selected.
    f->grid.selectAll();
    f->grid.scrollRows(rows / 2);
    return f;
}

template <class Fixture>
void repaint(benchmark::State& state, int rows) {
    static std::map<int, std::unique_ptr<Fixture>> grids;
    auto& f = grids[rows];
    if (!f) f = gridOf<Fixture>(rows);
    for (auto _ : state) f->grid.scrollRows();
}

void BM_RepaintOfAMillionRows(benchmark::State& state) {
    repaint<RecordingGrid>(state, 1000000);
}
void BM_RepaintOfAHundredRows(benchmark::State& state) {
    repaint<RecordingGrid>(state, 100);
}
void BM_QtRepaintOfAMillionRows(benchmark::State& state) {
    repaint<QtGrid>(state, 1000000);
}
void BM_QtRepaintOfAHundredRows(benchmark::State& state) {
    repaint<QtGrid>(state, 100);
}

// Repetitions, of which the median counts, so that a burst of load on the shared machine does
// not decide the ratio.
void configure(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->MinTime(0.3)->Repetitions(7)->ReportAggregatesOnly(true);
}
BENCHMARK(BM_RepaintOfAMillionRows)->Apply(configure);
BENCHMARK(BM_RepaintOfAHundredRows)->Apply(configure);
BENCHMARK(BM_QtRepaintOfAMillionRows)->Apply(configure);
BENCHMARK(BM_QtRepaintOfAHundredRows)->Apply(configure);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("BM_RepaintOfAMillionRows", "BM_RepaintOfAHundredRows", 1.2, "us");
    reporter.printRatio("BM_QtRepaintOfAMillionRows", "BM_QtRepaintOfAHundredRows", 1.2, "us");
}
