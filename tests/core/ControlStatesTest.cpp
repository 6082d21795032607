#include "settings/ControlStates.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <set>

#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"

namespace {

// A control of any kind, with plain members the sync reads and sets.
struct FakeControl : StatefulControl {
    std::string ctlName, ctlTag, content;
    bool on = false;
    int current = -1;
    std::vector<std::string> items;
    std::set<int> selected, ticked;
    int64_t rgb = 0;

    explicit FakeControl(const char* utf8Name, const char* utf8Tag = "")
        : ctlName(utf8ToGbk(utf8Name)), ctlTag(utf8ToGbk(utf8Tag)) {}

    std::string name() const override { return ctlName; }
    std::string tag() const override { return ctlTag; }
    void setTag(const std::string& t) override { ctlTag = t; }
    std::string text() const override { return content; }
    void setText(const std::string& t) override { content = t; }
    bool checked() const override { return on; }
    void setChecked(bool c) override { on = c; }
    int currentIndex() const override { return current; }
    void setCurrentIndex(int i) override { current = i; }
    std::string itemBytes() const override {
        std::string b;
        for (auto& i : items) b += i + "\n";
        return b;
    }
    void setItemBytes(const std::string& b) override {
        items.clear();
        for (const std::string& part : std::vector<std::string>{b}) {
            size_t start = 0, end;
            while ((end = part.find('\n', start)) != std::string::npos) {
                items.push_back(part.substr(start, end - start));
                start = end + 1;
            }
        }
    }
    int itemCount() const override { return static_cast<int>(items.size()); }
    bool itemSelected(int i) const override { return selected.count(i) > 0; }
    void selectItem(int i) override { selected.insert(i); }
    bool itemChecked(int i) const override { return ticked.count(i) > 0; }
    void checkItem(int i) override { ticked.insert(i); }
    int64_t colour() const override { return rgb; }
    void setColour(int64_t c) override { rgb = c; }
};

class ControlStatesTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("listaro-controlstates-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        path_ = utf8ToGbk((dir_ / "settings.ini").string());
        reopen();
    }
    void TearDown() override {
        store_.reset();
        std::filesystem::remove_all(dir_);
    }
    void reopen() {
        store_.reset();
        store_ = std::make_unique<SettingsStore>();
        ASSERT_TRUE(store_->open(path_));
    }
    void sync(std::vector<StatefulControl*> controls, bool restore,
              ControlStateOptions options = {}) {
        syncControlStates(*store_, controls, restore, GBK("主界面"), options, {});
    }
    std::string read(const char* key) {
        store_->selectSection(GBK("主界面"));
        return store_->readValue(GBK("主界面"), utf8ToGbk(key), "<missing>", false);
    }
    bool sideFileExists(const char* key) {
        return std::filesystem::exists(
            diskPath(sideFilePath(path_, GBK("主界面"), utf8ToGbk(key))));
    }

    std::filesystem::path dir_;
    std::string path_;
    std::unique_ptr<SettingsStore> store_;
};

}  // namespace

TEST(ControlKind, FollowsTheLeadingKindWord) {
    struct Case {
        const char* name;
        ControlKind kind;
    };
    const Case cases[] = {
        {"按钮查找", ControlKind::Button},
        {"编辑框查找内容", ControlKind::EditBox},
        {"选择框查树", ControlKind::CheckBox},
        {"单选框1", ControlKind::RadioButton},
        {"组合框表单", ControlKind::ComboBox},
        {"列表框字段", ControlKind::ListBox},
        {"选择列表框1", ControlKind::CheckListBox},
        {"颜色选择器", ControlKind::ColourPicker},
        {"标签1", ControlKind::None},
        {"树型框", ControlKind::None},
        {"", ControlKind::None},
        {"我的按钮", ControlKind::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(controlKindOf(utf8ToGbk(c.name)), c.kind);
    }
}

TEST_F(ControlStatesTest, EveryKindSurvivesSaveAndRestore) {
    FakeControl button("按钮查找", "3"), edit("编辑框查找内容"), check("选择框查树"),
        radio("单选框1"), combo("组合框表单"), list("列表框1"), checkList("选择列表框1"),
        colour("颜色选择器1");
    edit.content = utf8ToGbk("东方");
    check.on = true;
    radio.on = true;
    combo.current = 2;
    list.items = {"a", "b", "c", "d", "e", "f"};
    list.selected = {0, 2, 5};
    checkList.items = {"x", "y", "z"};
    checkList.current = 1;
    checkList.ticked = {1, 2};
    colour.rgb = 0x4682B4;
    sync({&button, &edit, &check, &radio, &combo, &list, &checkList, &colour}, false);

    EXPECT_EQ(read("按钮查找.标记"), "3");
    EXPECT_EQ(read("编辑框查找内容"), utf8ToGbk("东方"));
    EXPECT_EQ(read("组合框表单"), "2");
    EXPECT_EQ(read("列表框1.选中"), "0,2,5");
    EXPECT_EQ(read("选择列表框1.打勾"), "1,2");
    EXPECT_TRUE(sideFileExists("列表框1"));
    EXPECT_TRUE(sideFileExists("选择列表框1"));
    EXPECT_FALSE(sideFileExists("组合框表单.列表"));

    reopen();
    FakeControl button2("按钮查找"), edit2("编辑框查找内容"), check2("选择框查树"),
        radio2("单选框1"), combo2("组合框表单"), list2("列表框1"), checkList2("选择列表框1"),
        colour2("颜色选择器1");
    list2.selected = {1};  // restoring adds to what is selected
    sync({&button2, &edit2, &check2, &radio2, &combo2, &list2, &checkList2, &colour2}, true);
    EXPECT_EQ(button2.ctlTag, "3");
    EXPECT_EQ(edit2.content, utf8ToGbk("东方"));
    EXPECT_TRUE(check2.on);
    EXPECT_TRUE(radio2.on);
    EXPECT_EQ(combo2.current, 2);
    EXPECT_EQ(list2.items, list.items);
    EXPECT_EQ(list2.selected, (std::set<int>{0, 1, 2, 5}));
    EXPECT_EQ(checkList2.items, checkList.items);
    EXPECT_EQ(checkList2.current, 1);
    EXPECT_EQ(checkList2.ticked, (std::set<int>{1, 2}));
    EXPECT_EQ(colour2.rgb, 0x4682B4);
}

TEST_F(ControlStatesTest, EmptyAndFalseValuesAreNotTheSame) {
    FakeControl edit("编辑框1"), check("选择框1");
    check.on = false;
    sync({&edit, &check}, false);
    FakeControl edit2("编辑框1"), check2("选择框1");
    edit2.content = "kept";  // an empty stored value reads as the current one
    check2.on = true;        // a stored false is read, not the default
    sync({&edit2, &check2}, true);
    EXPECT_EQ(edit2.content, "kept");
    EXPECT_FALSE(check2.on);
}

TEST_F(ControlStatesTest, ExcludedControlsTakePartInNothing) {
    FakeControl banned("编辑框1", "禁止保存"), skipped("编辑框2"), unnamed(""), label("标签1");
    banned.content = skipped.content = unnamed.content = label.content = "v";
    ControlStateOptions options;
    options.skipNames = {utf8ToGbk("编辑框2")};
    sync({&banned, &skipped, &unnamed, &label}, false, options);
    EXPECT_EQ(read("编辑框1"), "<missing>");
    EXPECT_EQ(read("编辑框2"), "<missing>");
    EXPECT_EQ(read("标签1"), "<missing>");

    store_->selectSection(GBK("主界面"));
    store_->writeText(utf8ToGbk("编辑框1"), "stored");
    store_->writeText(utf8ToGbk("编辑框2"), "stored");
    banned.content = skipped.content = "";
    sync({&banned, &skipped}, true, options);
    EXPECT_EQ(banned.content, "");
    EXPECT_EQ(skipped.content, "");
}

TEST_F(ControlStatesTest, ByteModeGoesToASideFileOnly) {
    FakeControl button("按钮1", "字节集方式"), edit("编辑框1", "字节集方式");
    edit.content = std::string("line1\r\nline2=\0x", 15);
    sync({&button, &edit}, false);
    EXPECT_EQ(read("按钮1.标记"), "<missing>");
    EXPECT_EQ(read("编辑框1"), "<missing>");
    EXPECT_TRUE(sideFileExists("按钮1.标记"));
    std::string bytes;
    ASSERT_TRUE(readWholeFile(sideFilePath(path_, GBK("主界面"), utf8ToGbk("编辑框1")), bytes));
    EXPECT_EQ(bytes, edit.content);

    FakeControl edit2("编辑框1", "字节集方式");
    sync({&edit2}, true);
    EXPECT_EQ(edit2.content, edit.content);
}

TEST_F(ControlStatesTest, ComboBoxItemsAndContentsOnlyWhenAsked) {
    FakeControl combo("组合框1");
    combo.items = {"p", "q"};
    combo.current = 1;
    combo.content = "typed";
    ControlStateOptions options;
    options.withItemLists = true;
    options.withContents = true;
    sync({&combo}, false, options);
    EXPECT_TRUE(sideFileExists("组合框1.列表"));
    EXPECT_EQ(read("组合框1.内容"), "typed");

    FakeControl plain("组合框1");
    sync({&plain}, true);  // without the options only the selection comes back
    EXPECT_EQ(plain.current, 1);
    EXPECT_TRUE(plain.items.empty());
    EXPECT_EQ(plain.content, "");
    sync({&plain}, true, options);
    EXPECT_EQ(plain.items, combo.items);
    EXPECT_EQ(plain.content, "typed");
}

TEST_F(ControlStatesTest, NumbersTooLargeForTheirControlComeBackAtTheNearestLimit) {
    store_->selectSection(GBK("主界面"));
    store_->writeText(utf8ToGbk("组合框1"), "1e20");
    store_->writeText(utf8ToGbk("组合框2"), "-1e300");
    store_->writeText(utf8ToGbk("选择列表框1.选中"), "99999999999");
    store_->writeText(utf8ToGbk("选择列表框1.打勾"), "99999999999,1");
    store_->writeText(utf8ToGbk("颜色选择器1"), "1e300");
    FakeControl combo("组合框1"), negative("组合框2"), checkList("选择列表框1"),
        colour("颜色选择器1");
    sync({&combo, &negative, &checkList, &colour}, true);
    EXPECT_EQ(combo.current, std::numeric_limits<int>::max());
    EXPECT_EQ(negative.current, std::numeric_limits<int>::min());
    EXPECT_EQ(checkList.current, std::numeric_limits<int>::max());
    EXPECT_EQ(checkList.ticked, (std::set<int>{std::numeric_limits<int>::max(), 1}));
    EXPECT_EQ(colour.rgb, std::numeric_limits<int64_t>::max());
}

TEST_F(ControlStatesTest, YieldsBeforeEveryControlAndEveryListItem) {
    FakeControl edit("编辑框1"), list("列表框1"), label("标签1");
    list.items = {"a", "b", "c"};
    int yields = 0;
    syncControlStates(*store_, {&edit, &list, &label}, false, GBK("主界面"), {}, [&] { ++yields; });
    EXPECT_EQ(yields, 3 + 3);
}

TEST(IndexList, FormatsAndParses) {
    EXPECT_EQ(formatIndexList({}), "");
    EXPECT_EQ(formatIndexList({0, 2, 5}), "0,2,5");
    EXPECT_EQ(parseIndexList(""), std::vector<int>{});
    EXPECT_EQ(parseIndexList("0,2,5"), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(parseIndexList("3,,x,7"), (std::vector<int>{3, 7}));
}
