#include "app/ToolbarCommands.h"

#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "app/Startup.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "support/FakeMainWindowView.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

class ToolbarCommandsTest : public testing::Test {
  protected:
    ToolbarCommandsTest() : app(dir.path()) {
        openSettingsFile(app);
        prepareFormLibrary(app);
        connectLists(app, std::make_unique<SqliteRecordTable>(), dialogs, {});
    }
    ToolbarCommands commands(ToolbarWork work = {}) {
        return ToolbarCommands(app, view, dialogs, std::move(work));
    }
    bool storedBool(const char* key) {
        app.settings.selectSection(GBK("主界面"));
        return app.settings.readBool(utf8ToGbk(key), false);
    }

    TempDir dir;
    AppContext app;
    FakeMainWindowView view;
    ScriptedDialogs dialogs;
};

const std::string& pingQuestion() {
    return GBK(
        "确定要执行PING字段的检测吗？这可能需要很久而且不能有其他操作，如果需要停止可以再次"
        "点击本按钮。");
}

}  // namespace

TEST_F(ToolbarCommandsTest, EveryButtonButPingIsRefusedWhileACheckRuns) {
    app.checkRunning = true;
    auto toolbar = commands();
    for (int index : {0, 1, 2, 4, 5, 6, 8, 10, 11}) {
        SCOPED_TRACE(index);
        dialogs.expectMessage(GBK("正在执行PING，不允许操作！"), MessageIcon::Exclamation);
        toolbar.toolbarClicked(index);
    }
    EXPECT_FALSE(view.findBox);
    EXPECT_EQ(view.relayouts, 0);
    EXPECT_EQ(view.designerOpened, 0);
    EXPECT_EQ(view.texts[ToolbarButton::ImportExport], transferIdleText());
    // The check's own button asks it to stop instead.
    toolbar.toolbarClicked(ToolbarButton::Ping);
    EXPECT_TRUE(app.checkStopRequested);
}

TEST_F(ToolbarCommandsTest, FindBoxToggleShowsHidesAndIsRemembered) {
    auto toolbar = commands();
    toolbar.toolbarClicked(ToolbarButton::FindRecords);
    EXPECT_TRUE(view.findBox);
    EXPECT_TRUE(view.toolbarChecked(ToolbarButton::FindRecords));
    EXPECT_TRUE(storedBool("显示查找框"));
    toolbar.toolbarClicked(ToolbarButton::FindRecords);
    EXPECT_FALSE(view.findBox);
    EXPECT_FALSE(view.toolbarChecked(ToolbarButton::FindRecords));
    EXPECT_FALSE(storedBool("显示查找框"));
    EXPECT_EQ(view.relayouts, 2);
}

TEST_F(ToolbarCommandsTest, PingAsksFirstAndShowsItsBusyStateWhileTheCheckRuns) {
    dialogs.expectMessage(pingQuestion(), MessageIcon::Question, MessageAnswer::Cancel);
    bool ran = false;
    ToolbarCommands* self = nullptr;
    std::vector<std::string> textsDuringRun;
    auto toolbar = commands({.runFieldCheck =
                                 [&] {
                                     ran = true;
                                     textsDuringRun.push_back(view.texts[ToolbarButton::Ping]);
                                     // A second press while it runs asks it to stop...
                                     self->toolbarClicked(ToolbarButton::Ping);
                                     // ...and any other button is refused.
                                     self->toolbarClicked(ToolbarButton::SelectAll);
                                 },
                             .importWithDialog = {},
                             .exportRows = {}});
    self = &toolbar;
    toolbar.toolbarClicked(ToolbarButton::Ping);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(app.checkRunning);

    dialogs.expectMessage(pingQuestion(), MessageIcon::Question, MessageAnswer::Ok);
    dialogs.expectMessage(GBK("正在执行PING，不允许操作！"), MessageIcon::Exclamation);
    app.checkStopRequested = true;  // left over from an earlier run: cleared at the start
    toolbar.toolbarClicked(ToolbarButton::Ping);
    EXPECT_TRUE(ran);
    EXPECT_EQ(textsDuringRun, std::vector<std::string>{GBK("停止PING")});
    EXPECT_TRUE(app.checkStopRequested);
    EXPECT_FALSE(app.checkRunning);
    EXPECT_EQ(view.texts[ToolbarButton::Ping], GBK("开始PING"));
}

TEST_F(ToolbarCommandsTest, ImportExportChoiceAndStopRequest) {
    const std::string question = GBK("导入选[是]或直接拖放，导出选[否]，否则选[取消]");
    int imports = 0, exports = 0;
    ToolbarCommands* self = nullptr;
    std::vector<std::string> textsDuringImport;
    auto toolbar =
        commands({.runFieldCheck = {},
                  .importWithDialog =
                      [&] {
                          ++imports;
                          textsDuringImport.push_back(view.texts[ToolbarButton::ImportExport]);
                          self->toolbarClicked(ToolbarButton::ImportExport);
                          textsDuringImport.push_back(view.texts[ToolbarButton::ImportExport]);
                      },
                  .exportRows = [&] { ++exports; }});
    self = &toolbar;
    struct Case {
        MessageAnswer answer;
        int imports, exports;
    };
    for (const Case& c : {Case{MessageAnswer::Cancel, 0, 0}, Case{MessageAnswer::No, 0, 1},
                          Case{MessageAnswer::Yes, 1, 1}}) {
        dialogs.expectMessage(question, MessageIcon::Question, c.answer);
        toolbar.toolbarClicked(ToolbarButton::ImportExport);
        EXPECT_EQ(imports, c.imports);
        EXPECT_EQ(exports, c.exports);
        EXPECT_EQ(view.texts[ToolbarButton::ImportExport], GBK("导入导出"));
    }
    EXPECT_EQ(textsDuringImport, (std::vector<std::string>{GBK("立即停止"), GBK("正在停止")}));
    EXPECT_TRUE(app.transferStopRequested);
}

TEST_F(ToolbarCommandsTest, CommandsThatNeedAFormOrAListSaySo) {
    auto toolbar = commands();
    app.formLibrary.clear();
    dialogs.expectMessage(GBK("请先新建一个表单，才能根据此表单新建一个列表！"),
                          MessageIcon::Exclamation);
    toolbar.toolbarClicked(ToolbarButton::NewList);
    EXPECT_EQ(view.designerOpened, 1);
    EXPECT_EQ(app.tree.count(), 0);

    dialogs.expectMessage(GBK("请先在左侧选中一个列表再录入！"), MessageIcon::Exclamation);
    toolbar.toolbarClicked(ToolbarButton::AddRecord);
    EXPECT_EQ(view.entryPanelOpened, 0);
    app.currentList.name = "L";
    toolbar.toolbarClicked(ToolbarButton::AddRecord);
    EXPECT_EQ(view.entryPanelOpened, 1);
}

TEST_F(ToolbarCommandsTest, AutoWidthToggleIsRemembered) {
    auto toolbar = commands();
    view.checked[ToolbarButton::AutoWidth] = true;
    toolbar.toolbarClicked(ToolbarButton::AutoWidth);
    EXPECT_FALSE(view.toolbarChecked(ToolbarButton::AutoWidth));
    app.settings.selectSection(GBK("主界面"));
    EXPECT_FALSE(app.settings.readBool(GBK("自动列宽"), true));
    toolbar.toolbarClicked(ToolbarButton::AutoWidth);
    EXPECT_TRUE(view.toolbarChecked(ToolbarButton::AutoWidth));
    EXPECT_TRUE(app.settings.readBool(GBK("自动列宽"), false));
}
