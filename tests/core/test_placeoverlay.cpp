#include "FakeViewHost.h"

#include "data/PlaceList.h"
#include "view/PlaceOverlay.h"

#include <QtTest>

Q_DECLARE_METATYPE(CRect)

namespace {

// A few places of a 3300 x 3800 picture's world, owned by the fixture.
struct World {
    FakeViewHost host;
    ViewGeometry geometry{host};
    CPlaceOverlay overlay{geometry, host};
    CPlaceList places;

    World() { Place(geometry, {800, 600}, 20); }
    CPlace* Add(const char* name, int x, int y, int level) { return &places.Add(name, x, y, level, 20); }
    QStringList Found() const {
        QStringList names;
        for (const CPlace* p : overlay.Highlight()) names << QString::fromLatin1(p->m_strName.c_str());
        return names;
    }
};

}  // namespace

class TestPlaceOverlay : public QObject {
    Q_OBJECT
private slots:
    void searchIgnoresCase_data();
    void searchIgnoresCase();
    void searchRaisesZoomThenCentres();
    void searchKeepsHigherZoom();
    void searchOverSeveralPlacesFits();
    void matchesInOneColumnDoNotFit();
    void nothingFoundRepaints();
    void highlightOneReplacesTheSet();
    void visibility_data();
    void visibility();
    void hiddenKinds_data();
    void hiddenKinds();
    void placeRects();
    void hitTest_data();
    void hitTest();
    void hitTestFollowsCentring();
};

void TestPlaceOverlay::searchIgnoresCase_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("lower case") << "wick" << QStringList{"Kelwick", "Wickmoor"};
    QTest::newRow("upper case") << "WICK" << QStringList{"Kelwick", "Wickmoor"};
    QTest::newRow("mixed case") << "WiCk" << QStringList{"Kelwick", "Wickmoor"};
    QTest::newRow("accented lower case finds the capitals")
        << QString::fromUtf8("éCL") << QStringList{QString::fromLatin1("\xC9" "CLAT")};
    QTest::newRow("whole name") << "Dun-Carrow" << QStringList{"Dun-Carrow"};
    QTest::newRow("outside the code page finds nothing") << QString::fromUtf8("Ā") << QStringList{};
}

void TestPlaceOverlay::searchIgnoresCase() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    World w;
    w.Add("Kelwick", 0, 0, 3);
    w.Add("Dun-Carrow", 1000, 1000, 3);
    w.Add("\xC9" "CLAT", 5000, 5000, 3);
    w.Add("Wickmoor", 9000, 0, 3);
    QCOMPARE(w.overlay.SearchPlaces(w.places, text.toStdString()), !found.isEmpty());
    QCOMPARE(w.Found(), found);
}

void TestPlaceOverlay::searchRaisesZoomThenCentres() {
    World w;
    w.Add("Orvane", 0, 0, 5);
    QVERIFY(w.overlay.SearchPlaces(w.places, "orv"));
    QCOMPARE(w.geometry.Zoom(), 125);
    // World (0, 0) at 125%: map (1719, 2986), centred in 800 x 600.
    QCOMPARE(w.geometry.GetScrollOffset(), CPoint({1319, 2686}));
    QCOMPARE(w.host.focusRequests, 1);
}

void TestPlaceOverlay::searchKeepsHigherZoom() {
    World w;
    w.geometry.SetZoom(300);
    w.Add("Orvane", 0, 0, 0);
    w.overlay.SearchPlaces(w.places, "Orvane");
    QCOMPARE(w.geometry.Zoom(), 300);
    const CPoint map = w.geometry.WorldToMap({0, 0});
    QCOMPARE(w.geometry.GetScrollOffset(), CPoint({map.x - 400, map.y - 300}));
}

void TestPlaceOverlay::searchOverSeveralPlacesFits() {
    World w;
    w.Add("Ash Ford", -100000, 150000, 3);
    w.Add("Ash Hollow", 40000, 60000, 3);
    w.Add("Ash Mere", 120000, -50000, 1);
    w.overlay.SearchPlaces(w.places, "ash");
    // First raised to 75% for level 3, then fitted to the three places.
    QVERIFY(w.geometry.Zoom() != 75);
    QCOMPARE(w.host.zooms.at(1), 75);
    // The zoom is rounded to the nearest percent, so the box may overflow
    // the client area by a few pixels.
    const CPoint scroll = w.geometry.GetScrollOffset();
    for (const CPlace* p : w.places) {
        const CPoint map = w.geometry.WorldToMap({p->m_x, p->m_y});
        QVERIFY(map.x - scroll.x >= -12 && map.x - scroll.x <= 812);
        QVERIFY(map.y - scroll.y >= -12 && map.y - scroll.y <= 612);
    }
}

void TestPlaceOverlay::matchesInOneColumnDoNotFit() {
    World w;
    w.Add("Mire North", 10000, 90000, 4);
    w.Add("Mire South", 10000, 10000, 4);
    w.overlay.SearchPlaces(w.places, "mire");
    QCOMPARE(w.geometry.Zoom(), 100);  // raised for level 4, then no fit: the box is 0 wide
    QCOMPARE(w.geometry.GetScrollOffset(), CPoint({0, 0}));
    QVERIFY(w.overlay.IsHighlighted(w.places[0]) && w.overlay.IsHighlighted(w.places[1]));
}

void TestPlaceOverlay::nothingFoundRepaints() {
    World w;
    w.Add("Kelwick", 0, 0, 3);
    w.overlay.SearchPlaces(w.places, "kel");
    const int redraws = w.host.redraws;
    for (const char* text : {"zzz", ""}) {
        QVERIFY(!w.overlay.SearchPlaces(w.places, text));
        QVERIFY(w.overlay.Highlight().IsEmpty());
    }
    QCOMPARE(w.host.redraws, redraws + 2);  // the old green labels go at once
}

void TestPlaceOverlay::highlightOneReplacesTheSet() {
    World w;
    CPlace* kelwick = w.Add("Kelwick", 0, 0, 3);
    w.Add("Kelmarsh", 100, 100, 3);
    w.overlay.SearchPlaces(w.places, "kel");
    QCOMPARE(w.overlay.Highlight().GetSize(), 2);
    w.overlay.HighlightOne(kelwick);
    w.overlay.HighlightOne(kelwick);
    QCOMPARE(w.overlay.Highlight().GetSize(), 1);
    QVERIFY(!w.overlay.IsHighlighted(w.places[1]));
}

void TestPlaceOverlay::visibility_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("override");
    QTest::addColumn<bool>("hidden");          // the player hid the first and the found place
    QTest::addColumn<QList<bool>>("visible");  // levels 0, 1, 5 and a highlighted level 5
    QTest::newRow("24%: level 0 only") << 24 << -1 << false << QList<bool>{true, false, false, true};
    QTest::newRow("25%: level 1 joins") << 25 << -1 << false << QList<bool>{true, true, false, true};
    QTest::newRow("override 5 at 10%") << 10 << 5 << false << QList<bool>{true, true, true, true};
    QTest::newRow("override 0 at 300%") << 300 << 0 << false << QList<bool>{true, false, false, true};
    QTest::newRow("hidden, but a found place shows") << 10 << 5 << true << QList<bool>{false, true, true, true};
}

void TestPlaceOverlay::visibility() {
    QFETCH(int, zoom);
    QFETCH(int, override);
    QFETCH(bool, hidden);
    QFETCH(QList<bool>, visible);
    World w;
    CPlace* first = w.Add("A", 0, 0, 0);
    w.Add("B", 0, 0, 1);
    w.Add("C", 0, 0, 5);
    CPlace* found = w.Add("D", 0, 0, 5);
    w.overlay.HighlightOne(found);
    if (hidden) w.overlay.SetHiddenPlaces({found, first});
    w.geometry.SetZoom(zoom);
    w.geometry.SetDetailOverride(override);
    QList<bool> seen;
    for (const CPlace* p : w.places) seen << w.overlay.IsPlaceVisible(p);
    QCOMPARE(seen, visible);
}

// Hidden kinds hide their places, but a found place shows whatever its kind.
void TestPlaceOverlay::hiddenKinds_data() {
    QTest::addColumn<QList<int>>("hidden");
    QTest::addColumn<QList<bool>>("visible");  // a village, a port, a found port, a place of an unknown kind
    QTest::newRow("none hidden") << QList<int>{} << QList<bool>{true, true, true, true};
    QTest::newRow("ports hidden, the found port shows") << QList<int>{21} << QList<bool>{true, false, true, true};
    QTest::newRow("an unknown kind hidden") << QList<int>{37} << QList<bool>{true, true, true, false};
    QTest::newRow("every kind, unsorted") << QList<int>{37, 21, 20} << QList<bool>{false, false, true, false};
}

void TestPlaceOverlay::hiddenKinds() {
    QFETCH(QList<int>, hidden);
    QFETCH(QList<bool>, visible);
    World w;
    w.geometry.SetDetailOverride(5);
    w.places.Add("Village", 0, 0, 0, 20);
    w.places.Add("Port", 0, 0, 0, 21);
    CPlace& found = w.places.Add("Found port", 0, 0, 0, 21);
    w.places.Add("Odd", 0, 0, 0, 37);
    w.overlay.HighlightOne(&found);
    w.overlay.SetHiddenKinds(std::vector<int32_t>(hidden.begin(), hidden.end()));
    QList<bool> seen;
    for (const CPlace* p : w.places) seen << w.overlay.IsPlaceVisible(p);
    QCOMPARE(seen, visible);
}

void TestPlaceOverlay::placeRects() {
    World w;
    w.host.picture = {3000, 3500};  // one map pixel per 100 world units at 100%
    w.geometry.SetZoom(100);
    CPlace* place = w.Add("Kelwick", -115000, 215000, 3);  // map point (100, 50)
    w.geometry.ScrollTo({20, 10});
    CRect marker, label;
    w.overlay.GetPlaceRects(*place, {}, marker, label);
    QCOMPARE(marker, CRect({77, 37, 83, 43}));
    QVERIFY(label.IsRectEmpty());  // never measured: no extent
    QCOMPARE(label.left, 84);
    w.overlay.GetPlaceRects(*place, {40, 13}, marker, label);
    QCOMPARE(label, CRect({84, 37, 124, 50}));
}

// The hover test reads the sizes measured so far, by index in the table:
// a label never painted cannot be hit, and an earlier place wins. With
// labels placed apart, a label is hit where it was placed, a label left out
// nowhere.
void TestPlaceOverlay::hitTest_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("measured");
    QTest::addColumn<bool>("apart");
    QTest::addColumn<QString>("hit");
    QTest::newRow("marker, label unmeasured") << QPoint(77, 37) << false << false << "Kelwick";
    QTest::newRow("label, unmeasured") << QPoint(100, 40) << false << false << "";
    QTest::newRow("label, measured") << QPoint(100, 40) << true << false << "Kelwick";
    QTest::newRow("label's right edge is outside") << QPoint(124, 38) << true << false << "";
    QTest::newRow("overlap: the earlier place") << QPoint(82, 42) << true << false << "Kelwick";
    QTest::newRow("second place's own label") << QPoint(130, 50) << true << false << "Orvane";
    QTest::newRow("apart: a label where it was placed") << QPoint(40, 40) << true << true << "Kelwick";
    QTest::newRow("apart: not at its usual place") << QPoint(100, 40) << true << true << "";
    QTest::newRow("apart: a label left out") << QPoint(130, 50) << true << true << "";
    QTest::newRow("apart: the marker still") << QPoint(77, 37) << true << true << "Kelwick";
}

void TestPlaceOverlay::hitTest() {
    QFETCH(QPoint, point);
    QFETCH(bool, measured);
    QFETCH(bool, apart);
    QFETCH(QString, hit);
    World w;
    w.host.picture = {3000, 3500};
    w.geometry.SetZoom(100);
    w.Add("Kelwick", -115000, 215000, 3);  // map point (100, 50)
    w.Add("Orvane", -114800, 214800, 3);   // map point (102, 52), over it
    w.geometry.ScrollTo({20, 10});
    w.geometry.SetDetailOverride(5);
    CLabelSizes sizes;
    if (measured) {
        sizes.Set(0, {40, 13});
        sizes.Set(1, {60, 13});
    }
    // Kelwick's label left of its marker (map coordinates), Orvane's left out.
    const std::vector<CRect> placed{{50, 47, 90, 60}, {}};
    const CPlace* found = w.overlay.HitTest(w.places, sizes, {point.x(), point.y()}, apart ? &placed : nullptr);
    QCOMPARE(found ? QString::fromStdString(found->m_strName) : QString(), hit);
}

// A centred picture's markers are found where they are drawn.
void TestPlaceOverlay::hitTestFollowsCentring() {
    World w;
    w.host.picture = {3000, 3500};
    w.geometry.SetCentred(true);
    w.geometry.SetZoom(10);  // 300 x 350 in 800 x 600: drawn from (250, 125)
    w.geometry.SetDetailOverride(5);
    w.Add("Kelwick", -115000, 215000, 3);  // map point (10, 5)
    const CPlace* drawn = w.overlay.HitTest(w.places, {}, {259, 129});
    QCOMPARE(drawn ? QString::fromStdString(drawn->m_strName) : QString(), QString("Kelwick"));
    QVERIFY(!w.overlay.HitTest(w.places, {}, {9, 4}));
}

QTEST_APPLESS_MAIN(TestPlaceOverlay)
#include "test_placeoverlay.moc"
