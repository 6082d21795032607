// What the desktop is asked to open for a link: network addresses only, never a local file or a
// program, whatever the address looks like.
#include <QtTest>

#include "platform/qt/QtDesktopServices.h"

class DesktopLinksTest : public QObject {
    Q_OBJECT

  private slots:
    void opensNetworkAddressesOnly_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("http") << "http://a.example/x"
                              << "http://a.example/x";
        QTest::newRow("https") << "https://a.example/"
                               << "https://a.example/";
        QTest::newRow("ftp") << "ftp://u:p@f.example/"
                             << "ftp://u:p@f.example/";
        QTest::newRow("ftps") << "ftps://u:p@f.example/"
                              << "ftps://u:p@f.example/";
        QTest::newRow("mailto") << "mailto:a@b.example"
                                << "mailto:a@b.example";
        QTest::newRow("no scheme") << "a.example"
                                   << "http://a.example";
        QTest::newRow("blanks around") << "  http://a.example/ "
                                       << "http://a.example/";
        QTest::newRow("local file") << "file:///etc/passwd"
                                    << "";
        QTest::newRow("local path") << "/usr/bin/xterm"
                                    << "";
        QTest::newRow("script") << "javascript:alert(1)"
                                << "";
        QTest::newRow("program") << "http://a.example/setup.EXE"
                                 << "";
        QTest::newRow("unknown scheme") << "smb://host/share"
                                        << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void opensNetworkAddressesOnly() {
        QFETCH(QString, address);
        QFETCH(QString, opened);
        QCOMPARE(openableUrl(address.toStdString()).toString(), opened);
    }
};

QTEST_MAIN(DesktopLinksTest)
#include "DesktopLinksTest.moc"
