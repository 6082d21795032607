#include "app/MainWindowLayout.h"

#include <algorithm>

namespace {
ControlRect rect(int left, int top, int width, int height) {
    return {left, top, std::max(0, width), std::max(0, height)};
}
}  // namespace

MainWindowLayout layoutMainWindow(const MainWindowMetrics& m) {
    MainWindowLayout l;
    const int W = m.clientWidth;
    const int H = m.clientHeight;
    const int rightPane = m.splitterLeft + m.splitterWidth;
    const int findShift = m.findBoxVisible ? m.findBoxHeight : 0;
    l.toolbar = rect(0, 0, W, m.toolbarHeight);
    const int belowToolbar = l.toolbar.top + m.toolbarHeight;
    l.formSelector = rect(0, belowToolbar, m.splitterLeft, m.selectorHeight);
    l.findBox = rect(rightPane, belowToolbar, W - rightPane, m.findBoxHeight);
    l.tree = rect(0, belowToolbar + m.selectorHeight, m.splitterLeft,
                  H - belowToolbar - m.selectorHeight);
    l.grid = rect(rightPane, belowToolbar + findShift, W - rightPane, H - belowToolbar - findShift);
    l.splitter = rect(m.splitterLeft, l.formSelector.top, m.splitterWidth, H - l.formSelector.top);
    return l;
}

int clampSplitterLeft(int newLeft, int clientWidth, int splitterWidth) {
    return std::max(0, std::min(newLeft, clientWidth - splitterWidth));
}

int wheelNotchesFor(int globalX, int globalY, const ControlRect& f, int delta) {
    const bool inside = f.left < globalX && globalX < f.left + f.width && f.top < globalY &&
                        globalY < f.top + f.height;
    if (!inside) return 0;
    return delta > 0 ? 2 : -2;
}
