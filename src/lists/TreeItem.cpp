#include "lists/TreeItem.h"

#include "platform/GbkText.h"

namespace {

constexpr uint32_t kBold = 1u << 0;
constexpr uint32_t kExpanded = 1u << 1;
constexpr int kStateImageShift = 28;
constexpr uint32_t kKnownStateBits = kBold | kExpanded | (0xFu << kStateImageShift);

int32_t readInt32(std::string_view bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<int32_t>(v);
}

void appendInt32(std::string& bytes, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::string_view keptTreeText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (text.size() <= kTreeTextLimit) return text;
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + charLengthAt(text, end);
        if (next > kTreeTextLimit) break;
        end = next;
    }
    return text.substr(0, end);
}

bool readTreeItemRecord(std::string_view bytes, size_t& pos, TreeItemRecord& record) {
    size_t zero = bytes.find('\0', pos);
    if (zero == std::string_view::npos || bytes.size() - zero < 21) return false;
    record.text = bytes.substr(pos, zero - pos);
    record.image = readInt32(bytes, zero + 1);
    record.selectedImage = readInt32(bytes, zero + 5);
    record.value = readInt32(bytes, zero + 9);
    record.state = static_cast<uint32_t>(readInt32(bytes, zero + 13));
    record.depth = readInt32(bytes, zero + 17);
    pos = zero + 21;
    return true;
}

void appendTreeItemRecord(std::string& bytes, const TreeItem& item, int32_t depth) {
    bytes.append(keptTreeText(item.text));
    bytes += '\0';
    appendInt32(bytes, static_cast<uint32_t>(item.image));
    appendInt32(bytes, static_cast<uint32_t>(item.selectedImage));
    appendInt32(bytes, static_cast<uint32_t>(item.value));
    appendInt32(bytes, (item.bold ? kBold : 0) | (item.expanded ? kExpanded : 0) |
                           (static_cast<uint32_t>(item.stateImage & 0xF) << kStateImageShift));
    appendInt32(bytes, static_cast<uint32_t>(depth));
}

bool treeItemFromRecord(const TreeItemRecord& record, TreeItem& item) {
    if ((record.state & ~kKnownStateBits) != 0) return false;
    item.text.assign(record.text);
    item.image = record.image;
    item.selectedImage = record.selectedImage;
    item.value = record.value;
    item.bold = (record.state & kBold) != 0;
    item.expanded = (record.state & kExpanded) != 0;
    item.stateImage = static_cast<int>(record.state >> kStateImageShift);
    return true;
}
