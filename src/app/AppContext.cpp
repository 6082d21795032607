#include "app/AppContext.h"

#include "lists/ListFieldsForGrid.h"
#include "lists/ListStore.h"
#include "lists/ListTreeController.h"
#include "platform/RecordTable.h"
#include "platform/TooltipHost.h"

AppContext::AppContext(std::string runDirectory) : runDirectory(std::move(runDirectory)) {}

AppContext::~AppContext() = default;

void connectLists(AppContext& context, std::unique_ptr<RecordTable> tables, Dialogs& dialogs,
                  UiYield yieldToUi) {
    context.tables = std::move(tables);
    context.lists = std::make_unique<ListStore>(context.runDirectory, *context.tables,
                                                context.settings, dialogs, context.currentList);
    context.gridFields = std::make_unique<ListFieldsForGrid>(*context.lists);
    context.listTree = std::make_unique<ListTreeController>(
        context.tree, *context.lists, context.grid, context.settings, dialogs,
        context.treeNavigation, context.suppressTreeSelection, std::move(yieldToUi));
}
