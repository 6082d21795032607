#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>

#include "forms/FieldText.h"
#include "lists/ListTreeController.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "settings/SettingsStore.h"
#include "support/FakeListGrid.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string kKey = GBK("平台");

// 平台 (key), 名称, 备注.
FormSpec testForm(const std::string& name) {
    return {name,
            {{kKey, FieldType::Text, 10, 0, true},
             {GBK("名称"), FieldType::Text, 30, 0, false},
             {GBK("备注"), FieldType::Text, 100, 0, false}}};
}

class ListTreeControllerTest : public ::testing::Test {
  protected:
    ListTreeControllerTest() {
        settings.open(dir.file("settings.ini"));
        controller.setHooks({[this] { return autoWidth; },
                             [this](bool enabled) { deleteListEnabled = enabled; },
                             [this] { return panelOpen; }, [this] { ++panelRebuilds; },
                             [this] { panelOpen = false; }});
    }

    // Creates a list the way the toolbar does: its table with these records (平台, 名称), its
    // definition, its node with one node per key field. Returns the list node's index.
    int addList(const std::string& name,
                const std::vector<std::pair<std::string, std::string>>& records,
                const FormSpec& form = {}) {
        auto created = store.createList(form.fields.empty() ? testForm(name) : form);
        EXPECT_EQ(created, name);
        EXPECT_TRUE(store.openList(name));
        {
            RecordBatch batch(tables);
            for (const auto& [key, title] : records) {
                tables.addBlankRecord();
                tables.write(1, key);
                tables.write(2, title);
            }
            EXPECT_TRUE(batch.commit());
        }
        store.saveListState(false);
        int node = tree.addItem(-1, {name, TreeImage::List, TreeImage::List, 0});
        for (size_t i = 0; i < current.fields.size(); ++i)
            if (current.fields[i].key)
                tree.addItem(node, {current.fields[i].name, TreeImage::KeyField,
                                    TreeImage::KeyField, static_cast<int32_t>(i + 1)});
        navigation.lastOpenedListNode = TreeNavigation::kReloadList;
        return node;
    }

    int32_t bookmarkOf(int recordNumber) {
        tables.goTo(recordNumber);
        return tables.bookmark();
    }

    // Texts of the children of the node at index, in order.
    std::vector<std::string> childTexts(int index) {
        std::vector<std::string> texts;
        for (int child : tree.children(index)) texts.push_back(tree.item(child).text);
        return texts;
    }

    int indexOfText(const std::string& text) {
        for (int i = 0; i < tree.count(); ++i)
            if (tree.item(i).text == text) return i;
        return -1;
    }

    TempDir dir;
    SqliteRecordTable tables{200ms};
    SettingsStore settings;
    ScriptedDialogs dialogs;
    CurrentList current;
    ListStore store{dir.path(), tables, settings, dialogs, current};
    ListTree tree;
    FakeListGrid grid;
    TreeNavigation navigation;
    bool suppress = false;
    std::function<void()> onYield;
    int yields = 0;
    ListTreeController controller{tree,
                                  store,
                                  grid,
                                  settings,
                                  dialogs,
                                  navigation,
                                  suppress,
                                  [this] {
                                      ++yields;
                                      if (onYield) onYield();
                                  },
                                  0ms};
    bool autoWidth = false;
    bool deleteListEnabled = false;
    bool panelOpen = false;
    int panelRebuilds = 0;
};

TEST_F(ListTreeControllerTest, SelectingAListShowsAllItsRecordsAndAddsTheirValues) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}, {"x", "a3"}});
    tree.select(a);
    ASSERT_EQ(grid.columns.size(), 3u);
    EXPECT_EQ(grid.columns[0].title, kKey);
    EXPECT_EQ(grid.columns[2].title, GBK("备注"));
    for (const auto& c : grid.columns) EXPECT_EQ(c.width, 100);
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"x", "y", "x"}));
    EXPECT_EQ(grid.rows[1].cells, (std::vector<std::string>{"y", "a2", ""}));
    for (int r = 1; r <= 3; ++r) EXPECT_EQ(grid.rows[r - 1].bookmark, bookmarkOf(r));

    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(tree.item(a + 2).value, bookmarkOf(1));  // the record that first showed x
    EXPECT_EQ(tree.item(a + 3).value, bookmarkOf(2));
    EXPECT_EQ(tree.item(a + 2).image, TreeImage::Value);
    EXPECT_TRUE(tree.item(a + 1).expanded);
    EXPECT_TRUE(deleteListEnabled);
    EXPECT_EQ(current.name, "A");
    EXPECT_EQ(navigation.keyFieldNodes, std::vector<int>{a + 1});
    EXPECT_GE(grid.relayouts, 2);
    EXPECT_EQ(yields, 3);
}

TEST_F(ListTreeControllerTest, AValueNodeShowsOnlyItsRecords) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}, {"x", "a3"}});
    tree.select(a);
    int count = tree.count();
    struct Case {
        int node;
        std::vector<std::string> titles;
    } cases[] = {
        {a + 2, {"a1", "a3"}},        // value x
        {a + 3, {"a2"}},              // value y
        {a + 1, {"a1", "a2", "a3"}},  // the key field
        {a, {"a1", "a2", "a3"}},      // the list
    };
    for (const auto& c : cases) {
        tree.select(c.node);
        std::vector<std::string> titles;
        for (const auto& row : grid.rows) titles.push_back(row.cells[1]);
        EXPECT_EQ(titles, c.titles) << c.node;
        EXPECT_EQ(deleteListEnabled, c.node == a) << c.node;
        EXPECT_EQ(tree.count(), count);
    }
}

TEST_F(ListTreeControllerTest, OnlyAnotherListsSelectionAddsValuesAndNeverTwice) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}});
    int b = addList("B", {{"q", "b1"}});
    tree.select(a);
    // A value node lost (as from an older tree file) is not added back by the same list...
    tree.deleteItem(a + 3);
    b = indexOfText("B");
    tree.select(a + 1);
    EXPECT_EQ(childTexts(a + 1), std::vector<std::string>{"x"});
    // ...but a showing after another list's adds it and the values new since, after the known.
    ASSERT_TRUE(store.openList("A"));
    tables.addBlankRecord();
    tables.write(1, std::string("w"));
    tree.select(b);
    EXPECT_EQ(childTexts(b + 1), std::vector<std::string>{"q"});
    tree.select(a);
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"x", "y", "w"}));
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"x", "y", "w"}));
}

TEST_F(ListTreeControllerTest, AListThatTakesTheIndexOfADeletedOneIsShownAsAnotherList) {
    int a = addList("A", {{"x", "a1"}});
    int b = addList("B", {{"q", "b1"}});
    tree.select(b);
    tree.select(a);
    ASSERT_TRUE(store.openList("B"));
    tables.addBlankRecord();
    tables.write(1, std::string("r"));
    // The list shown is deleted, and the one after it moves to its index, as the toolbar does.
    store.deleteListFiles("A");
    tree.deleteItem(a);
    tree.select(a);
    EXPECT_EQ(current.name, "B");
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"q", "r"}));
    // The values known are B's, not A's.
    tables.addBlankRecord();
    tables.write(1, std::string("x"));
    std::vector<std::string> texts;
    controller.showRecord(tables.recordNumber(), texts, true, true, 0);
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"q", "r", "x"}));
}

TEST_F(ListTreeControllerTest, NothingSelectedEmptiesTheGrid) {
    int a = addList("A", {{"x", "a1"}});
    tree.select(a);
    auto fields = current.fields;
    tree.select(-1);
    EXPECT_TRUE(grid.rows.empty());
    EXPECT_TRUE(grid.columns.empty());
    EXPECT_EQ(current.name, "");
    EXPECT_EQ(current.fields, fields);
    EXPECT_FALSE(deleteListEnabled);
}

TEST_F(ListTreeControllerTest, AListThatDoesNotOpenShowsTheMessageAndAnEmptyGrid) {
    int a = addList("A", {{"x", "a1"}});
    addList("C", {{"y", "c1"}});
    tree.select(a);  // adds A's values, which moves C
    int c = indexOfText("C");
    store.closeList("C");
    TempDir::write(diskPath(store.listTablePath("C")), std::string(3000, '\x17'));
    panelOpen = true;
    dialogs.expectMessage(GBK("打开列表页失败，请重开软件再试，还是不行请删除然后新建。"),
                          MessageIcon::Exclamation);
    tree.select(c);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_FALSE(dialogs.shown()[0].title.empty());
    EXPECT_EQ(dialogs.shown()[0].title, tables.lastErrorMessage());
    EXPECT_TRUE(grid.rows.empty());
    EXPECT_TRUE(grid.columns.empty());
    EXPECT_FALSE(grid.repaintPending);  // A's rows are not left on the screen
    EXPECT_FALSE(panelOpen);
    EXPECT_EQ(panelRebuilds, 1);  // rebuilt for the fields of C before opening it
    EXPECT_EQ(current.name, "C");
}

TEST_F(ListTreeControllerTest, AnEmptyKeyValueGetsOneNodeThatShowsOnlyItsRecords) {
    int a = addList("A", {{"", "a1"}, {"x", "a2"}, {"", "a3"}});
    tree.select(a);
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"", "x"}));
    tree.select(a + 2);
    std::vector<std::string> titles;
    for (const auto& row : grid.rows) titles.push_back(row.cells[1]);
    EXPECT_EQ(titles, (std::vector<std::string>{"a1", "a3"}));
    tree.select(a + 1);
    EXPECT_EQ(grid.rows.size(), 3u);
}

TEST_F(ListTreeControllerTest, AValueTooLongForTheTreeFileKeepsOneNodeThatShowsItsRecords) {
    FormSpec longKey = testForm("A");
    longKey.fields[0].length = 512;
    const std::string longValue(400, 'x'), longer = longValue + std::string(112, 'z');
    int a = addList("A", {{longer, "a1"}, {"y", "a2"}, {longer, "a3"}}, longKey);
    tree.select(a);
    ASSERT_TRUE(controller.saveTreeFile());
    // As after a restart: the tree from its file, the list shown anew.
    controller.loadTreeFile();
    navigation.lastOpenedListNode = TreeNavigation::kReloadList;
    tree.select(a);
    ASSERT_EQ(childTexts(a + 1).size(), 2u);
    tree.select(a + 2);
    std::vector<std::string> titles;
    for (const auto& row : grid.rows) titles.push_back(row.cells[1]);
    EXPECT_EQ(titles, (std::vector<std::string>{"a1", "a3"}));
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{longer, longer}));
}

TEST_F(ListTreeControllerTest, KeyFieldsWithoutTheirNodeGetNoValues) {
    FormSpec twoKeys = testForm("A");
    twoKeys.fields[1].key = true;
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}}, twoKeys);
    tree.deleteItem(a + 2);  // the node of the second key field is lost
    tree.select(a);
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(tree.count(), 4);
    EXPECT_EQ(grid.rows.size(), 2u);
}

TEST_F(ListTreeControllerTest, RebuildingKeepsTheValuesOfTheRemainingRecords) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}, {"z", "a3"}, {"y", "a4"}});
    addList("B", {{"q", "b1"}});
    tree.select(a);
    ASSERT_EQ(childTexts(a + 1), (std::vector<std::string>{"x", "y", "z"}));
    for (int r : {4, 2}) {
        ASSERT_TRUE(tables.goTo(r));
        ASSERT_TRUE(tables.deleteRecord());
    }
    ASSERT_TRUE(tables.purgeDeleted());
    controller.rebuildValueNodes();
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"x", "z"}));
    EXPECT_EQ(tree.item(a + 1).text, kKey);
    EXPECT_EQ(tree.item(a + 1).value, 1);
    EXPECT_EQ(tree.item(a + 3).value, bookmarkOf(2));
    EXPECT_EQ(tree.item(a + 4).text, "B");
}

TEST_F(ListTreeControllerTest, ARecordCanReplaceItsRow) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}});
    tree.select(a);
    ASSERT_TRUE(tables.goTo(2));
    ASSERT_TRUE(tables.write(1, std::string("v")));
    std::vector<std::string> texts;
    controller.showRecord(2, texts, true, true, 2);
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"x", "v"}));
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"x", "y", "v"}));
    controller.showRecord(1, texts, true, false, 0);
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"x", "v", "x"}));
}

TEST_F(ListTreeControllerTest, ARecordShownInsideAnEntryBatchLeavesTheBatchWhole) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}});
    tree.select(a);
    tree.select(indexOfText("x"));  // only the records of 平台 x
    ASSERT_EQ(grid.firstCells(), (std::vector<std::string>{"x"}));
    std::vector<std::string> texts;
    {
        // An entered record that the shown value filters out: its own batch must still commit.
        RecordBatch batch(tables);
        ASSERT_TRUE(tables.addBlankRecord());
        ASSERT_TRUE(tables.write(1, std::string("z")));
        controller.showRecord(tables.recordNumber(), texts, true, true, 0);
        EXPECT_TRUE(batch.commit());
    }
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"x"}));
    EXPECT_EQ(childTexts(a + 1), (std::vector<std::string>{"x", "y", "z"}));
    tree.select(a);
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"x", "y", "z"}));
}

TEST_F(ListTreeControllerTest, NoOtherThreadMovesTheRecordWhileItIsShown) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}});
    tree.select(a);
    const int32_t first = bookmarkOf(1);
    std::future<void> worker;
    grid.onColumnCount = [&] {
        if (worker.valid()) return;
        // A check's worker goes to another record of the table meanwhile.
        worker = std::async(std::launch::async, [&] {
            RecordBatch batch(tables);
            tables.goToBookmark(first);
            batch.commit();
        });
        worker.wait_for(200ms);
    };
    std::vector<std::string> texts;
    controller.showRecord(2, texts, true, false, 0);
    grid.onColumnCount = nullptr;
    worker.wait();
    ASSERT_EQ(grid.rows.size(), 3u);
    EXPECT_EQ(grid.rows[2].cells[0], "y");
    EXPECT_EQ(grid.rows[2].bookmark, bookmarkOf(2));
}

TEST_F(ListTreeControllerTest, ColumnWidthModeFollowsTheToggle) {
    int a = addList("A", {{"x", "a1"}});
    tree.select(a);
    EXPECT_EQ(grid.autoFits, 0);
    autoWidth = true;
    controller.applyColumnWidthMode();
    tree.select(a + 1);
    EXPECT_EQ(grid.autoFits, 3);
}

TEST_F(ListTreeControllerTest, OnlyListNodesAreRenamedAndNeverOntoAnotherList) {
    int a = addList("A", {{"x", "a1"}});
    addList("B", {{"q", "b1"}});
    tree.select(a);
    EXPECT_TRUE(controller.mayRename(a));
    EXPECT_FALSE(controller.mayRename(a + 1));
    EXPECT_FALSE(controller.mayRename(a + 2));

    for (const std::string refused : {"B", "A", "../A", "a/b"}) {
        EXPECT_FALSE(controller.finishRename(refused)) << refused;
        EXPECT_EQ(tree.item(a).text, "A");
        EXPECT_TRUE(tables.isOpen(store.listTablePath("A"))) << refused;
    }
    EXPECT_TRUE(fs::exists(diskPath(store.listTablePath("B"))));

    EXPECT_TRUE(controller.finishRename(GBK("新名")));
    EXPECT_EQ(tree.item(a).text, GBK("新名"));
    EXPECT_EQ(current.name, GBK("新名"));
    EXPECT_FALSE(fs::exists(diskPath(store.listTablePath("A"))));
    EXPECT_EQ(tables.recordCount(), 1);
    settings.selectSection(GBK("使用表单库"));
    EXPECT_EQ(settings.readText("A"), "");
    EXPECT_FALSE(settings.readText(GBK("新名")).empty());
    // The renamed list shows as before.
    tree.select(-1);
    tree.select(a);
    EXPECT_EQ(grid.firstCells(), std::vector<std::string>{"x"});
}

TEST_F(ListTreeControllerTest, ARenamedListIsFoundUnderItsNewNameEvenIfNothingIsSavedAfter) {
    int a = addList("A", {{"x", "a1"}});
    tree.select(a);
    store.saveListState(true);
    ASSERT_TRUE(controller.finishRename(GBK("新名")));
    // The process ends here without another save: the tree file must name the files as they are.
    controller.loadTreeFile();
    navigation.lastOpenedListNode = TreeNavigation::kReloadList;
    ASSERT_EQ(tree.item(a).text, GBK("新名"));
    tree.select(a);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(grid.firstCells(), std::vector<std::string>{"x"});
}

TEST_F(ListTreeControllerTest, ASelectionDuringARenameLeavesTheOtherListShownAndItsNodes) {
    addList("B", {{"q", "b1"}, {"r", "b2"}});
    int a = addList("A", {{"x", "a1"}});
    tree.select(a);
    // The settings let events through while the key is renamed: the user selects B, before A.
    bool selectedB = false;
    settings.setYieldToUi([&] {
        if (selectedB) return;
        selectedB = true;
        tree.select(indexOfText("B"));
    });
    EXPECT_TRUE(controller.finishRename(GBK("新名")));
    settings.setYieldToUi({});
    ASSERT_TRUE(selectedB);
    int b = indexOfText("B");
    EXPECT_EQ(childTexts(b + 1), (std::vector<std::string>{"q", "r"}));
    int renamed = indexOfText(GBK("新名"));
    ASSERT_GE(renamed, 0);
    EXPECT_EQ(tree.depth(renamed), 1);
    EXPECT_EQ(indexOfText("A"), -1);
    // B stays the list shown, current and open for writing.
    EXPECT_EQ(current.name, "B");
    EXPECT_EQ(tables.recordCount(), 2);
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"q", "r"}));
    tree.select(renamed);
    EXPECT_EQ(grid.firstCells(), std::vector<std::string>{"x"});
}

TEST_F(ListTreeControllerTest, ARenameOntoTheNameOfADeletedListKeepsItsOwnDefinition) {
    FormSpec other{"B", {{GBK("网址"), FieldType::Link, 0, 0, false}, {kKey, FieldType::Text, 10}}};
    int b = addList("B", {{"t||http://b", "k"}}, other);
    int gone = addList("A", {{"x", "a1"}});
    store.deleteListFiles("A");  // its definition stays in the settings
    tree.deleteItem(gone);
    tree.select(b);
    const std::vector<ListField> fields = current.fields;
    ASSERT_TRUE(controller.finishRename("A"));
    tree.select(-1);
    tree.select(b);
    EXPECT_EQ(current.fields, fields);
    EXPECT_EQ(grid.firstCells(), std::vector<std::string>{"t"});
}

TEST_F(ListTreeControllerTest, TheSelectionIsRestoredFromTheSettings) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}});
    tree.select(a);
    tree.select(-1);
    settings.selectSection(GBK("主界面"));
    settings.writeNumber(GBK("树型框.索引"), a + 3);
    controller.restoreTreeSelection();
    EXPECT_EQ(tree.selectedIndex(), a + 3);
    EXPECT_EQ(grid.firstCells(), std::vector<std::string>{"y"});

    tree.select(a);
    controller.saveTreeSelection();
    settings.selectSection(GBK("主界面"));
    EXPECT_EQ(settings.readNumber(GBK("树型框.索引"), 99), a);

    // An index without an item selects nothing and empties the grid.
    tree.select(-1);
    grid.rows.push_back({{"stale"}, 0});
    deleteListEnabled = true;
    settings.writeNumber(GBK("树型框.索引"), 40);
    controller.restoreTreeSelection();
    EXPECT_EQ(tree.selectedIndex(), -1);
    EXPECT_TRUE(grid.rows.empty());
    EXPECT_FALSE(deleteListEnabled);
}

TEST_F(ListTreeControllerTest, TheTreeFileKeepsTheTree) {
    int a = addList("A", {{"x", "a1"}, {"y", "a2"}});
    addList("B", {{"q", "b1"}});
    tree.select(a);
    std::string before = tree.itemData();
    store.saveListState(true);
    EXPECT_EQ(TempDir::read(diskPath(controller.treeFilePath())), before);
    EXPECT_EQ(fs::path(diskPath(controller.treeFilePath())).filename().string(), "树型框数据.AI");
    // Only the tree file is in the folder besides the tables: no temporary file is left.
    int others = 0;
    for (const auto& e : fs::directory_iterator(diskPath(store.dataFolder())))
        others += e.path().extension() != ".edb" && e.path().extension() != ".edt";
    EXPECT_EQ(others, 1);

    // A new state replaces the file instead of rewriting it: a reader of the old file (as a
    // process killed while writing would leave it) still sees the old tree whole.
    std::ifstream oldFile(diskPath(controller.treeFilePath()), std::ios::binary);
    tree.addItem(-1, {"C", TreeImage::List, TreeImage::List, 0});
    ASSERT_TRUE(controller.saveTreeFile());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(oldFile), {}), before);
    EXPECT_EQ(TempDir::read(diskPath(controller.treeFilePath())), tree.itemData());
    tree.deleteItem(tree.count() - 1);
    ASSERT_TRUE(controller.saveTreeFile());

    ListTree loadedTree;
    TreeNavigation otherNavigation;
    bool otherSuppress = false;
    FakeListGrid otherGrid;
    ListTreeController loader(loadedTree, store, otherGrid, settings, dialogs, otherNavigation,
                              otherSuppress);
    loader.loadTreeFile();
    EXPECT_EQ(loadedTree.itemData(), before);
    EXPECT_TRUE(loadedTree.item(a + 1).expanded);

    fs::remove(diskPath(controller.treeFilePath()));
    loader.loadTreeFile();
    EXPECT_EQ(loadedTree.count(), 0);
    fs::remove_all(diskPath(store.dataFolder()));
    EXPECT_FALSE(controller.saveTreeFile());
}

TEST_F(ListTreeControllerTest, ASelectionDuringALoadSupersedesIt) {
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 50; ++i) many.push_back({"v" + std::to_string(i), "a"});
    int a = addList("A", many);
    addList("B", {{"q", "b1"}, {"r", "b2"}});
    onYield = [&] {
        if (yields == 10) tree.select(indexOfText("B"));
    };
    tree.select(a);
    onYield = nullptr;
    // B's load ran inside A's; A's stopped and added nothing after it.
    EXPECT_EQ(current.name, "B");
    EXPECT_EQ(grid.firstCells(), (std::vector<std::string>{"q", "r"}));
    EXPECT_EQ(childTexts(a + 1).size(), 9u);
    EXPECT_FALSE(controller.loading());
    int b = indexOfText("B");
    EXPECT_EQ(childTexts(b + 1), (std::vector<std::string>{"q", "r"}));

    // Showing A again completes its values, without doubles.
    tree.select(a);
    EXPECT_EQ(childTexts(a + 1).size(), 50u);
    EXPECT_EQ(grid.rows.size(), 50u);
}

TEST_F(ListTreeControllerTest, AValueOfTheSameListDuringItsLoadStillGetsEveryValueNode) {
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 30; ++i) many.push_back({"v" + std::to_string(i), "a"});
    int a = addList("A", many);
    onYield = [&] {
        if (yields == 5) tree.select(a + 2);  // the value v0, already added
    };
    tree.select(a);
    onYield = nullptr;
    EXPECT_EQ(childTexts(a + 1).size(), 30u);
    EXPECT_EQ(grid.firstCells(), std::vector<std::string>{"v0"});
}

TEST_F(ListTreeControllerTest, ARecordEnteredDuringALoadIsShownOnce) {
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 30; ++i) many.push_back({"v" + std::to_string(i), "a"});
    int a = addList("A", many);
    onYield = [&] {
        if (yields != 10) return;
        // The entry panel adds a record and shows it.
        RecordBatch batch(tables);
        tables.addBlankRecord();
        tables.write(1, std::string("new"));
        std::vector<std::string> texts;
        controller.showRecord(tables.recordNumber(), texts, true, true, 0);
        batch.commit();
    };
    tree.select(a);
    onYield = nullptr;
    std::vector<std::string> cells = grid.firstCells();
    EXPECT_EQ(cells.size(), 31u);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), "new"), 1);
    EXPECT_EQ(childTexts(a + 1).size(), 31u);
}

TEST_F(ListTreeControllerTest, ADeletionOrACloseDuringALoadStopsIt) {
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 40; ++i) many.push_back({"v" + std::to_string(i), "a"});
    int a = addList("A", many);
    struct Case {
        const char* what;
        std::function<void()> interrupt;
    } cases[] = {
        {"deletion", [&] { tree.deleteItem(indexOfText("A")); }},
        {"close", [&] { controller.supersede(); }},
    };
    for (const auto& c : cases) {
        if (indexOfText("A") < 0) a = addList("A2", many);
        size_t rowsWhenInterrupted = 0;
        int treeItemsWhenInterrupted = 0;
        int yieldsWhenInterrupted = 0;
        yields = 0;
        onYield = [&] {
            if (yields != 7) return;
            c.interrupt();
            rowsWhenInterrupted = grid.rows.size();
            treeItemsWhenInterrupted = tree.count();
            yieldsWhenInterrupted = yields;
        };
        tree.select(-1);
        navigation.lastOpenedListNode = TreeNavigation::kReloadList;
        tree.select(a);
        onYield = nullptr;
        EXPECT_EQ(rowsWhenInterrupted, 6u) << c.what;
        EXPECT_EQ(grid.rows.size(), rowsWhenInterrupted) << c.what;
        EXPECT_EQ(tree.count(), treeItemsWhenInterrupted) << c.what;
        EXPECT_EQ(yields, yieldsWhenInterrupted) << c.what;
    }
}

}  // namespace
