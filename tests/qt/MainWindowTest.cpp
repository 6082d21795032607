// The main window on real widgets: lists created, shown and deleted from the toolbar, records
// removed, and the window's state kept across a restart.
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeView>
#include <QWheelEvent>
#include <QtTest>

#include "app/ToolbarButtons.h"
#include "app/qt/FindBox.h"
#include "app/qt/MainToolbar.h"
#include "app/qt/SplitterBar.h"
#include "platform/TextCodec.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "support/ProgramUnderTest.h"

namespace {
QString text(const std::string& gbk) {
    return toQString(gbk);
}

// Appends records to the open list, field 1 (平台) and field 2 (域名) given, and shows the list
// anew from the tree's node index.
void addRecords(ProgramUnderTest& program,
                const std::vector<std::pair<std::string, std::string>>& rows, int node = 0) {
    RecordTable& table = *program.context().tables;
    table.beginBatch();
    for (const auto& [platform, domain] : rows) {
        table.addBlankRecord();
        table.write(1, platform);
        table.write(2, domain);
    }
    QVERIFY(table.commitBatch());
    program.context().treeNavigation.lastOpenedListNode = TreeNavigation::kReloadList;
    program.tree().select(-1);
    program.tree().select(node);
}

std::vector<std::string> column(RecordGrid& grid, int c) {
    std::vector<std::string> cells;
    for (int r = 1; r <= grid.rowCount(); ++r) cells.push_back(grid.cellText(r, c));
    return cells;
}

// Starts the program with one list of n records ("p", "r1") ... ("p", "rn"), shown.
void startWithOneList(ProgramUnderTest& program, int n) {
    program.start();
    program.window().toolbar()->click(ToolbarButton::NewList);
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 1; i <= n; ++i) rows.push_back({"p", "r" + std::to_string(i)});
    addRecords(program, rows);
}

std::vector<std::string> treeTexts(ListTree& tree) {
    std::vector<std::string> texts;
    for (int i = 0; i < tree.count(); ++i) texts.push_back(gbkToUtf8(tree.item(i).text));
    return texts;
}
}  // namespace

#define CHECK_DIALOGS(program)                       \
    QVERIFY2((program).dialogs.problems().isEmpty(), \
             qPrintable((program).dialogs.problems().join('\n')))

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void aListFromTheSampleFormShowsItsKeyFieldAndTwelveColumns() {
        ProgramUnderTest program;
        program.start();
        MainWindow& window = program.window();
        QCOMPARE(window.formSelectorBox()->count(), 2);
        QCOMPARE(window.formSelectorBox()->currentText(), QString::fromUtf8("示例表单"));

        window.toolbar()->click(ToolbarButton::NewList);
        ListTree& tree = program.tree();
        QCOMPARE(tree.count(), 2);
        QCOMPARE(text(tree.item(0).text), QString::fromUtf8("示例表单"));
        QCOMPARE(tree.depth(0), 1);
        QCOMPARE(text(tree.item(1).text), QString::fromUtf8("平台"));
        QCOMPARE(tree.item(1).value, 1);
        QCOMPARE(tree.depth(1), 2);
        QCOMPARE(tree.selectedIndex(), 0);
        QCOMPARE(program.grid().columnCount(), 12);
        QCOMPARE(program.grid().rowCount(), 0);
        QCOMPARE(text(program.grid().columnTitle(12)), QString::fromUtf8("备注"));
        QVERIFY(window.toolbar()->button(ToolbarButton::DeleteList)->isEnabled());
        QCOMPARE(window.treeView()->currentIndex().data().toString(),
                 QString::fromUtf8("示例表单"));

        CHECK_DIALOGS(program);
    }

    void newListWantsAFormChosen() {
        ProgramUnderTest program;
        program.start();
        MainWindow& window = program.window();
        window.formSelectorBox()->setCurrentIndex(1);  // the designer's item
        program.dialogs.expectMessage(GBK("请先选择一个表单，才能根据此表单新建一个列表！"),
                                      MessageIcon::Exclamation);
        window.toolbar()->click(ToolbarButton::NewList);
        QCOMPARE(window.formSelectorBox()->currentIndex(), 0);
        QCOMPARE(program.tree().count(), 0);
        CHECK_DIALOGS(program);
    }

    void removingRecordsKeepsTheOtherRowsAndDropsVanishedValues() {
        ProgramUnderTest program;
        program.start();
        program.window().toolbar()->click(ToolbarButton::NewList);
        addRecords(program,
                   {{"x", "r1"}, {"y", "r2"}, {"x", "r3"}, {"y", "r4"}, {"z", "r5"}, {"x", "r6"}});
        RecordGrid& grid = program.grid();
        QCOMPARE(grid.rowCount(), 6);
        QCOMPARE(treeTexts(program.tree()),
                 (std::vector<std::string>{"示例表单", "平台", "x", "y", "z"}));

        program.dialogs.expectMessage(GBK("请先选择要移除的记录行！"), MessageIcon::Exclamation);
        program.window().toolbar()->click(ToolbarButton::RemoveRecords);

        grid.selectRow(2);
        grid.selectRow(5);
        program.dialogs.expectMessage(GBK("确定要移除选中的记录吗？"), MessageIcon::Question,
                                      MessageAnswer::Cancel);
        program.window().toolbar()->click(ToolbarButton::RemoveRecords);
        QCOMPARE(grid.rowCount(), 6);

        program.dialogs.expectMessage(GBK("确定要移除选中的记录吗？"), MessageIcon::Question);
        program.window().toolbar()->click(ToolbarButton::RemoveRecords);
        QCOMPARE(column(grid, 2), (std::vector<std::string>{"r1", "r3", "r4", "r6"}));
        QCOMPARE(program.context().tables->recordCount(), 4);
        QCOMPARE(treeTexts(program.tree()),
                 (std::vector<std::string>{"示例表单", "平台", "x", "y"}));
        QCOMPARE(program.tree().selectedIndex(), 0);

        // What is left shows the same after a restart.
        program.restart();
        QCOMPARE(column(program.grid(), 2), (std::vector<std::string>{"r1", "r3", "r4", "r6"}));
        CHECK_DIALOGS(program);
    }

    void findBoxAutoWidthAndSplitterSurviveARestart() {
        ProgramUnderTest program;
        program.start();
        MainWindow& window = program.window();
        QVERIFY(window.toolbar()->isChecked(ToolbarButton::AutoWidth));
        QVERIFY(!window.findBoxVisible());
        const int gridTop = program.grid().containerTop();
        window.toolbar()->click(ToolbarButton::FindRecords);
        QVERIFY(window.findBoxVisible());
        QCOMPARE(program.grid().containerTop(), gridTop + 40);
        window.toolbar()->click(ToolbarButton::AutoWidth);
        window.splitterMoved(400);

        program.restart();
        MainWindow& again = program.window();
        QVERIFY(again.findBoxVisible());
        QVERIFY(again.toolbar()->isChecked(ToolbarButton::FindRecords));
        QVERIFY(!again.toolbar()->isChecked(ToolbarButton::AutoWidth));
        QCOMPARE(again.splitterLeft(), 400);
        QCOMPARE(again.formSelectorBox()->width(), 400);
        QCOMPARE(again.treeView()->width(), 400);
        QCOMPARE(program.grid().containerLeft(), 406);
        QCOMPARE(program.grid().containerTop(), gridTop + 40);
        QCOMPARE(again.findBox()->x(), 406);

        again.toolbar()->click(ToolbarButton::FindRecords);
        QCOMPARE(program.grid().containerTop(), gridTop);
        CHECK_DIALOGS(program);
    }

    void theSelectedNodeAndTheFindTextComeBack() {
        ProgramUnderTest program;
        program.start();
        program.window().toolbar()->click(ToolbarButton::NewList);
        program.window().toolbar()->click(ToolbarButton::NewList);
        QCOMPARE(treeTexts(program.tree()),
                 (std::vector<std::string>{"示例表单", "平台", "示例表单1", "平台"}));
        QCOMPARE(program.tree().selectedIndex(), 2);
        program.tree().select(3);
        program.window().findBox()->findText()->setText(QString::fromUtf8("要找的"));

        program.restart();
        QCOMPARE(program.tree().selectedIndex(), 3);
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("示例表单1"));
        QCOMPARE(program.grid().columnCount(), 12);
        QCOMPARE(program.window().findBox()->findText()->text(), QString::fromUtf8("要找的"));
        QVERIFY(program.window().treeView()->isExpanded(
            program.window().treeView()->model()->index(1, 0)));
        CHECK_DIALOGS(program);
    }

    void deletingTheOnlyListAsksTwiceAndEmptiesTheGrid() {
        ProgramUnderTest program;
        program.start();
        MainWindow& window = program.window();
        window.toolbar()->click(ToolbarButton::NewList);
        addRecords(program, {{"x", "r1"}});
        const std::string first = GBK("确定要删除【示例表单】列表吗？");
        const std::string second = GBK("请再次确认，真的要删除【示例表单】列表吗？");
        program.dialogs.expectMessage(first, MessageIcon::Question, MessageAnswer::Cancel);
        window.toolbar()->click(ToolbarButton::DeleteList);
        program.dialogs.expectMessage(first, MessageIcon::Question)
            .expectMessage(second, MessageIcon::Question, MessageAnswer::Cancel);
        window.toolbar()->click(ToolbarButton::DeleteList);
        QCOMPARE(program.tree().count(), 3);
        QCOMPARE(program.grid().rowCount(), 1);

        program.dialogs.expectMessage(first, MessageIcon::Question)
            .expectMessage(second, MessageIcon::Question);
        window.toolbar()->click(ToolbarButton::DeleteList);
        QCOMPARE(program.tree().count(), 0);
        QCOMPARE(program.grid().rowCount(), 0);
        QCOMPARE(program.grid().columnCount(), 0);
        QVERIFY(program.context().currentList.name.empty());
        QVERIFY(!window.toolbar()->button(ToolbarButton::DeleteList)->isEnabled());

        program.restart();
        QCOMPARE(program.tree().count(), 0);
        QCOMPARE(program.grid().columnCount(), 0);
        CHECK_DIALOGS(program);
    }

    void aRemovedSelectionLeavesNothingSelectedAndLoadsNothing() {
        ProgramUnderTest program;
        program.start();
        MainWindow& window = program.window();
        window.toolbar()->click(ToolbarButton::NewList);
        window.toolbar()->click(ToolbarButton::NewList);
        ListTree& tree = program.tree();
        tree.select(0);
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("示例表单"));
        // The view must not pick a neighbour of its own accord, and show that list in the middle
        // of the removal.
        tree.deleteItem(0);
        QCOMPARE(tree.selectedIndex(), -1);
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("示例表单"));
        QVERIFY(!window.treeView()->currentIndex().isValid());
        tree.select(0);
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("示例表单1"));
        QCOMPARE(window.treeView()->currentIndex(), window.treeView()->model()->index(0, 0));
        CHECK_DIALOGS(program);
    }

    void commandsAreRefusedWhileACheckRuns() {
        ProgramUnderTest program;
        program.start();
        program.context().checkRunning = true;
        for (int index : {ToolbarButton::NewList, ToolbarButton::FindRecords,
                          ToolbarButton::AutoWidth, ToolbarButton::ImportExport}) {
            program.dialogs.expectMessage(GBK("正在执行PING，不允许操作！"),
                                          MessageIcon::Exclamation);
            program.window().toolbar()->click(index);
        }
        QCOMPARE(program.tree().count(), 0);
        QVERIFY(!program.window().findBoxVisible());
        QVERIFY(program.window().toolbar()->isChecked(ToolbarButton::AutoWidth));
        program.context().checkRunning = false;
        CHECK_DIALOGS(program);
    }

    void clicksOnTheGridSelectRows() {
        ProgramUnderTest program;
        startWithOneList(program, 10);
        QtCanvas* data = program.window().dataCanvas();
        RecordGrid& grid = program.grid();
        auto rowPoint = [&grid](int row) { return QPoint(40, (row - 1) * grid.rowHeight() + 10); };
        auto selection = [&grid] {
            std::vector<int> s;
            grid.copySelection(s);
            return s;
        };
        QTest::mouseClick(data, Qt::LeftButton, Qt::NoModifier, rowPoint(4));
        QCOMPARE(selection(), std::vector<int>{4});
        QTest::mouseClick(data, Qt::LeftButton, Qt::ShiftModifier, rowPoint(7));
        QCOMPARE(selection(), (std::vector<int>{4, 5, 6, 7}));
        QTest::mouseClick(data, Qt::LeftButton, Qt::NoModifier, rowPoint(3));
        QTest::mouseClick(data, Qt::LeftButton, Qt::ControlModifier, rowPoint(1));
        QCOMPARE(selection(), (std::vector<int>{1, 3}));
        program.window().toolbar()->click(ToolbarButton::SelectAll);
        QCOMPARE(selection().size(), size_t(10));
        // The selection shows: row 2's fill is the selection colour.
        const QImage image = data->snapshot();
        QCOMPARE(image.pixelColor(40, grid.rowHeight() + 3), QColor(70, 130, 180));
        CHECK_DIALOGS(program);
    }

    void theWheelAnywhereOverTheWindowScrollsTheGrid() {
        ProgramUnderTest program;
        startWithOneList(program, 100);
        MainWindow& window = program.window();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto turn = [&window](QWidget* over, int delta) {
            const QPointF local(over->width() / 2.0, over->height() / 2.0);
            QWheelEvent wheel(over->mapTo(&window, local), over->mapToGlobal(local), QPoint(),
                              QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QCoreApplication::sendEvent(window.windowHandle(), &wheel);
        };
        RecordGrid& grid = program.grid();
        turn(window.dataCanvas(), -120);  // towards the user: down by 4 rows
        QCOMPARE(grid.topRowValue(), 4);
        turn(window.treeView(), -120);  // over the tree as well
        QCOMPARE(grid.topRowValue(), 8);
        turn(window.toolbar(), 120);
        QCOMPARE(grid.topRowValue(), 4);
        CHECK_DIALOGS(program);
    }

    void aDragGoesOnOverTheWindowsOwnSurface() {
        ProgramUnderTest program;
        startWithOneList(program, 10);
        MainWindow& window = program.window();
        RecordGrid& grid = program.grid();
        const int rowHeight = grid.rowHeight();
        QTest::mousePress(window.dataCanvas(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(40, rowHeight + 10));  // row 2
        // The pointer leaves the canvases: moves over the window's own surface reach the grid in
        // the data canvas's coordinates.
        QWidget* surface = window.centralWidget();
        const QPoint dataOrigin = window.dataCanvas()->mapTo(surface, QPoint(0, 0));
        QMouseEvent move(
            QEvent::MouseMove, QPointF(dataOrigin.x() - 3, dataOrigin.y() + 4 * rowHeight + 10),
            surface->mapToGlobal(QPointF(dataOrigin.x() - 3, dataOrigin.y() + 4 * rowHeight + 10)),
            Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(surface, &move);
        std::vector<int> selected;
        grid.copySelection(selected);
        QCOMPARE(selected, (std::vector<int>{2, 3, 4, 5}));
        CHECK_DIALOGS(program);
    }

    void aListIsRenamedInPlaceOtherNodesAreNot() {
        ProgramUnderTest program;
        program.start();
        program.window().toolbar()->click(ToolbarButton::NewList);
        program.window().toolbar()->click(ToolbarButton::NewList);
        QAbstractItemModel* model = program.window().treeView()->model();
        const QModelIndex firstList = model->index(0, 0);
        const QModelIndex keyField = model->index(0, 0, firstList);
        QVERIFY(model->flags(firstList) & Qt::ItemIsEditable);
        QVERIFY(!(model->flags(keyField) & Qt::ItemIsEditable));

        program.tree().select(0);
        QVERIFY(model->setData(firstList, QString::fromUtf8("网站清单"), Qt::EditRole));
        QCOMPARE(firstList.data().toString(), QString::fromUtf8("网站清单"));
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("网站清单"));
        // The name of another list is taken: the node keeps its name.
        QVERIFY(!model->setData(firstList, QString::fromUtf8("示例表单1"), Qt::EditRole));
        QCOMPARE(firstList.data().toString(), QString::fromUtf8("网站清单"));

        program.restart();
        QCOMPARE(program.window().treeView()->model()->index(0, 0).data().toString(),
                 QString::fromUtf8("网站清单"));
        QCOMPARE(program.grid().columnCount(), 12);
        CHECK_DIALOGS(program);
    }

    void theTraysExitQuestionCanBeCancelled() {
        ProgramUnderTest program;
        program.start();
        program.window().toolbar()->click(ToolbarButton::NewList);
        const std::string question = GBK("确定要退出本软件《澄溪·表单录入台》吗？");
        program.dialogs.expectMessage(question, MessageIcon::Question, MessageAnswer::Cancel);
        program.window().trayEvent(3);
        QVERIFY(program.window().isVisible());
        program.window().trayEvent(1);  // hides
        QVERIFY(!program.window().isVisible());
        program.window().trayEvent(1);  // and shows again
        QVERIFY(program.window().isVisible());

        program.dialogs.expectMessage(question, MessageIcon::Question, MessageAnswer::Ok);
        program.window().trayEvent(3);
        // Saved as a close saves: the selected node is there at the next start.
        program.restart();
        QCOMPARE(program.tree().selectedIndex(), 0);
        QCOMPARE(program.grid().columnCount(), 12);
        CHECK_DIALOGS(program);
    }

    void draggingTheSplitterMovesBothPanesAndIsStored() {
        ProgramUnderTest program;
        program.start();
        MainWindow& window = program.window();
        SplitterBar* splitter = window.splitter();
        QCOMPARE(splitter->x(), 304);
        QTest::mousePress(splitter, Qt::LeftButton, Qt::NoModifier, QPoint(3, 50));
        QMouseEvent move(QEvent::MouseMove, QPointF(99, 50), splitter->mapToGlobal(QPointF(99, 50)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(splitter, &move);
        QTest::mouseRelease(splitter, Qt::LeftButton, Qt::NoModifier, QPoint(99, 50));
        QCOMPARE(window.splitterLeft(), 400);
        QCOMPARE(splitter->x(), 400);
        QCOMPARE(window.treeView()->width(), 400);
        QCOMPARE(program.grid().containerLeft(), 406);
        program.context().settings.selectSection(GBK("主界面"));
        QCOMPARE(program.context().settings.readNumber(GBK("分隔条位置"), 0), 400.0);
        CHECK_DIALOGS(program);
    }

    // A stored position that is damaged, or that was dragged in a wider window, must not put the
    // splitter out of reach and the grid out of sight.
    void aStoredSplitterOutsideTheWindowStaysInside() {
        struct Case {
            const char* stored;
            int left;
        };
        const Case cases[] = {{"1e300", 1192 - 6}, {"5000", 1192 - 6}, {"-40", 0}, {"-1e300", 0}};
        for (const Case& c : cases) {
            ProgramUnderTest program;
            program.start();
            program.context().settings.selectSection(GBK("主界面"));
            program.context().settings.writeText(GBK("分隔条位置"), c.stored);
            program.restart();
            MainWindow& window = program.window();
            QCOMPARE(window.width(), 1192);
            QCOMPARE(window.splitterLeft(), c.left);
            QCOMPARE(window.splitter()->x(), c.left);
            QCOMPARE(program.grid().containerLeft(), c.left + 6);
            QCOMPARE(window.treeView()->width(), c.left);
            CHECK_DIALOGS(program);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
