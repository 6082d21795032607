#pragma once
// Reading the tree file's items. A file cut short or damaged keeps the complete, sound items
// before the damage and nothing after it.
#include <string_view>
#include <vector>

#include "lists/ListTree.h"

// The deepest nesting a tree file may hold.
constexpr int32_t kDeepestTreeItem = 64;

std::vector<FlatTreeItem> readTreeItems(std::string_view bytes);
