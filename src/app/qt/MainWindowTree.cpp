// The tree of lists in the window: its model, the hooks through which the tree reaches the toolbar,
// and the in-place renaming of lists.
#include <QTreeView>

#include "app/AppContext.h"
#include "app/ToolbarButtons.h"
#include "app/qt/MainToolbar.h"
#include "app/qt/MainWindow.h"
#include "lists/ListTreeController.h"
#include "lists/qt/ListTreeModel.h"

void MainWindow::bindTree() {
    ListTreeController& controller = *context_.listTree;
    treeModel_ = new ListTreeModel(
        context_.tree,
        {[&controller](int index) { return controller.mayRename(index); },
         [&controller](const std::string& newText) { return controller.finishRename(newText); }},
        this);
    bindListTreeView(tree_, treeModel_, context_.tree);
    controller.setHooks({
        .autoColumnWidth = [this] { return toolbar_->isChecked(ToolbarButton::AutoWidth); },
        .enableDeleteList =
            [this](bool on) { toolbar_->setEnabled(ToolbarButton::DeleteList, on); },
        .entryPanelOpen = {},
        .rebuildEntryPanel = {},
        .closeEntryPanel = {},
    });
}
