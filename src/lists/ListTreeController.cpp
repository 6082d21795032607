#include "lists/ListTreeController.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "lists/TreeFile.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"

namespace {

const std::string& windowSection() {
    return GBK("主界面");
}
const std::string& selectionKey() {
    return GBK("树型框.索引");
}

}  // namespace

ListTreeController::ListTreeController(ListTree& tree, ListStore& store, ListGrid& grid,
                                       SettingsStore& settings, Dialogs& dialogs,
                                       TreeNavigation& navigation, bool& suppressTreeSelection,
                                       UiYield yieldToUi, std::chrono::milliseconds yieldInterval)
    : tree_(tree),
      store_(store),
      grid_(grid),
      settings_(settings),
      dialogs_(dialogs),
      navigation_(navigation),
      suppressTreeSelection_(suppressTreeSelection),
      yieldToUi_(std::move(yieldToUi)),
      yieldInterval_(yieldInterval) {
    tree_.setSelectionHandler([this] { showSelectedNode(); });
    tree_.addListener(this);
    store_.setTreeSaver([this] { saveTreeFile(); });
}

ListTreeController::~ListTreeController() {
    tree_.removeListener(this);
    tree_.setSelectionHandler({});
    store_.setTreeSaver({});
}

std::string ListTreeController::treeFilePath() const {
    return store_.dataFolder() + "/" + GBK("树型框数据.AI");
}

void ListTreeController::loadTreeFile() {
    std::string bytes;
    readWholeFile(treeFilePath(), bytes);
    tree_.replaceItems(readTreeItems(bytes));
}

bool ListTreeController::saveTreeFile() {
    return replaceFileAtomically(treeFilePath(), tree_.itemData());
}

void ListTreeController::restoreTreeSelection() {
    settings_.selectSection(windowSection());
    double stored = settings_.readNumber(selectionKey(), 0);
    int index = std::isfinite(stored) && std::fabs(stored) < 1e9 ? static_cast<int>(stored) : -1;
    tree_.select(index);
    if (tree_.selectedIndex() == -1) showSelectedNode();
}

void ListTreeController::saveTreeSelection() {
    settings_.selectSection(windowSection());
    settings_.writeNumber(selectionKey(), tree_.selectedIndex());
}

// A removal made elsewhere may take away the shown list or move its index.
void ListTreeController::beginRemove(const TreeNode* parent, int row) {
    if (ownRemoval_) return;
    supersede();
    // Another list could come to stand at the index of the one shown and be taken for it.
    if (tree_.indexOf(tree_.childNode(parent, row)) <= navigation_.lastOpenedListNode)
        navigation_.lastOpenedListNode = TreeNavigation::kReloadList;
}

void ListTreeController::takeKnownValues() {
    refreshKeyFieldNodes();
    navigation_.valueSets.assign(navigation_.keyFieldNodes.size(), ValueSet{});
    for (size_t j = 0; j < navigation_.keyFieldNodes.size(); ++j) {
        const TreeNode* keyField = tree_.nodeAt(navigation_.keyFieldNodes[j]);
        for (int row = 0; row < tree_.childCount(keyField); ++row)
            navigation_.valueSets[j].addValue(tree_.itemOf(tree_.childNode(keyField, row)).text);
    }
}

void ListTreeController::showSelectedNode() {
    if (suppressTreeSelection_) {
        suppressTreeSelection_ = false;
        return;
    }
    unsigned generation = ++generation_;
    int selected = tree_.selectedIndex();
    bool listSelected = selected != -1 && tree_.item(selected).image == TreeImage::List;
    if (hooks_.enableDeleteList) hooks_.enableDeleteList(listSelected);
    if (selected == -1) {
        grid_.clearRows();
        grid_.clearColumns();
        store_.current().name.clear();
        return;
    }
    const TreeItem& item = tree_.item(selected);
    TreeNavigation& nav = navigation_;
    nav.filtering = item.image == TreeImage::Value;
    if (item.image == TreeImage::Value) {
        nav.filterValue = item.text;
        nav.filterField = tree_.item(tree_.parent(selected)).value;
        nav.listNode = tree_.parent(tree_.parent(selected));
    } else if (item.image == TreeImage::KeyField) {
        nav.filterValue.clear();
        nav.filterField = item.value;
        nav.listNode = tree_.parent(selected);
    } else {
        nav.filterValue.clear();
        nav.listNode = selected;
    }
    std::string name = tree_.item(nav.listNode).text;
    bool otherList = nav.listNode != nav.lastOpenedListNode;
    bool updateTree = otherList || valueNodesIncomplete_;
    if (otherList) takeKnownValues();
    store_.loadListDefinition(name);
    if (otherList && entryPanelOpen() && hooks_.rebuildEntryPanel) hooks_.rebuildEntryPanel();
    if (generation != generation_) return;
    grid_.clearRows(true);
    grid_.clearColumns(true);
    nav.lastOpenedListNode = nav.listNode;

    if (!store_.openList(name)) {
        // The grid was emptied without a repaint: it would go on showing the previous list.
        grid_.clearRows();
        grid_.clearColumns();
        dialogs_.showMessage(GBK("打开列表页失败，请重开软件再试，还是不行请删除然后新建。"),
                             store_.tables().lastErrorMessage(), MessageIcon::Exclamation);
        if (generation == generation_ && entryPanelOpen() && hooks_.closeEntryPanel)
            hooks_.closeEntryPanel();
        return;
    }
    RecordTable& table = store_.tables();
    const std::vector<ListField>& fields = store_.current().fields;
    for (int i = 1; i <= table.fieldCount(); ++i) {
        std::optional<int> width;
        if (i <= static_cast<int>(fields.size())) width = fields[i - 1].width;
        grid_.addColumn(table.fieldName(i), width, true, true);
    }
    applyColumnWidthMode();
    std::vector<std::string> rowTexts(static_cast<size_t>(grid_.columnCount()));
    valueNodesIncomplete_ = updateTree;
    loading_ = true;
    bool finished = forEachRecord(
        generation, [&](int r) { showStoredRecord(r, rowTexts, false, updateTree, 0); });
    loading_ = false;
    if (!finished) return;
    valueNodesIncomplete_ = false;
    applyColumnWidthMode();
}

bool ListTreeController::forEachRecord(unsigned generation, const std::function<void(int)>& step) {
    ThrottledYield yield(yieldToUi_, yieldInterval_);
    loadEnd_ = std::numeric_limits<int>::max();
    // Going to each record in turn finds the end without a count, which would read the table once
    // more before the first row.
    for (int r = 1; r < loadEnd_ && store_.tables().goTo(r); ++r) {
        yield();
        if (generation != generation_) return false;
        step(r);
    }
    return true;
}

void ListTreeController::showRecord(int recordNumber, std::vector<std::string>& rowTexts,
                                    bool resizeTexts, bool updateTree, int replaceRow) {
    // A record added while a load runs comes after those the load is to show, and has its row
    // now: the load must not add it again.
    if (loading_ && replaceRow == 0) loadEnd_ = std::min(loadEnd_, recordNumber);
    showStoredRecord(recordNumber, rowTexts, resizeTexts, updateTree, replaceRow);
}

void ListTreeController::showStoredRecord(int recordNumber, std::vector<std::string>& rowTexts,
                                          bool resizeTexts, bool updateTree, int replaceRow) {
    RecordTable& table = store_.tables();
    // From the go-to until the grid has its copy of the record's views, no other thread may move
    // the current record. Committed on every path: a hold left to roll back would undo a caller's
    // enclosing batch.
    RecordBatch hold(table);
    if (table.goTo(recordNumber)) showCurrentRecord(rowTexts, resizeTexts, updateTree, replaceRow);
    hold.commit();
}

void ListTreeController::showCurrentRecord(std::vector<std::string>& rowTexts, bool resizeTexts,
                                           bool updateTree, int replaceRow) {
    size_t columns = static_cast<size_t>(grid_.columnCount());
    if (resizeTexts || rowTexts.size() < columns) rowTexts.assign(columns, std::string());
    if (!store_.recordDisplayViews(rowViews_, rowTexts)) rowViews_.clear();
    // Columns the table lacks show empty.
    rowViews_.resize(columns);
    auto shown = [&](int fieldNumber) {
        return fieldNumber >= 1 && static_cast<size_t>(fieldNumber) <= columns
                   ? rowViews_[fieldNumber - 1]
                   : std::string_view();
    };
    if (updateTree) addCurrentKeyValues(shown);
    const TreeNavigation& nav = navigation_;
    bool passesFilter = !nav.filtering || keptTreeText(shown(nav.filterField)) == nav.filterValue;
    if (passesFilter && replaceRow != 0) {
        for (size_t c = 0; c < columns; ++c) rowTexts[c].assign(rowViews_[c]);
        grid_.setRow(replaceRow, rowTexts, std::nullopt, true, true);
    } else if (passesFilter) {
        grid_.addRowViews(rowViews_, store_.tables().bookmark(), true, true);
    }
}

void ListTreeController::addKeyValues(int recordNumber) {
    // The record stays current while its views are read.
    RecordBatch hold(store_.tables());
    if (store_.tables().goTo(recordNumber))
        addCurrentKeyValues(
            [this](int fieldNumber) { return store_.fieldDisplayView(fieldNumber, keyText_); });
    hold.commit();
}

template <class KeyText>
void ListTreeController::addCurrentKeyValues(KeyText keyText) {
    RecordTable& table = store_.tables();
    TreeNavigation& nav = navigation_;
    const std::vector<ListField>& fields = store_.current().fields;
    size_t j = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].key) continue;
        refreshKeyFieldNodes();
        // A tree that lost key-field nodes gets no values for the key fields beyond them.
        if (j >= nav.keyFieldNodes.size() || j >= nav.valueSets.size()) return;
        std::string_view key = keptTreeText(keyText(static_cast<int>(i + 1)));
        if (nav.valueSets[j].addValue(key)) {
            TreeItem value{std::string(key), TreeImage::Value, TreeImage::Value, table.bookmark()};
            tree_.addItem(nav.keyFieldNodes[j], std::move(value));
            tree_.setExpanded(nav.keyFieldNodes[j], true);
        }
        ++j;
    }
}

void ListTreeController::refreshKeyFieldNodes() {
    int listNode = navigation_.listNode;
    if (listNode >= 0 && listNode < tree_.count())
        tree_.children(listNode, navigation_.keyFieldNodes);
    else
        navigation_.keyFieldNodes.clear();
}

void ListTreeController::rebuildValueNodes() {
    unsigned generation = ++generation_;
    TreeNavigation& nav = navigation_;
    refreshKeyFieldNodes();
    size_t keyFieldCount = nav.keyFieldNodes.size();
    ownRemoval_ = true;
    for (auto it = nav.keyFieldNodes.rbegin(); it != nav.keyFieldNodes.rend(); ++it)
        tree_.deleteItem(*it);
    ownRemoval_ = false;
    const std::vector<ListField>& fields = store_.current().fields;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!fields[i].key) continue;
        tree_.addItem(nav.listNode, TreeItem{fields[i].name, TreeImage::KeyField,
                                             TreeImage::KeyField, static_cast<int32_t>(i + 1)});
    }
    nav.valueSets.assign(keyFieldCount, ValueSet{});
    valueNodesIncomplete_ = true;
    if (forEachRecord(generation, [&](int r) { addKeyValues(r); })) valueNodesIncomplete_ = false;
}

void ListTreeController::applyColumnWidthMode() {
    if (hooks_.autoColumnWidth && hooks_.autoColumnWidth())
        grid_.autoFitColumns();
    else
        grid_.scrollColumns();
}

bool ListTreeController::mayRename(int index) const {
    return !loading_ && tree_.depth(index) == 1;
}

bool ListTreeController::finishRename(const std::string& newText) {
    int selected = tree_.selectedIndex();
    if (tree_.depth(selected) != 1) return false;
    std::string oldName = tree_.item(selected).text;
    if (newText == oldName) return false;
    if (!store_.renameListFiles(oldName, newText)) {
        // The list keeps its files and name: open it again.
        store_.openList(oldName);
        return false;
    }
    store_.renameListDefinition(oldName, newText);
    // The settings let events through: another list may be shown now, and insertions may have
    // moved the node, so both are looked up again.
    if (store_.current().name == oldName) {
        store_.current().name = newText;
        store_.openList(newText);
    }
    for (int list : tree_.children(-1)) {
        if (tree_.item(list).text != oldName) continue;
        tree_.setText(list, newText);
        break;
    }
    // The files bear the new name from now on: a tree file still naming the old one would lose
    // the list to a process that ends before the next save.
    saveTreeFile();
    return true;
}
