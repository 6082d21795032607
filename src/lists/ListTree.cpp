#include "lists/ListTree.h"

#include <algorithm>

struct TreeNode {
    TreeItem item;
    TreeNode* parent = nullptr;
    std::vector<std::unique_ptr<TreeNode>> children;
    int row = 0;                // position among the parent's children
    int subtreeSize = 1;        // this node and everything under it
    int parentsOfChildren = 0;  // children that have children themselves
};

namespace {

const TreeItem kNoItem;

void growAncestors(TreeNode* node, int delta) {
    for (; node; node = node->parent) node->subtreeSize += delta;
}

// Offset of a child's subtree from the first child's: its row when all children are leaves.
int offsetAmongSiblings(const TreeNode* node) {
    const TreeNode* parent = node->parent;
    if (parent->parentsOfChildren == 0) return node->row;
    int offset = 0;
    for (int r = 0; r < node->row; ++r) offset += parent->children[r]->subtreeSize;
    return offset;
}

void renumber(TreeNode* parent, int fromRow) {
    for (size_t r = fromRow; r < parent->children.size(); ++r)
        parent->children[r]->row = static_cast<int>(r);
}

}  // namespace

ListTree::ListTree() : root_(std::make_unique<TreeNode>()) {}
ListTree::~ListTree() = default;

int ListTree::count() const {
    return root_->subtreeSize - 1;
}

TreeNode* ListTree::mutableNodeAt(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    TreeNode* node = root_.get();
    int offset = index;  // within the subtrees of node's children
    for (;;) {
        if (node->parentsOfChildren == 0) return node->children[offset].get();
        for (auto& child : node->children) {
            if (offset < child->subtreeSize) {
                if (offset == 0) return child.get();
                node = child.get();
                offset -= 1;
                break;
            }
            offset -= child->subtreeSize;
        }
    }
}

const TreeNode* ListTree::nodeAt(int index) const {
    return mutableNodeAt(index);
}

int ListTree::indexOf(const TreeNode* node) const {
    if (!node || node == root_.get()) return -1;
    return indexOf(node->parent) + 1 + offsetAmongSiblings(node);
}

TreeNode* ListTree::appendChild(TreeNode* parent, TreeItem item) {
    auto child = std::make_unique<TreeNode>();
    child->item = std::move(item);
    child->parent = parent;
    child->row = static_cast<int>(parent->children.size());
    if (parent->children.empty() && parent->parent) ++parent->parent->parentsOfChildren;
    parent->children.push_back(std::move(child));
    growAncestors(parent, 1);
    return parent->children.back().get();
}

int ListTree::addItem(int parent, TreeItem item) {
    TreeNode* parentNode = parent == -1 ? root_.get() : mutableNodeAt(parent);
    if (!parentNode) return -1;
    int row = static_cast<int>(parentNode->children.size());
    notify([&](ListTreeListener& l) { l.beginInsert(parentNode, row); });
    TreeNode* added = appendChild(parentNode, std::move(item));
    notify([](ListTreeListener& l) { l.endInsert(); });
    return indexOf(added);
}

bool ListTree::contains(const TreeNode* ancestor, const TreeNode* node) const {
    for (; node; node = node->parent)
        if (node == ancestor) return true;
    return false;
}

void ListTree::deleteItem(int index) {
    TreeNode* node = mutableNodeAt(index);
    if (!node) return;
    TreeNode* parent = node->parent;
    int row = node->row;
    notify([&](ListTreeListener& l) { l.beginRemove(parent, row); });
    if (contains(node, selected_)) selected_ = nullptr;
    growAncestors(parent, -node->subtreeSize);
    parent->children.erase(parent->children.begin() + row);
    renumber(parent, row);
    if (parent->children.empty() && parent->parent) --parent->parent->parentsOfChildren;
    notify([](ListTreeListener& l) { l.endRemove(); });
}

const TreeItem& ListTree::item(int index) const {
    const TreeNode* node = nodeAt(index);
    return node ? node->item : kNoItem;
}

int ListTree::parent(int index) const {
    const TreeNode* node = nodeAt(index);
    return node ? indexOf(node->parent) : -1;
}

int ListTree::depth(int index) const {
    int depth = 0;
    for (const TreeNode* node = nodeAt(index); node && node != root_.get(); node = node->parent)
        ++depth;
    return depth;
}

std::vector<int> ListTree::children(int index) const {
    std::vector<int> result;
    children(index, result);
    return result;
}

void ListTree::children(int index, std::vector<int>& out) const {
    out.clear();
    const TreeNode* node = index == -1 ? root_.get() : nodeAt(index);
    if (!node) return;
    int next = indexOf(node) + 1;
    for (const auto& child : node->children) {
        out.push_back(next);
        next += child->subtreeSize;
    }
}

void ListTree::setText(int index, std::string text) {
    TreeNode* node = mutableNodeAt(index);
    if (!node) return;
    node->item.text = std::move(text);
    notify([&](ListTreeListener& l) { l.itemChanged(node); });
}

void ListTree::setExpanded(int index, bool expanded) {
    TreeNode* node = mutableNodeAt(index);
    if (!node || node->item.expanded == expanded) return;
    node->item.expanded = expanded;
    notify([&](ListTreeListener& l) { l.itemChanged(node); });
}

int ListTree::selectedIndex() const {
    return indexOf(selected_);
}

void ListTree::select(int index) {
    TreeNode* node = mutableNodeAt(index);
    if (node == selected_) return;
    selected_ = node;
    notify([&](ListTreeListener& l) { l.selectionChanged(node); });
    if (selectionHandler_) selectionHandler_();
}

std::string ListTree::itemData() const {
    std::string bytes;
    // Depth-first, each item before its children.
    std::vector<std::pair<const TreeNode*, int32_t>> stack;
    for (auto it = root_->children.rbegin(); it != root_->children.rend(); ++it)
        stack.emplace_back(it->get(), 1);
    while (!stack.empty()) {
        auto [node, depth] = stack.back();
        stack.pop_back();
        appendTreeItemRecord(bytes, node->item, depth);
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
            stack.emplace_back(it->get(), depth + 1);
    }
    return bytes;
}

void ListTree::replaceItems(const std::vector<FlatTreeItem>& items) {
    notify([](ListTreeListener& l) { l.beginReset(); });
    root_ = std::make_unique<TreeNode>();
    selected_ = nullptr;
    // The open levels: each item's depth as written, with its node.
    std::vector<std::pair<int32_t, TreeNode*>> open;
    for (const FlatTreeItem& flat : items) {
        while (!open.empty() && open.back().first >= flat.depth) open.pop_back();
        TreeNode* parent = open.empty() ? root_.get() : open.back().second;
        open.emplace_back(flat.depth, appendChild(parent, flat.item));
    }
    notify([](ListTreeListener& l) { l.endReset(); });
    notify([](ListTreeListener& l) { l.selectionChanged(nullptr); });
}

void ListTree::addListener(ListTreeListener* listener) {
    listeners_.push_back(listener);
}

void ListTree::removeListener(ListTreeListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

const TreeNode* ListTree::rootNode() const {
    return root_.get();
}

int ListTree::childCount(const TreeNode* node) const {
    return node ? static_cast<int>(node->children.size()) : 0;
}

const TreeNode* ListTree::childNode(const TreeNode* node, int row) const {
    if (!node || row < 0 || row >= childCount(node)) return nullptr;
    return node->children[row].get();
}

const TreeNode* ListTree::parentNode(const TreeNode* node) const {
    return node ? node->parent : nullptr;
}

int ListTree::rowOf(const TreeNode* node) const {
    return node ? node->row : 0;
}

const TreeItem& ListTree::itemOf(const TreeNode* node) const {
    return node && node != root_.get() ? node->item : kNoItem;
}
