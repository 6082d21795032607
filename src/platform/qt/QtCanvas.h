#pragma once
// A canvas widget: a persistent image that the program draws into and the widget shows. Drawing
// may come from a worker thread (see Canvas); the image is guarded by the canvas's own lock and the
// repaint is posted to the user-interface thread.
#include <QImage>
#include <QMutex>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/Canvas.h"

class QPainter;

// Modifier flags reported with pointer events: 1 Ctrl, 2 Shift, 4 Alt, summed.
int keyStateOf(Qt::KeyboardModifiers modifiers);

class QtCanvas : public QWidget, public Canvas {
    Q_OBJECT
  public:
    // x, y relative to this canvas; keys as keyStateOf.
    using PointerHandler = std::function<void(int x, int y, int keys)>;
    struct PointerHandlers {
        PointerHandler leftPressed, leftReleased, rightPressed, rightReleased, moved;
    };

    explicit QtCanvas(const QString& name, QWidget* parent = nullptr);
    ~QtCanvas() override;

    void setPointerHandlers(PointerHandlers handlers) { handlers_ = std::move(handlers); }
    // A copy of the persistent image, taken under the canvas's lock.
    QImage snapshot() const;

    // Canvas
    int left() const override;
    int top() const override;
    int width() const override;
    int height() const override;
    void setGeometry(int left, int top, int width, int height) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;
    void setParent(Canvas& parent) override;
    void setCursor(CanvasCursor cursor) override;
    void takeFocus() override;
    void beginPaint() override;
    void endPaint() override;
    void setBackground(Rgb colour) override;
    void clear(int x, int y, int width, int height) override;
    void setPen(Rgb colour) override;
    void setPenWidth(int width) override;
    void setFill(Rgb colour) override;
    void setTextColour(Rgb colour) override;
    void setFont(const std::string& name, int pointSize, bool bold) override;
    void setUnderline(bool underline) override;
    void drawRect(int x1, int y1, int x2, int y2) override;
    void fillRect(int x1, int y1, int x2, int y2) override;
    void drawRoundRect(int x1, int y1, int x2, int y2, int rx, int ry) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void writeText(int x, int y, const std::string& text) override;
    int textWidth(const std::string& text) override;
    int textHeight(const std::string& text) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    // Runs one drawing call inside a paint span, opening one when the caller has none.
    template <typename Draw>
    void paint(Draw draw);
    void openPainter();
    void closePainter();
    void postUpdate();

    mutable QRecursiveMutex lock_;
    QImage image_;
    std::unique_ptr<QPainter> painter_;
    int paintDepth_ = 0;
    QColor background_ = Qt::white;
    QColor pen_ = Qt::black;
    int penWidth_ = 1;
    QColor fill_ = Qt::white;
    QColor text_ = Qt::black;
    QFont font_;
    PointerHandlers handlers_;
    // Placement as last set, readable from any thread.
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
};
