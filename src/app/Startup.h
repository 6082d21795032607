#pragma once
// The start-up steps that need no window: the settings file and the form library.
#include <string>

struct AppContext;

// The program's full title; also the settings file's base name.
const std::string& productTitle();

// Records the product title and opens the settings file in the run directory (created empty when
// missing). Without write access the store works in memory; start-up goes on either way.
void openSettingsFile(AppContext& context);

// Loads the form library and, when it is empty, seeds the sample form and loads again.
void prepareFormLibrary(AppContext& context);

// The settings file's path: run directory + "/" + product title + ".ini".
std::string settingsFilePath(const AppContext& context);
