#pragma once
// The list tree shown by a QTreeView: an item model over the tree's nodes that hears of every
// change, and the binding that keeps the view's selection, expansion and in-place renaming in step
// with the tree.
#include <QAbstractItemModel>
#include <QIcon>
#include <functional>
#include <vector>

#include "lists/ListTree.h"

class QTreeView;

class ListTreeModel : public QAbstractItemModel, private ListTreeListener {
    Q_OBJECT
  public:
    // mayRename and finishRename decide the in-place renaming of an item.
    struct Renaming {
        std::function<bool(int index)> mayRename;
        std::function<bool(const std::string& newText)> finishRename;
    };
    ListTreeModel(ListTree& tree, Renaming renaming, QObject* parent = nullptr);
    ~ListTreeModel() override;

    QModelIndex modelIndex(int treeIndex) const;
    int treeIndex(const QModelIndex& index) const;
    // An item is being removed: views announce changes of their own that the tree did not make.
    bool removingItem() const { return removingItem_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    void treeSelectionChanged(const QModelIndex& selected);
    void treeExpansionChanged(const QModelIndex& item, bool expanded);
    void treeReset();

  private:
    QModelIndex indexOfNode(const TreeNode* node) const;
    void beginInsert(const TreeNode* parent, int row) override;
    void endInsert() override;
    void beginRemove(const TreeNode* parent, int row) override;
    void endRemove() override;
    void itemChanged(const TreeNode* node) override;
    void beginReset() override;
    void endReset() override;
    void selectionChanged(const TreeNode* node) override;

    ListTree& tree_;
    Renaming renaming_;
    std::vector<QIcon> images_;
    bool removingItem_ = false;
};

// Keeps a QTreeView and the tree in step: a click selects in the tree (which shows the node's
// list), a selection by the program shows in the view without a second handler run, expanding and
// collapsing reach the tree's items and the tree's expanded items open in the view.
void bindListTreeView(QTreeView* view, ListTreeModel* model, ListTree& tree);
