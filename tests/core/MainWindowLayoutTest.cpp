#include "app/MainWindowLayout.h"

#include <gtest/gtest.h>

namespace {
MainWindowMetrics designed(int splitterLeft, bool findBox) {
    MainWindowMetrics m;
    m.clientWidth = 1192;
    m.clientHeight = 656;
    m.splitterLeft = splitterLeft;
    m.findBoxVisible = findBox;
    return m;
}
}  // namespace

TEST(MainWindowLayout, PanesFollowTheSplitter) {
    struct Case {
        int splitterLeft;
        ControlRect selector, tree, findBox, grid, splitter;
    };
    const Case cases[] = {
        {304,
         {0, 43, 304, 23},
         {0, 66, 304, 590},
         {310, 43, 882, 40},
         {310, 43, 882, 613},
         {304, 43, 6, 613}},
        {400,
         {0, 43, 400, 23},
         {0, 66, 400, 590},
         {406, 43, 786, 40},
         {406, 43, 786, 613},
         {400, 43, 6, 613}},
        {0,
         {0, 43, 0, 23},
         {0, 66, 0, 590},
         {6, 43, 1186, 40},
         {6, 43, 1186, 613},
         {0, 43, 6, 613}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.splitterLeft);
        MainWindowLayout l = layoutMainWindow(designed(c.splitterLeft, false));
        EXPECT_EQ(l.toolbar, (ControlRect{0, 0, 1192, 43}));
        EXPECT_EQ(l.formSelector, c.selector);
        EXPECT_EQ(l.tree, c.tree);
        EXPECT_EQ(l.findBox, c.findBox);
        EXPECT_EQ(l.grid, c.grid);
        EXPECT_EQ(l.splitter, c.splitter);
    }
}

TEST(MainWindowLayout, FindBoxPushesOnlyTheGridDown) {
    MainWindowLayout off = layoutMainWindow(designed(304, false));
    MainWindowLayout on = layoutMainWindow(designed(304, true));
    EXPECT_EQ(on.grid.top, off.grid.top + 40);
    EXPECT_EQ(on.grid.height, off.grid.height - 40);
    EXPECT_EQ(on.grid.left, off.grid.left);
    EXPECT_EQ(on.grid.width, off.grid.width);
    EXPECT_EQ(on.tree, off.tree);
    EXPECT_EQ(on.findBox, off.findBox);
}

TEST(MainWindowLayout, TinyWindowGivesNoNegativeSizes) {
    MainWindowMetrics m = designed(304, true);
    m.clientWidth = 100;
    m.clientHeight = 50;
    MainWindowLayout l = layoutMainWindow(m);
    for (const ControlRect& r :
         {l.toolbar, l.formSelector, l.findBox, l.tree, l.grid, l.splitter}) {
        EXPECT_GE(r.width, 0);
        EXPECT_GE(r.height, 0);
    }
    EXPECT_EQ(l.grid.width, 0);
    EXPECT_EQ(l.grid.height, 0);
    EXPECT_EQ(l.tree.height, 0);
}

TEST(MainWindowLayout, SplitterStaysInsideTheWindow) {
    EXPECT_EQ(clampSplitterLeft(400, 1192, 6), 400);
    EXPECT_EQ(clampSplitterLeft(-30, 1192, 6), 0);
    EXPECT_EQ(clampSplitterLeft(1300, 1192, 6), 1186);
}

TEST(MainWindowLayout, WheelScrollsAnywhereStrictlyInsideTheWindow) {
    const ControlRect frame{100, 50, 800, 600};
    struct Case {
        int x, y, delta, notches;
    };
    const Case cases[] = {
        {150, 100, 120, 2}, {150, 100, -120, -2}, {150, 100, 0, -2},  // inside: sign of delta
        {100, 100, 120, 0}, {900, 100, 120, 0},   {150, 50, 120, 0},  // on the edges: outside
        {150, 650, 120, 0}, {101, 51, 120, 2},    {899, 649, -120, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.delta);
        EXPECT_EQ(wheelNotchesFor(c.x, c.y, frame, c.delta), c.notches);
    }
}
