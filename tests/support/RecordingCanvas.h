#pragma once
// A canvas that records what is drawn on it, with the colours and font in force at each call.
// Text is measured as half a glyph per byte. It also notices drawing outside beginPaint/endPaint
// and two threads painting at once.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/Canvas.h"

struct CanvasOp {
    std::string name;  // clear, drawRect, fillRect, drawRoundRect, drawLine, writeText
    std::vector<int> args;
    std::string text;
    Rgb background, pen, fill, textColour;
    bool underline = false;
};

class RecordingCanvas : public Canvas {
  public:
    RecordingCanvas() = default;
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

    int glyphWidth = 15;
    int glyphHeight = 15;
    bool recording = true;
    std::vector<CanvasOp> ops;
    std::string fontName;
    int fontSize = 0;
    CanvasCursor cursor = CanvasCursor::Arrow;
    Canvas* parent = nullptr;
    int focusCount = 0;
    std::atomic<int> updatesPosted{0};
    std::atomic<int> drawsOutsidePaint{0};
    std::atomic<int> overlappingPainters{0};

    std::vector<CanvasOp> opsNamed(const std::string& name) const {
        std::vector<CanvasOp> found;
        for (const auto& op : ops) {
            if (op.name == name) found.push_back(op);
        }
        return found;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> found;
        for (const auto& op : opsNamed("writeText")) found.push_back(op.text);
        return found;
    }

    int left() const override { return left_; }
    int top() const override { return top_; }
    int width() const override { return width_; }
    int height() const override { return height_; }
    void setGeometry(int left, int top, int width, int height) override {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
    }
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }
    void setParent(Canvas& p) override { parent = &p; }
    void setCursor(CanvasCursor c) override { cursor = c; }
    void takeFocus() override { ++focusCount; }

    void beginPaint() override {
        const auto me = std::this_thread::get_id();
        if (depth_.fetch_add(1) == 0) {
            owner_ = me;
        } else if (owner_.load() != me) {
            ++overlappingPainters;
        }
    }
    void endPaint() override {
        if (depth_.fetch_sub(1) == 1) {
            owner_ = std::thread::id();
            ++updatesPosted;
        }
    }

    void setBackground(Rgb c) override { background_ = c; }
    void clear(int x, int y, int w, int h) override { record("clear", {x, y, w, h}); }
    void setPen(Rgb c) override { pen_ = c; }
    void setPenWidth(int) override {}
    void setFill(Rgb c) override { fill_ = c; }
    void setTextColour(Rgb c) override { textColour_ = c; }
    void setFont(const std::string& name, int pointSize, bool) override {
        fontName = name;
        fontSize = pointSize;
    }
    void setUnderline(bool u) override { underline_ = u; }
    void drawRect(int x1, int y1, int x2, int y2) override { record("drawRect", {x1, y1, x2, y2}); }
    void fillRect(int x1, int y1, int x2, int y2) override { record("fillRect", {x1, y1, x2, y2}); }
    void drawRoundRect(int x1, int y1, int x2, int y2, int rx, int ry) override {
        record("drawRoundRect", {x1, y1, x2, y2, rx, ry});
    }
    void drawLine(int x1, int y1, int x2, int y2) override { record("drawLine", {x1, y1, x2, y2}); }
    void writeText(int x, int y, const std::string& text) override {
        record("writeText", {x, y}, text);
    }
    int textWidth(const std::string& text) override {
        return static_cast<int>(text.size()) * glyphWidth / 2;
    }
    int textHeight(const std::string&) override { return glyphHeight; }

  private:
    void record(const char* name, std::vector<int> args, std::string text = {}) {
        if (depth_ <= 0) ++drawsOutsidePaint;
        if (!recording) return;
        ops.push_back({name, std::move(args), std::move(text), background_, pen_, fill_,
                       textColour_, underline_});
    }

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    Rgb background_, pen_, fill_, textColour_;
    bool underline_ = false;
    std::atomic<int> depth_{0};
    std::atomic<std::thread::id> owner_{};
};
