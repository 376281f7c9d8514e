// A route between two places as the route window shows it (legs, totals,
// what it says when the way goes straight, what it draws), and the zoom
// that shows it whole.
#include "journeys/PlaceRoute.h"
#include "view/ViewGeometry.h"
#include "view/ZoomShowing.h"

#include <QtTest>

namespace {

// A highway from (0, 0) to (10000, 0), a league every 1000 units; on foot
// 0,5 league an hour off road and 1,25 on it, riding 1 and 2,5.
CRoadNetwork Network(CRoadTable::State state, bool withRoad) {
    CRoadNetwork network;
    network.table.state = state;
    network.table.reason = "table des routes tronquée";
    network.table.scale.unitsPerLeague = 1000;
    for (int rank = 0; rank < Roads::kRankCount; ++rank) {
        network.table.scale.walk[rank] = rank == 0 ? 50 : 125;
        network.table.scale.ride[rank] = rank == 0 ? 100 : 250;
    }
    if (withRoad) network.table.roads.push_back({Roads::kHighway, {{0, 0}, {10000, 0}}});
    network.graph = CRoadGraph(network.table.roads);
    return network;
}

QString LegsText(const CPlaceRoute& plan) {
    QStringList legs;
    for (const CRouteLegText& leg : plan.legs) legs << QString::fromStdString(leg.rank + " " + leg.length);
    return legs.join(" | ");
}

}  // namespace

class TestPlaceRoute : public QObject {
    Q_OBJECT
private slots:
    void plans_data();
    void plans();
    void drawsTheLegsAndBothEnds();
    void zoomShowing_data();
    void zoomShowing();
};

void TestPlaceRoute::plans_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("withRoad");
    QTest::addColumn<QString>("legs");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("notice");
    const int read = int(CRoadTable::State::Read), absent = int(CRoadTable::State::Absent),
              damaged = int(CRoadTable::State::Damaged);
    // From (0, -1000) to (10000, -1000): a league to the road, ten along it, one from it.
    QTest::newRow("along the road")
        << read << true << "hors route 1,0 lieue | grand-route 10,0 lieues | hors route 1,0 lieue"
        << "12,0 lieues, à pied 12 h 00, à cheval 6 h 00" << "";
    QTest::newRow("no road joins them")
        << read << false << "hors route 10,0 lieues" << "10,0 lieues, à pied 20 h 00, à cheval 10 h 00"
        << "Aucune route ne joint ces lieux : la ligne droite";
    QTest::newRow("no table: map units")
        << absent << false << "ligne droite 10000 unités" << "10000 unités de la carte"
        << "Pas de table des routes : la ligne droite, en unités de la carte";
    QTest::newRow("a damaged table: map units, and why")
        << damaged << false << "ligne droite 10000 unités" << "10000 unités de la carte"
        << "Table des routes endommagée (table des routes tronquée) : la ligne droite, en unités de la carte";
}

void TestPlaceRoute::plans() {
    QFETCH(int, state);
    QFETCH(bool, withRoad);
    const CPlaceRoute plan = PlanPlaceRoute(Network(CRoadTable::State(state), withRoad), {0, -1000}, {10000, -1000});
    QTEST(LegsText(plan), "legs");
    QTEST(QString::fromStdString(plan.total), "total");
    QTEST(QString::fromStdString(plan.notice), "notice");
}

void TestPlaceRoute::drawsTheLegsAndBothEnds() {
    const CPlaceRoute plan = PlanPlaceRoute(Network(CRoadTable::State::Read, true), {0, -1000}, {10000, -1000});
    QCOMPARE(plan.layer.paths.size(), plan.route.legs.size());
    QCOMPARE(int(plan.layer.paths[1].stroke), int(JourneyStroke::Road));
    QCOMPARE(plan.layer.marks.size(), size_t(2));
    QVERIFY(plan.layer.marks[0].at == (CWorldPoint{0, -1000}) && plan.layer.marks[0].text == "A");
    QVERIFY(plan.layer.marks[1].at == (CWorldPoint{10000, -1000}) && plan.layer.marks[1].text == "B");
    const CWorldBox box = JourneyBounds(plan.layer);
    QCOMPARE(QList<int>({box.left, box.bottom, box.right, box.top}), QList<int>({0, -1000, 10000, 0}));
    QCOMPARE(JourneyBounds({}).right, 0);
}

void TestPlaceRoute::zoomShowing_data() {
    QTest::addColumn<QRect>("picture");  // picture pixels
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("shown");
    // A client area of 1000 x 800 with a margin of 50: room for 900 x 700;
    // from further out than 100 %, the view comes in towards it.
    QTest::newRow("whole and close: the zoom stays") << QRect(0, 0, 400, 300) << 200 << 200;
    QTest::newRow("too wide") << QRect(100, 100, 1800, 300) << 200 << 50;
    QTest::newRow("too tall") << QRect(100, 100, 300, 1400) << 200 << 50;
    QTest::newRow("from far out, in to 100 %") << QRect(0, 0, 10, 10) << 20 << 100;
    QTest::newRow("from far out, in only as far as it shows whole") << QRect(0, 0, 1200, 100) << 20 << 75;
    QTest::newRow("from far out, too large: out") << QRect(0, 0, 9000, 100) << 20 << 10;
    QTest::newRow("one point") << QRect(5, 5, 0, 0) << 300 << 300;
    QTest::newRow("no lower than the least zoom") << QRect(0, 0, 90000, 10) << 100 << ViewGeometry::kMinZoom;
}

void TestPlaceRoute::zoomShowing() {
    QFETCH(QRect, picture);
    QFETCH(int, zoom);
    const CRect rect{picture.left(), picture.top(), picture.left() + picture.width(), picture.top() + picture.height()};
    QTEST(ZoomShowing(rect, {1000, 800}, zoom, 50, 100), "shown");
}

QTEST_APPLESS_MAIN(TestPlaceRoute)
#include "test_placeroute.moc"
