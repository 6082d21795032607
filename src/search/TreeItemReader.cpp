#include "search/TreeItemReader.h"

#include "lists/TreeItem.h"
#include "platform/GbkText.h"

namespace {

// Latin capitals made small, inside single-byte characters only: a GBK character's second byte
// may be a letter and stays as it is.
std::string smallLetters(std::string_view text) {
    std::string out(text);
    for (size_t p = 0; p < out.size();) {
        size_t length = charLengthAt(out, p);
        if (length == 1 && out[p] >= 'A' && out[p] <= 'Z') out[p] = static_cast<char>(out[p] + 32);
        p += length;
    }
    return out;
}

}  // namespace

int TreeItemReader::findNextItem(int after, std::string_view pattern) const {
    std::string wanted = smallLetters(pattern);
    TreeItemRecord record;
    size_t pos = 0;
    for (int index = 0; readTreeItemRecord(itemData_, pos, record); ++index) {
        if (index <= after) continue;
        if (findText(smallLetters(record.text), wanted) != std::string::npos) return index;
    }
    return -1;
}

std::vector<int> TreeItemReader::childrenAtLevel(int level, int parent,
                                                 std::vector<std::string>* texts,
                                                 std::vector<int32_t>* values) const {
    std::vector<int> indexes;
    if (texts) texts->clear();
    if (values) values->clear();
    bool inside = false;
    TreeItemRecord record;
    size_t pos = 0;
    for (int index = 0; readTreeItemRecord(itemData_, pos, record); ++index) {
        if (inside && record.depth == level) {
            indexes.push_back(index);
            if (texts) texts->emplace_back(record.text);
            if (values) values->push_back(record.value);
        }
        if (record.depth == level - 1) {
            if (index == parent)
                inside = true;
            else if (inside)
                break;
        }
    }
    return indexes;
}
