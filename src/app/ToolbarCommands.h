#pragma once
// The toolbar's dispatcher: one handler receives the index of the clicked button and runs its
// command with the questions and messages each command asks. Commands run on the user-interface
// thread and may be re-entered while a long one (field check, import) lets events through.
#include <functional>

#include "app/MainWindowView.h"

struct AppContext;
class Dialogs;

// The work of subsystems that the toolbar starts; an empty one does nothing.
struct ToolbarWork {
    std::function<void()> runFieldCheck;     // returns when the check finished or stopped
    std::function<void()> importWithDialog;  // returns when the import finished or stopped
    std::function<void()> exportRows;
};

class ToolbarCommands {
  public:
    ToolbarCommands(AppContext& app, MainWindowView& view, Dialogs& dialogs, ToolbarWork work = {});

    void toolbarClicked(int index);

  private:
    void newList();
    void deleteList();
    void toggleFindBox();
    void addRecord();
    void removeRecords();
    void selectAllRecords();
    void fieldCheck();
    void toggleAutoWidth();
    void importOrExport();

    void warn(const std::string& text);
    bool confirm(const std::string& text);

    AppContext& app_;
    MainWindowView& view_;
    Dialogs& dialogs_;
    ToolbarWork work_;
};
