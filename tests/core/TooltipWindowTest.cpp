#include <gtest/gtest.h>

#include "grid/TooltipWindow.h"
#include "support/RecordingCanvas.h"
#include "support/RecordingTooltipHost.h"

namespace {

TEST(TooltipWindow, CreatesItsWindowOnce) {
    RecordingTooltipHost host;
    TooltipWindow tip;
    EXPECT_TRUE(tip.create(&host, true, false));
    EXPECT_FALSE(tip.create(&host, true, false));
    EXPECT_EQ(host.windowsCreated, 1);
    EXPECT_EQ(host.maxTipWidth, 1024);
    EXPECT_TRUE(tip.hasWindow());
}

TEST(TooltipWindow, WithoutAWindowEveryOperationDoesNothing) {
    RecordingTooltipHost host;
    RecordingCanvas canvas;
    for (bool failedCreate : {false, true}) {
        host.failCreate = failedCreate;
        TooltipWindow tip;
        if (failedCreate) EXPECT_FALSE(tip.create(&host, true, false));
        host.calls.clear();
        EXPECT_FALSE(tip.addTool(canvas, "text", false));
        tip.removeTool(canvas);
        EXPECT_FALSE(tip.destroyWindow());
        EXPECT_TRUE(host.calls.empty());
        EXPECT_FALSE(tip.hasWindow());
    }
}

TEST(TooltipWindow, HoldsAtMostOneToolAndDestroysItsWindow) {
    RecordingTooltipHost host;
    RecordingCanvas data, other;
    {
        TooltipWindow tip;
        tip.create(&host, true, false);
        EXPECT_TRUE(tip.addTool(data, "first", false));
        tip.removeTool(data);
        EXPECT_TRUE(tip.addTool(data, "second", false));
        EXPECT_EQ(host.tools, (std::map<Canvas*, std::string>{{&data, "second"}}));
        EXPECT_TRUE(tip.addTool(other, "third", false));
        EXPECT_EQ(host.tools, (std::map<Canvas*, std::string>{{&other, "third"}}));
        tip.removeTool(other);
        EXPECT_TRUE(host.tools.empty());
    }
    EXPECT_EQ(host.windowsDestroyed, 1);  // with the object
}

}  // namespace
