#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "grid/GridSort.h"
#include "support/GridFixture.h"

namespace {

using std::chrono::milliseconds;

std::vector<int32_t> bookmarks(const RecordGrid& grid) {
    std::vector<int32_t> found;
    for (int r = 1; r <= grid.rowCount(); ++r) found.push_back(grid.rowRecord(r).bookmark);
    return found;
}

std::vector<int> selectionOf(const RecordGrid& grid) {
    std::vector<int> out;
    grid.copySelection(out);
    return out;
}

// Rows A, B, C, D (bookmarks 1 … 4) whose second column holds the keys.
void addKeyedRows(GridFixture& f, const std::vector<std::string>& keys) {
    for (size_t i = 0; i < keys.size(); ++i)
        f.grid.addRow({std::string(1, char('A' + i)), keys[i]}, int32_t(i + 1), false, true);
}

TEST(RecordGridSort, RowsTravelWholeAndTheSelectionIsEmptied) {
    GridFixture f;
    f.addColumns({100, 100});
    addKeyedRows(f, {"5", "3", "5", "1"});
    f.grid.selectRow(2);
    f.grid.sortByColumn(2, true, SortKeyKind::LeadingInteger);
    EXPECT_EQ(bookmarks(f.grid), (std::vector<int32_t>{4, 2, 1, 3}));
    EXPECT_EQ(f.grid.rowRecord(1).cells, (std::vector<std::string>{"D", "1"}));
    EXPECT_TRUE(selectionOf(f.grid).empty());
    f.grid.sortByColumn(2, false, SortKeyKind::LeadingInteger);
    EXPECT_EQ(bookmarks(f.grid), (std::vector<int32_t>{1, 3, 2, 4}));  // A, C, B, D: stable
}

TEST(RecordGridSort, KeepsTheFirstVisibleRowAndRepaintsTheRows) {
    GridFixture f;
    f.addColumns({100, 100});
    f.addRows(50);
    f.grid.scrollRows(30);  // 12 rows visible: the last possible top row is 38
    f.forgetDrawing();
    f.grid.sortByColumn(1, false, SortKeyKind::Bytes);
    EXPECT_EQ(f.grid.topRowValue(), 30);
    // The view shows rows 31 … of the new order: descending texts r9c1, r8c1, … then r50c1 …
    std::vector<std::string> shown = f.data.texts();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), f.grid.cellText(31, 1));
    EXPECT_EQ(f.grid.cellText(1, 1), "r9c1");
}

TEST(RecordGridSort, AnInvalidColumnChangesNothing) {
    GridFixture f;
    f.addColumns({100, 100});
    addKeyedRows(f, {"2", "1"});
    f.grid.selectRow(1);
    for (int column : {0, 3, -1}) f.grid.sortByColumn(column, true, SortKeyKind::LeadingInteger);
    EXPECT_EQ(bookmarks(f.grid), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(selectionOf(f.grid), std::vector<int>{1});
}

// Rows added without padding may lack the sorted cell; they sort as empty texts. (Their key was
// once copied from a view without any bytes, which the undefined-behaviour sanitizer reports.)
TEST(RecordGridSort, RowsWithoutTheSortedCellSortAsEmptyTexts) {
    GridFixture f;
    f.addColumns({100, 100});
    f.grid.addRow({"A", "b"}, 1, false, true);
    f.grid.addRow({"B"}, 2, false, true);
    f.grid.addRow({"C", "a"}, 3, false, true);
    f.grid.sortByColumn(2, true, SortKeyKind::Bytes);
    EXPECT_EQ(bookmarks(f.grid), (std::vector<int32_t>{2, 3, 1}));
    f.grid.sortByColumn(2, false, SortKeyKind::Bytes);
    EXPECT_EQ(bookmarks(f.grid), (std::vector<int32_t>{1, 3, 2}));
}

// Enough rows for the sort to pause several times.
void addManyRows(GridFixture& f, int count) {
    for (int i = 0; i < count; ++i)
        f.grid.addRow({std::to_string((i * 7919) % count), "x"}, i + 1, false, true);
}

TEST(RecordGridSort, ASortAskedForDuringASortIsRefused) {
    GridFixture f;
    f.addColumns({100, 100});
    addManyRows(f, 50000);
    int yields = 0;
    bool runningSeen = true;
    f.grid.setUiYield(
        [&] {
            ++yields;
            runningSeen = runningSeen && f.grid.sortRunning();
            f.grid.sortByColumn(1, false, SortKeyKind::LeadingInteger);  // a second header click
        },
        milliseconds(0));
    f.grid.sortByColumn(1, true, SortKeyKind::LeadingInteger);
    EXPECT_GT(yields, 0);
    EXPECT_TRUE(runningSeen);
    EXPECT_FALSE(f.grid.sortRunning());
    for (int r = 1; r <= 50000; r += 4999)
        ASSERT_EQ(f.grid.cellText(r, 1), std::to_string(r - 1)) << r;  // ascending, not descending
}

TEST(RecordGridSort, GivesUpWhenRowsAreAddedRemovedOrReplacedMeanwhile) {
    enum Change { Add, Remove, ReplaceBySameNumber, RenameColumn, ResizeColumn };
    for (Change change : {Add, Remove, ReplaceBySameNumber, RenameColumn, ResizeColumn}) {
        GridFixture f;
        f.addColumns({100, 100});
        addManyRows(f, 50000);
        f.grid.selectRow(7);
        bool changed = false;
        f.grid.setUiYield(
            [&] {
                if (changed) return;
                changed = true;
                switch (change) {
                    case Add:
                        f.grid.addRow({"-1", "new"}, 99999, false, true);
                        break;
                    case Remove:
                        f.grid.removeRow(1, true);
                        break;
                    case ReplaceBySameNumber:  // another list of as many records
                        f.grid.clearRows(true);
                        for (int i = 0; i < 50000; ++i)
                            f.grid.addRow({std::to_string(i % 10), "y"}, 100001 + i, false, true);
                        break;
                    case RenameColumn:
                        f.grid.setColumnTitle(1, "other list");
                        break;
                    case ResizeColumn:  // not a change of rows: the sort goes on
                        f.grid.setColumnWidth(1, 150);
                        break;
                }
            },
            milliseconds(0));
        f.grid.sortByColumn(1, true, SortKeyKind::LeadingInteger);
        ASSERT_TRUE(changed);
        if (change == ResizeColumn) {
            EXPECT_EQ(f.grid.cellText(2, 1), "1");
            continue;
        }
        // The rows stand as the change left them, in their old order.
        const int first = change == Remove ? 2 : change == ReplaceBySameNumber ? 100001 : 1;
        EXPECT_EQ(f.grid.rowRecord(1).bookmark, first) << change;
        EXPECT_EQ(f.grid.rowCount(), change == Add ? 50001 : change == Remove ? 49999 : 50000);
        if (change != ReplaceBySameNumber) EXPECT_EQ(selectionOf(f.grid), std::vector<int>{7});
        // Once done, the grid sorts again.
        f.grid.setUiYield(nullptr);
        f.grid.sortByColumn(1, true, SortKeyKind::LeadingInteger);
        EXPECT_EQ(f.grid.cellText(1, 1), change == Add ? "-1" : change == Remove ? "1" : "0");
    }
}

TEST(RecordGridSort, WorkersWriteCellsWhileTheSortLetsEventsThrough) {
    GridFixture f;
    f.addColumns({100, 100});
    const int count = 40000;
    addManyRows(f, count);  // cell 1 of the row with bookmark b is (b − 1) × 7919 mod count
    std::atomic<bool> stop = false;
    std::atomic<int> writes = 0;
    std::thread worker([&] {
        for (int i = 0; !stop; ++i) {
            const int row = 1 + (i * 31) % f.grid.rowCount();
            f.grid.setCellText(row, 2, "y" + std::to_string(i));
            ++writes;
        }
    });
    f.grid.setUiYield([] { std::this_thread::sleep_for(std::chrono::microseconds(200)); },
                      milliseconds(0));
    f.grid.sortByColumn(1, false, SortKeyKind::LeadingInteger);
    stop = true;
    worker.join();
    EXPECT_GT(writes.load(), 0);
    for (int r = 1; r <= count; ++r) {
        const GridRow row = f.grid.rowRecord(r);
        ASSERT_EQ(row.cells[0], std::to_string(count - r)) << r;
        ASSERT_EQ(row.cells[0], std::to_string(int64_t(row.bookmark - 1) * 7919 % count)) << r;
    }
}

}  // namespace
