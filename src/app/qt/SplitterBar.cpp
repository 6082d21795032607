#include "app/qt/SplitterBar.h"

#include <QMouseEvent>
#include <QPainter>

SplitterBar::SplitterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromUtf8("分隔条"));
    setCursor(Qt::SplitHCursor);
    resize(kWidth, 100);
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) grabOffset_ = event->position().toPoint().x();
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (grabOffset_ < 0 || !moved_) return;
    const int newLeft = mapToParent(event->position().toPoint()).x() - grabOffset_;
    if (newLeft != x()) moved_(newLeft);
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) grabOffset_ = -1;
}

void SplitterBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(palette().mid().color());
    p.drawLine(1, 0, 1, height());
    p.drawLine(width() - 2, 0, width() - 2, height());
}
