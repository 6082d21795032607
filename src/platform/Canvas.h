#pragma once
// A drawing surface with a persistent image: whatever is drawn stays until drawn over, and the
// window system repaints the widget from that image. The grid paints everything it shows through
// this interface, so its layout and colours can be tested against a recording fake.
//
// Threads: placement, visibility, cursor and focus are changed on the user-interface thread only.
// The size readers and the drawing calls may come from a worker thread as well; the caller then
// guarantees that no two threads draw on the same canvas at once (the grid draws under its lock).
//
// Canvases have no border: the client area is the whole canvas. Coordinates are relative to the
// canvas; rectangles given by two corners (x1, y1, x2, y2) are drawn by the implementation's own
// pixel rule, the same for all of them.
#include <cstdint>
#include <string>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

enum class CanvasCursor { Arrow, ResizeHorizontal };

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Placement relative to the parent canvas.
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void setGeometry(int left, int top, int width, int height) = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    // Later children lie above earlier ones.
    virtual void setParent(Canvas& parent) = 0;
    virtual void setCursor(CanvasCursor cursor) = 0;
    virtual void takeFocus() = 0;

    // Every drawing call lies between beginPaint and endPaint. Pairs nest; the outermost endPaint
    // makes what was drawn visible at once: it posts the widget's update to the user-interface
    // thread, so it is safe on a worker thread. Colours, pen and font persist between paints.
    virtual void beginPaint() = 0;
    virtual void endPaint() = 0;

    virtual void setBackground(Rgb colour) = 0;
    // Paints the rectangle (x, y, width, height) in the background colour.
    virtual void clear(int x, int y, int width, int height) = 0;
    virtual void setPen(Rgb colour) = 0;  // a solid pen
    virtual void setPenWidth(int width) = 0;
    virtual void setFill(Rgb colour) = 0;
    virtual void setTextColour(Rgb colour) = 0;
    // Font name in GBK; size in points.
    virtual void setFont(const std::string& name, int pointSize, bool bold) = 0;
    virtual void setUnderline(bool underline) = 0;

    // Outline with the pen, interior with the fill colour.
    virtual void drawRect(int x1, int y1, int x2, int y2) = 0;
    // Interior only, in the fill colour.
    virtual void fillRect(int x1, int y1, int x2, int y2) = 0;
    virtual void drawRoundRect(int x1, int y1, int x2, int y2, int rx, int ry) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    // GBK text with its top-left corner at (x, y); no background is painted.
    virtual void writeText(int x, int y, const std::string& text) = 0;
    // Size of a GBK text in the current font.
    virtual int textWidth(const std::string& text) = 0;
    virtual int textHeight(const std::string& text) = 0;
};
