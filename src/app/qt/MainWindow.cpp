#include "app/qt/MainWindow.h"

#include "app/AppContext.h"
#include "platform/TextCodec.h"
#include "platform/qt/QtText.h"

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("Listaro"));
    setWindowTitle(
        toQString(GBK("澄溪·表单录入台 v1.1.0.0 - "
                      "点击链接打开，按住Alt键点击复制；右击复制单列，按住Alt键右击复制整行。")));
    resize(1192, 656);
}

void MainWindow::bringToFront() {
    // Restores a minimised window to its former state, maximised or not.
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
