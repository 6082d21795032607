#include "app/qt/Startup.h"

#include <QApplication>
#include <QFont>
#include <memory>

#include "app/AppContext.h"
#include "app/Startup.h"
#include "app/qt/MainWindow.h"
#include "app/qt/SingleInstance.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtText.h"

namespace {

// What one run of the program holds, torn down in the reverse order of building.
struct Program {
    std::unique_ptr<AppContext> context;
    QtDialogs dialogs;
    std::unique_ptr<MainWindow> window;

    // Nothing is written here: every setting reached the file when it changed, and the window's
    // close handler saved its own state.
    void tearDown() {
        window.reset();
        context.reset();
    }
    ~Program() { tearDown(); }
};

void useChineseFonts() {
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"),
                                QStringLiteral("Noto Sans CJK SC")});
}

}  // namespace

int startProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    useChineseFonts();
    Program program;
    program.context = std::make_unique<AppContext>(toGbk(QCoreApplication::applicationDirPath()));

    SingleInstance instance;
    if (!instance.probeRunningInstance(
            instanceServerName(QCoreApplication::applicationFilePath()))) {
        return 0;
    }

    AppContext& context = *program.context;
    context.settings.setDialogs(&program.dialogs);
    context.settings.setYieldToUi([] { QCoreApplication::processEvents(); });
    openSettingsFile(context);
    prepareFormLibrary(context);

    program.window = std::make_unique<MainWindow>(context);
    program.dialogs.setParent(program.window.get());
    QObject::connect(&instance, &SingleInstance::activationRequested, program.window.get(),
                     &MainWindow::bringToFront);
    program.window->show();
    app.exec();
    program.tearDown();
    return 0;
}
