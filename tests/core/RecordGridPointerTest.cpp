#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "forms/FieldModel.h"
#include "platform/TextCodec.h"
#include "support/DesktopFakes.h"
#include "support/GridFixture.h"

namespace {

// A grid of 500 × 400 (data canvas 500 × 376, rows 30 high, 12 visible without the horizontal
// bar) with the desktop fakes and the program's hooks recorded in one log.
struct PointerFixture : GridFixture {
    FakeDesktop desktop;
    std::vector<std::string> log;
    bool checkRunning = false;

    PointerFixture() {
        GridPointerHooks hooks;
        hooks.shell = &desktop.shell;
        hooks.clipboard = &desktop.clipboard;
        hooks.beep = &desktop.beep;
        hooks.keys = &desktop.keys;
        hooks.sortRefused = [this] { return checkRunning; };
        hooks.columnResized = [this](int c, int w) {
            log.push_back("width " + std::to_string(c) + " " + std::to_string(w));
        };
        hooks.headerReleased = [this] { log.push_back("save"); };
        hooks.selectedRecordChosen = [this](int32_t b) {
            log.push_back("entry " + std::to_string(b));
        };
        grid.setPointerHooks(hooks);
    }

    // Lays the bars out for the rows and columns added since construction.
    void layOut() { grid.setBounds(0, 0, 500, 400); }

    int yOfRow(int row) const { return (row - grid.topRowValue() - 1) * 30 + 15; }

    void click(int row, int keyState = KeyState::None, int x = 50) {
        grid.dataCanvasPressed(x, yOfRow(row));
        grid.dataCanvasReleased(x, yOfRow(row), keyState);
    }
    std::vector<int> selection() const {
        std::vector<int> out;
        grid.copySelection(out);
        return out;
    }
};

std::vector<int> range(int first, int last) {
    std::vector<int> numbers;
    for (int i = first; i <= last; ++i) numbers.push_back(i);
    return numbers;
}

TEST(GridPointerSelection, ClicksWithCtrlAndShift) {
    struct Step {
        int row;  // 0: below the last row
        int keys;
        std::vector<int> selection;
    };
    const std::vector<std::vector<Step>> sequences = {
        {{4, KeyState::None, {4}},
         {7, KeyState::Shift, {4, 5, 6, 7}},
         {2, KeyState::Shift, {4, 3, 2}}},
        {{3, KeyState::Ctrl, {3}}, {1, KeyState::Ctrl, {1, 3}}, {3, KeyState::Ctrl, {1, 3}}},
        {{5, KeyState::None, {5}}, {0, KeyState::Ctrl, {5}}, {0, KeyState::None, {}}},
        {{4, KeyState::None, {4}}, {0, KeyState::Shift, {4, 3, 2, 1}}},
        {{2, KeyState::Shift, {2}}, {6, KeyState::Ctrl | KeyState::Shift, {6}}},
        {{2, KeyState::None, {2}}, {5, KeyState::Alt, {5}}},
    };
    for (const auto& sequence : sequences) {
        PointerFixture f;
        f.addColumns({100, 100});
        f.addRows(8);
        for (const Step& step : sequence) {
            const int y = step.row == 0 ? 9 * 30 + 15 : f.yOfRow(step.row);
            f.grid.dataCanvasPressed(50, y);
            f.grid.dataCanvasReleased(50, y, step.keys);
            ASSERT_EQ(f.selection(), step.selection) << "row " << step.row << " keys " << step.keys;
        }
    }
}

TEST(GridPointerSelection, DraggingSelectsTheRangeFromThePressedRow) {
    for (int keys : {KeyState::None, KeyState::Ctrl}) {
        PointerFixture f;
        f.addColumns({100, 100});
        f.addRows(8);
        f.grid.dataCanvasPressed(50, f.yOfRow(2));
        f.grid.dataPointerMoved(50, f.yOfRow(6), keys);
        EXPECT_EQ(f.selection(), range(2, 6));
        f.grid.dataPointerMoved(50, f.yOfRow(4), keys);
        EXPECT_EQ(f.selection(), keys == KeyState::Ctrl ? range(2, 6) : range(2, 4));
        // The release on another row than the press leaves the dragged selection.
        f.grid.dataCanvasReleased(50, f.yOfRow(4), keys);
        EXPECT_EQ(f.selection(), keys == KeyState::Ctrl ? range(2, 6) : range(2, 4));
    }
    PointerFixture f;
    f.addColumns({100});
    f.addRows(8);
    f.grid.dataCanvasPressed(50, f.yOfRow(5));
    f.grid.dataPointerMoved(50, f.yOfRow(2), KeyState::None);
    EXPECT_EQ(f.selection(), (std::vector<int>{5, 4, 3, 2}));  // in the order of the drag
}

TEST(GridPointerSelection, DraggingOntoTheEdgeRowsScrollsOneRow) {
    PointerFixture f;
    f.addColumns({100, 100});
    f.addRows(50);
    f.layOut();
    f.grid.scrollRows(10);
    f.grid.dataCanvasPressed(50, f.yOfRow(15));
    f.grid.dataPointerMoved(50, 11 * 30 + 15, KeyState::None);  // view row 12: row 22
    EXPECT_EQ(f.grid.topRowValue(), 11);
    EXPECT_EQ(f.selection(), range(15, 22));
    f.grid.dataPointerMoved(50, 15, KeyState::None);  // first visible row, now 12
    EXPECT_EQ(f.grid.topRowValue(), 10);
    f.grid.dataPointerMoved(50, 200, KeyState::None);  // a middle row: no scroll
    EXPECT_EQ(f.grid.topRowValue(), 10);
    // At the first row the scroll stops.
    f.grid.dataReleased(50, 200, KeyState::None);
    f.grid.scrollRows(0);
    f.grid.dataCanvasPressed(50, f.yOfRow(3));
    f.grid.dataPointerMoved(50, 15, KeyState::None);
    EXPECT_EQ(f.grid.topRowValue(), 0);
    EXPECT_EQ(f.selection(), (std::vector<int>{3, 2, 1}));
}

TEST(GridPointerHeader, DraggingABorderResizesAndReleasingSaves) {
    PointerFixture f;
    f.addColumns({100, 100, 100});
    f.addRows(3);
    f.grid.headerPointerMoved(100, 10);
    EXPECT_TRUE(f.grid.isInBorderZone());
    EXPECT_EQ(f.header.cursor, CanvasCursor::ResizeHorizontal);
    f.grid.headerCanvasPressed(100, 10);
    f.grid.headerPointerMoved(70, 10);
    EXPECT_EQ(f.grid.columnWidth(1), 70);
    EXPECT_EQ(f.grid.columnLeft(2), 70);
    // The drag goes on over the data canvas, also past the column's left edge.
    f.grid.dataPointerMoved(-40, 100, KeyState::None);
    EXPECT_EQ(f.grid.columnWidth(1), 0);
    f.grid.dataPointerMoved(130, 100, KeyState::None);
    EXPECT_EQ(f.grid.columnWidth(1), 130);
    f.grid.dataReleased(130, 100, KeyState::None);
    EXPECT_EQ(f.log, (std::vector<std::string>{"width 1 70", "width 1 0", "width 1 130", "save"}));
    // The widths stay; no sort happened (a press in the border zone starts a resize).
    EXPECT_EQ(f.grid.columnWidth(2), 100);
    EXPECT_EQ(f.grid.cellText(1, 1), "r1c1");
    f.grid.headerPointerMoved(150, 10);
    EXPECT_FALSE(f.grid.isInBorderZone());
    EXPECT_EQ(f.header.cursor, CanvasCursor::Arrow);
}

TEST(GridPointerHeader, HoverAndPressStylesOfHeaderCells) {
    PointerFixture f;
    f.addColumns({100, 100});
    auto lastFill = [&] { return f.header.opsNamed("drawRect").back().fill; };
    f.grid.headerPointerMoved(150, 10);
    EXPECT_EQ(lastFill(), (Rgb{255, 245, 238}));
    EXPECT_EQ(f.header.opsNamed("drawRect").back().args[0], 100);
    f.grid.headerPressed(150, 10);
    EXPECT_EQ(lastFill(), (Rgb{255, 231, 186}));
    f.grid.headerReleased(150, 10);
    EXPECT_EQ(lastFill(), (Rgb{255, 245, 238}));
    EXPECT_EQ(f.log, std::vector<std::string>{"save"});
    // Moving onto the data canvas drops the hover style.
    f.forgetDrawing();
    f.grid.dataPointerMoved(150, 100, KeyState::None);
    ASSERT_FALSE(f.header.opsNamed("drawRect").empty());
    EXPECT_EQ(lastFill(), (Rgb{235, 234, 219}));
}

TEST(GridPointerHeader, SortClicksAlternateTheDirection) {
    PointerFixture f;
    f.addColumns({100, 100});
    f.fields.types = {FieldType::Integer, FieldType::Text};
    const std::vector<std::vector<std::string>> rows = {{"10", "b"}, {"9", "a"}, {"100", "c"}};
    for (size_t i = 0; i < rows.size(); ++i) f.grid.addRow(rows[i], int32_t(i + 1), false, true);
    auto column = [&](int c) {
        std::vector<std::string> texts;
        for (int r = 1; r <= f.grid.rowCount(); ++r) texts.push_back(f.grid.cellText(r, c));
        return texts;
    };
    std::vector<std::string> titlesDuringSort;
    f.grid.setUiYield([&] { titlesDuringSort.push_back(f.grid.columnTitle(1)); },
                      std::chrono::milliseconds(0));
    f.grid.headerCanvasPressed(50, 10);  // integer column: ascending by number
    EXPECT_EQ(column(1), (std::vector<std::string>{"9", "10", "100"}));
    ASSERT_FALSE(titlesDuringSort.empty());
    EXPECT_EQ(titlesDuringSort.front(), "c1>>");
    EXPECT_EQ(f.grid.columnTitle(1), "c1");
    f.grid.headerCanvasPressed(150, 10);  // text column: descending
    EXPECT_EQ(column(2), (std::vector<std::string>{"c", "b", "a"}));
    f.grid.headerCanvasPressed(450, 10);  // right of the last column: only flips
    EXPECT_EQ(column(2), (std::vector<std::string>{"c", "b", "a"}));
    f.grid.headerCanvasPressed(150, 10);  // so this one is descending again
    EXPECT_EQ(column(2), (std::vector<std::string>{"c", "b", "a"}));
    f.checkRunning = true;  // no sort and no flip while the field check runs
    f.grid.headerCanvasPressed(150, 10);
    f.checkRunning = false;
    f.grid.headerCanvasPressed(150, 10);
    EXPECT_EQ(column(2), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(f.header.focusCount, 6);
}

TEST(GridPointerHeader, TheFieldTypeChoosesTheSortKey) {
    struct Case {
        int32_t type;
        std::vector<std::string> cells;
        std::vector<std::string> ascending;
    } cases[] = {
        {FieldType::Decimal, {"3.7", "10", "3.2"}, {"3.7", "3.2", "10"}},  // by the integer part
        {FieldType::Integer, {"-2", "10", "9"}, {"-2", "9", "10"}},
        {FieldType::DateTime,
         {GBK("2018年3月13日"), GBK("1990年1月1日"), "10:05"},
         {GBK("1990年1月1日"), "10:05", GBK("2018年3月13日")}},
        {FieldType::FreeDateTime,
         {"2018-3-13", "1990-1-1", "10:05"},
         {"1990-1-1", "10:05", "2018-3-13"}},
        {FieldType::Text, {"3.7", "10", "3.2"}, {"10", "3.2", "3.7"}},
        {FieldType::Link, {"b", "a", "c"}, {"a", "b", "c"}},  // the title shown
        {FieldType::Logical, {GBK("真"), GBK("假"), GBK("真")}, {GBK("假"), GBK("真"), GBK("真")}},
    };
    for (const Case& c : cases) {
        PointerFixture f;
        f.addColumns({100});
        f.fields.types = {c.type};
        for (size_t i = 0; i < c.cells.size(); ++i)
            f.grid.addRow({c.cells[i]}, int32_t(i + 1), false, true);
        f.grid.headerCanvasPressed(50, 10);
        std::vector<std::string> sorted;
        for (int r = 1; r <= f.grid.rowCount(); ++r) sorted.push_back(f.grid.cellText(r, 1));
        EXPECT_EQ(sorted, c.ascending) << c.type;
    }
}

TEST(GridPointerBars, VerticalButtonsTrackThumbAndRightClicks) {
    PointerFixture f;
    f.addColumns({100, 100, 100});
    f.addRows(100);
    f.layOut();  // bar height 372, track 334; 12 rows visible
    ASSERT_TRUE(f.grid.vBarShown());
    ASSERT_EQ(f.grid.vTrackLength(), 334);
    struct Case {
        int startTop;
        int y;
        int part;
        int top;
    } cases[] = {
        {30, 5, 1, 18},        // up button: one page
        {5, 5, 1, 0},          // … stopping at the first row
        {30, 365, 3, 42},      // down button: one page
        {0, 200, 0, 49},       // track: (200 − 36) ÷ 334 × 100
        {80, 30, 0, 0},        // track above y = 36: the first row
        {0, 360 - 19, 0, 88},  // far down the track: clamped to the last page
    };
    for (const Case& c : cases) {
        f.grid.scrollRows(c.startTop);
        EXPECT_EQ(f.grid.vBarPartAt(5, c.y), c.part) << c.y;
        f.grid.vBarPressed(5, c.y);
        f.grid.vBarReleased();
        EXPECT_EQ(f.grid.topRowValue(), c.top) << c.startTop << " " << c.y;
    }
    f.grid.scrollRows(30);
    f.grid.vBarRightPressed(5, 365);
    EXPECT_EQ(f.grid.topRowValue(), 88);
    f.grid.vBarRightPressed(5, 5);
    EXPECT_EQ(f.grid.topRowValue(), 0);
    f.grid.vBarRightPressed(5, 200);  // the track: nothing
    EXPECT_EQ(f.grid.topRowValue(), 0);
    EXPECT_EQ(f.grid.vBarPartAt(25, 5), 0);  // beside the bar
}

TEST(GridPointerBars, ThumbDragFollowsThePointerAlsoOverTheDataCanvas) {
    PointerFixture f;
    f.addColumns({100, 100, 100});
    f.addRows(100);
    f.layOut();
    ASSERT_EQ(f.grid.vThumbTop(), 19);
    f.grid.vBarPressed(5, 40);
    EXPECT_EQ(f.grid.vBarPartAt(5, 40), 2);
    f.grid.vBarPointerMoved(5, 40 + 167);  // half the track: half the rows
    EXPECT_EQ(f.grid.topRowValue(), 50);
    // Over the data canvas: bar y = data y − bar top + 24.
    const int vBarTop = f.vBar.top();
    f.grid.dataPointerMoved(300, 40 + 100 + vBarTop - 24, KeyState::None);
    EXPECT_EQ(f.grid.topRowValue(), 29);           // 100 ÷ 334 × 100
    f.grid.dataReleased(300, 40, KeyState::None);  // the drag ends
    f.grid.dataPointerMoved(300, 300, KeyState::None);
    EXPECT_EQ(f.grid.topRowValue(), 29);
}

TEST(GridPointerBars, HorizontalButtonsMoveOneColumn) {
    PointerFixture f;
    f.addColumns({100, 100, 100, 100, 100, 100, 100, 100});
    f.addRows(3);
    f.layOut();
    ASSERT_TRUE(f.grid.hBarShown());
    const int right = f.hBar.width() - 5;
    f.grid.hBarPressed(right, 5);
    EXPECT_EQ(f.grid.leftColumnValue(), 1);
    f.grid.hBarPressed(right, 5);
    EXPECT_EQ(f.grid.leftColumnValue(), 2);
    f.grid.hBarPressed(5, 5);
    EXPECT_EQ(f.grid.leftColumnValue(), 1);
    f.grid.hBarRightPressed(right, 5);
    EXPECT_EQ(f.grid.leftColumnValue(), 3);  // 8 columns, 5 visible
    f.grid.hBarRightPressed(5, 5);
    EXPECT_EQ(f.grid.leftColumnValue(), 0);
    EXPECT_EQ(f.grid.hBarPartAt(right, 999), 3);  // across the bar only x counts
}

TEST(GridPointerCopy, RightClickCopiesACellOrWithAltTheSelectedRows) {
    PointerFixture f;
    f.addColumns({100, 100, 100});
    f.addRows(8);
    for (int r : {5, 2, 7, 3, 4}) f.grid.selectRow(r);
    f.grid.dataCanvasRightPressed(150, f.yOfRow(6), KeyState::None);
    EXPECT_EQ(f.desktop.clipboard.texts, std::vector<std::string>{"r6c2"});
    EXPECT_EQ(f.selection(), (std::vector<int>{5, 2, 7, 3, 4}));
    f.grid.dataCanvasRightPressed(150, f.yOfRow(6), KeyState::Alt);
    EXPECT_EQ(f.desktop.clipboard.texts.back(),
              "r5c1,r5c2,r5c3\r\nr2c1,r2c2,r2c3\r\nr7c1,r7c2,r7c3\r\nr3c1,r3c2,r3c3\r\n"
              "r4c1,r4c2,r4c3");
    EXPECT_EQ(f.desktop.beep.beeps, 2);
    // Right of the last column: no copy, no sound.
    f.grid.dataCanvasRightPressed(450, f.yOfRow(6), KeyState::None);
    EXPECT_EQ(f.desktop.clipboard.texts.size(), 2u);
    EXPECT_EQ(f.desktop.beep.beeps, 2);
}

TEST(GridPointerCopy, RightClickWithoutASelectionSelectsTheRowButOpensNoLink) {
    PointerFixture f;
    f.addColumns({100, 100});
    f.fields.types = {FieldType::Text, FieldType::Link};
    f.grid.addRow({"a", "title"}, 41, false, true);
    f.grid.addRow({"b", "title"}, 42, false, true);
    f.fields.stored[{42, 2}] = "title||http://b.cn";
    f.grid.dataCanvasRightPressed(150, f.yOfRow(2), KeyState::None);
    EXPECT_EQ(f.selection(), std::vector<int>{2});
    EXPECT_EQ(f.log, std::vector<std::string>{"entry 42"});
    EXPECT_TRUE(f.desktop.shell.opened.empty());
    EXPECT_EQ(f.desktop.clipboard.texts, std::vector<std::string>{"title"});
    // The next left click opens the link again.
    f.click(2, KeyState::None, 150);
    EXPECT_EQ(f.desktop.shell.opened, std::vector<std::string>{"http://b.cn"});
    // Below the rows with nothing selected: nothing selected, nothing copied, with or without Alt.
    PointerFixture g;
    g.addColumns({100});
    g.addRows(2);
    for (int keys : {KeyState::None, KeyState::Alt}) {
        g.grid.dataCanvasRightPressed(50, 300, keys);
        EXPECT_TRUE(g.selection().empty());
        EXPECT_TRUE(g.desktop.clipboard.texts.empty());
        EXPECT_EQ(g.desktop.beep.beeps, 0);
    }
}

TEST(GridPointerLinks, LeftClickHandsOverToTheEntryPanelThenOpensTheLink) {
    PointerFixture f;
    f.addColumns({100, 100, 100});
    f.fields.types = {FieldType::Text, FieldType::FtpLink, FieldType::QqLink};
    f.grid.addRow({"a", "S(U)", "qq"}, 7, false, true);
    f.fields.stored[{7, 2}] = "U||P||S";
    f.fields.stored[{7, 3}] = "qq||12345";
    f.click(1, KeyState::None, 150);
    EXPECT_EQ(f.log, std::vector<std::string>{"entry 7"});
    EXPECT_EQ(f.desktop.shell.opened, std::vector<std::string>{"FTP://U:P@S"});
    f.desktop.keys.alt = true;
    f.click(1, KeyState::Alt, 250);
    EXPECT_EQ(f.desktop.clipboard.texts,
              std::vector<std::string>{"https://wpa.qq.com/msgrd?v=3&uin=12345&site=qq&menu=yes"});
    f.desktop.keys.alt = false;
    f.click(1, KeyState::None, 50);      // a text cell: nothing opens
    f.grid.dataCanvasPressed(150, 200);  // below the rows: no link, no hand-over
    f.grid.dataCanvasReleased(150, 200, KeyState::None);
    EXPECT_EQ(f.desktop.shell.opened.size(), 1u);
    EXPECT_EQ(f.log.size(), 3u);
}

TEST(GridPointerTooltips, LinkAddressesAndCutTexts) {
    PointerFixture f;
    f.addColumns({100, 100, 100});
    f.fields.types = {FieldType::Link, FieldType::Text, FieldType::Text};
    const std::string longText(40, 'x');  // 40 bytes: 300 pixels by the estimate
    f.grid.addRow({"title", longText, "short"}, 5, false, true);
    f.fields.stored[{5, 1}] = "title||http://a.cn";
    auto tip = [&] {
        auto it = f.tooltips.tools.find(&f.data);
        return it == f.tooltips.tools.end() ? std::string("(none)") : it->second;
    };
    f.grid.dataPointerMoved(50, 15, KeyState::None);
    EXPECT_EQ(tip(), GBK("点击打开或按住Alt键点击复制：") + "http://a.cn");
    f.grid.dataPointerMoved(150, 15, KeyState::None);
    EXPECT_EQ(tip(), longText);
    f.grid.dataPointerMoved(250, 15, KeyState::None);
    EXPECT_EQ(tip(), "(none)");
    f.grid.dataPointerMoved(150, 100, KeyState::None);  // below the rows
    EXPECT_EQ(tip(), "(none)");
    // A text beyond 1000 characters shows its first 1000.
    f.grid.setCellText(1, 2, std::string(1500, 'y'));
    f.grid.dataPointerMoved(150, 16, KeyState::None);
    EXPECT_EQ(tip(), std::string(1000, 'y'));
    // Moving within the same cell does not ask for the stored value again.
    const int reads = f.fields.storedReads;
    f.grid.dataPointerMoved(40, 15, KeyState::None);
    f.grid.dataPointerMoved(41, 16, KeyState::None);
    EXPECT_EQ(f.fields.storedReads, reads + 1);
}

// Random pointer events on grids of random sizes keep the grid's state in range.
TEST(GridPointerRandom, StateStaysInRangeUnderAnyEventSequence) {
    std::mt19937 random(11);
    auto any = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int trial = 0; trial < 30; ++trial) {
        PointerFixture f;
        for (int c = any(0, 9); c > 0; --c) f.addColumns({any(0, 160)});
        f.addRows(any(0, 60));
        f.layOut();
        for (int step = 0; step < 300; ++step) {
            const int x = any(-50, 550), y = any(-50, 420);
            const int keys = std::vector<int>{0, 1, 2, 3, 4}[any(0, 4)];
            switch (any(0, 13)) {
                case 0:
                    f.grid.dataCanvasPressed(x, y);
                    break;
                case 1:
                    f.grid.dataCanvasReleased(x, y, keys);
                    break;
                case 2:
                case 3:
                    f.grid.dataPointerMoved(x, y, keys);
                    break;
                case 4:
                    f.grid.dataCanvasRightPressed(x, y, keys);
                    break;
                case 5:
                    f.grid.headerPointerMoved(x, y);
                    break;
                case 6:
                    f.grid.headerCanvasPressed(x, y);
                    break;
                case 7:
                    f.grid.headerReleased(x, y);
                    break;
                case 8:
                    f.grid.vBarPressed(x, y);
                    break;
                case 9:
                    f.grid.vBarPointerMoved(x, y);
                    break;
                case 10:
                    f.grid.vBarRightPressed(x, y);
                    break;
                case 11:
                    f.grid.hBarPressed(x, y);
                    break;
                case 12:
                    f.grid.hBarPointerMoved(x, y);
                    break;
                default:
                    f.grid.hBarRightPressed(x, y);
                    f.grid.vBarReleased();
                    f.grid.hBarReleased();
            }
            const int rows = f.grid.rowCount();
            std::vector<int> selected = f.selection();
            ASSERT_EQ(std::set<int>(selected.begin(), selected.end()).size(), selected.size());
            for (int r : selected) ASSERT_TRUE(r >= 1 && r <= rows) << r;
            ASSERT_GE(f.grid.topRowValue(), 0);
            // A bar that appears after a scroll may hide one more row until the next scroll.
            ASSERT_LE(f.grid.topRowValue(), std::max(0, rows - f.grid.visibleRowCount() + 1));
            ASSERT_GE(f.grid.leftColumnValue(), 0);
            ASSERT_LE(f.grid.leftColumnValue(), f.grid.columnCount());
            for (int c = 1; c <= f.grid.columnCount(); ++c) ASSERT_GE(f.grid.columnWidth(c), 0);
        }
    }
}

}  // namespace
