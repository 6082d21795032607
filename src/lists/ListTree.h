#pragma once
// The tree of lists, key fields and values. Items are addressed by index: their position in a
// depth-first walk in which every item comes before its children (collapsed branches count too).
// Index look-ups cost a walk over the lists and key fields, not over the values, so the tree stays
// quick with hundreds of thousands of value items. A window shows it through a listener that hears
// of every change (begin/end pairs, as item models need them) and through the node accessors.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lists/TreeItem.h"

struct TreeNode;

class ListTreeListener {
  public:
    virtual ~ListTreeListener() = default;
    // One item (with whatever is under it) is inserted at or removed from row of parent; parent
    // is the tree's root node for a root item.
    virtual void beginInsert(const TreeNode* parent, int row) = 0;
    virtual void endInsert() = 0;
    virtual void beginRemove(const TreeNode* parent, int row) = 0;
    virtual void endRemove() = 0;
    // The text or the expanded state of the node changed.
    virtual void itemChanged(const TreeNode* node) = 0;
    virtual void beginReset() = 0;
    virtual void endReset() = 0;
    // The selection moved (null: nothing selected).
    virtual void selectionChanged(const TreeNode* node) = 0;
};

// An item read from item data: the item and its depth in the data.
struct FlatTreeItem {
    TreeItem item;
    int32_t depth = 1;
};

class ListTree {
  public:
    ListTree();
    ~ListTree();
    ListTree(const ListTree&) = delete;
    ListTree& operator=(const ListTree&) = delete;

    int count() const;
    // Appends an item as the last child of parent (-1: a root item); returns its index, or -1
    // when parent is not an item.
    int addItem(int parent, TreeItem item);
    // Removes the item with everything under it. A selection inside it becomes none, silently.
    void deleteItem(int index);

    // Read access; an index out of range reads as an empty item, parent -1 and depth 0.
    const TreeItem& item(int index) const;
    int parent(int index) const;
    int depth(int index) const;
    // Indexes of the item's children in order (-1: the root items); the second form reuses out.
    std::vector<int> children(int index) const;
    void children(int index, std::vector<int>& out) const;

    void setText(int index, std::string text);
    void setExpanded(int index, bool expanded);

    // -1 when nothing is selected.
    int selectedIndex() const;
    // Selects the item (an index out of range selects nothing). When the selection changes, the
    // listeners hear of it and then the selection handler runs.
    void select(int index);
    void setSelectionHandler(std::function<void()> handler) {
        selectionHandler_ = std::move(handler);
    }

    // All items as item data, and their replacement by items read from item data: an item deeper
    // than the one before becomes its child, one at the same depth its sibling, one shallower
    // closes the levels down to its own. The selection becomes none, silently.
    std::string itemData() const;
    void replaceItems(const std::vector<FlatTreeItem>& items);

    void addListener(ListTreeListener* listener);
    void removeListener(ListTreeListener* listener);

    // Node access for item models. The root node stands for the tree itself and is no item.
    const TreeNode* rootNode() const;
    int childCount(const TreeNode* node) const;
    const TreeNode* childNode(const TreeNode* node, int row) const;
    const TreeNode* parentNode(const TreeNode* node) const;
    int rowOf(const TreeNode* node) const;
    const TreeItem& itemOf(const TreeNode* node) const;
    // The node's index, -1 for the root node; and the node at an index, null when out of range.
    int indexOf(const TreeNode* node) const;
    const TreeNode* nodeAt(int index) const;

  private:
    TreeNode* mutableNodeAt(int index) const;
    TreeNode* appendChild(TreeNode* parent, TreeItem item);
    bool contains(const TreeNode* ancestor, const TreeNode* node) const;
    template <typename F>
    void notify(F f) const {
        for (auto* l : listeners_) f(*l);
    }

    std::unique_ptr<TreeNode> root_;
    TreeNode* selected_ = nullptr;
    std::function<void()> selectionHandler_;
    std::vector<ListTreeListener*> listeners_;
};
