#include "lists/TreeFile.h"

std::vector<FlatTreeItem> readTreeItems(std::string_view bytes) {
    std::vector<FlatTreeItem> items;
    TreeItemRecord record;
    for (size_t pos = 0; readTreeItemRecord(bytes, pos, record);) {
        FlatTreeItem flat;
        bool sound = record.text.size() <= kTreeTextLimit && record.depth >= 1 &&
                     record.depth <= kDeepestTreeItem && treeItemFromRecord(record, flat.item);
        if (!sound) break;
        flat.depth = record.depth;
        items.push_back(std::move(flat));
    }
    return items;
}
