#pragma once
// One item of the list tree, and its record in the tree's item data (the tree file's bytes): the
// text, a zero byte, then five 32-bit little-endian integers: image, selected image, value, state
// word (bit 0 bold, bit 1 expanded, bits 28 to 31 the state image) and depth (1 for a root item).
#include <cstdint>
#include <string>
#include <string_view>

// Images, which also tell an item's level.
namespace TreeImage {
enum : int32_t { List = 0, KeyField = 1, Value = 2 };
}

struct TreeItem {
    std::string text;
    int32_t image = 0;
    int32_t selectedImage = 0;
    // 0 for a list, the field number for a key field, a record bookmark for a value.
    int32_t value = 0;
    bool bold = false;
    bool expanded = false;
    int stateImage = 0;  // 0 to 15
    bool operator==(const TreeItem&) const = default;
};

// One record of item data as it stands in the bytes.
struct TreeItemRecord {
    std::string_view text;
    int32_t image = 0;
    int32_t selectedImage = 0;
    int32_t value = 0;
    uint32_t state = 0;
    int32_t depth = 0;
};

// The longest text the item data keeps; longer texts are cut at a character boundary.
constexpr size_t kTreeTextLimit = 510;

// The part of a text that the item data keeps: the bytes before any zero byte, cut to
// kTreeTextLimit. A value node holds only this much of its value, so that it reads back the same.
std::string_view keptTreeText(std::string_view text);

// Reads the record at pos and moves pos past it; false (pos unchanged) when the bytes end before
// its zero byte or within the 20 bytes after it.
bool readTreeItemRecord(std::string_view bytes, size_t& pos, TreeItemRecord& record);

void appendTreeItemRecord(std::string& bytes, const TreeItem& item, int32_t depth);

// The item a record describes; false when its state word holds bits the format leaves at 0.
bool treeItemFromRecord(const TreeItemRecord& record, TreeItem& item);
