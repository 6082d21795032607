#include "app/qt/Program.h"

#include <QCoreApplication>

#include "app/Startup.h"
#include "platform/sqlite/SqliteRecordTable.h"

bool Program::start(const QString& executablePath, const std::string& runDirectory) {
    context_ = std::make_unique<AppContext>(runDirectory);
    if (!instance_.probeRunningInstance(instanceServerName(executablePath))) return false;

    AppContext& context = *context_;
    context.settings.setDialogs(&dialogs_);
    context.settings.setYieldToUi([] { QCoreApplication::processEvents(); });
    openSettingsFile(context);
    prepareFormLibrary(context);
    connectLists(context, std::make_unique<SqliteRecordTable>(), dialogs_,
                 [] { QCoreApplication::processEvents(); });

    window_ = std::make_unique<MainWindow>(context, dialogs_);
    dialogs_.setParent(window_.get());
    QObject::connect(&instance_, &SingleInstance::activationRequested, window_.get(),
                     &MainWindow::bringToFront);
    window_->show();
    return true;
}

void Program::tearDown() {
    window_.reset();
    context_.reset();
}
