#include "grid/NullCanvas.h"

namespace {

class NullCanvas final : public Canvas {
  public:
    int left() const override { return 0; }
    int top() const override { return 0; }
    int width() const override { return 0; }
    int height() const override { return 0; }
    void setGeometry(int, int, int, int) override {}
    bool isVisible() const override { return false; }
    void setVisible(bool) override {}
    void setParent(Canvas&) override {}
    void setCursor(CanvasCursor) override {}
    void takeFocus() override {}
    void beginPaint() override {}
    void endPaint() override {}
    void setBackground(Rgb) override {}
    void clear(int, int, int, int) override {}
    void setPen(Rgb) override {}
    void setPenWidth(int) override {}
    void setFill(Rgb) override {}
    void setTextColour(Rgb) override {}
    void setFont(const std::string&, int, bool) override {}
    void setUnderline(bool) override {}
    void drawRect(int, int, int, int) override {}
    void fillRect(int, int, int, int) override {}
    void drawRoundRect(int, int, int, int, int, int) override {}
    void drawLine(int, int, int, int) override {}
    void writeText(int, int, const std::string&) override {}
    int textWidth(const std::string&) override { return 0; }
    int textHeight(const std::string&) override { return 0; }
};

}  // namespace

Canvas& nullCanvas() {
    static NullCanvas canvas;
    return canvas;
}
