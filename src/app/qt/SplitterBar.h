#pragma once
// The vertical splitter 分隔条 between the left pane and the grid: dragging reports the new left
// edge; the window moves it and everything else.
#include <QWidget>
#include <functional>

class SplitterBar : public QWidget {
    Q_OBJECT
  public:
    explicit SplitterBar(QWidget* parent = nullptr);
    void setMoveHandler(std::function<void(int newLeft)> handler) { moved_ = std::move(handler); }

    static constexpr int kWidth = 6;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int grabOffset_ = -1;  // pointer x inside the bar while dragging; -1 when not dragging
    std::function<void(int)> moved_;
};
