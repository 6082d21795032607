#include <gtest/gtest.h>

#include <random>

#include "lists/ListTree.h"
#include "lists/TreeFile.h"
#include "platform/TextCodec.h"

namespace {

TreeItem listItem(std::string text) {
    return {std::move(text), 0, 0, 0};
}
TreeItem keyItem(std::string text, int32_t field) {
    return {std::move(text), 1, 1, field};
}
TreeItem valueItem(std::string text, int32_t bookmark) {
    return {std::move(text), 2, 2, bookmark};
}

std::string le32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string record(const std::string& text, int32_t image, int32_t value, uint32_t state,
                   int32_t depth) {
    return text + std::string(1, '\0') + le32(image) + le32(image) + le32(value) + le32(state) +
           le32(depth);
}

// The texts of all items in index order, each prefixed by its depth.
std::vector<std::string> outline(const ListTree& tree) {
    std::vector<std::string> lines;
    for (int i = 0; i < tree.count(); ++i)
        lines.push_back(std::to_string(tree.depth(i)) + tree.item(i).text);
    return lines;
}

// A tree with the lists A (key field 平台 with values x and y) and B.
void buildExample(ListTree& tree) {
    int a = tree.addItem(-1, listItem("A"));
    int key = tree.addItem(a, keyItem(GBK("平台"), 1));
    tree.addItem(key, valueItem("x", 1));
    tree.addItem(key, valueItem("y", 3));
    tree.setExpanded(a, true);
    tree.setExpanded(key, true);
    tree.addItem(-1, listItem("B"));
}

TEST(ListTree, ItemsAreAddressedDepthFirst) {
    ListTree tree;
    buildExample(tree);
    EXPECT_EQ(outline(tree), (std::vector<std::string>{"1A", "2" + GBK("平台"), "3x", "3y", "1B"}));
    EXPECT_EQ(tree.parent(3), 1);
    EXPECT_EQ(tree.parent(1), 0);
    EXPECT_EQ(tree.parent(0), -1);
    EXPECT_EQ(tree.children(-1), (std::vector<int>{0, 4}));
    EXPECT_EQ(tree.children(1), (std::vector<int>{2, 3}));

    // An insertion under A moves B.
    EXPECT_EQ(tree.addItem(1, valueItem("z", 9)), 4);
    EXPECT_EQ(tree.item(5).text, "B");
    EXPECT_EQ(tree.addItem(5, keyItem("k", 1)), 6);
    // Deleting A's key field takes its values with it.
    tree.deleteItem(1);
    EXPECT_EQ(outline(tree), (std::vector<std::string>{"1A", "1B", "2k"}));
    EXPECT_EQ(tree.addItem(99, listItem("nowhere")), -1);
    EXPECT_EQ(tree.item(99).text, "");
    EXPECT_EQ(tree.depth(-1), 0);
}

// Random insertions and deletions against a plain list of (depth, id) in depth-first order.
TEST(ListTree, IndexesMatchAPlainDepthFirstListUnderRandomChanges) {
    std::mt19937 random(7);
    ListTree tree;
    std::vector<std::pair<int, int32_t>> plain;  // depth, value
    int32_t nextId = 1;
    auto subtreeEnd = [&](size_t i) {
        size_t end = i + 1;
        while (end < plain.size() && plain[end].first > plain[i].first) ++end;
        return end;
    };
    for (int step = 0; step < 3000; ++step) {
        int choice = static_cast<int>(random() % 10);
        if (choice < 8 || plain.empty()) {
            int parent =
                plain.empty() || random() % 5 == 0 ? -1 : static_cast<int>(random() % plain.size());
            if (parent >= 0 && plain[parent].first >= 4) parent = -1;
            size_t at = parent < 0 ? plain.size() : subtreeEnd(parent);
            int depth = parent < 0 ? 1 : plain[parent].first + 1;
            plain.insert(plain.begin() + at, {depth, nextId});
            ASSERT_EQ(tree.addItem(parent, valueItem("v", nextId)), static_cast<int>(at));
            ++nextId;
        } else {
            size_t at = random() % plain.size();
            plain.erase(plain.begin() + at, plain.begin() + subtreeEnd(at));
            tree.deleteItem(static_cast<int>(at));
        }
        if (step % 100 != 99) continue;
        ASSERT_EQ(tree.count(), static_cast<int>(plain.size()));
        for (size_t i = 0; i < plain.size(); ++i) {
            ASSERT_EQ(tree.item(static_cast<int>(i)).value, plain[i].second) << i;
            ASSERT_EQ(tree.depth(static_cast<int>(i)), plain[i].first) << i;
            ASSERT_EQ(tree.indexOf(tree.nodeAt(static_cast<int>(i))), static_cast<int>(i));
        }
    }
}

struct RecordingListener : ListTreeListener {
    void beginInsert(const TreeNode*, int row) override {
        events.push_back("+" + std::to_string(row));
    }
    void endInsert() override { events.push_back("+end"); }
    void beginRemove(const TreeNode*, int row) override {
        events.push_back("-" + std::to_string(row));
    }
    void endRemove() override { events.push_back("-end"); }
    void itemChanged(const TreeNode*) override { events.push_back("changed"); }
    void beginReset() override { events.push_back("reset"); }
    void endReset() override { events.push_back("reset end"); }
    void selectionChanged(const TreeNode* node) override {
        events.push_back(node ? "selected" : "selected none");
    }
    std::vector<std::string> events;
};

TEST(ListTree, SelectionAndListenersFollowTheChanges) {
    ListTree tree;
    buildExample(tree);
    RecordingListener listener;
    tree.addListener(&listener);
    int handled = 0;
    tree.setSelectionHandler([&] { ++handled; });
    tree.select(3);
    tree.select(3);  // no change, no event
    EXPECT_EQ(handled, 1);
    // The selection stays on its item when items are added before it.
    tree.addItem(1, valueItem("z", 5));
    tree.addItem(0, keyItem("k", 2));
    EXPECT_EQ(tree.selectedIndex(), 3);
    EXPECT_EQ(tree.item(3).text, "y");
    tree.select(42);  // out of range: nothing selected
    EXPECT_EQ(tree.selectedIndex(), -1);
    tree.select(2);
    tree.deleteItem(1);  // takes the selected value with it, without a selection event
    EXPECT_EQ(tree.selectedIndex(), -1);
    EXPECT_EQ(handled, 3);
    tree.setExpanded(0, false);
    tree.setExpanded(0, false);
    tree.replaceItems({});
    EXPECT_EQ(listener.events,
              (std::vector<std::string>{"selected", "+2", "+end", "+1", "+end", "selected none",
                                        "selected", "-0", "-end", "changed", "reset", "reset end",
                                        "selected none"}));
    EXPECT_EQ(handled, 3);
}

TEST(ListTree, ItemDataIsTheTreeFileLayout) {
    ListTree tree;
    buildExample(tree);
    std::string expected = record("A", 0, 0, 2, 1) + record(GBK("平台"), 1, 1, 2, 2) +
                           record("x", 2, 1, 0, 3) + record("y", 2, 3, 0, 3) +
                           record("B", 0, 0, 0, 1);
    EXPECT_EQ(tree.itemData(), expected);

    ListTree loaded;
    loaded.replaceItems(readTreeItems(expected));
    EXPECT_EQ(outline(loaded), outline(tree));
    for (int i = 0; i < tree.count(); ++i) EXPECT_EQ(loaded.item(i), tree.item(i)) << i;
    EXPECT_EQ(loaded.itemData(), expected);
}

TEST(ListTree, BoldAndStateImagesAreKeptAndLongTextsCut) {
    std::string longText = "a";
    for (int i = 0; i < 300; ++i) longText += GBK("值");  // 601 bytes
    std::string bytes =
        record("a", 0, 0, 1u | (0xBu << 28), 1) + record(longText.substr(0, 509) + "b", 2, 7, 0, 2);
    ListTree tree;
    tree.replaceItems(readTreeItems(bytes));
    ASSERT_EQ(tree.count(), 2);
    EXPECT_TRUE(tree.item(0).bold);
    EXPECT_EQ(tree.item(0).stateImage, 0xB);
    EXPECT_FALSE(tree.item(0).expanded);

    tree.addItem(0, valueItem(longText, 1));
    std::string saved = tree.itemData();
    auto items = readTreeItems(saved);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].item.stateImage, 0xB);
    // Cut to at most 510 bytes without splitting a character.
    EXPECT_EQ(items[2].item.text, longText.substr(0, 509));
    EXPECT_EQ(items[1].item.text.size(), 510u);
}

TEST(ListTree, DepthsRebuildTheLevels) {
    struct Case {
        std::vector<int32_t> depths;
        std::vector<std::string> outline;  // depth then name
    } cases[] = {
        {{1, 2, 3, 3, 1}, {"1a", "2b", "3c", "3d", "1e"}},
        {{2, 3, 2}, {"1a", "2b", "1c"}},           // the first item's depth is the top level
        {{1, 3, 3, 2}, {"1a", "2b", "2c", "2d"}},  // deeper by two is still a child
        {{2, 1, 2}, {"1a", "1b", "2c"}},           // shallower than the top closes every level
    };
    for (const auto& c : cases) {
        std::string bytes;
        for (size_t i = 0; i < c.depths.size(); ++i)
            bytes += record(std::string(1, static_cast<char>('a' + i)), 0, 0, 0, c.depths[i]);
        ListTree tree;
        tree.replaceItems(readTreeItems(bytes));
        EXPECT_EQ(outline(tree), c.outline);
    }
}

TEST(ListTree, DamagedDataKeepsTheCompleteItemsBeforeTheDamage) {
    std::string good = record("A", 0, 0, 2, 1) + record("k", 1, 1, 0, 2) + record("v", 2, 4, 0, 3);
    struct Case {
        const char* what;
        std::string bytes;
        size_t kept;
    } cases[] = {
        {"empty", "", 0},
        {"cut inside the numbers", good.substr(0, good.size() - 3), 2},
        {"cut inside the text", good + "trail", 3},
        {"unknown state bits", good + record("x", 2, 4, 0x100, 3) + record("y", 2, 5, 0, 3), 3},
        {"depth 0", good + record("x", 2, 4, 0, 0), 3},
        {"negative depth", good + record("x", 2, 4, 0, -3), 3},
        {"huge depth", good + record("x", 2, 4, 0, 0x41414141), 3},
        {"text too long", good + record(std::string(511, 'x'), 2, 4, 0, 3), 3},
        {"garbage", good + std::string(200, '\xA7'), 3},
    };
    for (const auto& c : cases) {
        auto items = readTreeItems(c.bytes);
        EXPECT_EQ(items.size(), c.kept) << c.what;
        ListTree tree;
        tree.replaceItems(items);
        EXPECT_EQ(tree.count(), static_cast<int>(c.kept)) << c.what;
    }
    // Random bytes never crash, whatever they read as.
    std::mt19937 random(3);
    for (int round = 0; round < 200; ++round) {
        std::string bytes = good;
        for (int i = 0; i < 100; ++i) bytes += static_cast<char>(random() % 8 == 0 ? 0 : random());
        ListTree tree;
        tree.replaceItems(readTreeItems(bytes));
        EXPECT_GE(tree.count(), 3);
        tree.itemData();
    }
}

}  // namespace
