#include <gtest/gtest.h>

#include "forms/FieldModel.h"
#include "grid/GridColours.h"
#include "support/GridFixture.h"

namespace {

using Args = std::vector<int>;

std::vector<Args> argsOf(const std::vector<CanvasOp>& ops) {
    std::vector<Args> out;
    for (const auto& op : ops) out.push_back(op.args);
    return out;
}

bool contains(const std::vector<Args>& list, const Args& args) {
    return std::find(list.begin(), list.end(), args) != list.end();
}

TEST(GridColours, SelectionColourIsReadFromItsHexText) {
    EXPECT_EQ(GridColours::kSelection, (Rgb{70, 130, 180}));
    EXPECT_EQ(colourFromHex("#4682b4"), (Rgb{70, 130, 180}));
    EXPECT_EQ(colourFromHex("4682B4"), Rgb{});
}

TEST(RecordGridDrawing, AttachSetsTheConstants) {
    GridFixture f;
    EXPECT_EQ(f.header.height(), 25);
    EXPECT_EQ(f.grid.rowHeight(), 30);
    EXPECT_EQ(f.grid.glyphWidth(), 15);
    EXPECT_EQ(f.data.fontSize, 11);
    EXPECT_EQ(f.header.parent, &f.container);
    EXPECT_EQ(f.vBar.parent, &f.container);
    EXPECT_EQ(f.tooltips.windowsCreated, 1);
    EXPECT_EQ(f.data.top(), 24);  // overlaps the header's last pixel row
    EXPECT_EQ(f.data.height(), 376);
    GridFixture wideGlyphs(500, 400, 40);
    EXPECT_EQ(wideGlyphs.grid.rowHeight(), 44);  // the glyph's width + 4
}

TEST(RecordGridDrawing, HeaderTitlesAreCutAtEightPixelsPerByte) {
    const std::string zhongwen = "\xD6\xD0\xCE\xC4";  // two Chinese characters
    struct Case {
        int width;
        std::string title;
        std::string shown;
    } cases[] = {
        {60, "abcdefghij", "abcdef.."},  // 80 > 50: down to 48
        {100, "abcdefghij", "abcdefghij"},
        {9, "ab", ""},  // narrower than 10: no ".."
        {20, zhongwen, ".."},
        {42, zhongwen, zhongwen},
        {60, "", ""},
    };
    for (const auto& c : cases) {
        GridFixture f;
        f.grid.addColumn("x", 30, true);
        f.grid.addColumn(c.title, c.width, true);
        f.forgetDrawing();
        f.grid.drawHeaderTitle(2);
        ASSERT_EQ(f.header.ops.size(), 1u);
        EXPECT_EQ(f.header.ops[0].text, c.shown) << c.width << " " << c.title;
        EXPECT_EQ(f.header.ops[0].args, (Args{35, 5}));
    }
}

TEST(RecordGridDrawing, HeaderCellsInTheirStyles) {
    GridFixture f;
    f.addColumns({100, 100, 100});
    f.forgetDrawing();
    f.grid.drawHeader(2, kHeaderHover, true);
    auto rects = f.header.opsNamed("drawRect");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].args, (Args{100, 0, 201, 25}));
    EXPECT_EQ(rects[0].fill, GridColours::kHover);
    EXPECT_EQ(rects[1].fill, GridColours::kHeader);  // the following ones are normal
    EXPECT_EQ(rects[1].pen, GridColours::kOutline);
    f.forgetDrawing();
    f.grid.drawHeader(0, kHeaderNormal, false);
    rects = f.header.opsNamed("drawRect");
    ASSERT_EQ(rects.size(), 4u);
    EXPECT_EQ(rects[0].args, (Args{0, 0, 500, 25}));  // the whole strip first
    f.forgetDrawing();
    f.grid.setColumnTitle(3, "t>>", false, kHeaderPressed);
    rects = f.header.opsNamed("drawRect");
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].fill, GridColours::kPressed);
    EXPECT_EQ(f.header.texts(), (std::vector<std::string>{"t>>"}));
}

TEST(RecordGridDrawing, CellTextsAreShortenedByEstimate) {
    struct Case {
        int glyphWidth;
        int columnWidth;
        std::string text;
        std::string shown;
    } cases[] = {
        {15, 100, "abcdefghijkl", "abcdefghijk.."},  // 90 > 88: one character off
        {15, 100, "abcdefghijk", "abcdefghijk"},
        {15, 9, "abc", ""},  // no room, and too narrow for ".."
        {15, 40, "\xD6\xD0\xCE\xC4", "\xD6\xD0.."},
        {1, 400, std::string(600, 'a'), std::string(500, 'a') + ".."},  // over 500 characters
        {15, 2000, std::string(100, 'b'),
         std::string(65, 'b') + ".."},  // cut at the data width: 65 × 7.5 ≤ 488
    };
    for (const auto& c : cases) {
        GridFixture f(500, 400, c.glyphWidth);
        f.grid.addColumn("c", c.columnWidth, true);
        f.grid.addRow({c.text});
        EXPECT_EQ(f.grid.cellDisplayText(1, 1), c.shown) << c.columnWidth << " " << c.text;
    }
}

TEST(RecordGridDrawing, RowsFillTheFreeSpaceAndClearBelowTheLastRow) {
    GridFixture f;
    f.addColumns({100, 100, 100});
    f.addRows(2);
    f.forgetDrawing();
    f.grid.scrollRows();
    // Right of the last column, from x = 301.
    EXPECT_EQ(argsOf(f.header.opsNamed("clear")), (std::vector<Args>{{301, 1, 198, 23}}));
    const auto dataClears = argsOf(f.data.opsNamed("clear"));
    EXPECT_TRUE(contains(dataClears, {301, 1, 198, 29}));
    EXPECT_TRUE(contains(dataClears, {301, 361, 198, 376 - 1 - 361}));  // the partial row
    // Twelve grid lines, also below the rows that exist; texts only for the two rows.
    const auto lines = argsOf(f.data.opsNamed("drawLine"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[11], (Args{1, 360, 499, 360}));
    EXPECT_EQ(f.data.opsNamed("drawLine")[0].pen, GridColours::kGridLine);
    EXPECT_EQ(f.data.texts(),
              (std::vector<std::string>{"r1c1", "r1c2", "r1c3", "r2c1", "r2c2", "r2c3"}));
    EXPECT_TRUE(contains(dataClears, {201, 2 * 30 + 1, 99, 29}));            // row 3, column 3
    EXPECT_TRUE(contains(dataClears, {1, 12 * 30 + 1, 99, 376 - 360 - 2}));  // below all rows
    // Text position: inset 5, centred on the glyph height.
    EXPECT_EQ(f.data.opsNamed("writeText")[4].args, (Args{105, 30 + 7 + 1}));
}

TEST(RecordGridDrawing, TheLastVisibleColumnStopsShortOfTheEdge) {
    GridFixture f;
    f.addColumns({450, 100});
    f.addRows(1);
    f.grid.selectRow(1);
    f.forgetDrawing();
    f.grid.drawViewRow(1, 2, 0, false, false);
    EXPECT_EQ(argsOf(f.data.opsNamed("clear")), (std::vector<Args>{{451, 1, 47, 29}}));
    const auto fills = f.data.opsNamed("fillRect");
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].args, (Args{451, 1, 498, 30}));
    EXPECT_EQ(fills[0].fill, GridColours::kSelection);
}

TEST(RecordGridDrawing, TextColoursOfLinkAndKeyColumns) {
    GridFixture f;
    f.addColumns({100, 100, 100});
    f.fields.types = {FieldType::Link, FieldType::Text, FieldType::QqLink};
    f.fields.keys = {false, true, true};
    f.addRows(2);
    f.grid.selectRow(2);
    f.forgetDrawing();
    f.grid.scrollRows();
    const auto texts = f.data.opsNamed("writeText");
    ASSERT_EQ(texts.size(), 6u);
    struct Expect {
        Rgb colour;
        bool underline;
    } expected[] = {
        {GridColours::kText, false} /*unused*/, {GridColours::kLinkText, true},
        {GridColours::kKeyText, false},         {GridColours::kKeyText, true},
        {GridColours::kLinkText, true},  // selected row, link column: still blue
        {GridColours::kKeyText, false},         {GridColours::kKeyText, true},
    };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(texts[i].textColour, expected[i + 1].colour) << i;
        EXPECT_EQ(texts[i].underline, expected[i + 1].underline) << i;
    }
    EXPECT_EQ(f.data.opsNamed("fillRect").size(), 3u);  // the selected row's three cells
    f.fields.types = {FieldType::Text, FieldType::Text, FieldType::Text};
    f.fields.keys = {};
    f.forgetDrawing();
    f.grid.scrollRows();
    EXPECT_EQ(f.data.opsNamed("writeText")[0].textColour, GridColours::kText);
    EXPECT_EQ(f.data.opsNamed("writeText")[3].textColour, GridColours::kSelectedText);
}

// 100 rows, 20 visible, a vertical bar 238 high (track 200).
struct ThumbFixture : GridFixture {
    ThumbFixture(int rows) : GridFixture(500, 640) {
        addColumns({100});
        addRows(rows);
        vBar.setGeometry(vBar.left(), vBar.top(), 18, 238);
    }
    Args thumb() {
        auto rounds = vBar.opsNamed("drawRoundRect");
        return rounds.empty() ? Args{} : rounds.back().args;
    }
};

TEST(RecordGridDrawing, VerticalThumbFollowsTheRows) {
    struct Case {
        int rows;
        int topRow;
        Args thumb;
    } cases[] = {
        {100, 0, {0, 19, 18, 59, 5, 5}},
        {100, 80, {0, 179, 18, 219, 5, 5}},    // one pixel above the down button
        {1000, 0, {0, 19, 18, 34, 5, 5}},      // minimum length 15
        {1000, 980, {0, 204, 18, 219, 5, 5}},  // pushed back above the button
        {0, 0, {0, 19, 18, 219, 5, 5}},        // no rows: the whole track
    };
    for (const auto& c : cases) {
        ThumbFixture f(c.rows);
        ASSERT_EQ(f.grid.visibleRowCount(), 20);
        f.grid.scrollRows(c.topRow);
        EXPECT_EQ(f.thumb(), c.thumb) << c.rows << " " << c.topRow;
        EXPECT_EQ(f.grid.vThumbTop(), c.thumb[1]);
        EXPECT_EQ(f.grid.vThumbBottom(), c.thumb[3]);
        EXPECT_EQ(f.grid.vTrackLength(), 200);
    }
}

TEST(RecordGridDrawing, ScrollBarButtonsThumbAndGrip) {
    ThumbFixture f(100);
    f.forgetDrawing();
    f.grid.drawVBar(1);
    const auto rects = f.vBar.opsNamed("drawRect");
    // Pressed up button: three inner squares; normal down button: one.
    EXPECT_EQ(argsOf(rects), (std::vector<Args>{{0, 0, 18, 18},
                                                {2, 2, 16, 16},
                                                {4, 4, 14, 14},
                                                {6, 6, 12, 12},
                                                {0, 220, 18, 238},
                                                {4, 224, 14, 234}}));
    EXPECT_EQ(rects[0].fill, GridColours::kPressed);
    EXPECT_EQ(rects[4].fill, GridColours::kHover);
    EXPECT_EQ(f.vBar.opsNamed("drawRoundRect")[0].fill, GridColours::kHover);
    EXPECT_EQ(argsOf(f.vBar.opsNamed("clear")), (std::vector<Args>{{0, 19, 19, 201}}));
    // Thumb 19..59: five grip lines from 19 + 16.
    EXPECT_EQ(
        argsOf(f.vBar.opsNamed("drawLine")),
        (std::vector<Args>{
            {0, 35, 18, 35}, {0, 37, 18, 37}, {0, 39, 18, 39}, {0, 41, 18, 41}, {0, 43, 18, 43}}));
    // A thumb of the minimum length has no grip.
    ThumbFixture many(1000);
    many.forgetDrawing();
    many.grid.drawVBar(2);
    EXPECT_TRUE(many.vBar.opsNamed("drawLine").empty());
    EXPECT_EQ(many.vBar.opsNamed("drawRoundRect")[0].fill, GridColours::kPressed);
}

TEST(RecordGridDrawing, HorizontalThumbFollowsTheColumns) {
    GridFixture f(300, 400);
    f.addColumns({100, 100, 100, 100, 100, 100});
    f.grid.setBounds(std::nullopt, std::nullopt, std::nullopt, std::nullopt);
    // Bar: 300 - 4 wide, less the vertical bar (not shown): 296; track 258; 3 of 6 visible.
    ASSERT_TRUE(f.grid.hBarShown());
    EXPECT_EQ(f.hBar.width(), 296);
    f.forgetDrawing();
    f.grid.scrollColumns(std::nullopt, 2);
    // u = 3/6 × 258 = 129, v = 2/6 × 258 = 86: thumb from 19 + 86 to 86 + 277 - 129.
    EXPECT_EQ(f.hBar.opsNamed("drawRoundRect").back().args, (Args{105, 0, 234, 18, 5, 5}));
    EXPECT_EQ(f.grid.hThumbLeft(), 105);
    EXPECT_EQ(f.grid.hThumbRight(), 234);
    EXPECT_EQ(f.hBar.opsNamed("drawLine").front().args, (Args{105 + 60, 0, 105 + 60, 18}));
}

TEST(RecordGridDrawing, BarsArePlacedAndShownWhenContentOverflows) {
    GridFixture f;
    EXPECT_FALSE(f.vBar.isVisible());
    EXPECT_FALSE(f.hBar.isVisible());
    f.addColumns({300, 300, 300});
    f.addRows(40);
    f.grid.updateBars(false);
    EXPECT_TRUE(f.vBar.isVisible());
    EXPECT_TRUE(f.hBar.isVisible());
    // Both shown: each stops short of the corner square.
    EXPECT_EQ((Args{f.hBar.left(), f.hBar.top(), f.hBar.width(), f.hBar.height()}),
              (Args{2, 380, 478, 18}));
    EXPECT_EQ((Args{f.vBar.left(), f.vBar.top(), f.vBar.width(), f.vBar.height()}),
              (Args{480, 26, 18, 354}));
    EXPECT_EQ(f.grid.visibleRowCount(), 11);  // the horizontal bar covers the last rows
    f.forgetDrawing();
    f.grid.updateBars(false);  // nothing changed: nothing drawn
    EXPECT_TRUE(f.vBar.ops.empty());
    f.grid.updateBars(true);
    EXPECT_FALSE(f.vBar.ops.empty());
}

TEST(RecordGridDrawing, ColumnLinesAndTheCornerSquare) {
    GridFixture f;
    f.addColumns({100, 150, 300});
    f.forgetDrawing();
    f.grid.drawColumnLines(0);
    EXPECT_EQ(argsOf(f.data.opsNamed("drawLine")),
              (std::vector<Args>{{100, 1, 100, 375}, {250, 1, 250, 375}}));
    EXPECT_EQ(argsOf(f.data.opsNamed("clear")), (std::vector<Args>{{481, 357, 18, 18}}));
    f.forgetDrawing();
    f.grid.drawColumnLines(2);
    EXPECT_EQ(argsOf(f.data.opsNamed("drawLine")), (std::vector<Args>{{250, 1, 250, 375}}));
}

TEST(RecordGridDrawing, AHorizontalScrollRepaintsFromTheFirstAffectedColumn) {
    GridFixture f;
    f.addColumns({100, 100, 100});
    f.addRows(1);
    f.forgetDrawing();
    f.grid.setColumnWidth(2, 120);
    EXPECT_EQ(f.data.texts(), (std::vector<std::string>{"r1c2", "r1c3"}));
    EXPECT_EQ(f.header.texts(), (std::vector<std::string>{"c2", "c3"}));
}

TEST(RecordGridDrawing, SelectedRowsAreHighlightedWhereverTheyAreScrolled) {
    GridFixture f;
    f.addColumns({100});
    f.addRows(40);
    f.grid.selectRow(20);
    f.grid.selectRow(3);
    struct Case {
        int topRow;
        std::vector<int> highlightedTops;  // y of the fills
    } cases[] = {
        {0, {2 * 30 + 1}},   // row 3 in view row 3
        {10, {9 * 30 + 1}},  // row 20 in view row 10
        {17, {2 * 30 + 1}},  // row 20 in view row 3
        {25, {}},
    };
    for (const auto& c : cases) {
        f.forgetDrawing();
        f.grid.scrollRows(c.topRow);
        std::vector<int> tops;
        for (const auto& op : f.data.opsNamed("fillRect")) tops.push_back(op.args[1]);
        EXPECT_EQ(tops, c.highlightedTops) << c.topRow;
    }
}

TEST(RecordGridDrawing, ResizeFeedbackRepaintsFromTheColumnInHoverStyle) {
    GridFixture f;
    f.addColumns({100, 100, 100});
    f.forgetDrawing();
    f.grid.scrollColumns(2, std::nullopt, 0, 0, true);
    const auto rects = f.header.opsNamed("drawRect");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].args[0], 100);
    EXPECT_EQ(rects[0].fill, GridColours::kHover);
    EXPECT_EQ(rects[1].fill, GridColours::kHeader);
    EXPECT_FALSE(f.hBar.opsNamed("drawRoundRect").empty());  // and the horizontal bar
}

TEST(RecordGridDrawing, ChangesWithoutRedrawLeaveTheCanvasesAlone) {
    GridFixture f;
    auto activity = [&] {
        size_t sum = 0;
        for (RecordingCanvas* c : {&f.header, &f.data, &f.container, &f.hBar, &f.vBar}) {
            sum += c->ops.size() + c->updatesPosted;
        }
        return sum;
    };
    const size_t before = activity();
    f.addColumns({100, 100});
    f.addRows(100);  // as a list load does: no redraw, no relayout
    f.grid.setCellText(1, 1, "x", true);
    f.grid.setRow(2, std::vector<std::string>{"y"}, 3, true, true);
    f.grid.autoFitColumns(0, 0, true);
    f.grid.removeRow(5, true);
    EXPECT_EQ(activity(), before);
    f.grid.setCellText(1, 1, "z");
    EXPECT_GT(activity(), before);
}

TEST(RecordGridDrawing, AllDrawingHappensInsidePaintBatches) {
    GridFixture f;
    f.addColumns({100, 300, 300});
    f.addRows(50);
    f.grid.selectAll();
    f.grid.scrollRows(10);
    f.grid.scrollColumns(std::nullopt, 1);
    f.grid.updateBars(true);
    f.grid.drawHeader(2, kHeaderPressed, false);
    f.grid.drawVThumb(0, 19, 18, 100);
    f.grid.setBounds(0, 0, 300, 300);
    for (RecordingCanvas* c : {&f.header, &f.data, &f.container, &f.hBar, &f.vBar}) {
        EXPECT_EQ(c->drawsOutsidePaint, 0);
    }
    EXPECT_GT(f.data.updatesPosted, 0);
}

}  // namespace
