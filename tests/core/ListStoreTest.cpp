#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "forms/FieldText.h"
#include "lists/ListFieldsForGrid.h"
#include "lists/ListStore.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "settings/SettingsStore.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const std::string& createFailedText() {
    return GBK(
        "新建列表失败，请检查当前选择的表单是否存在错误，比如没有字段，或字段名重复，或字段名存在"
        "非法字符！");
}

FormSpec sampleForm() {
    return {GBK("示例表单"), parseFormFieldText(sampleFieldText())};
}

FormSpec formOf(std::string name, std::vector<FieldSpec> fields) {
    return {std::move(name), std::move(fields)};
}

class ListStoreTest : public ::testing::Test {
  protected:
    ListStoreTest() { settings.open(dir.file("settings.ini")); }

    bool exists(const std::string& gbkPath) { return fs::exists(diskPath(gbkPath)); }
    std::string dataFile(const std::string& name) { return store.dataFolder() + "/" + name; }

    // Every file of the test's folder (which holds the run directory two levels down).
    std::set<std::string> filesOnDisk() {
        std::set<std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(dir.path()))
            files.insert(e.path().string());
        return files;
    }

    TempDir dir;
    std::string runDirectory = dir.path() + "/run/" + GBK("程序");
    SqliteRecordTable tables{200ms};
    SettingsStore settings;
    ScriptedDialogs dialogs;
    CurrentList current;
    ListStore store{runDirectory, tables, settings, dialogs, current};
};

TEST_F(ListStoreTest, NewListsTakeTheFormNameAndTheFirstFreeCounter) {
    EXPECT_EQ(store.listTablePath(GBK("示例表单")),
              runDirectory + "/" + GBK("程序数据") + "/" + GBK("示例表单") + ".edb");
    EXPECT_EQ(store.createList(sampleForm()), GBK("示例表单"));
    EXPECT_EQ(store.createList(sampleForm()), GBK("示例表单") + "1");
    // A stray companion file does not make its name taken.
    TempDir::write(diskPath(dataFile(GBK("示例表单") + "2.edt")), "stray");
    EXPECT_EQ(store.createList(sampleForm()), GBK("示例表单") + "2");
    EXPECT_TRUE(store.openList(GBK("示例表单") + "2")) << tables.lastErrorMessage();

    EXPECT_EQ(current.name, GBK("示例表单") + "2");
    ASSERT_EQ(current.fields.size(), 12u);
    for (const ListField& f : current.fields) EXPECT_EQ(f.width, 0);
    EXPECT_EQ(current.fields[0].name, GBK("平台"));
    EXPECT_TRUE(current.fields[0].key);

    // Saved with width 0, the definition reads back with width 100.
    store.saveListState(false);
    CurrentList saved = current;
    store.loadListDefinition(current.name);
    ASSERT_EQ(current.fields.size(), 12u);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(current.fields[i].width, 100);
        EXPECT_EQ(static_cast<FieldSpec>(current.fields[i]),
                  static_cast<FieldSpec>(saved.fields[i]));
    }
}

TEST_F(ListStoreTest, FieldTypesDecideTheColumns) {
    std::vector<FieldSpec> fields = {
        {"text30", FieldType::Text, 30, 0, false},
        {"link", FieldType::Link, 30, 0, false},
        {"ftp", FieldType::FtpLink, 500, 0, false},
        {"qq", FieldType::QqLink, 500, 0, false},
        {"ping", FieldType::Ping, 500, 0, false},
        {"free", FieldType::FreeDateTime, 500, 0, false},
        {"int", FieldType::Integer, 10, 0, false},
        {"memo", FieldType::LongText, 0, 0, false},
    };
    ASSERT_TRUE(store.createList(formOf("t", fields)));
    ASSERT_TRUE(store.openList("t"));
    struct Case {
        int column;
        int32_t type;
        size_t keptBytes;
    } cases[] = {{1, ColumnType::Text, 30},      {2, ColumnType::Text, 512},
                 {3, ColumnType::Text, 80},      {4, ColumnType::Text, 55},
                 {5, ColumnType::Text, 20},      {6, ColumnType::Text, 30},
                 {8, ColumnType::LongText, 5000}};
    ASSERT_TRUE(tables.addBlankRecord());
    for (const auto& c : cases) {
        EXPECT_EQ(tables.fieldType(c.column), c.type) << c.column;
        ASSERT_TRUE(tables.write(c.column, std::string(5000, 'x')));
        EXPECT_EQ(store.fieldValueText(c.column).size(), c.keptBytes) << c.column;
    }
    EXPECT_EQ(tables.fieldType(7), ColumnType::Integer);
    EXPECT_FALSE(tables.write(7, std::string("12")));
    EXPECT_EQ(store.fieldValueText(7), "0");
}

TEST_F(ListStoreTest, AFormTheTableRefusesCreatesNothing) {
    ASSERT_TRUE(store.createList(sampleForm()));
    CurrentList before = current;
    std::vector<FormSpec> refused = {
        formOf("empty", {}),
        formOf("twice",
               {{"a", FieldType::Text, 10, 0, false}, {"a", FieldType::Text, 10, 0, false}}),
    };
    for (const auto& form : refused) {
        dialogs.expectMessage(createFailedText(), MessageIcon::Exclamation);
        EXPECT_FALSE(store.createList(form)) << form.name;
        EXPECT_FALSE(exists(store.listTablePath(form.name))) << form.name;
        EXPECT_FALSE(exists(dataFile(form.name + ".edt"))) << form.name;
        EXPECT_EQ(current.name, before.name);
        EXPECT_EQ(current.fields, before.fields);
    }
}

TEST_F(ListStoreTest, NamesThatWouldLeaveTheDataFolderOrNameNoFileAreRefused) {
    FieldSpec field{"a", FieldType::Text, 10, 0, false};
    ASSERT_TRUE(store.createList(formOf("good", {field})));
    ASSERT_TRUE(store.openList("good"));
    TempDir::write(diskPath(runDirectory + "/victim.edb"), "not a list");
    auto before = filesOnDisk();

    const std::string unsafe[] = {
        "../victim", "../../escape", "a/b", "..", ".", std::string("x\0/../../y", 10), ""};
    for (const auto& name : unsafe) {
        dialogs.expectMessage(createFailedText(), MessageIcon::Exclamation);
        EXPECT_FALSE(store.createList(formOf(name, {field})));
        EXPECT_FALSE(store.renameListFiles("good", name));
        EXPECT_FALSE(store.openList(name));
        store.deleteListFiles(name);
    }
    EXPECT_EQ(filesOnDisk(), before);
    EXPECT_EQ(TempDir::read(diskPath(runDirectory + "/victim.edb")), "not a list");
    // The refused rename left the list open as it was.
    EXPECT_TRUE(tables.isOpen(store.listTablePath("good")));
}

TEST_F(ListStoreTest, NamesWithAnEqualsSignAreRefusedSoThatTwoDefinitionsNeverShareAKey) {
    FieldSpec a{"a", FieldType::Text, 10, 0, false}, b{"b", FieldType::Text, 10, 0, false};
    ASSERT_TRUE(store.createList(formOf("a", {a})));
    store.saveListState(false);
    dialogs.expectMessage(createFailedText(), MessageIcon::Exclamation);
    EXPECT_FALSE(store.createList(formOf("a=b", {b})));
    EXPECT_FALSE(store.renameListFiles("a", "a=b"));
    EXPECT_TRUE(exists(store.listTablePath("a")));
    store.loadListDefinition("a");
    ASSERT_EQ(current.fields.size(), 1u);
    EXPECT_EQ(current.fields[0].name, "a");
}

TEST_F(ListStoreTest, SelectingAListTwiceOnlyMakesItCurrentAgain) {
    FieldSpec a{"a", FieldType::Text, 10, 0, false}, b{"b", FieldType::Text, 10, 0, false};
    ASSERT_TRUE(store.createList(formOf("A", {a})));
    ASSERT_TRUE(store.createList(formOf("B", {b})));
    ASSERT_TRUE(store.openList("A"));
    ASSERT_TRUE(store.openList("B"));
    EXPECT_EQ(tables.fieldName(1), "b");
    EXPECT_TRUE(store.openList("A"));  // an open under the same alias would fail
    EXPECT_EQ(tables.fieldName(1), "a");
    EXPECT_FALSE(store.openList("missing"));
    EXPECT_FALSE(tables.lastErrorMessage().empty());
}

TEST_F(ListStoreTest, RenamingMovesBothFilesAndNeverReplacesAnotherList) {
    FieldSpec memo{"memo", FieldType::LongText, 0, 0, false};
    ASSERT_TRUE(store.createList(formOf("A", {memo})));
    ASSERT_TRUE(store.createList(formOf("B", {memo})));
    ASSERT_TRUE(store.openList("A"));
    ASSERT_TRUE(tables.addBlankRecord());
    ASSERT_TRUE(tables.write(1, std::string("in A")));

    EXPECT_FALSE(store.renameListFiles("A", "B"));
    EXPECT_TRUE(exists(store.listTablePath("A")));
    EXPECT_FALSE(tables.isOpen(store.listTablePath("A")));  // closed until selected again
    ASSERT_TRUE(store.openList("B"));
    EXPECT_EQ(tables.recordCount(), 0);

    EXPECT_TRUE(store.renameListFiles("A", GBK("改名")));
    EXPECT_FALSE(exists(store.listTablePath("A")));
    EXPECT_FALSE(exists(dataFile("A.edt")));
    ASSERT_TRUE(store.openList(GBK("改名"))) << tables.lastErrorMessage();
    ASSERT_TRUE(tables.goTo(1));
    EXPECT_EQ(store.fieldValueText(1), "in A");
}

TEST_F(ListStoreTest, DeletingRemovesBothFilesOpenOrNot) {
    FieldSpec field{"a", FieldType::Text, 10, 0, false};
    for (const char* name : {"open", "never opened"})
        ASSERT_TRUE(store.createList(formOf(name, {field})));
    ASSERT_TRUE(store.openList("open"));
    for (const char* name : {"open", "never opened"}) {
        store.deleteListFiles(name);
        EXPECT_FALSE(exists(store.listTablePath(name))) << name;
        EXPECT_FALSE(exists(dataFile(std::string(name) + ".edt"))) << name;
        EXPECT_FALSE(tables.isOpen(store.listTablePath(name))) << name;
    }
}

TEST_F(ListStoreTest, DefinitionsLoadFromTheSettings) {
    settings.selectSection(GBK("使用表单库"));
    settings.writeText("L", GBK("a|10|10|0|真||b|3|0|0|假|0"));
    store.loadListDefinition("L");
    EXPECT_EQ(current.name, "L");
    ASSERT_EQ(current.fields.size(), 2u);
    EXPECT_EQ(current.fields[0].width, 100);
    EXPECT_EQ(current.fields[1].width, 100);
    EXPECT_TRUE(current.fields[0].key);

    store.loadListDefinition("missing");
    EXPECT_TRUE(current.fields.empty());
    EXPECT_EQ(current.name, "missing");

    int treeSaves = 0;
    store.setTreeSaver([&] { ++treeSaves; });
    current.fields = {ListField{{"x", 10, 10, 0, false}, 77}};
    store.saveListState(false);
    EXPECT_EQ(treeSaves, 0);
    store.saveListState(true);
    EXPECT_EQ(treeSaves, 1);
    settings.selectSection(GBK("使用表单库"));
    EXPECT_EQ(settings.readText("missing"), GBK("x|10|10|0|假|77"));

    current.name.clear();  // no list open: nothing is written under an empty name
    store.saveListState(true);
    EXPECT_EQ(treeSaves, 2);
    EXPECT_EQ(settings.content().find("\r\n="), std::string::npos);
}

TEST_F(ListStoreTest, FieldsShowTheirDisplayTexts) {
    std::vector<FieldSpec> fields = {
        {"link", FieldType::Link, 0, 0, false},    {"ftp", FieldType::FtpLink, 0, 0, false},
        {"qq", FieldType::QqLink, 0, 0, false},    {"when", FieldType::DateTime, 0, 0, false},
        {"int", FieldType::Integer, 0, 0, false},  {"dec", FieldType::Decimal, 0, 0, false},
        {"flag", FieldType::Logical, 0, 0, false}, {"text", FieldType::Text, 50, 0, false},
    };
    ASSERT_TRUE(store.createList(formOf("t", fields)));
    ASSERT_TRUE(store.openList("t"));
    struct Case {
        int column;
        RecordValue stored;
        std::string shown;
    } cases[] = {
        {1, std::string("title||http://a.example/"), "title"},
        {1, std::string("||http://a.example/"), ""},
        {1, std::string("no bars"), "no bars"},
        {2, std::string("user||pw||host"), "host(user)"},
        {2, std::string("||pw||host"), "host"},
        {2, std::string("user||pw||"), ""},
        {3, std::string(GBK("小王") + "||12345"), GBK("小王")},
        {4, DateTime{2018, 3, 13, 10, 5, 0}, GBK("2018年3月13日10时5分")},
        {4, DateTime{2018, 3, 13, 0, 0, 0}, GBK("2018年3月13日")},
        {4, DateTime{}, ""},
        {5, int32_t{-7}, "-7"},
        {6, 1.5f, "1.5"},
        {6, 0.1f, "0.1"},
        {7, true, GBK("真")},
        {7, false, GBK("假")},
        {8, std::string("a||b"), "a||b"},
    };
    // A load reads whole records at once, and must show each column as a single read does.
    auto recordShows = [&] {
        std::vector<std::string_view> views;
        std::vector<std::string> scratch;
        EXPECT_TRUE(store.recordDisplayViews(views, scratch));
        return std::vector<std::string>(views.begin(), views.end());
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(tables.addBlankRecord());
        ASSERT_TRUE(tables.write(c.column, c.stored)) << c.column;
        EXPECT_EQ(store.fieldDisplayText(c.column), c.shown) << c.column;
        std::vector<std::string> shown = recordShows();
        ASSERT_EQ(shown.size(), fields.size());
        for (int column = 1; column <= static_cast<int>(fields.size()); ++column)
            EXPECT_EQ(shown[column - 1], store.fieldDisplayText(column)) << column;
        EXPECT_EQ(shown[c.column - 1], c.shown) << c.column;
    }
    // A column the definition lacks shows its text form; the stored value keeps every part.
    current.fields.resize(1);
    ASSERT_TRUE(tables.goTo(4));
    EXPECT_EQ(store.fieldDisplayText(2), "user||pw||host");
    EXPECT_EQ(store.fieldValueText(2), "user||pw||host");
    EXPECT_EQ(store.fieldDisplayText(99), "");
    EXPECT_EQ(recordShows()[1], "user||pw||host");
}

TEST_F(ListStoreTest, TheGridSeesTheOpenListsFieldsAndStoredValues) {
    ASSERT_TRUE(store.createList(sampleForm()));
    ASSERT_TRUE(store.openList(current.name));
    ListFieldsForGrid fields(store);
    EXPECT_EQ(fields.fieldType(1), FieldType::Text);
    EXPECT_TRUE(fields.isKeyField(1));
    EXPECT_FALSE(fields.isKeyField(2));
    EXPECT_EQ(fields.fieldType(4), FieldType::FtpLink);
    EXPECT_EQ(fields.fieldType(13), 0);
    EXPECT_FALSE(fields.isKeyField(0));

    std::vector<int32_t> bookmarks;
    for (const char* link : {"one||http://one.example/", "two||http://two.example/"}) {
        ASSERT_TRUE(tables.addBlankRecord());
        ASSERT_TRUE(tables.write(5, std::string(link)));
        bookmarks.push_back(tables.bookmark());
    }
    EXPECT_EQ(fields.storedValue(bookmarks[0], 5), "one||http://one.example/");
    EXPECT_EQ(fields.storedValue(bookmarks[1], 5), "two||http://two.example/");
    EXPECT_EQ(fields.storedValue(bookmarks[1] + 1, 5), "");
}

}  // namespace
