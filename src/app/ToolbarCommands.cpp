#include "app/ToolbarCommands.h"

#include "app/AppContext.h"
#include "app/ToolbarButtons.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"

ToolbarCommands::ToolbarCommands(AppContext& app, MainWindowView& view, Dialogs& dialogs,
                                 ToolbarWork work)
    : app_(app), view_(view), dialogs_(dialogs), work_(std::move(work)) {}

void ToolbarCommands::warn(const std::string& text) {
    dialogs_.showMessage(text, app_.productTitle, MessageIcon::Exclamation);
}

bool ToolbarCommands::confirm(const std::string& text) {
    return dialogs_.showMessage(text, app_.productTitle, MessageIcon::Question,
                                MessageButtons::OkCancel) == MessageAnswer::Ok;
}

void ToolbarCommands::toolbarClicked(int index) {
    if (app_.checkRunning && index != ToolbarButton::Ping) {
        warn(GBK("正在执行PING，不允许操作！"));
        return;
    }
    switch (index) {
        case ToolbarButton::NewList:
            return newList();
        case ToolbarButton::DeleteList:
            return deleteList();
        case ToolbarButton::FindRecords:
            return toggleFindBox();
        case ToolbarButton::AddRecord:
            return addRecord();
        case ToolbarButton::RemoveRecords:
            return removeRecords();
        case ToolbarButton::SelectAll:
            return selectAllRecords();
        case ToolbarButton::FormDesigner:
            return view_.openFormDesigner();
        case ToolbarButton::Ping:
            return fieldCheck();
        case ToolbarButton::AutoWidth:
            return toggleAutoWidth();
        case ToolbarButton::ImportExport:
            return importOrExport();
        default:
            return;  // separators
    }
}

void ToolbarCommands::toggleFindBox() {
    const bool on = !view_.toolbarChecked(ToolbarButton::FindRecords);
    view_.setToolbarChecked(ToolbarButton::FindRecords, on);
    view_.setFindBoxVisible(on);
    view_.relayout();
    app_.settings.selectSection(GBK("主界面"));
    app_.settings.writeBool(GBK("显示查找框"), view_.findBoxVisible());
}

void ToolbarCommands::fieldCheck() {
    if (app_.checkRunning) {
        app_.checkStopRequested = true;
        return;
    }
    if (!confirm(GBK("确定要执行PING字段的检测吗？这可能需要很久而且不能有其他操作，如果需要停止可"
                     "以再次点击本按钮。")))
        return;
    app_.checkStopRequested = false;
    app_.checkRunning = true;
    view_.setToolbarText(ToolbarButton::Ping, pingRunningText());
    if (work_.runFieldCheck) work_.runFieldCheck();
    // The check clears the flag at its end; without a check there is nothing that would.
    app_.checkRunning = false;
    view_.setToolbarText(ToolbarButton::Ping, pingIdleText());
}

void ToolbarCommands::importOrExport() {
    if (view_.toolbarText(ToolbarButton::ImportExport) != transferIdleText()) {
        view_.setToolbarText(ToolbarButton::ImportExport, transferStoppingText());
        app_.transferStopRequested = true;
        return;
    }
    view_.setToolbarText(ToolbarButton::ImportExport, transferRunningText());
    app_.transferStopRequested = false;
    const MessageAnswer answer =
        dialogs_.showMessage(GBK("导入选[是]或直接拖放，导出选[否]，否则选[取消]"),
                             app_.productTitle, MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes && work_.importWithDialog) work_.importWithDialog();
    if (answer == MessageAnswer::No && work_.exportRows) work_.exportRows();
    view_.setToolbarText(ToolbarButton::ImportExport, transferIdleText());
}
