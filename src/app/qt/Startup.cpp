#include "app/qt/Startup.h"

#include <QApplication>

#include "app/qt/Program.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtText.h"

int startProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    installFontSubstitutes();
    Program program;
    if (!program.start(QCoreApplication::applicationFilePath(),
                       toGbk(QCoreApplication::applicationDirPath()))) {
        return 0;
    }
    app.exec();
    program.tearDown();
    return 0;
}
