#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "grid/GridSort.h"
#include "platform/TextCodec.h"

namespace {

std::vector<int32_t> orderOf(const std::vector<std::string>& cells, int32_t kind, bool ascending) {
    auto order = sortedRowOrder(
        int32_t(cells.size()), [&](int32_t i) { return std::string_view(cells[i]); }, kind,
        ascending);
    EXPECT_TRUE(order.has_value());
    return order.value_or(std::vector<int32_t>{});
}

std::vector<std::string> sortedCells(const std::vector<std::string>& cells, int32_t kind,
                                     bool ascending) {
    std::vector<std::string> result;
    for (int32_t i : orderOf(cells, kind, ascending)) result.push_back(cells[i]);
    return result;
}

// The order described as a list of key groups: each row in turn goes in front of the first group
// it goes "before or at", found by bisection; integer keys join an equal group, sequence keys
// always open a new one. Deliberately slow and literal.
template <class Key, class GoesBeforeOrAt>
std::vector<int32_t> groupListOrder(const std::vector<Key>& keys, bool mergeEqual,
                                    GoesBeforeOrAt goesBeforeOrAt) {
    struct Group {
        Key key;
        std::vector<int32_t> rows;
    };
    std::vector<Group> groups;
    for (int32_t r = 0; r < int32_t(keys.size()); ++r) {
        const Key& key = keys[r];
        auto holds = [&](size_t p) { return goesBeforeOrAt(key, groups[p].key); };
        size_t p = 0;
        if (!groups.empty()) {
            size_t lo = 0, hi = groups.size() - 1;
            for (;;) {
                size_t candidates = hi - lo + 1;
                if (candidates == 1) {
                    p = holds(lo) ? lo : lo + 1;
                    break;
                }
                if (candidates == 2) {
                    p = holds(lo) ? lo : holds(hi) ? hi : hi + 1;
                    break;
                }
                size_t middle = lo + candidates / 2;
                if (holds(middle))
                    hi = middle - 1;
                else
                    lo = middle + 1;
            }
        }
        if (mergeEqual && p < groups.size() && groups[p].key == key)
            groups[p].rows.push_back(r);
        else
            groups.insert(groups.begin() + p, Group{key, {r}});
    }
    std::vector<int32_t> order;
    for (const Group& g : groups) order.insert(order.end(), g.rows.begin(), g.rows.end());
    return order;
}

std::vector<int32_t> referenceOrder(const std::vector<std::string>& cells, int32_t kind,
                                    bool ascending) {
    if (kind == SortKeyKind::Bytes || kind == SortKeyKind::Phonetic) {
        // Sequences of unsigned bytes or of values, a proper prefix being the smaller.
        std::vector<std::vector<int64_t>> keys;
        for (const std::string& cell : cells) {
            std::vector<int64_t> key;
            if (kind == SortKeyKind::Bytes)
                for (unsigned char byte : cell) key.push_back(byte);
            else
                for (int32_t value : phoneticSortKey(cell)) key.push_back(value);
            keys.push_back(key);
        }
        return groupListOrder(
            keys, false, [&](const auto& n, const auto& g) { return ascending ? n <= g : n >= g; });
    }
    std::vector<int64_t> keys;
    for (const std::string& cell : cells) keys.push_back(integerSortKey(kind, cell));
    return groupListOrder(keys, true,
                          [&](int64_t n, int64_t g) { return ascending ? g >= n : g < n; });
}

// Pieces that make equal keys, common prefixes, signs, blanks, Chinese characters with equal
// readings, punctuation, four-byte sequences with digit bytes, date forms and bare times.
std::vector<std::string> randomCells(std::mt19937& random, size_t count, size_t pieceLimit) {
    static const std::vector<std::string> pieces = {
        "",
        "a",
        "b",
        "ab",
        "B",
        "1",
        "12",
        "-3",
        " 7",
        "3.7",
        "x9",
        "\r\n",
        ",",
        GBK("中"),
        GBK("忠"),
        GBK("钟"),
        GBK("文"),
        GBK("，"),
        GBK("壮"),
        "\x81\x30\x81\x30",
        "2018-3-13",
        "2017-01-01 10:05",
        "10:05",
        "10:05:07",
        GBK("2018年3月13日10时"),
        "1969-12-31",
        "2050-06-30",
        "\xB0",
    };
    std::uniform_int_distribution<size_t> piece(0, std::min(pieceLimit, pieces.size()) - 1);
    std::uniform_int_distribution<int> length(0, 3);
    std::vector<std::string> cells(count);
    for (std::string& cell : cells)
        for (int n = length(random); n > 0; --n) cell += pieces[piece(random)];
    return cells;
}

TEST(GridSortKeys, IntegerKindsReadTheirNumbers) {
    struct Case {
        int32_t kind;
        std::string text;
        int64_t key;
    } cases[] = {
        {SortKeyKind::ByteLength, "", 0},
        {SortKeyKind::ByteLength, GBK("中文") + "a", 5},
        {SortKeyKind::CharacterCount, GBK("中文") + "a", 3},
        {SortKeyKind::CharacterCount, "a\r\nb", 3},
        {SortKeyKind::LeadingInteger, "  -12abc", -12},
        {SortKeyKind::LeadingInteger, "+7", 7},
        {SortKeyKind::LeadingInteger, "3.7", 3},
        {SortKeyKind::LeadingInteger, "x12", 0},
        {SortKeyKind::LeadingInteger, "-", 0},
        {SortKeyKind::LeadingInteger, "4294967297", 1},            // 2^32 + 1: low 32 bits
        {SortKeyKind::LeadingInteger, "-2147483649", 2147483647},  // wraps, never saturates
        {SortKeyKind::DigitsInteger, "a1b2c3", 123},
        {SortKeyKind::DigitsInteger, "-5", 5},
        {SortKeyKind::DigitsInteger, "12-34 5", 12345},
        {SortKeyKind::DigitsInteger, "", 0},
        {SortKeyKind::DigitsInteger,
         "\x81\x30\x81\x39"
         "7",
         7},  // digit bytes inside a character
        {99, "123", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(integerSortKey(c.kind, c.text), c.key) << c.kind << " " << c.text;
}

TEST(GridSortKeys, DateTimeKeysCountSecondsFromEightOClockOnNewYear1970) {
    const int64_t day = 86400;
    struct Case {
        std::string text;
        int64_t key;
    } cases[] = {
        {"1970-01-01 08:00:00", 0},
        {"1970-1-1", -8 * 3600},
        {GBK("1970年1月2日8时1分2秒"), day + 62},
        {"1991-01-21 10:05", 7690 * day + 2 * 3600 + 5 * 60},
        {"10:05", 7690 * day + 2 * 3600 + 5 * 60},  // a bare time lies on 1991-01-21
        {"2038-01-19 11:14:08", int64_t(1) << 31},  // beyond 32 bits: no wrap
        {"no date", -59011459200 - 8 * 3600},       // 0100-01-01 00:00:00
    };
    for (const Case& c : cases) EXPECT_EQ(dateTimeSortKey(c.text), c.key) << c.text;
    EXPECT_EQ(integerSortKey(SortKeyKind::DateTime, "10:05"), dateTimeSortKey("10:05"));
}

TEST(GridSortKeys, PhoneticValuesOfCharacters) {
    const int64_t d1 = 1000000000 / 26, d2 = d1 / 26, d3 = d2 / 26, d4 = d3 / 26, d5 = d4 / 26,
                  d6 = d5 / 26;
    // 中 zhong, GBK D6 D0; 壮 zhuang, GBK D7 B3 (six letters: the sixth weighs d6).
    const int64_t zhong = 26 * d1 + 8 * d2 + 15 * d3 + 14 * d4 + 7 * d5 + 214208;
    const int64_t zhuang = 26 * d1 + 8 * d2 + 21 * d3 + 1 * d4 + 14 * d5 + 7 * d6 + 215179;
    EXPECT_EQ(phoneticSortKey(GBK("中壮")),
              (std::vector<int32_t>{int32_t(zhong), int32_t(zhuang)}));
    EXPECT_EQ(phoneticSortKey("aAbZ09"), (std::vector<int32_t>{12, 13, 14, 63, 0, 9}));
    // Punctuation, a CR LF pair, a full-width comma (A3 AC): byte values minus a million.
    EXPECT_EQ(phoneticSortKey(",\r\n" + GBK("，")),
              (std::vector<int32_t>{44 - 1000000, 1310 - 1000000, 163172 - 1000000}));
    EXPECT_TRUE(phoneticSortKey("").empty());
    EXPECT_EQ(phoneticSortKey("a\xB0"),
              std::vector<int32_t>{12});  // a stray lead byte is no character
    // Characters with the same reading differ by their bytes only.
    auto zhongs = phoneticSortKey(GBK("忠钟"));
    EXPECT_EQ(zhongs[0] - zhong, 214210 - 214208);  // 忠 D6 D2
    EXPECT_EQ(zhongs[1] - zhong, 214211 - 214208);  // 钟 D6 D3
}

TEST(GridSortOrder, KnownCases) {
    struct Case {
        int32_t kind;
        bool ascending;
        std::vector<std::string> cells;
        std::vector<std::string> sorted;
    } cases[] = {
        // Integer keys are stable both ways.
        {SortKeyKind::LeadingInteger, true, {"5A", "3B", "5C", "1D"}, {"1D", "3B", "5A", "5C"}},
        {SortKeyKind::LeadingInteger, false, {"5A", "3B", "5C", "1D"}, {"5A", "5C", "3B", "1D"}},
        // A decimal sorts by its integer part.
        {SortKeyKind::LeadingInteger, true, {"3.7", "10", "3.2"}, {"3.7", "3.2", "10"}},
        // Equal texts end reversed, in both directions.
        {SortKeyKind::Bytes, true, {"b", "a", "b "}, {"a", "b", "b "}},
        {SortKeyKind::Bytes,
         true,
         {"abc", "ab", "", "B", "1", GBK("中")},
         {"", "1", "B", "ab", "abc", GBK("中")}},
        {SortKeyKind::Bytes,
         false,
         {"abc", "ab", "", "B", "1", GBK("中")},
         {GBK("中"), "abc", "ab", "B", "1", ""}},
        {SortKeyKind::DateTime,
         true,
         {GBK("2018年3月13日10时"), "10:05", "2017-1-1"},
         {"10:05", "2017-1-1", GBK("2018年3月13日10时")}},
        {SortKeyKind::DateTime,
         true,
         {"2040-1-1", "1960-1-1", "2000-1-1"},
         {"1960-1-1", "2000-1-1", "2040-1-1"}},
        {SortKeyKind::Phonetic,
         true,
         {GBK("钟"), "b", GBK("安"), "A", "9"},
         {"9", "A", "b", GBK("安"), GBK("钟")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sortedCells(c.cells, c.kind, c.ascending), c.sorted) << c.kind << c.ascending;
}

TEST(GridSortOrder, EqualTextsComeOutReversedEachTime) {
    // Rows A, B, C holding b, a, b: ascending gives B, C, A; descending C, A, B.
    std::vector<std::string> cells = {"b", "a", "b"};
    EXPECT_EQ(orderOf(cells, SortKeyKind::Bytes, true), (std::vector<int32_t>{1, 2, 0}));
    EXPECT_EQ(orderOf(cells, SortKeyKind::Bytes, false), (std::vector<int32_t>{2, 0, 1}));
    // Sorting the sorted rows again the same way flips the run of equal texts back.
    std::vector<std::string> once = {"a", "b", "b"};
    EXPECT_EQ(orderOf(once, SortKeyKind::Bytes, true), (std::vector<int32_t>{0, 2, 1}));
}

TEST(GridSortOrder, MatchesTheGroupListOnRandomCells) {
    std::mt19937 random(20261211);
    for (int32_t kind = 0; kind <= 6; ++kind)
        for (int trial = 0; trial < 40; ++trial) {
            size_t count = trial < 10 ? size_t(trial) : 50 + random() % 1500;
            size_t pieceLimit = trial % 3 == 0 ? 4 : 100;  // few distinct keys, or many
            std::vector<std::string> cells = randomCells(random, count, pieceLimit);
            for (bool ascending : {true, false})
                ASSERT_EQ(orderOf(cells, kind, ascending), referenceOrder(cells, kind, ascending))
                    << "kind " << kind << " trial " << trial << " ascending " << ascending;
        }
}

// Enough rows to be sorted in several pieces and merged; the group list is too slow here, so the
// check is a stable sort with the tie rule, which the test above ties to the group list.
TEST(GridSortOrder, LargeInputsMatchAStableSortWithTheTieRule) {
    std::mt19937 random(7);
    std::vector<std::string> cells = randomCells(random, 70000, 100);
    for (int32_t kind : {SortKeyKind::Bytes, SortKeyKind::LeadingInteger, SortKeyKind::DateTime})
        for (bool ascending : {true, false}) {
            std::vector<int32_t> expected(cells.size());
            for (size_t i = 0; i < expected.size(); ++i) expected[i] = int32_t(i);
            if (isSequenceSortKind(kind)) std::reverse(expected.begin(), expected.end());
            std::stable_sort(expected.begin(), expected.end(), [&](int32_t a, int32_t b) {
                if (kind == SortKeyKind::Bytes)
                    return ascending ? cells[a] < cells[b] : cells[a] > cells[b];
                int64_t ka = integerSortKey(kind, cells[a]), kb = integerSortKey(kind, cells[b]);
                return ascending ? ka < kb : ka > kb;
            });
            ASSERT_EQ(orderOf(cells, kind, ascending), expected) << kind << ascending;
        }
}

TEST(GridSortOrder, KeepsNoViewOfACellPastTheNextRead) {
    std::mt19937 random(5);
    std::vector<std::string> cells = randomCells(random, 40000, 100);
    for (int32_t kind : {SortKeyKind::Bytes, SortKeyKind::Phonetic, SortKeyKind::DateTime}) {
        std::string scratch;  // every read overwrites the text of the read before
        auto order = sortedRowOrder(
            int32_t(cells.size()),
            [&](int32_t i) {
                scratch.assign(64, '?');
                scratch = cells[i];
                return std::string_view(scratch);
            },
            kind, false, [&] { return scratch.assign(64, '!'), true; });
        ASSERT_TRUE(order.has_value());
        EXPECT_EQ(*order, orderOf(cells, kind, false)) << kind;
    }
}

TEST(GridSortOrder, PausesBetweenPiecesAndStopsWhenToldWithoutReadingFurther) {
    std::mt19937 random(3);
    std::vector<std::string> cells = randomCells(random, 100000, 100);
    for (int32_t kind : {SortKeyKind::Bytes, SortKeyKind::Phonetic, SortKeyKind::LeadingInteger}) {
        int pauses = 0;
        auto order = sortedRowOrder(
            int32_t(cells.size()), [&](int32_t i) { return std::string_view(cells[i]); }, kind,
            true, [&] { return ++pauses, true; });
        ASSERT_TRUE(order.has_value());
        EXPECT_GT(pauses, 6) << kind;  // 100,000 rows are not read or sorted in one go

        for (int stopAt : {1, 3, pauses}) {
            int calls = 0;
            bool stopped = false;
            auto stoppedOrder = sortedRowOrder(
                int32_t(cells.size()),
                [&](int32_t i) {
                    EXPECT_FALSE(stopped) << "cell read after the stop";
                    return std::string_view(cells[i]);
                },
                kind, true, [&] { return !(stopped = ++calls == stopAt); });
            EXPECT_FALSE(stoppedOrder.has_value()) << kind << " " << stopAt;
            EXPECT_EQ(calls, stopAt);
        }
    }
}

}  // namespace
