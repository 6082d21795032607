#include "app/FormSelector.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/TextCodec.h"
#include "settings/SettingsStore.h"
#include "support/FakeMainWindowView.h"

namespace {

FormLibrary threeForms() {
    return {{"A", {}}, {"B", {}}, {"C", {}}};
}

}  // namespace

TEST(FormSelector, ListsTheFormsThenTheDesignerItem) {
    struct Case {
        int index;
        bool select;
        int selected;
    };
    const Case cases[] = {{1, true, 1}, {3, true, 3}, {4, true, -1}, {-1, true, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.index << " " << c.select);
        FakeDropDownList selector;
        selector.items = {"old"};
        selector.selected = 0;
        fillFormSelector(selector, threeForms(), c.index, c.select);
        EXPECT_EQ(selector.items,
                  (std::vector<std::string>{"A", "B", "C", utf8ToGbk("打开表单设计器..")}));
        EXPECT_EQ(selector.selected, c.selected);
    }
    FakeDropDownList empty;
    fillFormSelector(empty, {}, 0, true);
    EXPECT_EQ(empty.items, std::vector<std::string>{openDesignerItemText()});
}

TEST(FormSelector, ChoosingAFormRemembersItChoosingTheDesignerWritesNothing) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("listaro-formselector-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    {
        SettingsStore store;
        ASSERT_TRUE(store.open(utf8ToGbk((dir / "s.ini").string())));
        FakeDropDownList selector;
        fillFormSelector(selector, threeForms(), 0, true);

        EXPECT_FALSE(formSelectorChosen(selector, store, 2));
        store.selectSection(GBK("表单库"));
        EXPECT_EQ(store.readNumber(GBK("索引"), -9), 2);

        const std::string before = store.content();
        EXPECT_TRUE(formSelectorChosen(selector, store, 3));
        EXPECT_EQ(store.content(), before);
    }
    std::filesystem::remove_all(dir);
}
