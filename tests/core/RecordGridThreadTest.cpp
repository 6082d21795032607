#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/GridFixture.h"

namespace {

// Workers write and read cells (each write repaints the rows) while this thread scrolls, selects,
// resizes and paints. Every cell must end with a text one of its writers wrote, no canvas may be
// drawn on by two threads at once, and nothing may be drawn outside a paint.
TEST(RecordGridThreads, WorkersWriteCellsWhileTheInterfaceScrollsAndPaints) {
    GridFixture f;
    for (RecordingCanvas* c : {&f.header, &f.data, &f.container, &f.hBar, &f.vBar}) {
        c->recording = false;
    }
    f.addColumns({100, 100, 100, 100, 100, 100});
    f.addRows(200);
    constexpr int kWorkers = 4;
    constexpr int kWritesPerWorker = 1500;
    std::atomic<bool> stop{false};
    std::atomic<int> badReads{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            for (int i = 0; i < kWritesPerWorker; ++i) {
                const int row = 1 + (i * 7 + w) % f.grid.rowCount();
                const int column = 1 + w;  // one column per worker
                const std::string text = "w" + std::to_string(w) + "-" + std::to_string(i);
                f.grid.setCellText(row, column, text);
                if (f.grid.cellText(row, column) != text) ++badReads;
                const GridRow record = f.grid.rowRecord(row);
                if (record.bookmark != 1000 + row || record.cells.size() != 6) ++badReads;
            }
        });
    }
    int steps = 0;
    while (!stop) {
        ++steps;
        f.grid.scrollRows(steps % 190);
        f.grid.selectRow(1 + steps % 200, steps % 3 == 0);
        f.grid.scrollColumns(std::nullopt, steps % 4);
        f.grid.setColumnWidth(6, 50 + steps % 80);
        f.grid.updateBars(steps % 5 == 0);
        f.grid.setBounds(std::nullopt, std::nullopt, 400 + steps % 100, std::nullopt);
        f.grid.autoFitColumns(0, 6, false, true);
        (void)f.grid.displayLine(1 + steps % 200, true);
        if (steps >= 200) {
            stop = true;
            for (auto& t : workers) t.join();
        }
    }
    EXPECT_EQ(badReads, 0);
    for (RecordingCanvas* c : {&f.header, &f.data, &f.container, &f.hBar, &f.vBar}) {
        EXPECT_EQ(c->overlappingPainters, 0);
        EXPECT_EQ(c->drawsOutsidePaint, 0);
    }
    // Every worker's last write to a row is what that row holds.
    for (int w = 0; w < kWorkers; ++w) {
        for (int i = kWritesPerWorker - 200; i < kWritesPerWorker; ++i) {
            const int row = 1 + (i * 7 + w) % 200;
            int last = i;
            for (int j = i + 1; j < kWritesPerWorker; ++j) {
                if (1 + (j * 7 + w) % 200 == row) last = j;
            }
            EXPECT_EQ(f.grid.cellText(row, 1 + w),
                      "w" + std::to_string(w) + "-" + std::to_string(last));
        }
    }
}

}  // namespace
