// The grid's five canvases and the pointer events each of them hands to the grid.
#include <QCoreApplication>
#include <QMouseEvent>

#include "app/AppContext.h"
#include "app/qt/MainWindow.h"
#include "grid/GridPointer.h"
#include "lists/ListStore.h"
#include "lists/ListTreeController.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtDesktopServices.h"
#include "platform/qt/QtTooltipHost.h"

void MainWindow::buildCanvases() {
    container_ = new QtCanvas(QString::fromUtf8("画板容器"), client_);
    header_ = new QtCanvas(QString::fromUtf8("画板表头"), client_);
    data_ = new QtCanvas(QString::fromUtf8("画板数据"), client_);
    hBar_ = new QtCanvas(QString::fromUtf8("画板横滚"), client_);
    vBar_ = new QtCanvas(QString::fromUtf8("画板纵滚"), client_);
}

void MainWindow::attachGrid() {
    if (!context_.tooltipHost) context_.tooltipHost = std::make_unique<QtTooltipHost>();
    RecordGrid& grid = context_.grid;
    grid.attach({header_, data_, container_, hBar_, vBar_}, context_.tooltipHost.get(),
                context_.gridFields.get(), GridAttachOptions{});
    grid.setUiYield([] { QCoreApplication::processEvents(); });
    CurrentList& list = context_.currentList;
    grid.setPointerHooks({
        .shell = &desktop_->shell,
        .clipboard = &desktop_->clipboard,
        .beep = &desktop_->beep,
        .keys = &desktop_->keys,
        .sortRefused =
            [this] {
                return context_.checkRunning || (context_.listTree && context_.listTree->loading());
            },
        .columnResized =
            [&list](int column, int width) {
                if (column >= 1 && column <= static_cast<int>(list.fields.size()))
                    list.fields[column - 1].width = width;
            },
        .headerReleased = [this] { context_.lists->saveListState(false); },
        .selectedRecordChosen = {},
    });

    data_->setPointerHandlers({
        .leftPressed = [&grid](int x, int y, int) { grid.dataCanvasPressed(x, y); },
        .leftReleased = [&grid](int x, int y, int keys) { grid.dataCanvasReleased(x, y, keys); },
        .rightPressed = [&grid](int x, int y,
                                int keys) { grid.dataCanvasRightPressed(x, y, keys); },
        .rightReleased = {},
        .moved = [&grid](int x, int y, int keys) { grid.dataPointerMoved(x, y, keys); },
    });
    header_->setPointerHandlers({
        .leftPressed = [&grid](int x, int y, int) { grid.headerCanvasPressed(x, y); },
        .leftReleased = [&grid](int x, int y, int) { grid.headerReleased(x, y); },
        .rightPressed = {},
        .rightReleased = {},
        .moved = [&grid](int x, int y, int) { grid.headerPointerMoved(x, y); },
    });
    vBar_->setPointerHandlers({
        .leftPressed =
            [this, &grid](int x, int y, int) {
                header_->takeFocus();
                grid.vBarPressed(x, y);
            },
        .leftReleased = [&grid](int, int, int) { grid.vBarReleased(); },
        .rightPressed = [&grid](int x, int y, int) { grid.vBarRightPressed(x, y); },
        .rightReleased = [&grid](int, int, int) { grid.vBarRightReleased(); },
        .moved = [&grid](int x, int y, int) { grid.vBarPointerMoved(x, y); },
    });
    hBar_->setPointerHandlers({
        .leftPressed =
            [this, &grid](int x, int y, int) {
                header_->takeFocus();
                grid.hBarPressed(x, y);
            },
        .leftReleased = [&grid](int, int, int) { grid.hBarReleased(); },
        .rightPressed = [&grid](int x, int y, int) { grid.hBarRightPressed(x, y); },
        .rightReleased = [&grid](int, int, int) { grid.hBarRightReleased(); },
        .moved = [&grid](int x, int y, int) { grid.hBarPointerMoved(x, y); },
    });
}

void MainWindow::forwardPointer(QEvent* event) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    // In the data canvas's coordinates: the container's place plus the data canvas's place in it.
    const QPoint pos = mouse->position().toPoint();
    const int x = pos.x() - (container_->x() + data_->x());
    const int y = pos.y() - (container_->y() + data_->y());
    if (event->type() == QEvent::MouseMove)
        context_.grid.dataPointerMoved(x, y, 0);
    else if (mouse->button() == Qt::LeftButton)
        context_.grid.dataReleased(x, y, 0);
}
