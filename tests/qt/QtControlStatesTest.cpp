// Control states on real widgets: every kind of input control found by its name and tag, saved
// into a section and restored into fresh widgets.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/TextCodec.h"
#include "platform/qt/QtText.h"
#include "settings/SettingsStore.h"
#include "settings/qt/QtControlStates.h"

namespace {

// A window with one control of each kind, named as the program names its controls.
struct Form {
    QWidget window;
    QPushButton* button = new QPushButton(&window);
    QLineEdit* edit = new QLineEdit(&window);
    QLineEdit* banned = new QLineEdit(&window);
    QCheckBox* check = new QCheckBox(&window);
    QRadioButton* radio = new QRadioButton(&window);
    QComboBox* combo = new QComboBox(&window);
    QListWidget* list = new QListWidget(&window);
    QListWidget* checkList = new QListWidget(&window);
    QLineEdit* label = new QLineEdit(&window);

    Form() {
        button->setObjectName(QString::fromUtf8("按钮查找"));
        edit->setObjectName(QString::fromUtf8("编辑框查找内容"));
        banned->setObjectName(QString::fromUtf8("编辑框密码"));
        banned->setProperty("tag", QString::fromUtf8("禁止保存"));
        check->setObjectName(QString::fromUtf8("选择框查树"));
        radio->setObjectName(QString::fromUtf8("单选框甲"));
        combo->setObjectName(QString::fromUtf8("组合框表单"));
        combo->addItems({"a", "b", "c"});
        list->setObjectName(QString::fromUtf8("列表框字段"));
        list->setSelectionMode(QAbstractItemView::MultiSelection);
        checkList->setObjectName(QString::fromUtf8("选择列表框类型"));
        label->setObjectName(QString::fromUtf8("标签说明"));
    }
};

}  // namespace

class QtControlStatesTest : public QObject {
    Q_OBJECT
  private slots:
    void everyKindComesBackAndExcludedOnesDoNot() {
        QTemporaryDir dir;
        const std::string path = toGbk(dir.filePath("s.ini"));
        {
            SettingsStore store;
            QVERIFY(store.open(path));
            Form form;
            form.button->setProperty("tag", "7");
            form.edit->setText(QString::fromUtf8("东方"));
            form.banned->setText("secret");
            form.check->setChecked(true);
            form.radio->setChecked(true);
            form.combo->setCurrentIndex(2);
            form.list->addItems({QString::fromUtf8("甲"), "b", "c", "d"});
            form.list->item(0)->setSelected(true);
            form.list->item(3)->setSelected(true);
            for (const char* item : {"x", "y", "z"}) {
                auto* i = new QListWidgetItem(item, form.checkList);
                i->setCheckState(Qt::Unchecked);
            }
            form.checkList->item(1)->setCheckState(Qt::Checked);
            form.label->setText("not kept");
            syncWindowControlStates(store, &form.window, false, GBK("主界面"), {}, {});
            QCOMPARE(store.readValue(GBK("主界面"), GBK("列表框字段.选中"), "", false),
                     std::string("0,3"));
            QCOMPARE(store.readValue(GBK("主界面"), GBK("编辑框密码"), "<none>", false),
                     std::string("<none>"));
        }
        SettingsStore store;
        QVERIFY(store.open(path));
        Form form;
        syncWindowControlStates(store, &form.window, true, GBK("主界面"), {}, {});
        QCOMPARE(form.button->property("tag").toString(), QString("7"));
        QCOMPARE(form.edit->text(), QString::fromUtf8("东方"));
        QVERIFY(form.banned->text().isEmpty());
        QVERIFY(form.check->isChecked());
        QVERIFY(form.radio->isChecked());
        QCOMPARE(form.combo->currentIndex(), 2);
        QCOMPARE(form.list->count(), 4);
        QCOMPARE(form.list->item(0)->text(), QString::fromUtf8("甲"));
        QVERIFY(form.list->item(0)->isSelected() && form.list->item(3)->isSelected());
        QVERIFY(!form.list->item(1)->isSelected());
        QCOMPARE(form.checkList->count(), 3);
        QCOMPARE(form.checkList->item(1)->checkState(), Qt::Checked);
        QCOMPARE(form.checkList->item(0)->checkState(), Qt::Unchecked);
        QVERIFY(form.checkList->item(0)->flags() & Qt::ItemIsUserCheckable);
        QVERIFY(form.label->text().isEmpty());
    }
};

QTEST_MAIN(QtControlStatesTest)
#include "QtControlStatesTest.moc"
