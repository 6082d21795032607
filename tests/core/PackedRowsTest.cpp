#include <gtest/gtest.h>

#include "grid/PackedRows.h"

namespace {

TEST(PackedRows, KeepsCellsOfEveryLengthAndTheBookmark) {
    // Lengths around the one- and two-byte length encodings, and bytes that look like encodings.
    const std::vector<std::string> cells = {"",
                                            std::string(127, 'a'),
                                            std::string(128, 'b'),
                                            std::string(16384, 'c'),
                                            std::string("\x80\xff\x00z", 4),
                                            "\x96\x7C"};
    PackedRows rows;
    rows.insert(0, cells, -7);
    rows.insert(1, {}, 2147483647);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.row(0), (GridRow{cells, -7}));
    EXPECT_EQ(rows.row(1), (GridRow{{}, 2147483647}));
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_EQ(rows.cell(0, i), cells[i]) << i;
        EXPECT_EQ(rows.cellLength(0, i), cells[i].size()) << i;
    }
    EXPECT_EQ(rows.cell(0, cells.size()), "");
    EXPECT_EQ(rows.cellLength(1, 0), 0u);
}

TEST(PackedRows, CutsOrPadsInsertedCellsToACount) {
    // Blocks larger than a share of a chunk take their own; small ones after them still fit.
    const std::string large(200000, 'L');
    struct Case {
        std::vector<std::string> cells;
        size_t count;
        std::vector<std::string> expected;
    } cases[] = {
        {{"a", "b", "c"}, 2, {"a", "b"}},
        {{"a"}, 3, {"a", "", ""}},
        {{}, 2, {"", ""}},
        {{"a", "b"}, 0, {}},
        {{large, "z"}, 2, {large, "z"}},
        {{"after", large}, 1, {"after"}},
    };
    PackedRows rows;
    for (size_t i = 0; i < std::size(cases); ++i)
        rows.insert(i, cases[i].cells, cases[i].count, static_cast<int32_t>(i));
    ASSERT_EQ(rows.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(rows.row(i), (GridRow{cases[i].expected, static_cast<int32_t>(i)})) << i;
}

TEST(PackedRows, KeepsEveryRowWhileManyAreChangedAndErased) {
    // Enough replaced and erased bytes that the space they held is won back several times over.
    constexpr size_t kRows = 300;
    PackedRows rows;
    std::vector<GridRow> expected;
    for (size_t i = 0; i < kRows; ++i) {
        std::vector<std::string> cells = {std::to_string(i), "x"};
        rows.insert(i, cells, static_cast<int32_t>(i));
        expected.push_back({cells, static_cast<int32_t>(i)});
    }
    for (int round = 0; round < 40; ++round) {
        for (size_t i = 0; i < rows.size(); ++i) {
            std::string text(500 + 37 * ((i + round) % 20), static_cast<char>('a' + round % 26));
            rows.setCell(i, 1, text);
            expected[i].cells[1] = text;
            if (i % 7 == 0) {
                rows.setCell(i, 0, rows.cell(i, 1));  // from the row's own, soon replaced, text
                expected[i].cells[0] = text;
            }
        }
        if (round % 10 == 9) {
            rows.erase(round % rows.size());
            expected.erase(expected.begin() + static_cast<ptrdiff_t>(round % expected.size()));
        }
    }
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(rows.row(i), expected[i]) << i;
}

TEST(PackedRows, ChangesCellsInPlace) {
    PackedRows rows;
    rows.insert(0, {"a", "bb", "ccc"}, 5);
    struct Case {
        const char* what;
        void (*change)(PackedRows&);
        std::vector<std::string> expected;
    } cases[] = {
        {"set a longer cell",
         [](PackedRows& r) { r.setCell(0, 1, std::string(300, 'x')); },
         {"a", std::string(300, 'x'), "ccc"}},
        {"set past the end", [](PackedRows& r) { r.setCell(0, 3, "z"); }, {"a", "bb", "ccc"}},
        {"set from its own text",
         [](PackedRows& r) { r.setCell(0, 0, r.cell(0, 2)); },
         {"ccc", "bb", "ccc"}},
        {"pad", [](PackedRows& r) { r.fitCells(0, 5); }, {"a", "bb", "ccc", "", ""}},
        {"cut", [](PackedRows& r) { r.fitCells(0, 1); }, {"a"}},
        {"insert in the middle",
         [](PackedRows& r) { r.insertEmptyCell(0, 1); },
         {"a", "", "bb", "ccc"}},
        {"insert at the end",
         [](PackedRows& r) { r.insertEmptyCell(0, 3); },
         {"a", "bb", "ccc", ""}},
        {"insert beyond the end",
         [](PackedRows& r) { r.insertEmptyCell(0, 4); },
         {"a", "bb", "ccc"}},
        {"remove", [](PackedRows& r) { r.removeCell(0, 0); }, {"bb", "ccc"}},
        {"remove beyond the end", [](PackedRows& r) { r.removeCell(0, 3); }, {"a", "bb", "ccc"}},
    };
    for (const auto& c : cases) {
        PackedRows copy;
        copy.insert(0, {"a", "bb", "ccc"}, 5);
        c.change(copy);
        EXPECT_EQ(copy.row(0), (GridRow{c.expected, 5})) << c.what;
    }
}

TEST(PackedRows, InsertsErasesAndReorders) {
    PackedRows rows;
    rows.insert(0, {"b"}, 2);
    rows.insert(0, {"a"}, 1);
    rows.insert(2, {"d"}, 4);
    rows.insert(2, {"c"}, 3);
    rows.setBookmark(3, 40);
    rows.reorder({3, 1, 0, 2});
    std::vector<std::string> order;
    for (size_t i = 0; i < rows.size(); ++i) order.emplace_back(rows.cell(i, 0));
    EXPECT_EQ(order, (std::vector<std::string>{"d", "b", "a", "c"}));
    EXPECT_EQ(rows.bookmark(0), 40);
    rows.erase(1);
    EXPECT_EQ(rows.row(1), (GridRow{{"a"}, 1}));
    rows.assign({{{"x", "y"}, 9}});
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.row(0), (GridRow{{"x", "y"}, 9}));
}

}  // namespace
