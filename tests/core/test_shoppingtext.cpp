// The shopping list as the player reads it and as it is kept: the tour's
// lines (stops, spells nobody sells, totals with and without the world's
// scale, what is approximate), the numbered discs on the map, and the list
// read back from the settings trusting nothing.
#include "SmallWorld.h"

#include "data/PlaceTable.h"
#include "journeys/RoadNetwork.h"
#include "journeys/ShoppingList.h"
#include "journeys/ShoppingMap.h"
#include "journeys/ShoppingText.h"
#include "npc/LinkedWorld.h"

#include <QtTest>

namespace {

QStringList Qs(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& line : lines) list << QString::fromStdString(line);
    return list;
}

// The small world (spells 7 Flamme, 8 Éclair, 9 "Givre <b>", 10 Brume, all
// filed under the effect "Feu"), read as the program reads it.
struct Loaded {
    CMemoryResourceStore store;
    CPlaceList places;
    std::unique_ptr<CLinkedWorld> world;

    Loaded() {
        SmallWorld::Fill(store);
        store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_EFFECTS,
                  TestTables::Raw(std::string("Feu\0\1\0\0", 7)));
        ParsePlaceTable(*FindRcData(store, ResId::IDR_PLACES), places);
        world = std::make_unique<CLinkedWorld>(places.Array(), store);
    }
};

// A leg of one stretch: `length` world units on `rank`.
CRoute Leg(double length, int rank, bool alongRoads = true) {
    CRoute route;
    route.alongRoads = alongRoads;
    route.legs.push_back({rank, {{0, 0}, {int32_t(length), 0}}, length});
    route.length = length;
    return route;
}

// A league is 1000 units; on the highway one walks 2 leagues an hour and
// rides 4, off road half a league and one.
CRoadNetwork Scaled() {
    CRoadNetwork roads;
    roads.table.state = CRoadTable::State::Read;
    roads.table.scale.unitsPerLeague = 1000;
    roads.table.scale.walk[Roads::kOffRoad] = 50;
    roads.table.scale.ride[Roads::kOffRoad] = 100;
    roads.table.scale.walk[Roads::kHighway] = 200;
    roads.table.scale.ride[Roads::kHighway] = 400;
    return roads;
}

using Stops = std::vector<CShoppingStop>;

}  // namespace

Q_DECLARE_METATYPE(CShoppingPlan)

class TestShoppingText : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void report();
    void discs_data();
    void discs();
    void keptList_data();
    void keptList();
    void addOnce();
};

void TestShoppingText::lines_data() {
    QTest::addColumn<CShoppingPlan>("plan");
    QTest::addColumn<bool>("scaled");
    QTest::addColumn<QStringList>("stops");
    QTest::addColumn<QString>("unsold");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QStringList>("notes");

    CShoppingPlan two;
    two.stops = Stops{{0, 0, {7, 8}}, {5, 1, {10}}};
    two.legs = {Leg(1234.4, Roads::kOffRoad, false)};
    two.length = 1234.4;
    QTest::newRow("stops in order with their spells; no scale: map units")
        << two << false
        << QStringList{QString::fromUtf8("1. Zed & Sons — Kelwick, by the well : Flamme, Éclair"),
                       QString::fromUtf8("2. Yara — Quen Harrow : Brume")}
        << "" << QString::fromUtf8("Total : 1234 unités de la carte, en ligne droite") << QStringList{};

    CShoppingPlan roads = two;
    roads.legs = {Leg(2000, Roads::kHighway), Leg(500, Roads::kOffRoad)};
    roads.length = 2500;
    QTest::newRow("scaled: leagues, walking and riding by rank")
        << roads << true
        << QStringList{QString::fromUtf8("1. Zed & Sons — Kelwick, by the well : Flamme, Éclair"),
                       QString::fromUtf8("2. Yara — Quen Harrow : Brume")}
        << "" << QString::fromUtf8("Total : 2,5 lieues — à pied 2 h 00, à cheval 1 h 00") << QStringList{};

    CShoppingPlan straight = roads;
    straight.legs[1].alongRoads = false;
    QTest::newRow("scaled, a leg no road joins: said")
        << straight << true
        << QStringList{QString::fromUtf8("1. Zed & Sons — Kelwick, by the well : Flamme, Éclair"),
                       QString::fromUtf8("2. Yara — Quen Harrow : Brume")}
        << "" << QString::fromUtf8("Total : 2,5 lieues — à pied 2 h 00, à cheval 1 h 00")
        << QStringList{QString::fromUtf8("Aucune route ne joint certaines étapes : elles vont en ligne droite")};

    CShoppingPlan offMap;
    offMap.stops = Stops{{3, -1, {10}}};
    offMap.unsold = {9};
    QTest::newRow("a vendor off the map, a spell nobody sells")
        << offMap << true
        << QStringList{QString::fromUtf8("1. Wen — ** Localisation inconnue ** (pas sur la carte) : Brume")}
        << QString::fromUtf8("Personne ne vend : Givre <b>")
        << QString::fromUtf8("Total : 0,0 lieue — à pied 0 h 00, à cheval 0 h 00") << QStringList{};

    CShoppingPlan none;
    none.unsold = {9, 10};
    QTest::newRow("nothing sold: no stop, no total")
        << none << true << QStringList{} << QString::fromUtf8("Personne ne vend : Givre <b>, Brume") << ""
        << QStringList{};

    CShoppingPlan approximate = offMap;
    approximate.unsold.clear();
    approximate.coverExact = false;
    approximate.orderExact = false;
    QTest::newRow("approximate choice and order")
        << approximate << false
        << QStringList{QString::fromUtf8("1. Wen — ** Localisation inconnue ** (pas sur la carte) : Brume")} << ""
        << QString::fromUtf8("Total : 0 unité de la carte, en ligne droite")
        << QStringList{QString::fromUtf8("Choix des marchands approché"),
                       QString::fromUtf8("Ordre de visite approché (2-opt)")};
}

void TestShoppingText::lines() {
    QFETCH(CShoppingPlan, plan);
    QFETCH(bool, scaled);
    const Loaded loaded;
    const CShoppingLines lines = ShoppingLines(plan, *loaded.world, scaled ? Scaled() : CRoadNetwork{});
    QFETCH(QStringList, stops);
    QFETCH(QString, unsold);
    QFETCH(QString, total);
    QFETCH(QStringList, notes);
    QCOMPARE(Qs(lines.stops), stops);
    QCOMPARE(QString::fromStdString(lines.unsold), unsold);
    QCOMPARE(QString::fromStdString(lines.total), total);
    QCOMPARE(Qs(lines.notes), notes);
}

// The exported text: the list with each spell's effect, the start, the tour.
void TestShoppingText::report() {
    const Loaded loaded;
    CShoppingLines tour;
    tour.stops = {"1. A", "2. B"};
    tour.unsold = "Personne ne vend : C";
    tour.total = "Total : T";
    tour.notes = {"N"};
    QCOMPARE(QString::fromStdString(ShoppingReport({8, 99}, "Kelwick", tour, *loaded.world)),
             QString::fromUtf8("Liste d'achats\n- Éclair (Feu)\n- sort n° 99\n\nDépart : Kelwick\n\n"
                               "Marchands, dans l'ordre de visite :\n1. A\n2. B\n\nPersonne ne vend : C\n\n"
                               "Total : T\nN\n"));
}

void TestShoppingText::discs_data() {
    QTest::addColumn<QList<int>>("places");  // each stop's, in visiting order
    QTest::addColumn<bool>("start");
    QTest::addColumn<QStringList>("marks");  // texts, in order
    QTest::newRow("a disc a stop, numbered from 1") << QList<int>{0, 1, 2} << false << QStringList{"1", "2", "3"};
    QTest::newRow("the start first, a point") << QList<int>{4} << true << QStringList{QString::fromUtf8("Départ"), "1"};
    QTest::newRow("vendors of one place share a disc, the first's number")
        << QList<int>{0, 1, 0, 1} << false << QStringList{"1+", "2+"};
    QTest::newRow("off the map or past the table: no disc") << QList<int>{0, -1, 99} << false << QStringList{"1"};
}

void TestShoppingText::discs() {
    QFETCH(QList<int>, places);
    QFETCH(bool, start);
    const Loaded loaded;
    CShoppingPlan plan;
    for (const int place : places) plan.stops.push_back({0, place, {7}});
    plan.legs = {Leg(10, Roads::kHighway), Leg(20, Roads::kOffRoad, false)};
    const CJourneyLayer layer =
        ShoppingLayer(plan, loaded.places.Array(), start ? std::optional<CWorldPoint>({5, 6}) : std::nullopt);
    QStringList texts;
    for (const CJourneyMark& mark : layer.marks) {
        texts << QString::fromStdString(mark.text);
        QCOMPARE(mark.style, mark.text == "Départ" ? JourneyMarkStyle::Point : JourneyMarkStyle::Stop);
    }
    QFETCH(QStringList, marks);
    QCOMPARE(texts, marks);
    // Each disc at its place: the first at the first stop's.
    const CPlace* first = loaded.places.Array()[places[0]];
    QCOMPARE(layer.marks[start ? 1 : 0].at, (CWorldPoint{first->m_x, first->m_y}));
    QCOMPARE(layer.paths.size(), size_t(2));
    QCOMPARE(layer.paths[1].stroke, JourneyStroke::OffRoad);
}

void TestShoppingText::keptList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("spells");
    QTest::newRow("in the order kept") << "9,7,10" << QList<int>{9, 7, 10};
    QTest::newRow("twice: once") << "7,7,9" << QList<int>{7, 9};
    QTest::newRow("not a spell of the world") << "7,99,8" << QList<int>{7, 8};
    QTest::newRow("bad fields dropped alone") << "7,,x,-8, 9,8,+9" << QList<int>{7, 8};
    QTest::newRow("past 16 bits, not wrapped") << "65543,7,0000000009" << QList<int>{7};
    QTest::newRow("empty") << "" << QList<int>{};
}

void TestShoppingText::keptList() {
    const Loaded loaded;
    const auto known = [&loaded](uint16_t id) { return loaded.world->SpellById(id) != nullptr; };
    QFETCH(QString, text);
    QFETCH(QList<int>, spells);
    const CShoppingList list = CShoppingList::FromText(text.toStdString(), known);
    QList<int> kept;
    for (const uint16_t id : list.Spells()) kept << id;
    QCOMPARE(kept, spells);
    // What is kept reads back the same.
    QCOMPARE(CShoppingList::FromText(list.Text(), known).Spells(), list.Spells());
}

void TestShoppingText::addOnce() {
    CShoppingList list;
    QVERIFY(list.Add(9));
    QVERIFY(list.Add(7));
    QVERIFY(!list.Add(9));
    list.RemoveAt(5);  // no such row
    list.RemoveAt(0);
    QCOMPARE(list.Text(), std::string("7"));
}

QTEST_APPLESS_MAIN(TestShoppingText)
#include "test_shoppingtext.moc"
