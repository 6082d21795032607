#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/qt/Program.h"
#include "forms/FieldText.h"
#include "platform/TextCodec.h"

class ProgramTest : public QObject {
    Q_OBJECT
  private slots:
    void firstStartShowsTheMainWindowAndSeedsTheSettings() {
        QTemporaryDir dir;
        // An executable path of its own, so that no other run answers the probe.
        const QString executable = dir.path() + QStringLiteral("/listaro");
        {
            Program program;
            QVERIFY(program.start(executable, dir.path().toStdString()));
            MainWindow* window = program.window();
            QVERIFY(window);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            QCOMPARE(
                window->windowTitle(),
                QStringLiteral("澄溪·表单录入台 v1.1.0.0 - "
                               "点击链接打开，按住Alt键点击复制；右击复制单列，按住Alt键右击复制整"
                               "行。"));
            QCOMPARE(program.context()->formLibrary.size(), size_t(1));
            program.tearDown();
            QVERIFY(!program.window());
        }
        QFile settings(dir.path() + QStringLiteral("/澄溪·表单录入台.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const std::string expected = utf8ToGbk("[表单库]\r\n1_字段=") + sampleFieldText() +
                                     utf8ToGbk("\r\n1_名称=示例表单\r\n数量=1");
        QCOMPARE(settings.readAll().toStdString(), expected);
    }
};

QTEST_MAIN(ProgramTest)
#include "ProgramTest.moc"
