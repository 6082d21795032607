// The grid's five canvases and the pointer events each of them hands to the grid.
#include "app/AppContext.h"
#include "app/qt/MainWindow.h"
#include "platform/qt/QtCanvas.h"
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
    GridAttachOptions options;
    context_.grid.attach({header_, data_, container_, hBar_, vBar_}, context_.tooltipHost.get(),
                         context_.gridFields.get(), options);
}
