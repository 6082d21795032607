#include <gtest/gtest.h>

#include "lists/ListTree.h"
#include "search/TreeItemReader.h"

namespace {

// Item data of items with these texts and levels; item i has the value 100 + i.
std::string itemData(const std::vector<std::pair<std::string, int32_t>>& items) {
    std::string bytes;
    for (size_t i = 0; i < items.size(); ++i) {
        TreeItem item{items[i].first, 0, 0, static_cast<int32_t>(100 + i)};
        appendTreeItemRecord(bytes, item, items[i].second);
    }
    return bytes;
}

TreeItemReader readerOf(const std::string& bytes) {
    TreeItemReader reader;
    reader.loadItemData(bytes);
    return reader;
}

const std::string kSeven =
    itemData({{"A", 1}, {"k", 2}, {"va", 3}, {"vb", 3}, {"B", 1}, {"kb", 2}, {"w", 3}});

TEST(TreeItemReader, FindsTextsIgnoringTheCaseOfLatinLetters) {
    TreeItemReader reader = readerOf(kSeven);
    struct Case {
        int after;
        std::string pattern;
        int found;
    } cases[] = {
        {-1, "a", 0}, {0, "a", 2}, {2, "V", 3}, {6, "a", -1}, {3, "KB", 5}, {-1, "zz", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reader.findNextItem(c.after, c.pattern), c.found) << c.after << c.pattern;
    EXPECT_EQ(readerOf("").findNextItem(-1, "a"), -1);
}

TEST(TreeItemReader, NeverMatchesInsideAChineseCharacter) {
    const std::string shang = "\x81\x41";  // 丄: its second byte is "A"
    const std::string dong = "\x96\x7C";   // 東: its second byte is "|"
    TreeItemReader reader = readerOf(itemData({{shang, 1}, {dong, 1}, {"xA", 1}, {"|", 1}}));
    EXPECT_EQ(reader.findNextItem(-1, "a"), 2);
    EXPECT_EQ(reader.findNextItem(-1, "|"), 3);
    EXPECT_EQ(reader.findNextItem(-1, dong), 1);
}

TEST(TreeItemReader, ListsTheItemsOfALevelUnderAParent) {
    TreeItemReader reader = readerOf(kSeven);
    struct Case {
        int level, parent;
        std::vector<int> found;
    } cases[] = {
        {3, 1, {2, 3}}, {2, 0, {1}}, {2, 4, {5}},
        {3, 5, {6}},    {3, 0, {}},  // item 0 is not of level 2
        {2, 9, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reader.childrenAtLevel(c.level, c.parent), c.found) << c.level << "/" << c.parent;

    std::vector<std::string> texts;
    std::vector<int32_t> values;
    EXPECT_EQ(reader.childrenAtLevel(3, 1, &texts, &values), (std::vector<int>{2, 3}));
    EXPECT_EQ(texts, (std::vector<std::string>{"va", "vb"}));
    EXPECT_EQ(values, (std::vector<int32_t>{102, 103}));
    EXPECT_TRUE(readerOf("").childrenAtLevel(2, 0).empty());
}

TEST(TreeItemReader, EmptyTextsCountAndAnIncompleteTailIsIgnored) {
    std::string bytes = itemData({{"A", 1}, {"", 2}, {"x", 3}});
    TreeItemReader reader = readerOf(bytes + std::string("y\0\1\0", 4));
    EXPECT_EQ(reader.findNextItem(-1, "x"), 2);
    EXPECT_EQ(reader.findNextItem(-1, "y"), -1);
    std::vector<std::string> texts;
    EXPECT_EQ(reader.childrenAtLevel(2, 0, &texts), std::vector<int>{1});
    EXPECT_EQ(texts, std::vector<std::string>{""});
}

TEST(TreeItemReader, ReadsTheTreesOwnItemData) {
    ListTree tree;
    int a = tree.addItem(-1, {"A", 0, 0, 0});
    int key = tree.addItem(a, {"k", 1, 1, 1});
    tree.addItem(key, {"x", 2, 2, 7});
    tree.addItem(-1, {"B", 0, 0, 0});
    TreeItemReader reader = readerOf(tree.itemData());
    std::vector<int32_t> values;
    EXPECT_EQ(reader.childrenAtLevel(3, key, nullptr, &values), std::vector<int>{2});
    EXPECT_EQ(values, std::vector<int32_t>{7});
    EXPECT_EQ(reader.findNextItem(a, "b"), 3);
}

}  // namespace
