#pragma once
// The application-wide objects: one instance, built before the main window with the folder the
// program runs in (tests pass a temporary folder), destroyed after the window loop ends. Every
// member is owned here.
#include <memory>
#include <string>
#include <utility>

#include "forms/FieldModel.h"
#include "grid/RecordGrid.h"
#include "lists/CurrentList.h"
#include "lists/ListTree.h"
#include "lists/TreeNavigation.h"
#include "platform/UiYield.h"
#include "settings/SettingsStore.h"

class Dialogs;
class GridListFields;
class ListStore;
class ListTreeController;
class RecordTable;
class TooltipHost;

struct AppContext {
    // runDirectory: GBK, without a trailing "/".
    explicit AppContext(std::string runDirectory);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
    ~AppContext();

    std::string runDirectory;
    FormLibrary formLibrary;
    SettingsStore settings;
    std::string productTitle;
    CurrentList currentList;
    TreeNavigation treeNavigation;
    ListTree tree;
    std::unique_ptr<TooltipHost> tooltipHost;  // outlives the grid, whose tooltip uses it
    RecordGrid grid;
    // The lists' machinery, made by connectLists once the platform's parts exist.
    std::unique_ptr<RecordTable> tables;
    std::unique_ptr<ListStore> lists;
    std::unique_ptr<GridListFields> gridFields;
    std::unique_ptr<ListTreeController> listTree;

    bool checkRunning = false;           // a field check runs; most commands refuse meanwhile
    bool checkStopRequested = false;     // the user asked the running check to stop
    bool transferStopRequested = false;  // the user asked a running import or export to stop
    bool suppressTreeSelection = false;  // the next tree selection event is ignored once
};

// Builds the list store, the grid's view of the open list and the tree's controller on the
// platform's record tables; dialogs must outlive the context.
void connectLists(AppContext& context, std::unique_ptr<RecordTable> tables, Dialogs& dialogs,
                  UiYield yieldToUi);
