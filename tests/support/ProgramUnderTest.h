#pragma once
// The whole program in a temporary folder, as start-up builds it, with scripted dialogs: for window
// tests that create lists, close the window and start again.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

#include "app/AppContext.h"
#include "app/Startup.h"
#include "app/qt/MainWindow.h"
#include "lists/ListStore.h"
#include "lists/ListTreeController.h"
#include "platform/qt/QtText.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "support/QtScriptedDialogs.h"

class ProgramUnderTest {
  public:
    ProgramUnderTest() : runDirectory_(toGbk(folder_.path())) {}
    ~ProgramUnderTest() { stop(); }

    // Start-up as the program does it, the main window shown.
    void start() {
        context_ = std::make_unique<AppContext>(runDirectory_);
        context_->settings.setYieldToUi([] { QCoreApplication::processEvents(); });
        openSettingsFile(*context_);
        prepareFormLibrary(*context_);
        connectLists(*context_, std::make_unique<SqliteRecordTable>(), dialogs,
                     [] { QCoreApplication::processEvents(); });
        window_ = std::make_unique<MainWindow>(*context_, dialogs);
        window_->show();
    }
    // Closing the window, then the tear-down.
    void stop() {
        if (window_) window_->close();
        window_.reset();
        context_.reset();
    }
    void restart() {
        stop();
        start();
    }

    AppContext& context() { return *context_; }
    MainWindow& window() { return *window_; }
    RecordGrid& grid() { return context_->grid; }
    ListTree& tree() { return context_->tree; }
    const std::string& runDirectory() const { return runDirectory_; }

    QtScriptedDialogs dialogs;

  private:
    QTemporaryDir folder_;
    std::string runDirectory_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<MainWindow> window_;
};
