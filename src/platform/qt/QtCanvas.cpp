#include "platform/qt/QtCanvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QThread>

#include "platform/TextCodec.h"

namespace {
QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
QString fromGbk(const std::string& s) {
    return QString::fromStdString(gbkToUtf8(s));
}
}  // namespace

int keyStateOf(Qt::KeyboardModifiers modifiers) {
    int keys = 0;
    if (modifiers & Qt::ControlModifier) keys |= 1;
    if (modifiers & Qt::ShiftModifier) keys |= 2;
    if (modifiers & Qt::AltModifier) keys |= 4;
    return keys;
}

QtCanvas::QtCanvas(const QString& name, QWidget* parent)
    : QWidget(parent), image_(1, 1, QImage::Format_RGB32) {
    setObjectName(name);
    image_.fill(Qt::white);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    font_ = QWidget::font();
}

QtCanvas::~QtCanvas() {
    QMutexLocker locker(&lock_);
    painter_.reset();
}

QImage QtCanvas::snapshot() const {
    QMutexLocker locker(&lock_);
    return image_.copy();
}

int QtCanvas::left() const {
    QMutexLocker locker(&lock_);
    return left_;
}
int QtCanvas::top() const {
    QMutexLocker locker(&lock_);
    return top_;
}
int QtCanvas::width() const {
    QMutexLocker locker(&lock_);
    return width_;
}
int QtCanvas::height() const {
    QMutexLocker locker(&lock_);
    return height_;
}

void QtCanvas::setGeometry(int left, int top, int width, int height) {
    QWidget::setGeometry(left, top, std::max(0, width), std::max(0, height));
    // A hidden widget gets its resize event only when shown; the image follows at once.
    QResizeEvent event(QWidget::size(), QWidget::size());
    resizeEvent(&event);
}

bool QtCanvas::isVisible() const {
    QMutexLocker locker(&lock_);
    return visible_;
}

void QtCanvas::setVisible(bool visible) {
    {
        QMutexLocker locker(&lock_);
        visible_ = visible;
    }
    QWidget::setVisible(visible);
}

void QtCanvas::setParent(Canvas& parent) {
    auto* widget = dynamic_cast<QWidget*>(&parent);
    if (!widget || QWidget::parentWidget() == widget) {
        raise();
        return;
    }
    const bool wasVisible = isVisible();
    QWidget::setParent(widget);
    QWidget::setVisible(wasVisible);
    raise();
}

void QtCanvas::setCursor(CanvasCursor cursor) {
    QWidget::setCursor(cursor == CanvasCursor::ResizeHorizontal ? Qt::SizeHorCursor
                                                                : Qt::ArrowCursor);
}

void QtCanvas::takeFocus() {
    setFocus(Qt::MouseFocusReason);
}

void QtCanvas::openPainter() {
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setFont(font_);
}

void QtCanvas::closePainter() {
    painter_.reset();
}

void QtCanvas::beginPaint() {
    lock_.lock();
    if (paintDepth_++ == 0) openPainter();
}

void QtCanvas::endPaint() {
    if (paintDepth_ > 0 && --paintDepth_ == 0) {
        closePainter();
        postUpdate();
    }
    lock_.unlock();
}

void QtCanvas::postUpdate() {
    if (QThread::currentThread() == thread())
        update();
    else
        QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

template <typename Draw>
void QtCanvas::paint(Draw draw) {
    beginPaint();
    if (painter_->isActive()) draw(*painter_);
    endPaint();
}

void QtCanvas::setBackground(Rgb colour) {
    QMutexLocker locker(&lock_);
    background_ = toQColor(colour);
}

void QtCanvas::clear(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    paint([&](QPainter& p) { p.fillRect(x, y, width, height, background_); });
}

void QtCanvas::setPen(Rgb colour) {
    QMutexLocker locker(&lock_);
    pen_ = toQColor(colour);
}

void QtCanvas::setPenWidth(int width) {
    QMutexLocker locker(&lock_);
    penWidth_ = std::max(1, width);
}

void QtCanvas::setFill(Rgb colour) {
    QMutexLocker locker(&lock_);
    fill_ = toQColor(colour);
}

void QtCanvas::setTextColour(Rgb colour) {
    QMutexLocker locker(&lock_);
    text_ = toQColor(colour);
}

void QtCanvas::setFont(const std::string& name, int pointSize, bool bold) {
    QMutexLocker locker(&lock_);
    const bool underline = font_.underline();
    font_ = QFont(fromGbk(name), pointSize > 0 ? pointSize : 11, bold ? QFont::Bold : -1);
    font_.setUnderline(underline);
    if (painter_) painter_->setFont(font_);
}

void QtCanvas::setUnderline(bool underline) {
    QMutexLocker locker(&lock_);
    font_.setUnderline(underline);
    if (painter_) painter_->setFont(font_);
}

// Rectangles cover x1 .. x2 - 1 and y1 .. y2 - 1, their outline included.
void QtCanvas::drawRect(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    paint([&](QPainter& p) {
        p.fillRect(x1, y1, x2 - x1, y2 - y1, fill_);
        p.setPen(QPen(pen_, penWidth_));
        p.setBrush(Qt::NoBrush);
        p.drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    });
}

void QtCanvas::fillRect(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    paint([&](QPainter& p) { p.fillRect(x1, y1, x2 - x1, y2 - y1, fill_); });
}

void QtCanvas::drawRoundRect(int x1, int y1, int x2, int y2, int rx, int ry) {
    if (x2 <= x1 || y2 <= y1) return;
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(pen_, penWidth_));
        p.setBrush(fill_);
        p.drawRoundedRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1), rx, ry);
        p.setRenderHint(QPainter::Antialiasing, false);
    });
}

void QtCanvas::drawLine(int x1, int y1, int x2, int y2) {
    paint([&](QPainter& p) {
        p.setPen(QPen(pen_, penWidth_));
        p.drawLine(x1, y1, x2, y2);
    });
}

void QtCanvas::writeText(int x, int y, const std::string& text) {
    if (text.empty()) return;
    const QString s = fromGbk(text);
    paint([&](QPainter& p) {
        p.setPen(text_);
        p.drawText(x, y + QFontMetrics(font_).ascent(), s);
    });
}

int QtCanvas::textWidth(const std::string& text) {
    QMutexLocker locker(&lock_);
    return QFontMetrics(font_).horizontalAdvance(fromGbk(text));
}

int QtCanvas::textHeight(const std::string&) {
    QMutexLocker locker(&lock_);
    return QFontMetrics(font_).height();
}

void QtCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QMutexLocker locker(&lock_);
    p.drawImage(0, 0, image_);
}

void QtCanvas::resizeEvent(QResizeEvent*) {
    QMutexLocker locker(&lock_);
    left_ = x();
    top_ = y();
    width_ = QWidget::width();
    height_ = QWidget::height();
    if (image_.size() == QWidget::size()) return;
    // The image keeps what was drawn; new area shows the background until drawn.
    QImage grown(QWidget::size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.fill(background_);
    const bool painting = painter_ != nullptr;
    if (painting) closePainter();
    {
        QPainter copy(&grown);
        copy.drawImage(0, 0, image_);
    }
    image_ = grown;
    if (painting) openPainter();
}

void QtCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int keys = keyStateOf(event->modifiers());
    if (event->button() == Qt::LeftButton && handlers_.leftPressed)
        handlers_.leftPressed(pos.x(), pos.y(), keys);
    if (event->button() == Qt::RightButton && handlers_.rightPressed)
        handlers_.rightPressed(pos.x(), pos.y(), keys);
}

void QtCanvas::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const int keys = keyStateOf(event->modifiers());
    if (event->button() == Qt::LeftButton && handlers_.leftReleased)
        handlers_.leftReleased(pos.x(), pos.y(), keys);
    if (event->button() == Qt::RightButton && handlers_.rightReleased)
        handlers_.rightReleased(pos.x(), pos.y(), keys);
}

void QtCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (handlers_.moved) handlers_.moved(pos.x(), pos.y(), keyStateOf(event->modifiers()));
}
