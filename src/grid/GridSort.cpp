// The row order of a sort. Every order here is total (ties are broken by the old position), so an
// unstable sort gives exactly the stable result: integer keys keep equal rows in their previous
// order, sequence keys put the later of two equal rows first.
#include "grid/GridSort.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstring>
#include <string>

namespace {

// Rows handled between two pauses while keys are read and pieces sorted.
constexpr size_t kPieceRows = size_t(1) << 14;

// Runs work(begin, end) over [0, n) in pieces, pausing after each.
template <class Work>
bool inPieces(size_t n, const SortPause& pause, Work work) {
    for (size_t begin = 0; begin < n; begin += kPieceRows) {
        work(begin, std::min(n, begin + kPieceRows));
        if (!pause()) return false;
    }
    return true;
}

// Integer keys: a stable least-significant-digit radix sort, the keys mapped so that unsigned order
// is the wanted order. Bytes in which all keys agree cost no pass, so 32-bit keys take four at
// most.
struct IntegerItem {
    uint64_t key;
    int32_t row;
};

std::optional<std::vector<int32_t>> integerOrder(
    int32_t rowCount, const std::function<std::string_view(int32_t)>& cellText, int32_t keyKind,
    bool ascending, const SortPause& pause) {
    const size_t n = size_t(rowCount);
    std::vector<IntegerItem> items(n);
    std::array<std::array<size_t, 256>, 8> counts{};
    bool read = inPieces(n, pause, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            uint64_t ordered =
                uint64_t(integerSortKey(keyKind, cellText(int32_t(i)))) ^ (1ull << 63);
            if (!ascending) ordered = ~ordered;
            items[i] = {ordered, int32_t(i)};
            for (int digit = 0; digit < 8; ++digit)
                ++counts[digit][(ordered >> (8 * digit)) & 0xff];
        }
    });
    if (!read) return std::nullopt;

    std::vector<IntegerItem> spare(n);
    for (int digit = 0; digit < 8; ++digit) {
        const auto& count = counts[digit];
        if (std::find(count.begin(), count.end(), n) != count.end()) continue;
        std::array<size_t, 256> next{};
        for (size_t b = 1; b < 256; ++b) next[b] = next[b - 1] + count[b - 1];
        for (const IntegerItem& item : items)
            spare[next[(item.key >> (8 * digit)) & 0xff]++] = item;
        items.swap(spare);
        if (!pause()) return std::nullopt;
    }
    std::vector<int32_t> order(n);
    for (size_t i = 0; i < n; ++i) order[i] = items[i].row;
    return order;
}

// Sequence keys: a row's first 16 bytes (or first four values) and its length, held in the item,
// decide most comparisons without touching the full key; a key that fits entirely is decided by
// them alone. Missing places count as the smallest, so a shorter key never passes a longer one.
constexpr size_t kInlineBytes = 16;
constexpr size_t kInlineValues = 4;

struct SequenceItem {
    std::array<uint64_t, 2> prefix;
    uint32_t length;
    int32_t row;
};

SequenceItem byteItem(std::string_view text, int32_t row) {
    unsigned char bytes[kInlineBytes] = {};
    // An empty view may hold no pointer at all (a row without the sorted cell).
    if (!text.empty()) std::memcpy(bytes, text.data(), std::min(kInlineBytes, text.size()));
    SequenceItem item{{0, 0}, uint32_t(text.size()), row};
    for (size_t i = 0; i < kInlineBytes; ++i)
        item.prefix[i / 8] = item.prefix[i / 8] << 8 | bytes[i];
    return item;
}

SequenceItem valueItem(const std::vector<int32_t>& values, int32_t row) {
    SequenceItem item{{0, 0}, uint32_t(values.size()), row};
    for (size_t i = 0; i < kInlineValues; ++i) {
        uint64_t biased = i < values.size() ? uint32_t(values[i]) ^ 0x80000000u : 0u;
        item.prefix[i / 2] = item.prefix[i / 2] << 32 | biased;
    }
    return item;
}

// Pieces are sorted, then merged pairwise, with a pause after each piece and each merge.
template <class Less>
bool sortInPieces(std::vector<SequenceItem>& items, Less less, const SortPause& pause) {
    const size_t n = items.size();
    bool sorted = inPieces(n, pause, [&](size_t begin, size_t end) {
        std::sort(items.begin() + begin, items.begin() + end, less);
    });
    if (!sorted) return false;
    std::vector<SequenceItem> merged(n);
    for (size_t width = kPieceRows; width < n; width *= 2) {
        for (size_t begin = 0; begin < n; begin += 2 * width) {
            size_t middle = std::min(n, begin + width), end = std::min(n, begin + 2 * width);
            std::merge(items.begin() + begin, items.begin() + middle, items.begin() + middle,
                       items.begin() + end, merged.begin() + begin, less);
            if (!pause()) return false;
        }
        items.swap(merged);
    }
    return true;
}

// fullCompare(a, b) orders two items whose inline parts are equal and one of which does not
// fit; inlineLength is how much of a key the item holds.
template <class FullCompare>
std::optional<std::vector<int32_t>> sequenceOrder(std::vector<SequenceItem> items,
                                                  size_t inlineLength, FullCompare fullCompare,
                                                  bool ascending, const SortPause& pause) {
    auto compare = [&](const SequenceItem& a, const SequenceItem& b) {
        if (a.prefix[0] != b.prefix[0]) return a.prefix[0] <=> b.prefix[0];
        if (a.prefix[1] != b.prefix[1]) return a.prefix[1] <=> b.prefix[1];
        if (a.length <= inlineLength && b.length <= inlineLength) return a.length <=> b.length;
        return fullCompare(a, b);
    };
    // Two comparators rather than one that tests the direction on every call.
    bool sorted = ascending ? sortInPieces(
                                  items,
                                  [&](const SequenceItem& a, const SequenceItem& b) {
                                      auto order = compare(a, b);
                                      return order != 0 ? order < 0 : a.row > b.row;
                                  },
                                  pause)
                            : sortInPieces(
                                  items,
                                  [&](const SequenceItem& a, const SequenceItem& b) {
                                      auto order = compare(a, b);
                                      return order != 0 ? order > 0 : a.row > b.row;
                                  },
                                  pause);
    if (!sorted) return std::nullopt;
    std::vector<int32_t> order(items.size());
    for (size_t i = 0; i < items.size(); ++i) order[i] = items[i].row;
    return order;
}

std::optional<std::vector<int32_t>> byteOrder(
    int32_t rowCount, const std::function<std::string_view(int32_t)>& cellText, bool ascending,
    const SortPause& pause) {
    // What does not fit in the items is copied out, so no view is held across a pause.
    const size_t n = size_t(rowCount);
    std::vector<SequenceItem> items(n);
    std::vector<size_t> tailStart(n);
    std::string tails;
    bool read = inPieces(n, pause, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            std::string_view text = cellText(int32_t(i));
            items[i] = byteItem(text, int32_t(i));
            tailStart[i] = tails.size();
            if (text.size() > kInlineBytes) tails.append(text.substr(kInlineBytes));
        }
    });
    if (!read) return std::nullopt;
    auto tail = [&](const SequenceItem& item) {
        size_t length = item.length > kInlineBytes ? item.length - kInlineBytes : 0;
        return std::string_view(tails).substr(tailStart[item.row], length);
    };
    // string_view compares bytes as unsigned values, a proper prefix first.
    auto compare = [&](const SequenceItem& a, const SequenceItem& b) {
        return tail(a).compare(tail(b)) <=> 0;
    };
    return sequenceOrder(std::move(items), kInlineBytes, compare, ascending, pause);
}

std::optional<std::vector<int32_t>> phoneticOrder(
    int32_t rowCount, const std::function<std::string_view(int32_t)>& cellText, bool ascending,
    const SortPause& pause) {
    const size_t n = size_t(rowCount);
    std::vector<std::vector<int32_t>> keys(n);
    std::vector<SequenceItem> items(n);
    bool read = inPieces(n, pause, [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            keys[i] = phoneticSortKey(cellText(int32_t(i)));
            items[i] = valueItem(keys[i], int32_t(i));
        }
    });
    if (!read) return std::nullopt;
    auto compare = [&](const SequenceItem& a, const SequenceItem& b) {
        return keys[a.row] <=> keys[b.row];
    };
    return sequenceOrder(std::move(items), kInlineValues, compare, ascending, pause);
}

}  // namespace

std::optional<std::vector<int32_t>> sortedRowOrder(
    int32_t rowCount, const std::function<std::string_view(int32_t)>& cellText, int32_t keyKind,
    bool ascending, const SortPause& pause) {
    rowCount = std::max(rowCount, 0);
    if (keyKind == SortKeyKind::Bytes) return byteOrder(rowCount, cellText, ascending, pause);
    if (keyKind == SortKeyKind::Phonetic)
        return phoneticOrder(rowCount, cellText, ascending, pause);
    return integerOrder(rowCount, cellText, keyKind, ascending, pause);
}
