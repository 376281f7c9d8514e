#include "FakeViewHost.h"

#include <QtTest>
#include <climits>
#include <cmath>

Q_DECLARE_METATYPE(CPoint)
Q_DECLARE_METATYPE(CRect)
Q_DECLARE_METATYPE(CSize)

class TestViewGeometry : public QObject {
    Q_OBJECT
private slots:
    void setZoomClamps_data();
    void setZoomClamps();
    void zoomSequences_data();
    void zoomSequences();
    void detailLevels_data();
    void detailLevels();
    void worldToMap_data();
    void worldToMap();
    void pageAndLine();
    void minimisedWindowKeepsSizes();
    void centerOn_data();
    void centerOn();
    void zoomStepKeepsPointCentred();
    void zoomToRect_data();
    void zoomToRect();
    void zoomAroundCentre();
    void scrollBarsTakeRoom();
    void noPicture();
    void highestZoomStaysExact();
    void zoomKeepingPoint_data();
    void zoomKeepingPoint();
    void fitZoom_data();
    void fitZoom();
    void centred_data();
    void centred();
    void centredZoomAroundCentre();
};

void TestViewGeometry::setZoomClamps_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("stored");
    QTest::newRow("negative") << -5 << 10;
    QTest::newRow("zero") << 0 << 10;
    QTest::newRow("five") << 5 << 10;
    QTest::newRow("ten") << 10 << 10;
    QTest::newRow("eleven") << 11 << 11;
    QTest::newRow("the failed ratio of MulDiv") << -1 << 10;
    QTest::newRow("highest zoom") << 1600 << 1600;
    QTest::newRow("above the highest zoom") << 5000 << 1600;
}

void TestViewGeometry::setZoomClamps() {
    QFETCH(int, zoom);
    QFETCH(int, stored);
    FakeViewHost host;
    ViewGeometry g(host);
    g.SetZoom(zoom);
    QCOMPARE(g.Zoom(), stored);
    QCOMPARE(host.zooms, std::vector<int>{stored});  // the title shows what is stored
}

void TestViewGeometry::zoomSequences_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<QList<int>>("sequence");
    QTest::newRow("in from 20") << 20 << true
        << QList<int>{30, 45, 67, 100, 150, 225, 337, 505, 757, 1135, 1600, 1600};
    QTest::newRow("out from 100") << 100 << false << QList<int>{50, 25, 13, 10, 10};
}

void TestViewGeometry::zoomSequences() {
    QFETCH(int, start);
    QFETCH(bool, zoomIn);
    QFETCH(QList<int>, sequence);
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {800, 600}, start);
    QList<int> seen;
    for (int i = 0; i < sequence.size(); ++i) {
        g.ZoomAroundCentre(zoomIn);
        seen << g.Zoom();
    }
    QCOMPARE(seen, sequence);
    QCOMPARE(host.redraws, sequence.size());  // every step repaints at once
}

void TestViewGeometry::detailLevels_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("level");
    QTest::newRow("10") << 10 << 0;
    QTest::newRow("24") << 24 << 0;
    QTest::newRow("25") << 25 << 1;
    QTest::newRow("124") << 124 << 4;
    QTest::newRow("125") << 125 << 5;
    QTest::newRow("150") << 150 << 6;
}

void TestViewGeometry::detailLevels() {
    QFETCH(int, zoom);
    QFETCH(int, level);
    FakeViewHost host;
    ViewGeometry g(host);
    g.SetZoom(zoom);
    QCOMPARE(g.GetDetailLevel(), level);
    QCOMPARE(g.EffectiveDetailLevel(), level);
    g.SetDetailOverride(2);
    QCOMPARE(g.EffectiveDetailLevel(), 2);
    QCOMPARE(ViewGeometry::LevelToZoom(level), 25 * level);
}

void TestViewGeometry::worldToMap_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<CPoint>("world");
    QTest::addColumn<CPoint>("map");
    QTest::newRow("origin at 20%") << 20 << CPoint{0, 0} << CPoint{275, 478};
    QTest::newRow("top-left corner") << 20 << CPoint{-125000, 220000} << CPoint{0, 0};
    QTest::newRow("bottom-right corner") << 20 << CPoint{175000, -130000} << CPoint{660, 760};
    QTest::newRow("left of the map is reflected") << 20 << CPoint{-130000, 0} << CPoint{11, 478};
    QTest::newRow("origin at 100%") << 100 << CPoint{0, 0} << CPoint{1375, 2389};
}

void TestViewGeometry::worldToMap() {
    QFETCH(int, zoom);
    QFETCH(CPoint, world);
    QFETCH(CPoint, map);
    FakeViewHost host;
    ViewGeometry g(host);
    g.SetZoom(zoom);
    QCOMPARE(g.WorldToMap(world), map);
    // Back to the world, within the world units one map pixel covers (a
    // point off the picture is reflected onto it, and does not come back).
    const CPoint back = g.MapToWorld(map);
    const int unit = 300000 / g.GetImageRect().right + 1;
    if (world.x >= -125000) QVERIFY(std::abs(back.x - world.x) <= unit && std::abs(back.y - world.y) <= unit);
}

void TestViewGeometry::pageAndLine() {
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {805, 603}, 100);
    QCOMPARE(g.Scroll().Page(), CSize({805, 603}));
    QCOMPARE(g.Scroll().Line(), CSize({80, 60}));
    QCOMPARE(g.Scroll().Total(), CSize({3300, 3800}));
}

void TestViewGeometry::minimisedWindowKeepsSizes() {
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {805, 603}, 100);
    g.Resize({0, 603}, 0);
    QCOMPARE(g.Scroll().Page(), CSize({805, 603}));
    g.Resize({805, 0}, 0);
    QCOMPARE(g.Scroll().Line(), CSize({80, 60}));
}

void TestViewGeometry::centerOn_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<CPoint>("point");
    QTest::addColumn<bool>("pictureUnits");
    QTest::addColumn<CPoint>("scroll");
    QTest::newRow("map point") << 100 << CPoint{1375, 2389} << false << CPoint{975, 2089};
    QTest::newRow("target at the range end goes to 0") << 100 << CPoint{3700, 2389} << false
                                                       << CPoint{0, 2089};
    QTest::newRow("target inside the last page is limited") << 100 << CPoint{3399, 3799} << false
                                                            << CPoint{2500, 3200};
    QTest::newRow("negative target goes to 0") << 100 << CPoint{100, 100} << false << CPoint{0, 0};
    QTest::newRow("picture units scale with the zoom") << 200 << CPoint{1375, 2389} << true
                                                       << CPoint{2350, 4478};
    QTest::newRow("picture narrower than the client") << 20 << CPoint{600, 700} << false
                                                      << CPoint{0, 160};
}

void TestViewGeometry::centerOn() {
    QFETCH(int, zoom);
    QFETCH(CPoint, point);
    QFETCH(bool, pictureUnits);
    QFETCH(CPoint, scroll);
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {800, 600}, zoom);
    g.CenterOn(point.x, point.y, pictureUnits);
    QCOMPARE(g.GetScrollOffset(), scroll);
    QCOMPARE(host.redraws, 0);  // centring leaves repainting to its callers
}

void TestViewGeometry::zoomStepKeepsPointCentred() {
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {800, 600}, 100);
    g.ZoomStep(400, 300, true);
    QCOMPARE(g.Zoom(), 150);
    QCOMPARE(g.GetScrollOffset(), CPoint({200, 150}));
}

void TestViewGeometry::zoomToRect_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<CRect>("rect");
    QTest::addColumn<int>("newZoom");
    QTest::addColumn<CPoint>("scroll");
    QTest::newRow("fits the narrower ratio") << 100 << CRect{1000, 1000, 1200, 1100} << 400
                                             << CPoint{4000, 3900};
    QTest::newRow("7 wide changes nothing") << 100 << CRect{1000, 1000, 1007, 1500} << 100
                                            << CPoint{0, 0};
    QTest::newRow("7 high changes nothing") << 100 << CRect{1000, 1000, 1500, 1007} << 100
                                            << CPoint{0, 0};
    QTest::newRow("8 by 8 proceeds") << 100 << CRect{1000, 1000, 1008, 1008} << 1600
                                     << CPoint{15664, 15764};
    // 8 map pixels at 1600% round to no picture pixel: the fit still goes up.
    QTest::newRow("tiny at the highest zoom") << 1600 << CRect{16009, 16009, 16017, 16017} << 1600
                                              << CPoint{15616, 15716};
}

void TestViewGeometry::zoomToRect() {
    QFETCH(int, zoom);
    QFETCH(CRect, rect);
    QFETCH(int, newZoom);
    QFETCH(CPoint, scroll);
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {800, 600}, zoom);
    host.redraws = 0;
    g.ZoomToRect(rect);
    QCOMPARE(g.Zoom(), newZoom);
    QCOMPARE(g.GetScrollOffset(), scroll);
    QCOMPARE(host.redraws, newZoom == zoom && scroll == CPoint{} ? 0 : 1);
}

void TestViewGeometry::zoomAroundCentre() {
    FakeViewHost host;
    ViewGeometry g(host);
    // 660 x 760 in 800 x 600: the middle of the picture across, of the client down.
    Place(g, {800, 600}, 20);
    g.ZoomAroundCentre(true);
    QCOMPARE(g.Zoom(), 30);
    QCOMPARE(g.GetScrollOffset(), CPoint({95, 150}));
    // The whole picture fits: it zooms about the picture's centre.
    Place(g, {800, 600}, 10);
    g.ZoomAroundCentre(true);
    QCOMPARE(g.Zoom(), 15);
    QCOMPARE(g.GetScrollOffset(), CPoint({0, 0}));
}

void TestViewGeometry::scrollBarsTakeRoom() {
    FakeViewHost host;
    host.picture = {790, 1000};
    ViewGeometry g(host);
    g.Resize({800, 600}, 16);
    g.SetZoom(100);
    // Taller than the area: a vertical bar, which leaves 784 for a 790 wide
    // picture, so a horizontal bar too.
    QVERIFY(g.Scroll().HasBar(ScrollLayer::Vertical));
    QVERIFY(g.Scroll().HasBar(ScrollLayer::Horizontal));
    QCOMPARE(g.ClientSize(), CSize({784, 584}));
    int lo = -1, hi = -1;
    g.Scroll().GetScrollRange(ScrollLayer::Horizontal, lo, hi);
    QCOMPARE(hi, 789);
    g.SetZoom(50);
    QVERIFY(!g.Scroll().HasBar(ScrollLayer::Vertical));
    QVERIFY(!g.Scroll().HasBar(ScrollLayer::Horizontal));
    g.Scroll().GetScrollRange(ScrollLayer::Horizontal, lo, hi);
    QCOMPARE(hi, 0);
}

void TestViewGeometry::noPicture() {
    FakeViewHost host;
    host.picture = {0, 0};
    ViewGeometry g(host);
    Place(g, {800, 600}, 100);
    QVERIFY(g.GetImageRect().IsRectEmpty());
    g.CenterOn(500, 500, true);
    QCOMPARE(g.GetScrollOffset(), CPoint({0, 0}));
    QCOMPARE(g.WorldToMap({0, 0}), CPoint({0, 0}));
}

// At the highest zoom, with the largest picture the decoder accepts, every
// world point maps exactly: no MulDiv of the view leaves 32 bits.
void TestViewGeometry::highestZoomStaysExact() {
    FakeViewHost host;
    host.picture = {16384, 16384};
    ViewGeometry g(host);
    g.SetZoom(ViewGeometry::kMaxZoom);
    const CRect image = g.GetImageRect();
    QCOMPARE(image.right, 16384 * 16);
    const int extremes[] = {INT_MIN, -125001, 0, 220000, INT_MAX};
    for (int x : extremes)
        for (int y : extremes) {
            const CPoint map = g.WorldToMap({x, y});
            // The differences are 32-bit values, wrapping as such.
            const int32_t dx = int32_t(uint32_t(-125000) - uint32_t(x));
            const int32_t dy = int32_t(uint32_t(220000) - uint32_t(y));
            const double ex = std::abs(std::round(double(image.right) * dx / 300000.0));
            const double ey = std::abs(std::round(double(image.bottom) * dy / 350000.0));
            QCOMPARE(double(map.x), ex);
            QCOMPARE(double(map.y), ey);
        }
}

void TestViewGeometry::zoomKeepingPoint_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<CPoint>("scroll");
    QTest::addColumn<CPoint>("pointer");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<int>("newZoom");
    QTest::newRow("in at 30") << 30 << CPoint{100, 200} << CPoint{123, 457} << true << 45;
    QTest::newRow("in at 100") << 100 << CPoint{1000, 1500} << CPoint{799, 1} << true << 150;
    QTest::newRow("out at 337") << 337 << CPoint{5000, 6000} << CPoint{400, 300} << false << 169;
    QTest::newRow("in to the top") << 1135 << CPoint{20000, 30000} << CPoint{17, 589} << true << 1600;
    QTest::newRow("out at 1600") << 1600 << CPoint{40000, 50000} << CPoint{640, 480} << false << 800;
}

// The world point under the pointer stays under it, within a pixel.
void TestViewGeometry::zoomKeepingPoint() {
    QFETCH(int, zoom);
    QFETCH(CPoint, scroll);
    QFETCH(CPoint, pointer);
    QFETCH(bool, zoomIn);
    QFETCH(int, newZoom);
    FakeViewHost host;
    ViewGeometry g(host);
    Place(g, {800, 600}, zoom);
    g.ScrollTo(scroll);
    QCOMPARE(g.GetScrollOffset(), scroll);
    const double pictureX = (pointer.x + scroll.x) * 100.0 / zoom;
    const double pictureY = (pointer.y + scroll.y) * 100.0 / zoom;
    host.redraws = 0;
    g.ZoomKeepingPoint(pointer.x, pointer.y, g.NextZoom(zoomIn));
    QCOMPARE(g.Zoom(), newZoom);
    const CPoint after = g.GetScrollOffset();
    QVERIFY2(std::abs(pictureX * newZoom / 100.0 - after.x - pointer.x) <= 1.0, "moved across");
    QVERIFY2(std::abs(pictureY * newZoom / 100.0 - after.y - pointer.y) <= 1.0, "moved down");
    QCOMPARE(host.redraws, 1);
}

void TestViewGeometry::fitZoom_data() {
    QTest::addColumn<CSize>("picture");
    QTest::addColumn<CSize>("area");
    QTest::addColumn<int>("zoom");
    QTest::newRow("taller than wide") << CSize{3300, 3800} << CSize{800, 600} << 15;
    QTest::newRow("rounded down, not up") << CSize{3300, 3800} << CSize{1000, 799} << 21;
    QTest::newRow("wider than tall") << CSize{4000, 1000} << CSize{800, 600} << 20;
    QTest::newRow("tiny picture: the highest zoom") << CSize{10, 10} << CSize{800, 600} << 1600;
    QTest::newRow("huge picture: the lowest zoom") << CSize{100000, 100000} << CSize{800, 600} << 10;
}

// At the fitting zoom the whole picture shows, with no scroll bar.
void TestViewGeometry::fitZoom() {
    QFETCH(CSize, picture);
    QFETCH(CSize, area);
    QFETCH(int, zoom);
    FakeViewHost host;
    host.picture = picture;
    ViewGeometry g(host);
    g.Resize(area, 16);
    g.SetZoom(zoom == 20 ? 100 : 20);  // somewhere else first
    QCOMPARE(g.FitZoom(), zoom);
    g.SetZoom(g.FitZoom());
    const bool clamped = zoom == ViewGeometry::kMinZoom;
    QCOMPARE(g.Scroll().HasBar(ScrollLayer::Horizontal), clamped);
    QCOMPARE(g.Scroll().HasBar(ScrollLayer::Vertical), clamped);
    if (!clamped && zoom < ViewGeometry::kMaxZoom) {
        g.SetZoom(zoom + 1);  // one more and a bar appears
        QVERIFY(g.Scroll().HasBar(ScrollLayer::Horizontal) || g.Scroll().HasBar(ScrollLayer::Vertical));
    }
}

// A centred picture moves in the client area, and nothing else: the scroll
// limits stay, and the picture's corner and the view's centre follow the
// one origin.
void TestViewGeometry::centred_data() {
    QTest::addColumn<CSize>("client");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<CPoint>("origin");
    QTest::newRow("off: the top left corner") << CSize{900, 700} << 20 << false << CPoint{0, 0};
    QTest::newRow("narrower: centred across only") << CSize{900, 700} << 20 << true << CPoint{120, 0};
    QTest::newRow("smaller both ways") << CSize{900, 900} << 20 << true << CPoint{120, 70};
    QTest::newRow("larger: scrolled as before") << CSize{900, 700} << 100 << true << CPoint{0, 0};
}

void TestViewGeometry::centred() {
    QFETCH(CSize, client);
    QFETCH(int, zoom);
    QFETCH(bool, centred);
    QFETCH(CPoint, origin);
    FakeViewHost host;
    ViewGeometry g(host), plain(host);
    g.SetCentred(centred);
    Place(g, client, zoom);
    Place(plain, client, zoom);
    g.ScrollTo({50, 50});
    plain.ScrollTo({50, 50});
    QCOMPARE(g.Origin(), origin);
    QCOMPARE(g.Scroll().MaxPosition(ScrollLayer::Horizontal), plain.Scroll().MaxPosition(ScrollLayer::Horizontal));
    QCOMPARE(g.Scroll().MaxPosition(ScrollLayer::Vertical), plain.Scroll().MaxPosition(ScrollLayer::Vertical));
    // The picture's top left corner is drawn at the origin, less the scroll.
    const CPoint scroll = g.Scroll().Position();
    const CRect image = g.ClientImageRect();
    QCOMPARE(CPoint({image.left, image.top}), CPoint({origin.x - scroll.x, origin.y - scroll.y}));
    // A centred axis shows the picture's middle in the view's middle.
    const CPoint middle = g.ClientCentre();
    if (origin.x > 0) QVERIFY(std::abs(middle.x - image.Width() / 2) <= 1);
    if (origin.y > 0) QVERIFY(std::abs(middle.y - image.Height() / 2) <= 1);
}

// Zooming with the buttons keeps the middle of the picture in the middle
// of the view: the visible picture is where it is drawn, not at (0, 0).
void TestViewGeometry::centredZoomAroundCentre() {
    FakeViewHost host;
    ViewGeometry g(host);
    g.SetCentred(true);
    Place(g, {900, 900}, 20);  // 660 x 760, drawn from (120, 70)
    g.ZoomAroundCentre(true);
    QCOMPARE(g.Zoom(), 30);
    const CPoint centre = g.MapToPicture(g.ClientCentre());
    QVERIFY2(std::abs(centre.x - 1650) <= 4 && std::abs(centre.y - 1900) <= 4,
             qPrintable(QString("%1,%2").arg(centre.x).arg(centre.y)));
}

QTEST_APPLESS_MAIN(TestViewGeometry)
#include "test_viewgeometry.moc"
