// The canvas widget: a persistent image that keeps what was drawn, drawing from a worker thread,
// pointer events with their modifiers, and the tooltips shown over a canvas.
#include <QApplication>
#include <QTextDocument>
#include <QToolTip>
#include <QtTest>
#include <thread>

#include "platform/TextCodec.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtTooltipHost.h"

namespace {
// What a tip label shows for a tool tip: like any label, it takes a text that looks like markup as
// rich text.
QString shownText(const QString& tip) {
    QTextDocument document;
    if (Qt::mightBeRichText(tip))
        document.setHtml(tip);
    else
        document.setPlainText(tip);
    return document.toPlainText();
}

QString plainText(const QString& text) {
    QTextDocument document;
    document.setPlainText(text);
    return document.toPlainText();
}
}  // namespace

class QtCanvasTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void rectanglesCoverTheirCornersButNotTheFarEdge() {
        QtCanvas canvas("c");
        canvas.setGeometry(0, 0, 40, 30);
        canvas.setBackground({0, 0, 255});
        canvas.beginPaint();
        canvas.clear(0, 0, 40, 30);
        canvas.setPen({255, 0, 0});
        canvas.setFill({255, 255, 255});
        canvas.drawRect(2, 2, 12, 12);
        canvas.setFill({0, 255, 0});
        canvas.fillRect(20, 2, 30, 12);
        canvas.endPaint();
        const QImage image = canvas.snapshot();
        QCOMPARE(image.pixelColor(2, 2), QColor(255, 0, 0));    // outline
        QCOMPARE(image.pixelColor(11, 11), QColor(255, 0, 0));  // last outline pixel
        QCOMPARE(image.pixelColor(6, 6), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(12, 12), QColor(0, 0, 255));  // the far edge stays outside
        QCOMPARE(image.pixelColor(20, 2), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(29, 11), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(30, 12), QColor(0, 0, 255));
    }

    void growingKeepsWhatWasDrawn() {
        QtCanvas canvas("c");
        canvas.setGeometry(0, 0, 20, 20);
        canvas.setBackground({255, 255, 255});
        canvas.setFill({10, 20, 30});
        canvas.fillRect(0, 0, 20, 20);
        canvas.setGeometry(5, 6, 60, 50);
        QCOMPARE(canvas.left(), 5);
        QCOMPARE(canvas.top(), 6);
        QCOMPARE(canvas.width(), 60);
        QCOMPARE(canvas.height(), 50);
        const QImage image = canvas.snapshot();
        QCOMPARE(image.size(), QSize(60, 50));
        QCOMPARE(image.pixelColor(19, 19), QColor(10, 20, 30));
        QCOMPARE(image.pixelColor(40, 40), QColor(255, 255, 255));
    }

    void chineseTextRendersWithTheDesignedGlyphWidth() {
        QtCanvas canvas("c");
        canvas.setGeometry(0, 0, 100, 40);
        canvas.setBackground({255, 255, 255});
        canvas.clear(0, 0, 100, 40);
        canvas.setFont(GBK("宋体"), 11, false);
        // One full-width ideograph is 15 pixels at 11 points, which makes rows 30 high.
        QCOMPARE(canvas.textWidth(GBK("国")), 15);
        canvas.setTextColour({0, 0, 0});
        canvas.writeText(2, 2, GBK("国"));
        const QImage image = canvas.snapshot();
        int dark = 0;
        for (int y = 0; y < 25; ++y)
            for (int x = 0; x < 20; ++x) dark += image.pixelColor(x, y).lightness() < 128;
        QVERIFY2(dark > 15, "the glyph left hardly any ink");
    }

    void aWorkerPaintsIntoTheImageAndTheWidgetUpdatesLater() {
        QtCanvas canvas("c");
        canvas.setGeometry(0, 0, 50, 50);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        std::thread worker([&] {
            for (int i = 0; i < 200; ++i) {
                canvas.beginPaint();
                canvas.setFill({i % 256, 0, 0});
                canvas.fillRect(0, 0, 50, 50);
                canvas.endPaint();
            }
        });
        // The interface thread shows the image meanwhile.
        for (int i = 0; i < 50; ++i) {
            canvas.repaint();
            QCoreApplication::processEvents();
        }
        worker.join();
        QCOMPARE(canvas.snapshot().pixelColor(25, 25), QColor(199, 0, 0));
        QTRY_COMPARE(canvas.grab().toImage().pixelColor(25, 25), QColor(199, 0, 0));
    }

    void pointerEventsCarryTheirModifiers() {
        QtCanvas canvas("c");
        canvas.setGeometry(0, 0, 100, 100);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        std::vector<std::tuple<std::string, int, int, int>> seen;
        auto record = [&seen](const char* what) {
            return [&seen, what](int x, int y, int keys) { seen.emplace_back(what, x, y, keys); };
        };
        canvas.setPointerHandlers({record("press"), record("release"), record("right"),
                                   record("rightRelease"), record("move")});
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::ControlModifier, QPoint(10, 20));
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::ShiftModifier, QPoint(11, 21));
        // Qt Test's own moves repeat the previous event's modifiers; a window system's carry
        // their own, as this one does.
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 40), canvas.mapToGlobal(QPointF(30, 40)),
                         Qt::NoButton, Qt::NoButton, Qt::AltModifier);
        QApplication::sendEvent(&canvas, &move);
        QTest::mousePress(&canvas, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier,
                          QPoint(5, 6));
        QTest::mouseRelease(&canvas, Qt::RightButton, Qt::NoModifier, QPoint(5, 6));
        const std::vector<std::tuple<std::string, int, int, int>> expected = {
            {"press", 10, 20, 1},
            {"release", 11, 21, 2},
            {"move", 30, 40, 4},
            {"right", 5, 6, 3},
            {"rightRelease", 5, 6, 0}};
        QCOMPARE(seen, expected);
    }

    void tooltipsFollowTheToolAndWrap() {
        QtTooltipHost host;
        QtCanvas canvas("c");
        QVERIFY(!host.addTool(canvas, "early", false));  // no window yet
        QVERIFY(host.createWindow(1024, false));
        QVERIFY(host.addTool(canvas, GBK("点击打开"), false));
        QCOMPARE(canvas.toolTip(), QString::fromUtf8("点击打开"));
        host.removeTool(canvas);
        QVERIFY(canvas.toolTip().isEmpty());

        const std::string longText(1000, 'W');
        QVERIFY(host.addTool(canvas, longText, false));
        const QStringList lines = canvas.toolTip().split('\n');
        QVERIFY(lines.size() > 1);
        QCOMPARE(lines.join(QString()), QString::fromStdString(longText));
        const QFontMetrics metrics(QToolTip::font());
        for (const QString& line : lines) QVERIFY(metrics.horizontalAdvance(line) <= 1024);
    }

    // Cell texts that happen to look like markup are shown as they are, not rendered (an image
    // tag would even make the tip read a local file).
    void tooltipsShowTextsThatLookLikeMarkupAsTheyAre() {
        QtTooltipHost host;
        QtCanvas canvas("c");
        QVERIFY(host.createWindow(1024, false));
        const std::string texts[] = {
            "<b>bold</b> text",
            "a < b and c > d",
            "<i>y</i>  z\r\n\r\nq\tw &amp; <img src=\"x.png\">",
            "&lt;b&gt;",
            "<p>" + std::string(600, 'W') + "</p>",  // wraps as well
        };
        for (const std::string& text : texts) {
            QVERIFY(host.addTool(canvas, text, false));
            // Line breaks aside, which the wrapping adds.
            QCOMPARE(shownText(canvas.toolTip()).remove('\n'),
                     plainText(QString::fromStdString(text)).remove('\n'));
        }
    }
};

QTEST_MAIN(QtCanvasTest)
#include "QtCanvasTest.moc"
