// What arrives while a large list loads or sorts (the window lets events through meanwhile):
// another list selected, the list deleted, the window closed. Nothing may crash, and the grid
// shows exactly one list's rows under that list's columns.
#include <QTimer>
#include <QtTest>

#include "app/ToolbarButtons.h"
#include "app/qt/MainToolbar.h"
#include "platform/TextCodec.h"
#include "platform/qt/Fonts.h"
#include "support/ProgramUnderTest.h"

namespace {

constexpr int kLargeRows = 150000;

// Tree indexes move as value nodes come and go: lists are found by name.
int listNode(ProgramUnderTest& program, const char* utf8Name) {
    ListTree& tree = program.tree();
    for (int i = 0; i < tree.count(); ++i)
        if (tree.depth(i) == 1 && gbkToUtf8(tree.item(i).text) == utf8Name) return i;
    return -1;
}
int largeNode(ProgramUnderTest& program) {
    return listNode(program, "示例表单");
}
int smallNode(ProgramUnderTest& program) {
    return listNode(program, "示例表单1");
}

void fill(ProgramUnderTest& program, int node, const std::string& prefix, int count) {
    program.tree().select(node);
    QCOMPARE(program.grid().rowCount(), 0);
    RecordTable& table = *program.context().tables;
    table.beginBatch();
    for (int i = 1; i <= count; ++i) {
        table.addBlankRecord();
        table.write(1, std::string("k") + std::to_string(i % 7));
        table.write(2, prefix + std::to_string(i));
    }
    QVERIFY(table.commitBatch());
}

// Two lists: a large one and a small one, the small one shown.
void twoLists(ProgramUnderTest& program) {
    program.start();
    program.window().toolbar()->click(ToolbarButton::NewList);
    program.window().toolbar()->click(ToolbarButton::NewList);
    fill(program, largeNode(program), "L", kLargeRows);
    fill(program, smallNode(program), "S", 3);
    program.context().treeNavigation.lastOpenedListNode = TreeNavigation::kReloadList;
    program.tree().select(-1);
    program.tree().select(smallNode(program));
    QCOMPARE(program.grid().rowCount(), 3);
}

// The grid holds the rows of exactly one list: count, the second column's prefix, 12 columns.
void expectOnlyRowsOf(ProgramUnderTest& program, const std::string& prefix, int count) {
    RecordGrid& grid = program.grid();
    QCOMPARE(grid.rowCount(), count);
    QCOMPARE(grid.columnCount(), 12);
    QCOMPARE(gbkToUtf8(grid.columnTitle(2)), std::string("域名"));
    for (int r = 1; r <= grid.rowCount(); ++r)
        QVERIFY2(grid.cellText(r, 2).rfind(prefix, 0) == 0, grid.cellText(r, 2).c_str());
}

// Runs what at the first event-loop pass inside the record loop of a load or inside a sort; sawBusy
// tells whether such a pass came at all.
class WhileBusy {
  public:
    WhileBusy(ProgramUnderTest& program, std::function<void()> what) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this, &program, what] {
            if (!program.context().listTree->loading() && !program.grid().sortRunning()) return;
            timer_.stop();
            sawBusy = true;
            what();
        });
        timer_.start();
    }
    bool sawBusy = false;

  private:
    QTimer timer_;
};

}  // namespace

class MainWindowReentryTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void anotherListSelectedWhileALargeListLoads() {
        ProgramUnderTest program;
        twoLists(program);
        WhileBusy busy(program, [&] { program.tree().select(smallNode(program)); });
        program.tree().select(largeNode(program));
        QVERIFY(busy.sawBusy);
        QCoreApplication::processEvents();
        expectOnlyRowsOf(program, "S", 3);
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("示例表单1"));

        // The large list shows in full when chosen again.
        program.tree().select(largeNode(program));
        expectOnlyRowsOf(program, "L", kLargeRows);
        QVERIFY(program.dialogs.problems().isEmpty());
    }

    void theLoadingListDeleted() {
        ProgramUnderTest program;
        twoLists(program);
        program.dialogs.expectMessage(GBK("确定要删除【示例表单】列表吗？"), MessageIcon::Question)
            .expectMessage(GBK("请再次确认，真的要删除【示例表单】列表吗？"),
                           MessageIcon::Question);
        WhileBusy busy(program,
                       [&] { program.window().toolbar()->click(ToolbarButton::DeleteList); });
        program.tree().select(largeNode(program));
        QVERIFY(busy.sawBusy);
        QCoreApplication::processEvents();
        QCOMPARE(largeNode(program), -1);
        expectOnlyRowsOf(program, "S", 3);
        QVERIFY2(program.dialogs.problems().isEmpty(),
                 qPrintable(program.dialogs.problems().join('\n')));
    }

    void theWindowClosedWhileALargeListLoads() {
        ProgramUnderTest program;
        twoLists(program);
        WhileBusy busy(program, [&] { program.window().close(); });
        program.tree().select(largeNode(program));
        QVERIFY(busy.sawBusy);
        QVERIFY(!program.window().isVisible());
        // The load stopped where the close found it; the next start shows the list in full.
        QVERIFY(program.grid().rowCount() < kLargeRows);
        program.restart();
        QCOMPARE(program.tree().selectedIndex(), largeNode(program));
        expectOnlyRowsOf(program, "L", kLargeRows);
    }

    void anotherListSelectedWhileALargeListSorts() {
        ProgramUnderTest program;
        twoLists(program);
        program.tree().select(largeNode(program));
        expectOnlyRowsOf(program, "L", kLargeRows);
        WhileBusy busy(program, [&] { program.tree().select(smallNode(program)); });
        program.grid().sortByColumn(2, false, 2);
        QCoreApplication::processEvents();
        expectOnlyRowsOf(program, "S", 3);
        QCOMPARE(program.grid().cellText(1, 2), std::string("S1"));
        QVERIFY(busy.sawBusy);
    }

    // A header click while a list loads would sort only the rows loaded so far and leave the rest
    // unsorted below them: it is refused, and the list shows in record order.
    void aHeaderClickedWhileALargeListLoads() {
        ProgramUnderTest program;
        twoLists(program);
        RecordGrid& grid = program.grid();
        WhileBusy busy(program, [&] {
            const int x = grid.columnLeft(2) + 10;
            grid.headerCanvasPressed(x, 10);
            grid.headerReleased(x, 10);
        });
        program.tree().select(largeNode(program));
        QVERIFY(busy.sawBusy);
        QCoreApplication::processEvents();
        expectOnlyRowsOf(program, "L", kLargeRows);
        for (int r = 1; r <= 50; ++r) QCOMPARE(grid.cellText(r, 2), "L" + std::to_string(r));
        QCOMPARE(gbkToUtf8(grid.columnTitle(2)), std::string("域名"));
        QVERIFY(program.dialogs.problems().isEmpty());
    }

    // Removing records rebuilds the list's value nodes with nothing selected, letting events
    // through; a list the user selects meanwhile stays selected and shown.
    void anotherListSelectedWhileValueNodesAreRebuilt() {
        ProgramUnderTest program;
        twoLists(program);
        program.tree().select(largeNode(program));
        expectOnlyRowsOf(program, "L", kLargeRows);
        program.grid().selectRow(1);
        program.dialogs.expectMessage(GBK("确定要移除选中的记录吗？"), MessageIcon::Question);
        bool selectedMeanwhile = false;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (program.tree().selectedIndex() != -1) return;
            timer.stop();
            selectedMeanwhile = true;
            program.tree().select(smallNode(program));
        });
        timer.start();
        program.window().toolbar()->click(ToolbarButton::RemoveRecords);
        QVERIFY(selectedMeanwhile);
        QCoreApplication::processEvents();
        QCOMPARE(program.tree().selectedIndex(), smallNode(program));
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("示例表单1"));
        expectOnlyRowsOf(program, "S", 3);

        // The large list lost its first record only, and its value nodes are whole when it is
        // shown again.
        program.tree().select(largeNode(program));
        expectOnlyRowsOf(program, "L", kLargeRows - 1);
        QCOMPARE(program.tree().children(largeNode(program) + 1).size(), size_t{7});
        QVERIFY2(program.dialogs.problems().isEmpty(),
                 qPrintable(program.dialogs.problems().join('\n')));
    }

    // A new list's definition and the tree file are written before the new node is selected, and
    // the writes let events through: a list deleted meanwhile moves the new node up.
    void aListDeletedWhileANewListIsSaved() {
        ProgramUnderTest program;
        program.start();
        program.window().toolbar()->click(ToolbarButton::NewList);
        QCOMPARE(program.tree().count(), 2);
        program.dialogs.expectMessage(GBK("确定要删除【示例表单】列表吗？"), MessageIcon::Question)
            .expectMessage(GBK("请再次确认，真的要删除【示例表单】列表吗？"),
                           MessageIcon::Question);
        bool deletedMeanwhile = false;
        QTimer timer;
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (program.tree().count() != 4) return;
            timer.stop();
            deletedMeanwhile = true;
            program.window().toolbar()->click(ToolbarButton::DeleteList);
        });
        timer.start();
        program.window().toolbar()->click(ToolbarButton::NewList);
        QVERIFY(deletedMeanwhile);
        QCOMPARE(program.tree().count(), 2);
        QCOMPARE(program.tree().selectedIndex(), listNode(program, "示例表单1"));
        QCOMPARE(gbkToUtf8(program.context().currentList.name), std::string("示例表单1"));
        QCOMPARE(program.grid().columnCount(), 12);
        QVERIFY2(program.dialogs.problems().isEmpty(),
                 qPrintable(program.dialogs.problems().join('\n')));
    }
};

QTEST_MAIN(MainWindowReentryTest)
#include "MainWindowReentryTest.moc"
