#pragma once
// Ordering the grid's rows by one column. The keys come from the cell texts (GBK); the order is
// computed apart from the grid, in bounded pieces with a pause between them, so that the caller
// can let the window breathe and give up when its rows changed meanwhile.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace SortKeyKind {
enum : int32_t {
    ByteLength = 0,      // integer: bytes of the text
    CharacterCount = 1,  // integer: characters of the text
    Bytes = 2,           // sequence: the bytes, unsigned
    Phonetic = 3,        // sequence: one value per character, Chinese by its pinyin
    LeadingInteger = 4,  // integer: the number the text begins with
    DigitsInteger = 5,   // integer: the digits of the text read as one number
    DateTime = 6,        // integer: seconds of the text read as a date-time
};
}  // namespace SortKeyKind

// Sequence kinds place a row before the rows already placed with an equal key, so runs of equal
// texts come out reversed; integer kinds keep equal keys in their previous order.
bool isSequenceSortKind(int32_t keyKind);

// The key of one cell for an integer kind; 0 for any other kind. Numbers and lengths beyond 32
// bits keep their low 32 bits; date-time keys are whole seconds and never wrap.
int64_t integerSortKey(int32_t keyKind, std::string_view text);

// Seconds from 1970-01-01 08:00:00 to the text read as a date-time; a text that does not read is
// tried again as a time of day on 1991-01-21, and otherwise counts as 0100-01-01 00:00:00.
int64_t dateTimeSortKey(std::string_view text);

// The phonetic key: one value per character.
std::vector<int32_t> phoneticSortKey(std::string_view text);

// Called between pieces of work; returns false when the sort must stop at once (the rows it reads
// changed). No cell is read after it returned false.
using SortPause = std::function<bool()>;

// The new order of rows 0 … rowCount − 1 (each entry an old 0-based position), or nothing when
// pause stopped the sort. cellText(i) is the sorted column's text of old row i; a view it gives
// need only stay valid until the next call of cellText or pause (what the sort keeps, it copies),
// so the rows may change during a pause as long as their count does not.
std::optional<std::vector<int32_t>> sortedRowOrder(
    int32_t rowCount, const std::function<std::string_view(int32_t)>& cellText, int32_t keyKind,
    bool ascending, const SortPause& pause = [] { return true; });
