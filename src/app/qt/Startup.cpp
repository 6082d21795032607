#include "app/qt/Startup.h"

#include <QApplication>
#include <QMainWindow>

#include "platform/TextCodec.h"

int runProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromUtf8("澄溪·表单录入台"));
    window.show();
    return app.exec();
}
