// The shopping list's plan: the least covers against a brute force, the
// visiting order against every permutation, the heuristic against the
// nearest neighbour, road distances against single routes, and whole plans
// on a small world (unsold spells, vendors without a place, ties broken by
// the shorter trip).
#include "SmallWorld.h"

#include "data/PlaceTable.h"
#include "journeys/RoadDistances.h"
#include "journeys/SetCover.h"
#include "journeys/Shopping.h"
#include "journeys/Tour.h"
#include "npc/LinkedWorld.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <bitset>
#include <numeric>
#include <set>

namespace {

// Every cover of the least size, by trying every subset of candidates.
std::set<std::vector<int>> BruteLeastCovers(const std::vector<CItemMask>& masks, CItemMask wanted) {
    CItemMask coverable = 0;
    for (const CItemMask m : masks) coverable |= m & wanted;
    std::set<std::vector<int>> best;
    size_t bestSize = SIZE_MAX;
    for (uint32_t subset = 0; subset < (1u << masks.size()); ++subset) {
        CItemMask covered = 0;
        std::vector<int> chosen;
        for (size_t c = 0; c < masks.size(); ++c)
            if (subset >> c & 1) covered |= masks[c], chosen.push_back(int(c));
        if ((covered & coverable) != coverable || chosen.size() > bestSize) continue;
        if (chosen.size() < bestSize) best.clear(), bestSize = chosen.size();
        best.insert(chosen);
    }
    return best;
}

// The shortest trip by trying every order.
double BruteTour(const CDistanceMatrix& d) {
    std::vector<int> stops(d.size() - 1);
    std::iota(stops.begin(), stops.end(), 1);
    double best = INFINITY;
    do best = std::min(best, TourLength(d, stops));
    while (std::next_permutation(stops.begin(), stops.end()));
    return best;
}

// Distances differing each way, some rows zero (a trip with no fixed start).
CDistanceMatrix RandomMatrix(QRandomGenerator& random, size_t stops, bool freeStart) {
    CDistanceMatrix d(stops + 1, std::vector<double>(stops + 1, 0));
    for (size_t i = 0; i <= stops; ++i)
        for (size_t j = 0; j <= stops; ++j)
            if (i != j && !(freeStart && i == 0)) d[i][j] = random.bounded(1000);
    return d;
}

bool IsOrderOf(const std::vector<int>& stops, size_t count) {
    std::vector<int> sorted = stops;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> all(count);
    std::iota(all.begin(), all.end(), 1);
    return sorted == all;
}

// A small world on a line: Arvel at 0, Brinn at 1000, Corbel at 2000, Esk at
// 3000, Dunmor far off at 10000. Spells: 1 Aube, 2 Bise, 3 Cendre, 4 Dague
// (nobody sells it), 5 Écho (only a vendor without a place), 6 Flot (only
// another such), 7 Givre (only at Esk).
struct ShopWorld {
    CMemoryResourceStore store;
    CPlaceList places;
    std::unique_ptr<CLinkedWorld> world;
    CRoadNetwork roads;  // none: the ways are straight

    ShopWorld() {
        using SmallWorld::Strings;
        const auto put = [&](int id, TestTables::Bytes bytes) {
            store.Add(ResType::Numeric(ResId::RT_RCDATA), id, std::move(bytes));
        };
        put(ResId::IDR_PLACES, TestTables::PlaceTable({{"Arvel", 1, 1, 0, 0},
                                                       {"Brinn", 1, 1, 1000, 0},
                                                       {"Corbel", 1, 1, 2000, 0},
                                                       {"Dunmor", 1, 1, 10000, 0},
                                                       {"Esk", 1, 1, 3000, 0}}));
        put(ResId::IDR_SPELLS, SmallWorld::Spells({{"Aube", 1}, {"Bise", 2}, {"Cendre", 3}, {"Dague", 4},
                                                   {"\xC9" "cho", 5}, {"Flot", 6}, {"Givre", 7}}));
        put(ResId::IDR_VENDOR_LOCATIONS,
            Strings({"Arvel, by the gate", "Brinn", "Corbel", "Dunmor", "Esk", "The road"}));
        put(ResId::IDR_VENDORS, SmallWorld::Vendors({{"Aldo", 0, {1}},
                                                     {"Dara", 3, {1, 2}},
                                                     {"Bran", 1, {2}},
                                                     {"Cyr", 2, {2, 1}},
                                                     {"Nemo", 9, {5, 1}},
                                                     {"Rod", 5, {6}},
                                                     {"Eda", 4, {7, 3}}}));
        ParsePlaceTable(*FindRcData(store, ResId::IDR_PLACES), places);
        world = std::make_unique<CLinkedWorld>(places.Array(), store);
    }
};

using Stops = std::vector<std::pair<QString, std::vector<uint16_t>>>;  // vendor, spells bought

}  // namespace

Q_DECLARE_METATYPE(std::vector<uint16_t>)
Q_DECLARE_METATYPE(std::vector<CItemMask>)
Q_DECLARE_METATYPE(Stops)

class TestShopping : public QObject {
    Q_OBJECT
private slots:
    void leastCoversMatchBruteForce();
    void coverLimits_data();
    void coverLimits();
    void greedyCoverCoversAllWithNoneNeedless();
    void exactTourMatchesBruteForce();
    void heuristicNeverWorseThanNearestNeighbour();
    void roadDistancesMatchRoutes();
    void plan_data();
    void plan();
};

void TestShopping::leastCoversMatchBruteForce() {
    QRandomGenerator random(33);
    for (int instance = 0; instance < 600; ++instance) {
        const int items = 1 + int(random.bounded(10)), candidates = 1 + int(random.bounded(12));
        std::vector<CItemMask> masks;
        for (int c = 0; c < candidates; ++c) {
            CItemMask m = 0;
            for (int i = 0; i < items; ++i) m |= CItemMask(random.bounded(100) < 30) << i;
            masks.push_back(m);
        }
        // Some items beyond the wanted ones, which must not count.
        const CItemMask wanted = (CItemMask(1) << items) - 1;
        if (instance % 5 == 0) masks.push_back(~CItemMask(0) << items);
        const std::set<std::vector<int>> expected = BruteLeastCovers(masks, wanted);
        const CCoverResult result = LeastCovers(masks, wanted, {1000, 1000000});
        CItemMask coverable = 0;
        for (const CItemMask m : masks) coverable |= m;
        QCOMPARE(result.uncovered, wanted & ~coverable);
        QVERIFY(result.exact && result.listedAll);
        const std::set<std::vector<int>> found(result.covers.begin(), result.covers.end());
        QCOMPARE(found.size(), result.covers.size());  // none twice
        if ((wanted & coverable) == 0) QVERIFY(result.covers.empty());
        else QVERIFY2(found == expected, qPrintable(QString("instance %1").arg(instance)));
    }
}

void TestShopping::coverLimits_data() {
    QTest::addColumn<std::vector<CItemMask>>("masks");
    QTest::addColumn<size_t>("maxCovers");
    QTest::addColumn<size_t>("budget");
    QTest::addColumn<size_t>("covers");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<bool>("listedAll");
    QTest::addColumn<size_t>("size");
    // Six items, each sold by two candidates of its own: 2^6 least covers.
    std::vector<CItemMask> pairs;
    for (int i = 0; i < 6; ++i) pairs.insert(pairs.end(), 2, CItemMask(1) << i);
    // Two halves of seven items; the greedy cover takes a wider candidate
    // across them first, then needs two more.
    const std::vector<CItemMask> trap{0x7F, 0x3F80, 0x78F, 0x1830, 0x2040};
    QTest::newRow("all listed") << pairs << size_t(1000) << size_t(1000000) << size_t(64) << true << true << size_t(6);
    QTest::newRow("capped") << pairs << size_t(10) << size_t(1000000) << size_t(10) << true << false << size_t(6);
    QTest::newRow("the greedy cover beaten") << trap << size_t(1000) << size_t(1000) << size_t(1) << true << true
                                             << size_t(2);
    QTest::newRow("out of steps: the greedy cover") << trap << size_t(1000) << size_t(1) << size_t(1) << false
                                                    << false << size_t(3);
}

void TestShopping::coverLimits() {
    QFETCH(size_t, maxCovers);
    QFETCH(size_t, budget);
    QFETCH(std::vector<CItemMask>, masks);
    const CItemMask all = std::accumulate(masks.begin(), masks.end(), CItemMask(0), std::bit_or<CItemMask>());
    const CCoverResult result = LeastCovers(masks, all, {maxCovers, budget});
    QTEST(result.covers.size(), "covers");
    QTEST(result.exact, "exact");
    QTEST(result.listedAll, "listedAll");
    for (const auto& cover : result.covers) {
        CItemMask covered = 0;
        for (const int c : cover) covered |= masks[size_t(c)];
        QCOMPARE(covered, all);
        QTEST(cover.size(), "size");
    }
}

void TestShopping::greedyCoverCoversAllWithNoneNeedless() {
    QRandomGenerator random(7);
    for (int instance = 0; instance < 200; ++instance) {
        const size_t items = 70 + random.bounded(60);  // beyond a mask's 64
        std::vector<std::vector<int>> itemsOf(20);
        std::vector<char> coverable(items, 0);
        for (auto& list : itemsOf)
            for (size_t i = 0; i < items; ++i)
                if (random.bounded(100) < 5) list.push_back(int(i)), coverable[i] = 1;
        std::vector<int> times(items, 0);
        const std::vector<int> chosen = GreedyCover(itemsOf, items);
        for (const int c : chosen)
            for (const int i : itemsOf[size_t(c)]) ++times[size_t(i)];
        for (size_t i = 0; i < items; ++i) QCOMPARE(times[i] > 0, bool(coverable[i]));
        // None needless: each covers something no other chosen one does.
        for (const int c : chosen) {
            const auto& own = itemsOf[size_t(c)];
            QVERIFY(std::any_of(own.begin(), own.end(), [&](int i) { return times[size_t(i)] == 1; }));
        }
    }
}

void TestShopping::exactTourMatchesBruteForce() {
    QRandomGenerator random(11);
    for (int instance = 0; instance < 300; ++instance) {
        const size_t stops = 1 + random.bounded(8);
        const CDistanceMatrix d = RandomMatrix(random, stops, instance % 3 == 0);
        const CTourOrder tour = ShortestTour(d);
        QVERIFY(tour.exact);
        QVERIFY(IsOrderOf(tour.stops, stops));
        QCOMPARE(tour.length, TourLength(d, tour.stops));
        QCOMPARE(tour.length, BruteTour(d));
    }
    QVERIFY(ShortestTour(RandomMatrix(random, Tours::kMaxExactStops, false)).exact);
    QVERIFY(!ShortestTour(RandomMatrix(random, Tours::kMaxExactStops + 1, false)).exact);
    QVERIFY(ShortestTour({{0}}).stops.empty());
}

void TestShopping::heuristicNeverWorseThanNearestNeighbour() {
    QRandomGenerator random(13);
    int better = 0;
    for (int instance = 0; instance < 200; ++instance) {
        const size_t stops = 11 + random.bounded(20);
        const CDistanceMatrix d = RandomMatrix(random, stops, instance % 4 == 0);
        const CTourOrder nearest = NearestNeighbourTour(d), improved = ShortestTour(d);
        QVERIFY(!improved.exact);
        QVERIFY(IsOrderOf(improved.stops, stops));
        QCOMPARE(improved.length, TourLength(d, improved.stops));
        QVERIFY(improved.length <= nearest.length);
        better += improved.length < nearest.length ? 1 : 0;
    }
    QVERIFY(better > 150);  // it does improve on it, usually
}

void TestShopping::roadDistancesMatchRoutes() {
    QRandomGenerator random(17);
    for (int instance = 0; instance < 40; ++instance) {
        std::vector<CRoad> roads(1 + random.bounded(5));
        for (CRoad& road : roads) {
            road.rank = 1 + int(random.bounded(3));
            for (int p = 0, n = 2 + int(random.bounded(4)); p < n; ++p)
                road.points.push_back({int32_t(random.bounded(20000)), int32_t(random.bounded(20000))});
        }
        const CRoadGraph graph(instance % 8 == 0 ? std::vector<CRoad>() : roads);
        std::vector<CWorldPoint> points;
        for (int p = 0, n = 2 + int(random.bounded(6)); p < n; ++p)
            points.push_back({int32_t(random.bounded(20000)), int32_t(random.bounded(20000))});
        points.push_back(points.front());  // one point twice
        const CDistanceMatrix d = RoadDistances(graph, points);
        for (size_t i = 0; i < points.size(); ++i)
            for (size_t j = 0; j < points.size(); ++j)
                QVERIFY(std::fabs(d[i][j] - FindRoute(graph, points[i], points[j]).length) < 1e-6);
        QCOMPARE(d[0][points.size() - 1], 0.0);  // no way from a spot to itself
    }
}

void TestShopping::plan_data() {
    QTest::addColumn<std::vector<uint16_t>>("spells");
    QTest::addColumn<int>("start");  // a place, or -1
    QTest::addColumn<Stops>("stops");
    QTest::addColumn<std::vector<uint16_t>>("unsold");
    QTest::addColumn<double>("length");
    QTest::newRow("of two single vendors, the nearer")
        << std::vector<uint16_t>{1, 2} << 0 << Stops{{"Cyr", {1, 2}}} << std::vector<uint16_t>{} << 2000.0;
    QTest::newRow("bought in the list's order, duplicates once")
        << std::vector<uint16_t>{2, 1, 2} << 0 << Stops{{"Cyr", {2, 1}}} << std::vector<uint16_t>{} << 2000.0;
    QTest::newRow("the tie goes to the shorter trip, from the far end")
        << std::vector<uint16_t>{1, 2} << 3 << Stops{{"Dara", {1, 2}}} << std::vector<uint16_t>{} << 0.0;
    QTest::newRow("visited in the shortest order")
        << std::vector<uint16_t>{1, 7} << 4 << Stops{{"Eda", {7}}, {"Cyr", {1}}} << std::vector<uint16_t>{} << 1000.0;
    // Either way round: the trip's length is the same.
    QTest::newRow("no start: the trip begins at a stop")
        << std::vector<uint16_t>{3, 1} << -1 << Stops{{"Cyr", {1}}, {"Eda", {3}}} << std::vector<uint16_t>{} << 1000.0;
    QTest::newRow("placeless vendors only for what no one else sells, at the end")
        << std::vector<uint16_t>{6, 1, 5} << 0 << Stops{{"Aldo", {1}}, {"Nemo", {5}}, {"Rod", {6}}}
        << std::vector<uint16_t>{} << 0.0;
    QTest::newRow("unsold and unknown spells apart")
        << std::vector<uint16_t>{4, 2, 999} << 1 << Stops{{"Bran", {2}}} << std::vector<uint16_t>{4, 999} << 0.0;
    QTest::newRow("nothing sold") << std::vector<uint16_t>{4} << 0 << Stops{} << std::vector<uint16_t>{4} << 0.0;
    QTest::newRow("an empty list") << std::vector<uint16_t>{} << -1 << Stops{} << std::vector<uint16_t>{} << 0.0;
}

void TestShopping::plan() {
    QFETCH(std::vector<uint16_t>, spells);
    QFETCH(int, start);
    QFETCH(Stops, stops);
    static const ShopWorld shop;
    const CLinkedWorld& world = *shop.world;
    std::optional<CWorldPoint> from;
    if (start >= 0) from = CWorldPoint{world.Places()[start]->m_x, world.Places()[start]->m_y};
    const CShoppingPlan plan = PlanShopping(world, shop.roads, spells, from);
    Stops got;
    size_t placed = 0;
    for (const CShoppingStop& stop : plan.stops) {
        got.push_back({QString::fromStdString(world.Vendors()[size_t(stop.vendor)].name), stop.spells});
        placed += stop.place >= 0 ? 1 : 0;
        if (stop.place < 0) QCOMPARE(stop.vendor >= 4 && stop.vendor <= 5, true);
    }
    if (!from) std::sort(got.begin(), got.end());
    QCOMPARE(got, stops);
    QTEST(plan.unsold, "unsold");
    QTEST(plan.length, "length");
    QVERIFY(plan.coverExact && plan.orderExact);
    QCOMPARE(plan.legs.size(), placed == 0 ? 0 : placed - (from ? 0 : 1));
}

QTEST_APPLESS_MAIN(TestShopping)
#include "test_shopping.moc"
