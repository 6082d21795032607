#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppContext.h"
#include "app/qt/MainWindow.h"
#include "app/qt/SingleInstance.h"
#include "forms/FieldText.h"
#include "platform/TextCodec.h"
#include "platform/sqlite/SqliteRecordTable.h"
#include "support/QtScriptedDialogs.h"

namespace {

const QString kSettingsName = QStringLiteral("澄溪·表单录入台.ini");

QProcessEnvironment offscreen() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// A copy of the program in its own folder, so that each test has its own instance name.
QString copyProgramTo(const QString& folder) {
    QDir().mkpath(folder);
    QString target = folder + QStringLiteral("/listaro");
    QFile::copy(QStringLiteral(LISTARO_PROGRAM), target);
    return target;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the first start in an empty folder leaves: the sample form, four lines.
QByteArray seededSettings() {
    std::string bytes = utf8ToGbk("[表单库]\r\n1_字段=") + sampleFieldText() +
                        utf8ToGbk("\r\n1_名称=示例表单\r\n数量=1");
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Ends the started programs however the test ends.
void stopAll(std::initializer_list<QProcess*> processes) {
    for (QProcess* p : processes) {
        if (p->state() == QProcess::NotRunning) continue;
        p->terminate();
        if (!p->waitForFinished(5000)) p->kill();
    }
}

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
  private slots:
    void laterStartBringsTheWindowToTheFront_data() {
        QTest::addColumn<QString>("state");
        QTest::newRow("minimised") << "minimised";
        QTest::newRow("hidden") << "hidden";
        QTest::newRow("behind") << "behind";
    }

    void laterStartBringsTheWindowToTheFront() {
        QFETCH(QString, state);
        const QString name = QStringLiteral("listaro-test-%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QString(QTest::currentDataTag()));
        SingleInstance instance;
        QVERIFY(instance.probeRunningInstance(name));
        AppContext context("/nonexistent");
        QtScriptedDialogs dialogs;
        connectLists(context, std::make_unique<SqliteRecordTable>(), dialogs, {});
        MainWindow window(context, dialogs);
        QWidget other;
        connect(&instance, &SingleInstance::activationRequested, &window,
                &MainWindow::bringToFront);
        if (state == "minimised") window.showMinimized();
        if (state == "behind") {
            window.show();
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        QSignalSpy requested(&instance, &SingleInstance::activationRequested);

        QProcess second;
        second.start(QStringLiteral(LISTARO_TEST_HELPERS_DIR "/instance_probe"), {name});
        QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 5000);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(requested.count(), 1);
        QVERIFY(window.isVisible());
        QVERIFY(!window.isMinimized());
        QTRY_VERIFY(window.isActiveWindow());
    }

    void firstStartListensWhenNothingAnswers() {
        const QString name =
            QStringLiteral("listaro-test-%1-alone").arg(QCoreApplication::applicationPid());
        QProcess probe;
        probe.start(QStringLiteral(LISTARO_TEST_HELPERS_DIR "/instance_probe"), {name});
        QVERIFY(probe.waitForFinished(5000));
        QCOMPARE(probe.exitCode(), 1);
    }

    void secondStartOfTheProgramEndsWithoutTouchingTheSettings() {
        QTemporaryDir dir;
        const QString program = copyProgramTo(dir.path() + QStringLiteral("/run"));
        const QString settings = dir.path() + QStringLiteral("/run/") + kSettingsName;
        QProcess first, second, beside;
        auto cleanup = qScopeGuard([&] { stopAll({&first, &second, &beside}); });
        first.setProcessEnvironment(offscreen());
        first.start(program);
        QTRY_COMPARE_WITH_TIMEOUT(readAll(settings), seededSettings(), 10000);
        const QByteArray before = readAll(settings);
        const QDateTime modified = QFileInfo(settings).lastModified();

        second.setProcessEnvironment(offscreen());
        second.start(program);
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(readAll(settings), before);
        QCOMPARE(QFileInfo(settings).lastModified(), modified);
        QCOMPARE(first.state(), QProcess::Running);

        // A copy at another path (here differing only in letter case) runs beside it.
        const QString copy = copyProgramTo(dir.path() + QStringLiteral("/RUN"));
        beside.setProcessEnvironment(offscreen());
        beside.start(copy);
        QTRY_COMPARE_WITH_TIMEOUT(readAll(dir.path() + QStringLiteral("/RUN/") + kSettingsName),
                                  seededSettings(), 10000);
        QCOMPARE(beside.state(), QProcess::Running);
        QCOMPARE(first.state(), QProcess::Running);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
