#pragma once
// Walks a copy of the list tree's item data without touching the tree: finds items by text and
// lists the items of one level under a parent. Item indexes equal the tree's.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TreeItemReader {
  public:
    void loadItemData(std::string_view bytes) { itemData_.assign(bytes); }

    // The first item after index `after` (-1: from the first) whose text contains pattern, Latin
    // letters compared without regard to case; -1 when none.
    int findNextItem(int after, std::string_view pattern) const;

    // The items of the given level inside the subtree of item parent (of level - 1), in order;
    // their texts and item values go to texts and values where those are given.
    std::vector<int> childrenAtLevel(int level, int parent,
                                     std::vector<std::string>* texts = nullptr,
                                     std::vector<int32_t>* values = nullptr) const;

  private:
    std::string itemData_;
};
