#pragma once
// What the list tree does: selecting a node opens its list and loads its records into the grid
// (a value node only those with its value), records become grid rows and value nodes, lists are
// renamed in place, and the tree is kept in its file.
//
// Loading yields to the user interface now and then. Whatever arrives meanwhile and changes what
// is shown (another selection, the removal of tree items, a reset, a close) supersedes the load:
// it stops before it touches the grid or the tree again.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListGrid.h"
#include "lists/ListStore.h"
#include "lists/ListTree.h"
#include "lists/TreeNavigation.h"
#include "platform/UiYield.h"

class Dialogs;
class SettingsStore;

// What the tree needs of the toolbar and the entry panel; unset hooks mean off and closed.
struct ListTreeHooks {
    std::function<bool()> autoColumnWidth;       // the toolbar's 自动列宽 is checked
    std::function<void(bool)> enableDeleteList;  // the toolbar's 删除列表
    std::function<bool()> entryPanelOpen;
    std::function<void()> rebuildEntryPanel;  // for the fields of the list now shown
    std::function<void()> closeEntryPanel;
};

class ListTreeController : private ListTreeListener {
  public:
    // Becomes the tree's selection handler and the store's tree saver.
    ListTreeController(ListTree& tree, ListStore& store, ListGrid& grid, SettingsStore& settings,
                       Dialogs& dialogs, TreeNavigation& navigation, bool& suppressTreeSelection,
                       UiYield yieldToUi = {},
                       std::chrono::milliseconds yieldInterval = std::chrono::milliseconds(10));
    ~ListTreeController() override;
    ListTreeController(const ListTreeController&) = delete;
    ListTreeController& operator=(const ListTreeController&) = delete;

    void setHooks(ListTreeHooks hooks) { hooks_ = std::move(hooks); }

    std::string treeFilePath() const;
    // Replaces all items by the file's; a missing, empty or damaged file gives what it holds
    // complete before the damage.
    void loadTreeFile();
    // Replaces the file as a whole; false (no message) when it cannot be written.
    bool saveTreeFile();
    void restoreTreeSelection();
    void saveTreeSelection();

    // The selection handler.
    void showSelectedNode();
    // Puts record r into the grid: a new row, or row replaceRow when it is not 0.
    void showRecord(int recordNumber, std::vector<std::string>& rowTexts, bool resizeTexts,
                    bool updateTree, int replaceRow);
    void addKeyValues(int recordNumber);
    void refreshKeyFieldNodes();
    // Rebuilds the key-field and value nodes of the shown list from its records.
    void rebuildValueNodes();
    void applyColumnWidthMode();

    // Label editing: only list nodes, and not while a list loads. finishRename renames the
    // selected list, gives its node the new text and writes the tree file; false keeps the old
    // name.
    bool mayRename(int index) const;
    bool finishRename(const std::string& newText);

    // Stops a running load, as when the window closes.
    void supersede() { ++generation_; }
    bool loading() const { return loading_; }

  private:
    void beginInsert(const TreeNode*, int) override {}
    void endInsert() override {}
    void beginRemove(const TreeNode* parent, int row) override;
    void endRemove() override {}
    void itemChanged(const TreeNode*) override {}
    void beginReset() override { supersede(); }
    void endReset() override {}
    void selectionChanged(const TreeNode*) override {}

    void takeKnownValues();
    // showRecord without regard to a running load.
    void showStoredRecord(int recordNumber, std::vector<std::string>& rowTexts, bool resizeTexts,
                          bool updateTree, int replaceRow);
    // showRecord for the current record, which the caller keeps current.
    void showCurrentRecord(std::vector<std::string>& rowTexts, bool resizeTexts, bool updateTree,
                           int replaceRow);
    // Adds the value nodes of the current record's key fields, whose display texts keyText(n)
    // gives for field n (from 1).
    template <class KeyText>
    void addCurrentKeyValues(KeyText keyText);
    bool entryPanelOpen() const { return hooks_.entryPanelOpen && hooks_.entryPanelOpen(); }
    // Runs the records loop; false when superseded.
    bool forEachRecord(unsigned generation, const std::function<void(int)>& step);

    ListTree& tree_;
    ListStore& store_;
    ListGrid& grid_;
    SettingsStore& settings_;
    Dialogs& dialogs_;
    TreeNavigation& navigation_;
    bool& suppressTreeSelection_;
    UiYield yieldToUi_;
    std::chrono::milliseconds yieldInterval_;
    ListTreeHooks hooks_;

    unsigned generation_ = 0;
    bool loading_ = false;
    // The records loop stops before this record number: those from it on were shown by others.
    int loadEnd_ = 0;
    bool ownRemoval_ = false;
    // A load that was to add value nodes stopped early: the next showing of its list adds them.
    bool valueNodesIncomplete_ = false;
    std::string keyText_;
    std::vector<std::string_view> rowViews_;  // the row being added, read without copies
};
