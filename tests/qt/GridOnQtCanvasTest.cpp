// The grid painted on the program's Qt canvases: cells, grid lines, frames, selection and bars
// meet where the layout puts them.
#include <QtTest>

#include "forms/FieldModel.h"
#include "grid/GridColours.h"
#include "grid/RecordGrid.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtCanvas.h"
#include "support/GridFixture.h"

namespace {
QColor qt(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Whether some pixel of the rectangle has the colour.
bool anyPixel(const QImage& image, QRect area, QColor colour) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour) return true;
        }
    }
    return false;
}
}  // namespace

class GridOnQtCanvasTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void cellsLinesAndBarsMeet() {
        QWidget window;
        window.resize(500, 300);
        QtCanvas container("container", &window);
        QtCanvas header("header"), data("data"), hBar("hBar"), vBar("vBar");
        FakeListFields fields;
        fields.types = {FieldType::Text, FieldType::Link, FieldType::Text};
        fields.keys = {true, false, false};
        RecordGrid grid;
        grid.attach({&header, &data, &container, &hBar, &vBar}, nullptr, &fields);
        grid.setBounds(0, 0, 500, 300);
        QCOMPARE(grid.rowHeight(), 30);
        for (int c = 1; c <= 3; ++c) grid.addColumn("c" + std::to_string(c), 100, true);
        for (int r = 1; r <= 20; ++r) grid.addRow({"WWWW", "link", "x"}, r, false, true);
        grid.scrollColumns();  // as after a list load
        grid.selectRow(2);
        grid.scrollRows(0);
        grid.updateBars(true);

        const QImage head = header.snapshot();
        QCOMPARE(head.pixelColor(90, 3), qt(GridColours::kHeader));
        QCOMPARE(head.pixelColor(100, 12), qt(GridColours::kOutline));  // border of columns 1, 2

        const QImage cells = data.snapshot();
        QCOMPARE(cells.pixelColor(0, 100), qt(GridColours::kOutline));  // the frame
        QCOMPARE(cells.pixelColor(50, 30), qt(GridColours::kGridLine));
        QCOMPARE(cells.pixelColor(100, 15), qt(GridColours::kGridLine));
        QCOMPARE(cells.pixelColor(90, 15), qt(GridColours::kWhite));
        // The selected row fills its cell up to, not over, the next grid line.
        QCOMPARE(cells.pixelColor(90, 31), qt(GridColours::kSelection));
        QCOMPARE(cells.pixelColor(90, 59), qt(GridColours::kSelection));
        QCOMPARE(cells.pixelColor(90, 60), qt(GridColours::kGridLine));
        QCOMPARE(cells.pixelColor(350, 15), qt(GridColours::kWhite));  // right of the columns
        // Key column in red, link column in blue, on both plain and selected rows.
        QVERIFY(anyPixel(cells, QRect(5, 1, 60, 28), qt(GridColours::kKeyText)));
        QVERIFY(anyPixel(cells, QRect(105, 31, 60, 28), qt(GridColours::kLinkText)));

        QVERIFY(vBar.isVisible());
        QVERIFY(!hBar.isVisible());
        const QImage bar = vBar.snapshot();
        QCOMPARE(bar.pixelColor(0, 0), qt(GridColours::kOutline));
        QCOMPARE(bar.pixelColor(2, 2), qt(GridColours::kHover));
        QCOMPARE(bar.pixelColor(4, 8), qt(GridColours::kOutline));  // the inner square
        QCOMPARE(bar.pixelColor(9, grid.vThumbTop() + 8), qt(GridColours::kHover));
    }
};

QTEST_MAIN(GridOnQtCanvasTest)
#include "GridOnQtCanvasTest.moc"
