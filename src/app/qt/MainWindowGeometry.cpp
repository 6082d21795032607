// The main window's layout on every size change and splitter move, and the pointer routing: the
// wheel anywhere over the window scrolls the grid, and pointer moves and releases on the window's
// own surface reach the grid so that drags go on outside the canvases.
#include <QComboBox>
#include <QMouseEvent>
#include <QTreeView>
#include <QWheelEvent>
#include <QWindow>

#include "app/AppContext.h"
#include "app/MainWindowLayout.h"
#include "app/qt/FindBox.h"
#include "app/qt/MainToolbar.h"
#include "app/qt/MainWindow.h"
#include "app/qt/SplitterBar.h"
#include "platform/TextCodec.h"
#include "platform/qt/QtCanvas.h"

namespace {
void place(QWidget* w, const ControlRect& r) {
    w->setGeometry(r.left, r.top, r.width, r.height);
}
}  // namespace

void MainWindow::mainWindowSizeChanged() {
    MainWindowMetrics m;
    m.clientWidth = client_->width();
    m.clientHeight = client_->height();
    m.toolbarHeight = 43;
    m.selectorHeight = 23;
    m.splitterLeft = splitterLeft_;
    m.splitterWidth = SplitterBar::kWidth;
    m.findBoxHeight = FindBox::kHeight;
    m.findBoxVisible = findBoxVisible();
    const MainWindowLayout l = layoutMainWindow(m);
    place(toolbar_, l.toolbar);
    place(formSelector_, l.formSelector);
    place(findBox_, l.findBox);
    place(tree_, l.tree);
    place(splitter_, l.splitter);
    context_.grid.setBounds(l.grid.left, l.grid.top, l.grid.width, l.grid.height);
}

void MainWindow::splitterMoved(int newLeft) {
    splitterLeft_ = clampSplitterLeft(newLeft, client_->width(), SplitterBar::kWidth);
    mainWindowSizeChanged();
    context_.settings.selectSection(GBK("主界面"));
    context_.settings.writeNumber(GBK("分隔条位置"), splitterLeft_);
    splitter_->update();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    mainWindowSizeChanged();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window's own surface sees each wheel turn once, before any widget does.
    if (QWindow* window = windowHandle()) {
        window->removeEventFilter(this);
        window->installEventFilter(this);
    }
    mainWindowSizeChanged();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && watched == windowHandle()) routeWheel(event);
    if (watched == client_ &&
        (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease))
        forwardPointer(event);
    // Every event goes on to its own handlers as well.
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::routeWheel(QEvent* event) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint global = wheel->globalPosition().toPoint();
    const QRect frame = frameGeometry();
    const int delta = wheel->angleDelta().y();
    if (delta == 0) return;  // a sideways turn
    const int notches = wheelNotchesFor(
        global.x(), global.y(), {frame.left(), frame.top(), frame.width(), frame.height()}, delta);
    if (notches != 0) context_.grid.wheel(notches);
}
