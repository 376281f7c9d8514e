#include "data/PictureGeometry.h"

#include <QtTest>

Q_DECLARE_METATYPE(CRect)

class TestPictureGeometry : public QObject {
    Q_OBJECT
private slots:
    void sizes();
    void source_data();
    void source();
    void wholePictureIgnoresSource_data();
    void wholePictureIgnoresSource();
    void backToPixels_data();
    void backToPixels();
};

namespace {
const CSize kPixels{3300, 3800};
const CSize kHimetric{87313, 100542};  // 3300 and 3800 pixels at 96 per inch, rounded
}

void TestPictureGeometry::sizes() {
    QCOMPARE(HimetricFromPixels(kPixels), kHimetric);
    QCOMPARE(PixelsFromHimetric(kHimetric), kPixels);
    QCOMPARE(PixelsFromHimetric({}), CSize());
    QCOMPARE(PixelsFromHimetric(kHimetric, 192), CSize({6600, 7600}));
}

void TestPictureGeometry::source_data() {
    QTest::addColumn<CRect>("pixels");
    QTest::addColumn<QList<int>>("himetric");  // x, y, cx, cy
    QTest::newRow("whole picture") << CRect{0, 0, 3300, 3800}
                                   << QList<int>{0, 100542, 87313, -100542};
    QTest::newRow("inner part, halves round away from zero")
        << CRect{100, 200, 300, 500} << QList<int>{2646, 100542 - 5292, 5292, -7938};
    QTest::newRow("bottom-right pixel") << CRect{3299, 3799, 3300, 3800}
                                        << QList<int>{87286, 100542 - 100515, 26, -26};
    QTest::newRow("empty source") << CRect{50, 60, 50, 60}
                                  << QList<int>{1323, 100542 - 1588, 0, 0};
}

void TestPictureGeometry::source() {
    QFETCH(CRect, pixels);
    QFETCH(QList<int>, himetric);
    const HimetricSource s = RenderSource(kHimetric, pixels, false);
    QCOMPARE(QList<int>({s.x, s.y, s.cx, s.cy}), himetric);
}

void TestPictureGeometry::wholePictureIgnoresSource_data() {
    QTest::addColumn<CRect>("pixels");
    QTest::newRow("full") << CRect{0, 0, 3300, 3800};
    QTest::newRow("corner") << CRect{0, 0, 10, 10};
    QTest::newRow("middle") << CRect{1000, 1200, 1900, 2000};
    QTest::newRow("nonsense") << CRect{-50, 9000, -400, 12};
}

void TestPictureGeometry::wholePictureIgnoresSource() {
    QFETCH(CRect, pixels);
    const HimetricSource s = RenderSource(kHimetric, pixels, true);
    QCOMPARE(s, (HimetricSource{0, 100542, 87313, -100542}));
}

void TestPictureGeometry::backToPixels_data() {
    QTest::addColumn<CRect>("pixels");
    QTest::newRow("whole") << CRect{0, 0, 3300, 3800};
    QTest::newRow("inner") << CRect{100, 200, 300, 500};
    QTest::newRow("one pixel") << CRect{3299, 3799, 3300, 3800};
}

// The source a scaler reads is the requested pixels, up to the rounding of
// the HIMETRIC conversion (well under a tenth of a pixel).
void TestPictureGeometry::backToPixels() {
    QFETCH(CRect, pixels);
    const PixelRectF r = SourcePixels(RenderSource(kHimetric, pixels, false), kHimetric, kPixels);
    QVERIFY(qAbs(r.left - pixels.left) < 0.05);
    QVERIFY(qAbs(r.top - pixels.top) < 0.05);
    QVERIFY(qAbs(r.width - pixels.Width()) < 0.05);
    QVERIFY(qAbs(r.height - pixels.Height()) < 0.05);
}

QTEST_APPLESS_MAIN(TestPictureGeometry)
#include "test_picturegeometry.moc"
