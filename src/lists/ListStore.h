#pragma once
// A list's files and definition. Each list is a record table "<run directory>/程序数据/<name>.edb"
// (with its companion ".edt"), open under its name as alias, and a copy of its form's fields kept
// in the settings section "使用表单库" under its name. Names never lead outside the program-data
// folder: a name holding "/" or a NUL byte, or one that is empty, "." or "..", is refused
// everywhere.
#include <functional>
#include <optional>
#include <string>

#include "forms/FieldModel.h"
#include "lists/CurrentList.h"
#include "platform/RecordTable.h"

class Dialogs;
class SettingsStore;

// Whether a list name can be a file name inside the program-data folder.
bool isSafeListName(const std::string& name);
// Whether a new list, or a list renamed, may take the name: a safe name without "=".
bool isNewListName(const std::string& name);

class ListStore {
  public:
    // runDirectory is GBK, without a trailing "/".
    ListStore(std::string runDirectory, RecordTable& tables, SettingsStore& settings,
              Dialogs& dialogs, CurrentList& current);

    // Writes the tree file; saveListState calls it.
    void setTreeSaver(std::function<void()> saveTree) { saveTree_ = std::move(saveTree); }

    std::string dataFolder() const;
    std::string listTablePath(const std::string& name) const;

    // Creates the table of a new list from the form under the first free name made of the form's
    // name and a counter (none, 1, 2, ...) and makes it the current list, its fields with width 0.
    // On failure shows "新建列表失败，..." and returns nothing.
    std::optional<std::string> createList(const FormSpec& form);
    // Opens the list's table, or makes it current when it is open already.
    bool openList(const std::string& name);
    void closeList(const std::string& name);
    // Closes the list and renames its files; false (the table file keeps its name) when the new
    // name is refused or taken or the rename fails.
    bool renameListFiles(const std::string& oldName, const std::string& newName);
    // Closes the list and removes its files; failures are ignored.
    void deleteListFiles(const std::string& name);

    void loadListDefinition(const std::string& name);
    // Moves the definition kept under oldName to newName, over whatever a deleted list of that
    // name left there.
    void renameListDefinition(const std::string& oldName, const std::string& newName);
    // Writes the current list's definition, then, when includeTree, the tree file.
    void saveListState(bool includeTree);

    // The text shown for field n (from 1) of the current record: displayText of its text form.
    std::string fieldDisplayText(int fieldNumber);
    // The same as a view either of the table's own bytes (valid as RecordTable::readTextView says)
    // or of scratch, which holds any text that had to be made.
    std::string_view fieldDisplayView(int fieldNumber, std::string& scratch);
    // The views of every column of the current record at once, one per column, each as
    // fieldDisplayView gives it, with scratch[i] as column i's scratch: how a load reads records.
    bool recordDisplayViews(std::vector<std::string_view>& views,
                            std::vector<std::string>& scratch);
    // The text form of field n of the current record, as stored (all parts of a link).
    std::string fieldValueText(int fieldNumber);

    CurrentList& current() { return current_; }
    RecordTable& tables() { return tables_; }

  private:
    std::string companionPath(const std::string& name) const;
    // The text form of field n of the current record into text; false when it cannot be read.
    bool readField(int fieldNumber, std::string& text);
    // The field type whose display rules apply to column n (from 1).
    int32_t displayType(int fieldNumber) const;

    std::string runDirectory_;
    RecordTable& tables_;
    SettingsStore& settings_;
    Dialogs& dialogs_;
    CurrentList& current_;
    std::function<void()> saveTree_;
    RecordValue scratch_;
};
