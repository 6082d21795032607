// The toolbar's commands on lists and records: create and delete a list, add, remove and select
// records, and the automatic column widths.
#include <algorithm>

#include "app/AppContext.h"
#include "app/FormSelector.h"
#include "app/ToolbarButtons.h"
#include "app/ToolbarCommands.h"
#include "lists/ListStore.h"
#include "lists/ListTreeController.h"
#include "platform/Dialogs.h"
#include "platform/RecordTable.h"
#include "platform/TextCodec.h"

void ToolbarCommands::newList() {
    DropDownList& selector = view_.formSelector();
    if (app_.formLibrary.empty()) {
        warn(GBK("请先新建一个表单，才能根据此表单新建一个列表！"));
        view_.openFormDesigner();
        return;
    }
    const int chosen = selector.selectedIndex();
    if (chosen < 0 || chosen >= selector.count() - 1 ||
        chosen >= static_cast<int>(app_.formLibrary.size())) {
        warn(GBK("请先选择一个表单，才能根据此表单新建一个列表！"));
        selector.setSelectedIndex(0);
        return;
    }
    // A failure is reported by the store and leaves the tree as it was.
    const std::optional<std::string> name = app_.lists->createList(app_.formLibrary[chosen]);
    if (!name) return;
    ListTree& tree = app_.tree;
    const int listNode = tree.addItem(-1, {*name, TreeImage::List, TreeImage::List, 0});
    const std::vector<ListField>& fields = app_.currentList.fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].key) continue;
        tree.addItem(listNode, {fields[i].name, TreeImage::KeyField, TreeImage::KeyField,
                                static_cast<int32_t>(i + 1)});
    }
    app_.lists->saveListState(true);
    // The writes let events through: lists deleted meanwhile move the new node, which is found
    // again by its name (the last root item of that name; none when it went away meanwhile).
    const std::vector<int> lists = tree.children(-1);
    const auto node = std::find_if(lists.rbegin(), lists.rend(),
                                   [&](int list) { return tree.item(list).text == *name; });
    if (node == lists.rend()) return;
    tree.setExpanded(*node, true);
    tree.select(*node);
}

void ToolbarCommands::deleteList() {
    ListTree& tree = app_.tree;
    const int selected = tree.selectedIndex();
    if (selected < 0) return;
    const std::string name = tree.item(selected).text;
    if (!confirm(GBK("确定要删除【") + name + GBK("】列表吗？"))) return;
    if (!confirm(GBK("请再次确认，真的要删除【") + name + GBK("】列表吗？"))) return;
    app_.lists->deleteListFiles(name);
    // The questions let events through: the selection may have moved meanwhile.
    const int s = tree.selectedIndex();
    if (s >= 0 && tree.item(s).text == name && tree.depth(s) == 1) tree.deleteItem(s);
    // A deleted list keeps no definition in the settings.
    if (app_.currentList.name == name) app_.currentList.name.clear();
    app_.lists->saveListState(true);
    if (tree.count() == 0) {
        app_.listTree->showSelectedNode();
        return;
    }
    tree.select(std::min(std::max(s, 0), tree.count() - 1));
}

void ToolbarCommands::addRecord() {
    if (app_.currentList.name.empty()) {
        warn(GBK("请先在左侧选中一个列表再录入！"));
        return;
    }
    view_.openEntryPanel();
}

void ToolbarCommands::removeRecords() {
    // Rows that are still loading or being sorted are not the rows to choose from.
    if (app_.listTree->loading() || app_.grid.sortRunning()) return;
    RecordGrid& grid = app_.grid;
    std::vector<int> rows;
    grid.copySelection(rows);
    std::sort(rows.begin(), rows.end());
    if (rows.empty()) {
        warn(GBK("请先选择要移除的记录行！"));
        return;
    }
    if (!confirm(GBK("确定要移除选中的记录吗？"))) return;
    // A load or sort that ran during the question has changed the rows: take them anew.
    if (app_.listTree->loading() || app_.grid.sortRunning()) return;
    rows.clear();
    grid.copySelection(rows);
    std::sort(rows.begin(), rows.end());

    RecordTable& table = *app_.tables;
    table.beginBatch();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (table.goToBookmark(grid.rowRecord(*it).bookmark) && table.deleteRecord())
            grid.removeRow(*it, true);
    }
    // Purged in the same batch: a kill between the marks and the purge would bring them back.
    table.purgeDeleted();
    if (!table.commitBatch()) {
        dialogs_.showMessage(table.lastErrorMessage(), app_.productTitle, MessageIcon::Exclamation);
        app_.treeNavigation.lastOpenedListNode = TreeNavigation::kReloadList;
    }
    app_.listTree->applyColumnWidthMode();

    ListTree& tree = app_.tree;
    const int s = tree.selectedIndex();
    const std::string text = tree.item(s).text;
    app_.suppressTreeSelection = true;
    tree.select(-1);
    app_.suppressTreeSelection = false;
    app_.listTree->rebuildValueNodes();
    // The rebuild lets events through: a node the user selected meanwhile is shown and stays.
    if (tree.selectedIndex() == -1) {
        // A value node that went away or moved shows its list anew; otherwise the rows are right.
        const bool reload = tree.item(s).text != text ||
                            app_.treeNavigation.lastOpenedListNode == TreeNavigation::kReloadList;
        if (reload)
            app_.treeNavigation.lastOpenedListNode = TreeNavigation::kReloadList;
        else
            app_.suppressTreeSelection = true;
        tree.select(s);
        app_.suppressTreeSelection = false;
    }
    app_.lists->saveListState(true);
}

void ToolbarCommands::selectAllRecords() {
    app_.grid.selectAll();
}

void ToolbarCommands::toggleAutoWidth() {
    const bool on = !view_.toolbarChecked(ToolbarButton::AutoWidth);
    view_.setToolbarChecked(ToolbarButton::AutoWidth, on);
    if (on) app_.listTree->applyColumnWidthMode();
    app_.settings.selectSection(GBK("主界面"));
    app_.settings.writeBool(GBK("自动列宽"), on);
}
