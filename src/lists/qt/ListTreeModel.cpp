#include "lists/qt/ListTreeModel.h"

#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTreeView>

#include "app/ToolbarButtons.h"
#include "platform/qt/QtText.h"

ListTreeModel::ListTreeModel(ListTree& tree, Renaming renaming, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), renaming_(std::move(renaming)) {
    for (const std::string& name : treeImageNames())
        images_.push_back(QIcon(QString::fromStdString(name)));
    tree_.addListener(this);
}

ListTreeModel::~ListTreeModel() {
    tree_.removeListener(this);
}

QModelIndex ListTreeModel::indexOfNode(const TreeNode* node) const {
    if (!node || node == tree_.rootNode()) return {};
    return createIndex(tree_.rowOf(node), 0, const_cast<TreeNode*>(node));
}

QModelIndex ListTreeModel::modelIndex(int treeIndex) const {
    return indexOfNode(tree_.nodeAt(treeIndex));
}

int ListTreeModel::treeIndex(const QModelIndex& index) const {
    if (!index.isValid()) return -1;
    return tree_.indexOf(static_cast<const TreeNode*>(index.internalPointer()));
}

QModelIndex ListTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const TreeNode* node = parent.isValid() ? static_cast<const TreeNode*>(parent.internalPointer())
                                            : tree_.rootNode();
    if (row >= tree_.childCount(node)) return {};
    return createIndex(row, 0, const_cast<TreeNode*>(tree_.childNode(node, row)));
}

QModelIndex ListTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    return indexOfNode(tree_.parentNode(static_cast<const TreeNode*>(child.internalPointer())));
}

int ListTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const TreeNode* node = parent.isValid() ? static_cast<const TreeNode*>(parent.internalPointer())
                                            : tree_.rootNode();
    return tree_.childCount(node);
}

int ListTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant ListTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const TreeItem& item = tree_.itemOf(static_cast<const TreeNode*>(index.internalPointer()));
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return toQString(item.text);
        case Qt::DecorationRole:
            if (item.image >= 0 && item.image < static_cast<int>(images_.size()))
                return images_[item.image];
            return {};
        case Qt::FontRole:
            if (item.bold) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

Qt::ItemFlags ListTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (renaming_.mayRename && renaming_.mayRename(treeIndex(index))) flags |= Qt::ItemIsEditable;
    return flags;
}

bool ListTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid()) return false;
    // The rename works on the selected item; an editor left open on another one changes nothing.
    if (treeIndex(index) != tree_.selectedIndex() || !renaming_.finishRename) return false;
    // finishRename gives the node its new text itself: the node may have moved or gone while the
    // rename let events through, so index is not used again.
    return renaming_.finishRename(toGbk(value.toString()));
}

void ListTreeModel::beginInsert(const TreeNode* parent, int row) {
    beginInsertRows(indexOfNode(parent), row, row);
}
void ListTreeModel::endInsert() {
    endInsertRows();
}
void ListTreeModel::beginRemove(const TreeNode* parent, int row) {
    removingItem_ = true;
    beginRemoveRows(indexOfNode(parent), row, row);
}
void ListTreeModel::endRemove() {
    endRemoveRows();
    removingItem_ = false;
}
void ListTreeModel::itemChanged(const TreeNode* node) {
    const QModelIndex index = indexOfNode(node);
    emit dataChanged(index, index);
    emit treeExpansionChanged(index, tree_.itemOf(node).expanded);
}
void ListTreeModel::beginReset() {
    beginResetModel();
}
void ListTreeModel::endReset() {
    endResetModel();
    emit treeReset();
}
void ListTreeModel::selectionChanged(const TreeNode* node) {
    emit treeSelectionChanged(indexOfNode(node));
}

void bindListTreeView(QTreeView* view, ListTreeModel* model, ListTree& tree) {
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* selection = view->selectionModel();

    // The program's selections show in the view without running the handler a second time.
    auto showTreeSelection = [view, selection](const QModelIndex& index) {
        const QSignalBlocker block(selection);
        if (index.isValid()) {
            selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            view->scrollTo(index);
        } else {
            selection->clear();
        }
        view->viewport()->update();
    };
    QObject::connect(model, &ListTreeModel::treeSelectionChanged, view, showTreeSelection);
    // The user's selections go to the tree, which shows the node. When the current item is
    // removed, the view moves to a neighbour by itself: that is no selection of the user's, and a
    // list shown from inside the removal would change the tree in the middle of it.
    QObject::connect(selection, &QItemSelectionModel::currentChanged, view,
                     [model, &tree](const QModelIndex& current) {
                         if (model->removingItem()) return;
                         const int index = model->treeIndex(current);
                         if (index != tree.selectedIndex()) tree.select(index);
                     });
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, view,
                     [view, model, &tree, showTreeSelection] {
                         const QModelIndex selected = model->modelIndex(tree.selectedIndex());
                         if (view->currentIndex() != selected) showTreeSelection(selected);
                     });
    QObject::connect(model, &ListTreeModel::treeExpansionChanged, view,
                     [view](const QModelIndex& index, bool expanded) {
                         if (index.isValid() && view->isExpanded(index) != expanded)
                             view->setExpanded(index, expanded);
                     });
    QObject::connect(view, &QTreeView::expanded, view, [model, &tree](const QModelIndex& index) {
        const int i = model->treeIndex(index);
        if (!tree.item(i).expanded) tree.setExpanded(i, true);
    });
    QObject::connect(view, &QTreeView::collapsed, view, [model, &tree](const QModelIndex& index) {
        const int i = model->treeIndex(index);
        if (tree.item(i).expanded) tree.setExpanded(i, false);
    });
    auto expandStored = [view, model, &tree] {
        for (int i = 0; i < tree.count(); ++i)
            if (tree.item(i).expanded) view->setExpanded(model->modelIndex(i), true);
    };
    QObject::connect(model, &ListTreeModel::treeReset, view, expandStored);
    expandStored();
}
