#include "FakeViewHost.h"

#include "view/PaintPlan.h"

#include <QtTest>

Q_DECLARE_METATYPE(CRect)
Q_DECLARE_METATYPE(std::vector<CRect>)

class TestPaintPlan : public QObject {
    Q_OBJECT
private slots:
    void margins_data();
    void margins();
    void pictureSource_data();
    void pictureSource();
    void wholePictureMode();
};

void TestPaintPlan::margins_data() {
    QTest::addColumn<CRect>("update");
    QTest::addColumn<std::vector<CRect>>("fills");
    QTest::addColumn<CRect>("image");
    const CRect image{0, 0, 660, 760};
    QTest::newRow("wider client") << CRect{0, 0, 900, 700}
                                  << std::vector<CRect>{{660, 0, 900, 700}} << image;
    QTest::newRow("wider and taller") << CRect{0, 0, 900, 800}
        << std::vector<CRect>{{660, 0, 900, 800}, {0, 760, 660, 800}} << image;
    QTest::newRow("inside the picture") << CRect{10, 10, 200, 200} << std::vector<CRect>{} << image;
    QTest::newRow("entirely right of the picture") << CRect{700, 10, 800, 90}
                                                   << std::vector<CRect>{{700, 10, 800, 90}} << image;
    QTest::newRow("only below") << CRect{0, 700, 600, 800} << std::vector<CRect>{{0, 760, 600, 800}} << image;
    // A centred picture: strips on all four sides, the sides whole.
    const CRect centred{120, 70, 780, 830};
    QTest::newRow("centred, all around") << CRect{0, 0, 900, 900}
        << std::vector<CRect>{{780, 0, 900, 900}, {0, 0, 120, 900}, {120, 830, 780, 900}, {120, 0, 780, 70}}
        << centred;
    QTest::newRow("centred, only left and above") << CRect{0, 0, 200, 100}
        << std::vector<CRect>{{0, 0, 120, 100}, {120, 0, 200, 70}} << centred;
}

void TestPaintPlan::margins() {
    QFETCH(CRect, update);
    QFETCH(std::vector<CRect>, fills);
    QFETCH(CRect, image);
    QCOMPARE(MarginFills(update, image), fills);
}

void TestPaintPlan::pictureSource_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<CRect>("update");
    QTest::addColumn<CRect>("source");  // empty: nothing drawn
    QTest::newRow("100%: no enlargement") << 100 << CRect{10, 10, 20, 20} << CRect{10, 10, 20, 20};
    QTest::newRow("101%: one pixel more") << 101 << CRect{10, 10, 20, 20} << CRect{9, 9, 21, 21};
    QTest::newRow("200%: one pixel more") << 200 << CRect{10, 10, 20, 20} << CRect{5, 5, 11, 11};
    QTest::newRow("201%: two pixels more") << 201 << CRect{10, 10, 20, 20} << CRect{4, 4, 11, 11};
    QTest::newRow("20%: clipped to the picture") << 20 << CRect{0, 0, 900, 700}
                                                 << CRect{0, 0, 3300, 3500};
    QTest::newRow("right of the picture: nothing") << 20 << CRect{700, 0, 900, 700} << CRect{};
}

void TestPaintPlan::pictureSource() {
    QFETCH(int, zoom);
    QFETCH(CRect, update);
    QFETCH(CRect, source);
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {900, 700}, zoom);
    const auto draw = PlanPictureDraw(g, update, host.picture, false);
    QCOMPARE(draw.has_value(), !source.IsRectNull());
    if (!draw) return;
    QCOMPARE(draw->source, source);
    QCOMPARE(draw->dest, g.PictureToMap(source));  // not scrolled
}

void TestPaintPlan::wholePictureMode() {
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {900, 700}, 100);
    g.ScrollTo({300, 200});
    for (const CRect& update : {CRect{0, 0, 10, 10}, CRect{500, 500, 900, 700}}) {
        const auto draw = PlanPictureDraw(g, update, host.picture, true);
        QVERIFY(draw);
        QCOMPARE(draw->source, CRect({0, 0, 3300, 3800}));
        QCOMPARE(draw->dest, CRect({-300, -200, 3000, 3600}));
    }
}

QTEST_APPLESS_MAIN(TestPaintPlan)
#include "test_paintplan.moc"
