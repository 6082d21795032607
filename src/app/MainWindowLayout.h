#pragma once
// Where the main window's children go for a given client size, splitter position and find box.
// The window only moves its widgets to these rectangles.

struct ControlRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const ControlRect&) const = default;
};

struct MainWindowMetrics {
    int clientWidth = 0;
    int clientHeight = 0;
    int toolbarHeight = 43;
    int selectorHeight = 23;
    int splitterLeft = 304;
    int splitterWidth = 6;
    int findBoxHeight = 40;
    bool findBoxVisible = false;
};

struct MainWindowLayout {
    ControlRect toolbar;
    ControlRect formSelector;
    ControlRect findBox;
    ControlRect tree;
    ControlRect grid;
    ControlRect splitter;
};

// Widths and heights that would come out negative in a tiny window are 0.
MainWindowLayout layoutMainWindow(const MainWindowMetrics& m);

// A splitter dragged past either edge stays inside the client area.
int clampSplitterLeft(int newLeft, int clientWidth, int splitterWidth);

// The grid scrolls for a wheel turned anywhere over the window, so the test is the window's outer
// rectangle (borders excluded): 2 notches up for a turn away from the user, -2 otherwise, 0 when
// the pointer is outside.
int wheelNotchesFor(int globalX, int globalY, const ControlRect& windowFrame, int delta);
