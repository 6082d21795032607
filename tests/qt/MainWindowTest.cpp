// The main window on real widgets: lists created, shown and deleted from the toolbar, records
// removed, and the window's state kept across a restart.
#include <QComboBox>
#include <QTreeView>
#include <QtTest>

#include "app/ToolbarButtons.h"
#include "app/qt/FindBox.h"
#include "app/qt/MainToolbar.h"
#include "platform/TextCodec.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "support/ProgramUnderTest.h"

namespace {
QString text(const std::string& gbk) {
    return toQString(gbk);
}
}  // namespace

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

        program.window().grab().save("/tmp/listaro-main.png");
        QVERIFY2(program.dialogs.problems().isEmpty(),
                 qPrintable(program.dialogs.problems().join('\n')));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
