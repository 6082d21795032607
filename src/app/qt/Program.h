#pragma once
// One run of the program on Qt: the application objects, the single-instance listener, the
// dialogs and the main window, torn down in the reverse order of building.
#include <QString>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "app/qt/MainWindow.h"
#include "app/qt/SingleInstance.h"
#include "platform/qt/QtDialogs.h"

class Program {
  public:
    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program() { tearDown(); }

    // Everything start-up does before the window loop: builds the application objects for
    // runDirectory (GBK), refuses a second instance of executablePath (asking the first to come to
    // the front; false, nothing else done), opens the settings, prepares the form library and
    // shows the main window.
    bool start(const QString& executablePath, const std::string& runDirectory);

    MainWindow* window() const { return window_.get(); }
    AppContext* context() const { return context_.get(); }

    // Destroys the window and the application objects. Nothing is written here: every setting
    // reached the file when it changed, and the window's close handler saved its own state.
    void tearDown();

  private:
    std::unique_ptr<AppContext> context_;
    QtDialogs dialogs_;
    SingleInstance instance_;
    std::unique_ptr<MainWindow> window_;
};
