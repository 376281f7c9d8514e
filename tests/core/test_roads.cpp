// The roads table from its text sources to the reader, and the routes over
// the road graph, checked against a brute force.
#include "data/ResourceStore.h"
#include "journeys/JourneyLayer.h"
#include "journeys/JourneyText.h"
#include "journeys/RoadTable.h"
#include "journeys/Route.h"
#include "tables/TableCompiler.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

namespace {

const char kScale[] =
    "name\tvalue\nlieue\t1000\nmarche-0\t50\nmarche-1\t125\nmarche-2\t100\nmarche-3\t100\n"
    "cheval-0\t100\ncheval-1\t250\ncheval-2\t200\ncheval-3\t200\n";

TableBytes Compile(const std::string& roads, const std::string& scale = kScale) {
    return CompileRoads(ParseTsv("scale.tsv", scale, {"name", "value"}), ParseTsv("roads.tsv", roads, {"rank", "points"}));
}

void PutU16(TableBytes& b, unsigned v) { b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void PutI32(TableBytes& b, int32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

// A table's head (scale and speeds) followed by `tail`, built by hand.
TableBytes Head(int32_t league = 1000, unsigned speed = 100) {
    TableBytes b;
    PutI32(b, league);
    for (int i = 0; i < 8; ++i) PutU16(b, speed);
    return b;
}

// The shortest way between every two nodes (Floyd–Warshall).
std::vector<std::vector<double>> AllPairs(const CRoadGraph& g) {
    const size_t n = g.NodeCount();
    std::vector<std::vector<double>> d(n, std::vector<double>(n, INFINITY));
    for (size_t a = 0; a < n; ++a) {
        d[a][a] = 0;
        for (const CRoadEdge& e : g.Edges(int(a))) d[a][size_t(e.to)] = std::min(d[a][size_t(e.to)], e.length);
    }
    for (size_t k = 0; k < n; ++k)
        for (size_t i = 0; i < n; ++i)
            for (size_t j = 0; j < n; ++j) d[i][j] = std::min(d[i][j], d[i][k] + d[k][j]);
    return d;
}

// The brute force's length of a route: the legs to the nearest roads and the
// best way between the ends of the two stretches (or along the one stretch).
double BruteLength(const CRoadGraph& g, const std::vector<std::vector<double>>& d, CWorldPoint from, CWorldPoint to) {
    const CRoadPoint a = g.Nearest(from), b = g.Nearest(to);
    if (a.a < 0) return Distance(from, to);
    double best = INFINITY;
    for (const int ea : {a.a, a.b})
        for (const int eb : {b.a, b.b})
            best = std::min(best, Distance(a.at, g.Point(ea)) + d[size_t(ea)][size_t(eb)] + Distance(g.Point(eb), b.at));
    const bool sameStretch = std::minmax(a.a, a.b) == std::minmax(b.a, b.b);
    if (sameStretch) best = std::min(best, Distance(a.at, b.at));
    if (best == INFINITY) return Distance(from, to);
    return a.distance + best + b.distance;
}

CWorldPoint RandomPoint(QRandomGenerator& rng, int span) {
    return {int32_t(rng.bounded(span)), int32_t(rng.bounded(span))};
}

}  // namespace

class TestRoads : public QObject {
    Q_OBJECT
private slots:
    void compiledTableReadsBack();
    void compilerFaults_data();
    void compilerFaults();
    void damagedTables_data();
    void damagedTables();
    void cutAtEveryOffset();
    void absentTable();
    void roadsJoinWhereTheyMeet_data();
    void roadsJoinWhereTheyMeet();
    void routesMatchBruteForce();
    void routeWithoutRoads();
    void totalsUseEachRanksSpeed();
    void journeyTexts_data();
    void journeyTexts();
    void routePathsDashOffRoad();
};

void TestRoads::compiledTableReadsBack() {
    const TableBytes bytes = Compile("rank\tpoints\n1\t-5,7 100000,-130000 3,3\n3\t0,0 1,1\n");
    const CRoadTable t = ParseRoadTable(ByteBlock(bytes));
    QCOMPARE(int(t.state), int(CRoadTable::State::Read));
    QCOMPARE(t.scale.unitsPerLeague, 1000);
    QCOMPARE(t.scale.walk[1], 125);
    QCOMPARE(t.scale.ride[0], 100);
    QCOMPARE(t.roads.size(), size_t(2));
    QCOMPARE(t.roads[0].rank, 1);
    QVERIFY((t.roads[0].points == std::vector<CWorldPoint>{{-5, 7}, {100000, -130000}, {3, 3}}));
    QCOMPARE(t.roads[1].rank, 3);
}

void TestRoads::compilerFaults_data() {
    QTest::addColumn<QByteArray>("roads");
    QTest::addColumn<QByteArray>("scale");
    QTest::addColumn<QString>("message");
    const QByteArray scale(kScale);
    QTest::newRow("rank 4") << QByteArray("rank\tpoints\n4\t0,0 1,1\n") << scale << "roads.tsv:2: colonne 1";
    QTest::newRow("one point") << QByteArray("rank\tpoints\n1\t0,0\n") << scale << "roads.tsv:2: une route a au moins deux points";
    QTest::newRow("no comma") << QByteArray("rank\tpoints\n1\t0,0 11\n") << scale << "roads.tsv:2: point sans virgule";
    QTest::newRow("outside the world") << QByteArray("rank\tpoints\n1\t0,0 1,100000001\n") << scale << "roads.tsv:2: colonne 2";
    QTest::newRow("no league") << QByteArray("rank\tpoints\n") << QByteArray("name\tvalue\nmarche-0\t5\n")
                               << "scale.tsv:0: « lieue » manque";
    QTest::newRow("speed zero") << QByteArray("rank\tpoints\n") << QByteArray(kScale).replace("marche-2\t100", "marche-2\t0")
                                << "scale.tsv:5: colonne 2";
}

void TestRoads::compilerFaults() {
    QFETCH(QByteArray, roads);
    QFETCH(QByteArray, scale);
    QFETCH(QString, message);
    try {
        Compile(roads.toStdString(), scale.toStdString());
        QFAIL("no error");
    } catch (const TableError& e) {
        QVERIFY2(QString::fromUtf8(e.what()).startsWith(message), e.what());
    }
}

void TestRoads::damagedTables_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const auto bytes = [](const TableBytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), int(b.size())); };
    TableBytes road = Head();
    PutU16(road, 2);
    PutU16(road, 2);
    for (int v : {0, 0, 10, 10}) PutI32(road, v);
    TableBytes ended = road;
    PutU16(ended, 0);
    QTest::newRow("empty") << QByteArray() << "table des routes tronquée";
    QTest::newRow("league zero") << bytes(Head(0)) << "échelle absurde (0 unités par lieue)";
    QTest::newRow("league negative") << bytes(Head(-5)) << "échelle absurde (-5 unités par lieue)";
    QTest::newRow("speed zero") << bytes(Head(1000, 0)) << "vitesses absentes ou absurdes";
    QTest::newRow("speed absurd") << bytes(Head(1000, 10001)) << "vitesses absentes ou absurdes";
    QTest::newRow("no end mark") << bytes(road) << "table des routes tronquée";
    QTest::newRow("bytes after the end") << bytes(ended) + QByteArray(1, '\0') << "octets après la fin de la table des routes";
    TableBytes rank = Head();
    PutU16(rank, 4);
    QTest::newRow("unknown rank") << bytes(rank) << "rang de route inconnu (4)";
    TableBytes count = Head();
    PutU16(count, 1);
    PutU16(count, 60000);
    PutI32(count, 0);
    QTest::newRow("count beyond the bytes") << bytes(count) << "nombre de points au-delà de la table";
    TableBytes single = Head();
    PutU16(single, 1);
    PutU16(single, 1);
    QTest::newRow("one point") << bytes(single) << "route de moins de deux points";
    TableBytes far = Head();
    PutU16(far, 1);
    PutU16(far, 2);
    for (int v : {0, 0, 100000001, 0}) PutI32(far, v);
    PutU16(far, 0);
    QTest::newRow("point outside the world") << bytes(far) << "point de route hors du monde";
}

void TestRoads::damagedTables() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const CRoadTable t = ParseRoadTable(ByteBlock(bytes.constData(), size_t(bytes.size())));
    QCOMPARE(int(t.state), int(CRoadTable::State::Damaged));
    QCOMPARE(QString::fromStdString(t.reason), reason);
    QVERIFY(t.roads.empty());
}

void TestRoads::cutAtEveryOffset() {
    const TableBytes whole = Compile("rank\tpoints\n1\t0,0 5,5 9,9\n2\t1,1 2,2\n");
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<unsigned char> cut(whole.begin(), whole.begin() + long(size));
        QCOMPARE(int(ParseRoadTable(ByteBlock(cut)).state), int(CRoadTable::State::Damaged));
    }
}

void TestRoads::absentTable() {
    const CRoadTable t = LoadRoadTable(CMemoryResourceStore());
    QCOMPARE(int(t.state), int(CRoadTable::State::Absent));
    QCOMPARE(FindRoute(CRoadGraph(t.roads), {0, 0}, {3000, 4000}).length, 5000.0);
}

void TestRoads::roadsJoinWhereTheyMeet_data() {
    QTest::addColumn<QByteArray>("roads");
    QTest::addColumn<double>("length");  // from (0, 0) to (10000, 10000)
    QTest::addColumn<bool>("alongRoads");
    // A road east, then one north from (10000, 0): the second starts on the first.
    QTest::newRow("shared point") << QByteArray("1\t0,0 10000,0\n2\t10000,0 10000,10000\n") << 20000.0 << true;
    QTest::newRow("ends on the middle of a stretch")
        << QByteArray("1\t0,0 20000,0\n2\t10000,10000 10000,0\n") << 20000.0 << true;
    QTest::newRow("ends just short of it")
        << QByteArray("1\t0,0 20000,0\n2\t10000,10000 10000,300\n") << 20000.0 << true;
    QTest::newRow("start and junction on one stretch")
        << QByteArray("1\t-20000,0 20000,0\n2\t10000,10000 10000,300\n") << 20000.0 << true;
    QTest::newRow("a stretch across the world")
        << QByteArray("1\t-100000000,0 100000000,0\n2\t10000,10000 10000,300\n") << 20000.0 << true;
    QTest::newRow("two roads join one stretch")
        << QByteArray("1\t-20000,0 20000,0\n2\t5000,-8000 5000,-200\n3\t10000,10000 10000,200\n") << 20000.0 << true;
    QTest::newRow("too far to join")
        << QByteArray("1\t0,0 20000,0\n2\t10000,10000 10000,1000\n") << std::hypot(10000.0, 10000.0) << false;
}

void TestRoads::roadsJoinWhereTheyMeet() {
    QFETCH(QByteArray, roads);
    QFETCH(double, length);
    QFETCH(bool, alongRoads);
    const CRoadTable t = ParseRoadTable(ByteBlock(Compile("rank\tpoints\n" + roads.toStdString())));
    const CRoute route = FindRoute(CRoadGraph(t.roads), {0, 0}, {10000, 10000});
    QCOMPARE(route.alongRoads, alongRoads);
    QVERIFY2(std::abs(route.length - length) < 1.0, qPrintable(QString::number(route.length)));
    double sum = 0;
    for (const CRouteLeg& leg : route.legs) sum += leg.length;
    QVERIFY(std::abs(sum - route.length) < 1e-6);
    QVERIFY(route.legs.front().points.front() == (CWorldPoint{0, 0}));
    QVERIFY(route.legs.back().points.back() == (CWorldPoint{10000, 10000}));
}

void TestRoads::routesMatchBruteForce() {
    // Small random graphs, some split in parts, with random ends anywhere.
    QRandomGenerator rng(20261209);
    for (int trial = 0; trial < 300; ++trial) {
        CRoadGraph g;
        const int nodes = 2 + int(rng.bounded(9));
        for (int i = 0; i < nodes; ++i) g.AddNode(RandomPoint(rng, 1000));
        const int edges = int(rng.bounded(2 * nodes));
        for (int i = 0; i < edges; ++i) {
            const int a = int(rng.bounded(nodes)), b = int(rng.bounded(nodes));
            if (a != b) g.AddEdge(a, b, 1 + int(rng.bounded(3)));
        }
        const auto d = AllPairs(g);
        const CWorldPoint from = RandomPoint(rng, 1000), to = RandomPoint(rng, 1000);
        const CRoute route = FindRoute(g, from, to);
        const double expected = BruteLength(g, d, from, to);
        QVERIFY2(std::abs(route.length - expected) < 1e-6 * std::max(1.0, expected),
                 qPrintable(QString("trial %1: %2 != %3").arg(trial).arg(route.length).arg(expected)));
        for (size_t i = 1; i < route.legs.size(); ++i)
            QVERIFY(route.legs[i].points.front() == route.legs[i - 1].points.back());
    }
}

void TestRoads::routeWithoutRoads() {
    const CRoute route = FindRoute(CRoadGraph(), {0, 0}, {0, 7000});
    QVERIFY(!route.alongRoads);
    QCOMPARE(route.legs.size(), size_t(1));
    QCOMPARE(route.legs[0].rank, Roads::kOffRoad);
    QCOMPARE(route.length, 7000.0);
}

void TestRoads::totalsUseEachRanksSpeed() {
    CRoadScale scale;
    scale.unitsPerLeague = 1000;
    for (int r = 0; r < Roads::kRankCount; ++r) { scale.walk[r] = 100 * (r + 1); scale.ride[r] = 200 * (r + 1); }
    CRoute route;
    route.legs = {{Roads::kOffRoad, {}, 2000}, {Roads::kTrack, {}, 8000}};
    const CRouteTotals t = Totals(route, scale);
    QCOMPARE(t.leagues, 10.0);
    QCOMPARE(t.walkHours, 2.0 / 1 + 8.0 / 4);
    QCOMPARE(t.rideHours, 2.0 / 2 + 8.0 / 8);
}

void TestRoads::journeyTexts_data() {
    QTest::addColumn<double>("leagues");
    QTest::addColumn<double>("hours");
    QTest::addColumn<QString>("leaguesText");
    QTest::addColumn<QString>("hoursText");
    QTest::newRow("zero") << 0.0 << 0.0 << "0,0 lieue" << "0 h 00";
    QTest::newRow("singular below two") << 1.94 << 0.99 << "1,9 lieue" << "0 h 59";
    QTest::newRow("rounds up to plural") << 1.96 << 1.9999 << "2,0 lieues" << "2 h 00";
    QTest::newRow("long") << 123.45 << 25.5 << "123,5 lieues" << "25 h 30";
}

void TestRoads::journeyTexts() {
    QFETCH(double, leagues);
    QFETCH(double, hours);
    QFETCH(QString, leaguesText);
    QFETCH(QString, hoursText);
    QCOMPARE(QString::fromStdString(LeaguesText(leagues)), leaguesText);
    QCOMPARE(QString::fromStdString(DurationText(hours)), hoursText);
}

void TestRoads::routePathsDashOffRoad() {
    CRoute route;
    route.alongRoads = true;
    route.legs = {{Roads::kOffRoad, {{0, 0}, {1, 0}}, 1}, {Roads::kHighway, {{1, 0}, {5, 0}}, 4}};
    const auto paths = RoutePaths(route);
    QCOMPARE(paths.size(), size_t(2));
    QVERIFY(paths[0].stroke == JourneyStroke::OffRoad && paths[1].stroke == JourneyStroke::Road);
    QVERIFY(paths[1].points == route.legs[1].points);
    route.alongRoads = false;  // the straight line is never drawn as a road
    route.legs.resize(1);
    route.legs[0].rank = Roads::kHighway;
    QVERIFY(RoutePaths(route)[0].stroke == JourneyStroke::OffRoad);
}

QTEST_APPLESS_MAIN(TestRoads)
#include "test_roads.moc"
