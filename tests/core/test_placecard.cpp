// Who is found at a place, and the card that shows it, on a small world
// whose places share names, whose characters link to a place twice, and
// whose vendors stand at places or nowhere.
#include "SmallWorld.h"

#include "data/PlaceTable.h"
#include "npc/LinkAddress.h"
#include "npc/PlaceCard.h"

#include <QtTest>

namespace {

QList<int> ListOf(const std::vector<int>& numbers) { return QList<int>(numbers.begin(), numbers.end()); }

// The small world's tables, read as the program reads them.
struct Loaded {
    CMemoryResourceStore store;
    CPlaceList places;
    std::unique_ptr<CLinkedWorld> world;

    Loaded() {
        SmallWorld::Fill(store);
        ParsePlaceTable(*FindRcData(store, ResId::IDR_PLACES), places);
        world = std::make_unique<CLinkedWorld>(places.Array(), store);
    }
};

}  // namespace

class TestPlaceCard : public QObject {
    Q_OBJECT
private slots:
    void whoIsThere_data();
    void whoIsThere();
    void card_data();
    void card();
    void noTables();
    void hugeVendorList();
    void spellLink_data();
    void spellLink();
};

void TestPlaceCard::whoIsThere_data() {
    QTest::addColumn<int>("place");
    QTest::addColumn<QList<int>>("characters");  // ordinals
    QTest::addColumn<QList<int>>("vendors");     // indexes in the vendor table
    QTest::newRow("linked twice by one page, listed once; case ignored") << 0 << QList<int>{0, 2} << QList<int>{0, 4};
    QTest::newRow("two-word name") << 1 << QList<int>{0} << QList<int>{5};
    QTest::newRow("head of a name links the first place with it") << 2 << QList<int>{1, 3} << QList<int>{1};
    QTest::newRow("same name in other case shares the lists") << 3 << QList<int>{1, 3} << QList<int>{1};
    QTest::newRow("same head, other name: nobody") << 4 << QList<int>{} << QList<int>{};
    QTest::newRow("named by nobody") << 5 << QList<int>{} << QList<int>{};
    QTest::newRow("past the table") << 6 << QList<int>{} << QList<int>{};
    QTest::newRow("negative") << -1 << QList<int>{} << QList<int>{};
}

void TestPlaceCard::whoIsThere() {
    QFETCH(int, place);
    QFETCH(QList<int>, characters);
    QFETCH(QList<int>, vendors);
    const Loaded loaded;
    QCOMPARE(ListOf(loaded.world->Links().CharactersAt(place)), characters);
    QCOMPARE(ListOf(loaded.world->Links().VendorsAt(place)), vendors);
}

void TestPlaceCard::card_data() {
    QTest::addColumn<int>("place");
    QTest::addColumn<QByteArray>("html");  // Windows-1252
    const QByteArray head = "<FONT face=\"Tahoma\" size=\"3\"><b>";
    QTest::newRow("characters and vendors, spells each once, unknown id left out")
        << 0
        << head + "Kelwick</b><FONT size=2><BR><BR><b>NPCs</b><BR>"
                  "<a href=\"quil://npcidx=0\">Amrel</a><BR><a href=\"quil://npcidx=2\">Cara</a><BR>"
                  "<BR><b>Vendeurs</b><BR>"
                  "<b>Zed &amp; Sons</b> (Kelwick, by the well) : <a href=\"quil://spellid=7\">Flamme</a>, "
                  "<a href=\"quil://spellid=8\">\xC9" "clair</a><BR>"
                  "<b>Xan</b> (Kelwick, by the well) : aucun sort<BR></FONT>";
    QTest::newRow("names escaped")
        << 3
        << head + "oska, brask QUARTER</b><FONT size=2><BR><i>2 lieux portent ce nom : leurs fiches montrent les "
                  "m\xEAmes NPCs et vendeurs.</i><BR><BR><b>NPCs</b><BR>"
                  "<a href=\"quil://npcidx=1\">Bo &lt;Jiss&gt; &amp; &quot;Q&quot;</a><BR>"
                  "<a href=\"quil://npcidx=3\">Dun</a><BR><BR><b>Vendeurs</b><BR>"
                  "<b>Ula</b> (Oska, Brask Quarter) : <a href=\"quil://spellid=9\">Givre &lt;b&gt;</a><BR></FONT>";
    QTest::newRow("empty lists say so")
        << 5
        << head + "Ro-Dal</b><FONT size=2><BR><BR><b>NPCs</b><BR>Aucun NPC.<BR>"
                  "<BR><b>Vendeurs</b><BR>Aucun vendeur.<BR></FONT>";
    QTest::newRow("no such place") << 9 << QByteArray();
}

void TestPlaceCard::card() {
    QFETCH(int, place);
    QFETCH(QByteArray, html);
    const Loaded loaded;
    QCOMPARE(QByteArray::fromStdString(BuildPlaceCard(*loaded.world, place)), html);
}

// A store without character, spell or vendor tables: cards list nobody.
void TestPlaceCard::noTables() {
    CMemoryResourceStore store;
    CPlaceList places;
    ParsePlaceTable(ByteBlock(TestTables::PlaceTable({{"Kelwick", 1, 0, 1, 1}})), places);
    const CLinkedWorld world(places.Array(), store);
    QVERIFY(QByteArray::fromStdString(BuildPlaceCard(world, 0)).contains("Aucun NPC.<BR><BR><b>Vendeurs</b><BR>Aucun vendeur."));
    QCOMPARE(world.PlaceNamed("KELWICK"), std::optional<int>(0));
    QCOMPARE(world.PlaceNamed("Kelwic"), std::optional<int>());
}

// A vendor selling 20,000 spells, each listed 100 times over (4 Mio of
// table): the card lists each once, and stops soon after its bound.
void TestPlaceCard::hugeVendorList() {
    std::vector<SmallWorld::Spell> spells;
    std::vector<uint16_t> sold;
    for (uint16_t id = 0; id < 20000; ++id) spells.push_back({"Sort " + std::to_string(id), id});
    for (int round = 0; round < 100; ++round)
        for (uint16_t id = 0; id < 20000; ++id) sold.push_back(id);
    CMemoryResourceStore store;
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES, TestTables::PlaceTable({{"Kelwick", 1, 0, 1, 1}}));
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_SPELLS, SmallWorld::Spells(spells));
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_VENDOR_LOCATIONS, SmallWorld::Strings({"Kelwick"}));
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_VENDORS, SmallWorld::Vendors({{"Zed", 0, sold}}));
    CPlaceList places;
    ParsePlaceTable(*FindRcData(store, ResId::IDR_PLACES), places);
    const CLinkedWorld world(places.Array(), store);
    const std::string whole = BuildPlaceCard(world, 0);
    QCOMPARE(QByteArray::fromStdString(whole).count("quil://spellid="), 20000);
    const std::string bounded = BuildPlaceCard(world, 0, 65536);
    QVERIFY(bounded.size() > 65536 && bounded.size() < 65536 + 100);
    QCOMPARE(bounded.substr(0, 60000), whole.substr(0, 60000));
}

void TestPlaceCard::spellLink_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("internal");
    QTest::addColumn<int>("spell");  // -1: none
    QTest::newRow("spell") << "quil://spellid=9" << true << 9;
    QTest::newRow("largest id") << "quil://spellid=65535" << true << 65535;
    QTest::newRow("past the ids") << "quil://spellid=65536" << true << -1;
    QTest::newRow("negative") << "quil://spellid=-1" << true << -1;
    QTest::newRow("read as atoi") << "quil://spellid= +12x" << true << 12;
    QTest::newRow("another kind") << "quil://npcidx=1" << false << -1;
    QTest::newRow("web address") << "https://example.org/" << false << -1;
}

void TestPlaceCard::spellLink() {
    QFETCH(QString, url);
    QFETCH(bool, internal);
    QFETCH(int, spell);
    const SpellLinkAction action = ResolveSpellLink(url.toStdString());
    QCOMPARE(action.internal, internal);
    QCOMPARE(action.spell ? int(*action.spell) : -1, spell);
    // The character finder's links still resolve first, and see no spell.
    if (internal) QCOMPARE(ResolveLink(url.toStdString(), 10, 10).kind, LinkKind::External);
}

QTEST_APPLESS_MAIN(TestPlaceCard)
#include "test_placecard.moc"
