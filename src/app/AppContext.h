#pragma once
// The application-wide objects: one instance, built before the main window with the folder the
// program runs in (tests pass a temporary folder), destroyed after the window loop ends. Every
// member is owned here.
#include <string>
#include <utility>

#include "forms/FieldSpec.h"
#include "settings/SettingsStore.h"

struct AppContext {
    // runDirectory: GBK, without a trailing "/".
    explicit AppContext(std::string runDirectory) : runDirectory(std::move(runDirectory)) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    std::string runDirectory;
    FormLibrary formLibrary;
    SettingsStore settings;
    std::string productTitle;

    bool checkRunning = false;           // a field check runs; most commands refuse meanwhile
    bool checkStopRequested = false;     // the user asked the running check to stop
    bool transferStopRequested = false;  // the user asked a running import or export to stop
    bool suppressTreeSelection = false;  // the next tree selection event is ignored once
};
