#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "forms/FieldModel.h"
#include "grid/RowSelection.h"
#include "support/GridFixture.h"

namespace {

std::vector<int> selectionOf(const RecordGrid& grid) {
    std::vector<int> out;
    grid.copySelection(out);
    return out;
}

std::vector<std::string> column1(const RecordGrid& grid) {
    std::vector<std::string> texts;
    for (int r = 1; r <= grid.rowCount(); ++r) texts.push_back(grid.cellText(r, 1));
    return texts;
}

TEST(RecordGridModel, EmptyGridHitsNothing) {
    GridFixture f;
    EXPECT_EQ(f.grid.firstSelectedRow(), -1);
    for (int x : {0, 1, 50, 499}) EXPECT_EQ(f.grid.columnAt(x), 0) << x;
    for (int y : {0, 1, 30, 200}) EXPECT_EQ(f.grid.rowAt(y), 0) << y;
    EXPECT_EQ(f.grid.columnRight(1), 0);
    f.grid.scrollRows(5);
    EXPECT_EQ(f.grid.topRowValue(), 0);
    f.grid.autoFitColumns();
    EXPECT_EQ(f.grid.columnCount(), 0);
}

TEST(RecordGridModel, SelectionKeepsInsertionOrderWithoutDuplicates) {
    GridFixture f;
    f.addColumns({100});
    f.addRows(10);
    f.grid.selectRow(5);
    f.grid.selectRow(3);
    f.grid.selectRow(9);
    f.grid.selectRow(3);   // already there
    f.grid.selectRow(0);   // out of range
    f.grid.selectRow(11);  // out of range
    EXPECT_EQ(selectionOf(f.grid), (std::vector<int>{5, 3, 9}));
    EXPECT_EQ(f.grid.firstSelectedRow(), 5);
    f.grid.removeRow(3);
    EXPECT_EQ(selectionOf(f.grid), (std::vector<int>{5, 9}));  // 9 is not renumbered
    f.grid.selectRow(2, true);
    EXPECT_EQ(selectionOf(f.grid), (std::vector<int>{2}));
    f.grid.selectOnly(40);  // unchecked
    EXPECT_EQ(selectionOf(f.grid), (std::vector<int>{40}));
    f.grid.selectAll();
    EXPECT_EQ(selectionOf(f.grid), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    f.grid.clearRows();
    EXPECT_EQ(f.grid.firstSelectedRow(), -1);
}

TEST(RecordGridModel, ScrollRowsClamps) {
    // Container 500 × 400: the data canvas is 376 high, 12 rows of 30 without the horizontal bar.
    struct Case {
        int rows;
        std::optional<int> top;
        int delta;
        int expected;
    } cases[] = {
        {50, 1000, 0, 38}, {10, 1000, 0, 0}, {50, 5, -10, 0}, {50, 5, 3, 8}, {50, 37, 1, 38},
    };
    for (const auto& c : cases) {
        GridFixture f;
        f.addColumns({100});
        f.addRows(c.rows);
        ASSERT_EQ(f.grid.visibleRowCount(), 12);
        f.grid.scrollRows(c.top, 0, c.delta);
        EXPECT_EQ(f.grid.topRowValue(), c.expected) << c.rows << " " << c.delta;
    }
}

TEST(RecordGridModel, ScrollHelpersMoveByTheirRules) {
    GridFixture f;
    f.addColumns({100});
    f.addRows(50);
    f.grid.scrollRowToBottom(3);
    EXPECT_EQ(f.grid.topRowValue(), 0);
    f.grid.scrollRowToBottom(30);  // row 30 becomes the last fully visible row
    EXPECT_EQ(f.grid.topRowValue(), 18);
    f.grid.wheel(-2);  // four rows down
    EXPECT_EQ(f.grid.topRowValue(), 22);
    f.grid.wheel(2);
    EXPECT_EQ(f.grid.topRowValue(), 18);
    f.grid.scrollToEnd();
    EXPECT_EQ(f.grid.topRowValue(), 38);
    f.grid.scrollToStart();
    EXPECT_EQ(f.grid.topRowValue(), 0);
    f.grid.setTopRowValue(99);  // raw: no clamp
    EXPECT_EQ(f.grid.topRowValue(), 99);
}

TEST(RecordGridModel, ScrollColumnsLetsTheLastColumnBeSeenEntirely) {
    GridFixture f(250, 400);
    f.addColumns({100, 100, 100});
    EXPECT_EQ(f.grid.visibleColumnCount(), 3);
    f.grid.scrollColumns(std::nullopt, 5);
    EXPECT_EQ(f.grid.leftColumnValue(), 1);
    EXPECT_EQ(f.grid.visibleColumnCount(), 2);
    f.grid.scrollColumns();  // relayout in place keeps it
    EXPECT_EQ(f.grid.leftColumnValue(), 1);
    f.grid.scrollColumns(std::nullopt, std::nullopt, 0, -3);
    EXPECT_EQ(f.grid.leftColumnValue(), 0);
}

TEST(RecordGridModel, ColumnGeometry) {
    GridFixture f;
    f.addColumns({100, 100, 50});
    struct Case {
        int x;
        int column;
    } hits[] = {{0, 1},   {101, 1}, {102, 1}, {103, 2}, {202, 2},
                {203, 3}, {252, 3}, {253, 0}, {-1, 0}};
    for (const auto& h : hits) EXPECT_EQ(f.grid.columnAt(h.x), h.column) << h.x;
    EXPECT_EQ(f.grid.columnLeft(1), 0);
    EXPECT_EQ(f.grid.columnLeft(3), 200);
    EXPECT_EQ(f.grid.columnLeft(4), 250);  // total width
    EXPECT_EQ(f.grid.columnRight(3), 250);
    EXPECT_EQ(f.grid.columnRight(0), 0);
    EXPECT_EQ(f.grid.columnRight(4), 0);

    f.grid.setLeftColumnValue(1);
    EXPECT_EQ(f.grid.columnLeft(2), 0);
    EXPECT_EQ(f.grid.columnLeft(3), 100);
    EXPECT_EQ(f.grid.columnRight(1), 100);  // scrolled off: its width
    EXPECT_EQ(f.grid.columnRight(2), 100);
    // The first visible column answers from x = 0; the hidden one is never hit.
    EXPECT_EQ(f.grid.columnAt(0), 2);
    EXPECT_EQ(f.grid.columnAt(2), 2);
    EXPECT_EQ(f.grid.columnAt(103), 3);
}

TEST(RecordGridModel, RowGeometry) {
    GridFixture f;
    f.addColumns({100});
    f.addRows(7);
    f.grid.setTopRowValue(5);
    EXPECT_EQ(f.grid.rowAt(0), 0);
    EXPECT_EQ(f.grid.rowAt(29), 6);
    EXPECT_EQ(f.grid.rowAt(30), 7);
    EXPECT_EQ(f.grid.rowAt(375), 0);  // beyond the last row, and data height - 1
    EXPECT_EQ(f.grid.rowAt(376), 0);
    f.grid.removeRow(7, true);  // without the repaint that would clamp topRow
    EXPECT_EQ(f.grid.rowAt(30), 0);
}

TEST(RecordGridModel, RowOperationsAndRangeChecks) {
    GridFixture f;
    f.addColumns({100, 100});
    f.grid.addRow({"a", "1"}, 11);
    f.grid.addRow({"c"}, 13, true);  // padded to two cells
    f.grid.insertRow(2, {"b", "2", "extra"}, 12);
    f.grid.insertRow(0, {"never"});
    f.grid.insertRow(5, {"never"});
    f.grid.insertRow(4, {"d", "4"}, 14);  // rowCount + 1 appends
    EXPECT_EQ(column1(f.grid), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(f.grid.rowRecord(2), (GridRow{{"b", "2", "extra"}, 12}));
    EXPECT_EQ(f.grid.rowRecord(3), (GridRow{{"c", ""}, 13}));
    f.grid.setRow(2, std::vector<std::string>{"B"}, std::nullopt, true);
    EXPECT_EQ(f.grid.rowRecord(2), (GridRow{{"B", ""}, 12}));
    f.grid.setRow(2, std::nullopt, 99);
    EXPECT_EQ(f.grid.rowRecord(2).bookmark, 99);
    f.grid.setCellText(1, 2, "one");
    EXPECT_EQ(f.grid.cellText(1, 2), "one");
    // Out of range: no read or write outside the rows.
    f.grid.setCellText(9, 1, "x");
    f.grid.setCellText(1, 9, "x");
    f.grid.removeRow(0);
    f.grid.removeRow(5);
    EXPECT_EQ(f.grid.cellText(9, 1), "");
    EXPECT_EQ(f.grid.cellText(1, 0), "");
    EXPECT_EQ(f.grid.rowRecord(0), GridRow{});
    EXPECT_EQ(f.grid.rowCount(), 4);
    f.grid.setRows({{{"x"}, 1}, {{"y"}, 2}});
    EXPECT_EQ(column1(f.grid), (std::vector<std::string>{"x", "y"}));
}

TEST(RecordGridModel, RowsAddedFromViewsEqualRowsAddedFromTexts) {
    const std::string backing = "abc|\xD6\xD0|tail";
    std::string_view all(backing);
    struct Case {
        std::vector<std::string> cells;
        bool pad;
    } cases[] = {{{"abc", "\xD6\xD0"}, false},
                 {{"abc"}, true},
                 {{"", "abc", "tail"}, true},
                 {{"abc", "", "tail"}, false}};
    GridFixture f;
    f.addColumns({100, 100});
    int32_t bookmark = 0;
    for (const auto& c : cases) {
        // Views into one shared buffer, as a table's bytes would be.
        std::vector<std::string_view> views;
        for (const auto& cell : c.cells)
            views.push_back(cell.empty() ? std::string_view()
                                         : all.substr(all.find(cell), cell.size()));
        ++bookmark;
        f.grid.addRow(c.cells, bookmark, c.pad);
        f.grid.addRowViews(views, bookmark, c.pad, false);
        int rows = f.grid.rowCount();
        EXPECT_EQ(f.grid.rowRecord(rows), f.grid.rowRecord(rows - 1)) << bookmark;
        EXPECT_EQ(f.grid.rowRecord(rows).cells.size(), c.pad ? 2u : c.cells.size()) << bookmark;
    }
}

TEST(RecordGridModel, ColumnOperationsReshapeTheCells) {
    GridFixture f;
    f.grid.addColumn("A");
    EXPECT_EQ(f.grid.columnWidth(1), 88);
    f.grid.addColumn("B", 120);
    f.grid.addRow({"a", "b"}, 1);
    f.grid.insertColumn(2, "M");
    EXPECT_EQ(f.grid.rowRecord(1).cells, (std::vector<std::string>{"a", "", "b"}));
    f.grid.insertColumn(0, "never");
    f.grid.insertColumn(5, "never");
    EXPECT_EQ(f.grid.columnCount(), 3);
    f.grid.setCellText(1, 2, "m");
    f.grid.removeColumn(1);
    EXPECT_EQ(f.grid.rowRecord(1).cells, (std::vector<std::string>{"m", "b"}));
    EXPECT_EQ(f.grid.columnTitle(1), "M");
    f.grid.removeColumn(3);
    EXPECT_EQ(f.grid.columnCount(), 2);
    f.grid.setColumnTitle(2, "B2");
    f.grid.setColumnWidth(2, 7);
    EXPECT_EQ(f.grid.columnTitle(2), "B2");
    EXPECT_EQ(f.grid.columnWidth(2), 7);
    f.grid.setColumns({{10, "x"}, {20, "y"}, {30, "z"}});
    EXPECT_EQ(f.grid.rowRecord(1).cells, (std::vector<std::string>{"m", "b", ""}));
    f.grid.clearColumns();
    EXPECT_EQ(f.grid.columnCount(), 0);
    EXPECT_EQ(f.grid.rowCount(), 1);
    EXPECT_TRUE(f.grid.rowRecord(1).cells.empty());
}

TEST(RecordGridModel, AutoFitMeasuresTitlesAndCellsByBytes) {
    GridFixture f;                      // glyph width 15: 8.5 pixels per cell byte
    f.grid.addColumn("ab");             // title: 2 × 8 + 10 = 26
    f.grid.addColumn("title-long", 5);  // title: 10 × 8 + 10 = 90
    f.grid.addRow({"abcdefg", "x"});    // 7 × 8.5 + 10 = 69.5 -> 69
    f.grid.addRow({"\xD6\xD0", ""});    // 2 bytes: 27
    EXPECT_EQ(f.grid.autoFitColumns(2, 1, false, true), 69);
    EXPECT_EQ(f.grid.autoFitColumns(1, 1, false, true), 26);
    EXPECT_EQ(f.grid.columnWidth(1), 88);  // measuring changes nothing
    f.grid.autoFitColumns();
    EXPECT_EQ(f.grid.columnWidth(1), 69);
    EXPECT_EQ(f.grid.columnWidth(2), 90);
    f.grid.autoFitColumns(0, 0, false, false, 50);
    EXPECT_EQ(f.grid.columnWidth(2), 50);
}

TEST(RecordGridModel, LinesOfText) {
    GridFixture f;
    f.grid.addColumn("名", 100);
    f.grid.addColumn("link", 100);
    f.grid.addColumn("n", 100);
    f.fields.types = {FieldType::Text, FieldType::Link, FieldType::Integer};
    f.grid.addRow({"", "b", ""}, 7);
    f.grid.addRow({"x\"y", "title", "3"}, 8);
    f.fields.stored[{8, 2}] = "title||http://e.x/";
    EXPECT_EQ(f.grid.displayLine(1, false), ",b,");
    EXPECT_EQ(f.grid.displayLine(1, true), "\"\",\"b\",\"\"");
    EXPECT_EQ(f.grid.displayLine(0, false), "名,link,n");
    EXPECT_EQ(f.grid.displayLine(2, true), "\"x\"y\",\"title\",\"3\"");
    EXPECT_EQ(f.grid.exportLine(2, false), "x\"y,title||http://e.x/,3");
    EXPECT_EQ(f.fields.storedReads, 1);  // only the link column is read back
}

}  // namespace

namespace {

TEST(RecordGridModel, SetBoundsClampsTheScrollPositions) {
    GridFixture f(250, 400);
    f.addColumns({100, 100, 100, 100});
    f.addRows(50);
    f.grid.updateBars(true);  // the horizontal bar is shown
    f.grid.setTopRowValue(45);
    f.grid.setLeftColumnValue(5);
    f.grid.setBounds(std::nullopt, std::nullopt, std::nullopt, 700);
    // 676 − 18 high: 21 rows visible, so 29 at most; columns: at most the column count.
    EXPECT_EQ(f.grid.visibleRowCount(), 21);
    EXPECT_EQ(f.grid.topRowValue(), 29);
    EXPECT_EQ(f.grid.leftColumnValue(), 4);
    f.grid.clearRows();
    EXPECT_EQ(f.grid.topRowValue(), 0);
}

TEST(RecordGridModel, LinkValuesAreReadWithoutHoldingTheGrid) {
    // A worker may hold the table while it writes into the grid; reading a stored value under the
    // grid's lock would let the two wait for each other.
    struct ProbingFields : FakeListFields {
        RecordGrid* grid = nullptr;
        bool gridWasFree = false;
        std::string storedValue(int32_t, int) override {
            std::thread other([&] {
                auto lock = grid->lock();
                gridWasFree = true;
            });
            other.join();
            return "t||u";
        }
    };
    RecordingCanvas header, data, container, hBar, vBar;
    ProbingFields fields;
    fields.types = {FieldType::Link};
    RecordGrid grid;
    fields.grid = &grid;
    grid.attach({&header, &data, &container, &hBar, &vBar}, nullptr, &fields);
    grid.addColumn("l");
    grid.addRow({"t"}, 1);
    EXPECT_EQ(grid.exportLine(1, false), "t||u");
    EXPECT_TRUE(fields.gridWasFree);
}

TEST(RecordGridModel, DetachForgetsTheCanvasesAndTheTooltipWindow) {
    auto f = std::make_unique<GridFixture>();
    f->addColumns({100});
    f->addRows(3);
    f->grid.detach();
    EXPECT_EQ(f->tooltips.windowsDestroyed, 1);
    f->forgetDrawing();
    f->grid.scrollRows();
    f->grid.setCellText(1, 1, "x");
    EXPECT_TRUE(f->data.ops.empty());
    EXPECT_EQ(f->grid.cellText(1, 1), "x");
    EXPECT_EQ(f->grid.exportLine(1, false), "x");
}

TEST(RowSelection, MembershipOfAnyNumber) {
    RowSelection selection;
    for (int row : {3, -2, 0, 1 << 27, 3, 70000000}) selection.add(row);
    EXPECT_EQ(selection.numbers(), (std::vector<int>{3, -2, 0, 1 << 27, 70000000}));
    for (int row : {3, -2, 0, 1 << 27, 70000000}) EXPECT_TRUE(selection.contains(row)) << row;
    for (int row : {1, 2, 4, -1, (1 << 27) + 1}) EXPECT_FALSE(selection.contains(row)) << row;
    selection.remove(3);
    selection.remove(1 << 27);
    EXPECT_FALSE(selection.contains(3));
    EXPECT_FALSE(selection.contains(1 << 27));
    selection.setRange(2, 4);
    EXPECT_EQ(selection.numbers(), (std::vector<int>{2, 3, 4}));
    EXPECT_FALSE(selection.contains(70000000));
}

}  // namespace

namespace {

TEST(RecordGridModel, RawScrollValuesNeverReachOutsideTheLists) {
    for (int left : {-1, -7, 2, 9}) {
        for (int top : {-3, 0, 30}) {
            GridFixture f;
            f.addColumns({100, 100});
            f.addRows(4);
            f.grid.setLeftColumnValue(left);
            f.grid.setTopRowValue(top);
            EXPECT_GE(f.grid.visibleColumnCount(), 0);
            for (int y : {1, 29, 30, 100}) {
                const int row = f.grid.rowAt(y);
                EXPECT_TRUE(row >= 0 && row <= 4) << left << " " << top << " " << y;
            }
            for (int x : {0, 50, 150, 400}) {
                const int column = f.grid.columnAt(x);
                EXPECT_TRUE(column >= 0 && column <= 2) << left << " " << top << " " << x;
            }
            f.grid.drawRows(0);
            f.grid.drawHeader(0, kHeaderNormal, false);
            f.grid.drawColumnLines(0);
            f.grid.updateBars(true);
        }
    }
}

TEST(RecordGridModel, ReorderRowsTakesOnlyAPermutation) {
    GridFixture f;
    f.addColumns({100});
    f.addRows(3);
    f.grid.selectRow(2);
    f.grid.reorderRows({3, 1, 2});
    EXPECT_EQ(column1(f.grid), (std::vector<std::string>{"r3c1", "r1c1", "r2c1"}));
    EXPECT_EQ(f.grid.firstSelectedRow(), -1);
    for (const std::vector<int>& bad :
         std::vector<std::vector<int>>{{1, 2}, {1, 1, 2}, {0, 1, 2}, {1, 2, 4}, {1, 2, 3, 3}}) {
        f.grid.reorderRows(bad);
        EXPECT_EQ(column1(f.grid), (std::vector<std::string>{"r3c1", "r1c1", "r2c1"}));
    }
}

}  // namespace
