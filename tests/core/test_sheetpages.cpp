// The sheet's pages on the small world with effects: a spell with its
// vendors and where they stand, an effect with its spells, a vendor with its
// location and spells; names escaped, locations linked when they name a
// place, pages bounded; and which spell the spell finder opens on for each.
#include "SmallWorld.h"

#include "data/PlaceTable.h"
#include "npc/HtmlFragment.h"
#include "npc/LinkAddress.h"
#include "npc/PlaceCard.h"
#include "npc/SheetPages.h"
#include "spells/VendorListing.h"

#include <QtTest>

namespace {

using SmallWorld::Bytes;

struct Spell {
    std::string name;
    uint16_t effect, id;
};

Bytes Spells(const std::vector<Spell>& spells) {
    Bytes out;
    for (const Spell& s : spells) {
        SmallWorld::PutString(out, s.name);
        TestTables::PutU16(out, s.effect);
        TestTables::PutU16(out, s.id);
    }
    out.push_back(0);
    return out;
}

Bytes Effects(const std::vector<std::pair<std::string, uint16_t>>& effects) {
    Bytes out;
    for (const auto& [name, key] : effects) {
        SmallWorld::PutString(out, name);
        TestTables::PutU16(out, key);
    }
    out.push_back(0);
    return out;
}

void Put(CMemoryResourceStore& store, int id, Bytes bytes) {
    store.Add(ResType::Numeric(ResId::RT_RCDATA), id, std::move(bytes));
}

// The small world's places, characters, vendors and locations, with spells
// under three effects: 1 (which a later effect shares), 2, and 3 with none.
struct Loaded {
    CMemoryResourceStore store;
    CPlaceList places;
    std::unique_ptr<CLinkedWorld> world;

    Loaded() {
        for (auto& [id, bytes] : SmallWorld::Tables())
            if (id != ResId::IDR_SPELLS) Put(store, id, std::move(bytes));
        Put(store, ResId::IDR_SPELLS,
            Spells({{"Flamme", 1, 7}, {"\xC9" "clair", 1, 8}, {"Givre <b>", 1, 9}, {"Brume", 1, 10},
                    {"Silence", 2, 11}, {"aube", 1, 12}}));
        Put(store, ResId::IDR_EFFECTS, Effects({{"Chaleur", 1}, {"Eau <x>", 2}, {"Vide", 3}, {"Feu", 1}}));
        ParsePlaceTable(*FindRcData(store, ResId::IDR_PLACES), places);
        world = std::make_unique<CLinkedWorld>(places.Array(), store);
    }
};

QByteArray Head(const char* title) { return QByteArray("<FONT face=\"Tahoma\" size=\"3\"><b>") + title + "</b><FONT size=2>"; }

}  // namespace

Q_DECLARE_METATYPE(SheetKind)

class TestSheetPages : public QObject {
    Q_OBJECT
private slots:
    void page_data();
    void page();
    void characterAndPlace();
    void finderSpell_data();
    void finderSpell();
    void bounded();
    void linkNumber_data();
    void linkNumber();
};

void TestSheetPages::page_data() {
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<int>("ref");
    QTest::addColumn<QByteArray>("title");  // Windows-1252; empty: no page
    QTest::addColumn<QByteArray>("body");   // after the head
    const QByteArray end = "</FONT></FONT>";
    QTest::newRow("spell: its vendors once each, a location naming a place linked, another not")
        << SheetKind::Spell << 7 << QByteArray("Flamme")
        << "<BR>Effet : <a href=\"quil://effectkey=1\">Feu</a><BR><BR><b>Vendeurs</b><BR>"
           "<a href=\"quil://vendoridx=0\">Zed &amp; Sons</a> : <a href=\"quil://locidx=0\">Kelwick, by the well</a><BR>"
           "<a href=\"quil://vendoridx=2\">Vik</a> : The road<BR>" + end;
    QTest::newRow("spell: a vendor at an unknown location")
        << SheetKind::Spell << 10 << QByteArray("Brume")
        << "<BR>Effet : <a href=\"quil://effectkey=1\">Feu</a><BR><BR><b>Vendeurs</b><BR>"
           "<a href=\"quil://vendoridx=3\">Wen</a> : " + QByteArray(kUnknownLocation) + "<BR>"
           "<a href=\"quil://vendoridx=5\">Yara</a> : <a href=\"quil://locidx=1\">Quen Harrow</a><BR>" + end;
    QTest::newRow("spell no one sells, effect escaped")
        << SheetKind::Spell << 11 << QByteArray("Silence")
        << "<BR>Effet : <a href=\"quil://effectkey=2\">Eau &lt;x&gt;</a><BR><BR><b>Vendeurs</b><BR>"
           "Personne ne vend ce sort.<BR>" + end;
    QTest::newRow("no such spell") << SheetKind::Spell << 99 << QByteArray() << QByteArray();
    QTest::newRow("spell id past 16 bits") << SheetKind::Spell << 65536 + 7 << QByteArray() << QByteArray();
    QTest::newRow("effect: its spells in the finder's order, names escaped")
        << SheetKind::Effect << 1 << QByteArray("Feu")
        << "<BR><BR><b>Sorts</b><BR><a href=\"quil://spellid=12\">aube</a><BR>"
           "<a href=\"quil://spellid=10\">Brume</a><BR><a href=\"quil://spellid=8\">\xC9" "clair</a><BR>"
           "<a href=\"quil://spellid=7\">Flamme</a><BR><a href=\"quil://spellid=9\">Givre &lt;b&gt;</a><BR>" + end;
    QTest::newRow("effect without spells") << SheetKind::Effect << 3 << QByteArray("Vide")
                                           << "<BR><BR><b>Sorts</b><BR>Aucun sort.<BR>" + end;
    QTest::newRow("no such effect") << SheetKind::Effect << 4 << QByteArray() << QByteArray();
    QTest::newRow("vendor: location linked, spells once, unknown id left out")
        << SheetKind::Vendor << 0 << QByteArray("Zed & Sons")
        << "<BR><BR><b>Localisation</b><BR><a href=\"quil://locidx=0\">Kelwick, by the well</a><BR><BR>"
           "<b>Sorts</b><BR><a href=\"quil://spellid=7\">Flamme</a>, <a href=\"quil://spellid=8\">\xC9" "clair</a><BR>" + end;
    QTest::newRow("vendor at an unknown location")
        << SheetKind::Vendor << 3 << QByteArray("Wen")
        << "<BR><BR><b>Localisation</b><BR>" + QByteArray(kUnknownLocation) +
               "<BR><BR><b>Sorts</b><BR><a href=\"quil://spellid=10\">Brume</a><BR>" + end;
    QTest::newRow("vendor selling nothing") << SheetKind::Vendor << 4 << QByteArray("Xan")
        << "<BR><BR><b>Localisation</b><BR><a href=\"quil://locidx=0\">Kelwick, by the well</a><BR><BR>"
           "<b>Sorts</b><BR>aucun sort<BR>" + end;
    QTest::newRow("vendor past the table") << SheetKind::Vendor << 6 << QByteArray() << QByteArray();
    QTest::newRow("negative vendor") << SheetKind::Vendor << -1 << QByteArray() << QByteArray();
}

void TestSheetPages::page() {
    QFETCH(SheetKind, kind);
    QFETCH(int, ref);
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, body);
    const Loaded loaded;
    const SheetPage page = BuildSheetPage(*loaded.world, {kind, ref});
    QCOMPARE(QByteArray::fromStdString(page.title), title);
    const QByteArray html = QByteArray::fromStdString(page.html);
    if (title.isEmpty()) QCOMPARE(html, QByteArray());
    else QCOMPARE(html, Head(EscapeHtml(title.toStdString()).c_str()) + body);
}

// A character's sheet is the character finder's page; a place's, its card.
void TestSheetPages::characterAndPlace() {
    const Loaded loaded;
    const CLinkedWorld& world = *loaded.world;
    const SheetPage bo = BuildSheetPage(world, {SheetKind::Character, 1});
    QCOMPARE(bo.title, std::string("Bo <Jiss> & \"Q\""));
    QCOMPARE(bo.html, *world.Pages().Page(1));
    QVERIFY(BuildSheetPage(world, {SheetKind::Character, 4}).html.empty());
    const SheetPage place = BuildSheetPage(world, {SheetKind::Place, 3});
    QCOMPARE(place.title, std::string("oska, brask QUARTER"));
    QCOMPARE(place.html, BuildPlaceCard(world, 3));
    QVERIFY(BuildSheetPage(world, {SheetKind::Place, 6}).title.empty());
}

void TestSheetPages::finderSpell_data() {
    QTest::addColumn<SheetKind>("kind");
    QTest::addColumn<int>("ref");
    QTest::addColumn<int>("spell");  // -1: the finder has nothing to open on
    QTest::newRow("a spell: itself") << SheetKind::Spell << 9 << 9;
    QTest::newRow("no such spell") << SheetKind::Spell << 99 << -1;
    QTest::newRow("an effect: its first spell in the finder's order") << SheetKind::Effect << 1 << 12;
    QTest::newRow("an effect with no spell") << SheetKind::Effect << 3 << -1;
    QTest::newRow("a vendor: its first spell") << SheetKind::Vendor << 5 << 10;
    QTest::newRow("a vendor selling nothing") << SheetKind::Vendor << 4 << -1;
    QTest::newRow("a character") << SheetKind::Character << 0 << -1;
    QTest::newRow("a place") << SheetKind::Place << 0 << -1;
}

void TestSheetPages::finderSpell() {
    QFETCH(SheetKind, kind);
    QFETCH(int, ref);
    QFETCH(int, spell);
    const Loaded loaded;
    const std::optional<uint16_t> found = FinderSpell(*loaded.world, {kind, ref});
    QCOMPARE(found ? int(*found) : -1, spell);
}

// 20,000 spells under one effect, each sold by its own vendor and all of
// them by one: every list stops soon after the bound.
void TestSheetPages::bounded() {
    std::vector<Spell> spells;
    std::vector<SmallWorld::Vendor> vendors{{"Tout", 0, {}}};
    for (uint16_t id = 0; id < 20000; ++id) {
        spells.push_back({"Sort " + std::to_string(id), 1, id});
        vendors.push_back({"Vendeur " + std::to_string(id), 0, {0}});
        vendors[0].spells.push_back(id);
    }
    CMemoryResourceStore store;
    Put(store, ResId::IDR_PLACES, TestTables::PlaceTable({{"Kelwick", 1, 0, 1, 1}}));
    Put(store, ResId::IDR_SPELLS, Spells(spells));
    Put(store, ResId::IDR_EFFECTS, Effects({{"Feu", 1}}));
    Put(store, ResId::IDR_VENDOR_LOCATIONS, SmallWorld::Strings({"Kelwick"}));
    Put(store, ResId::IDR_VENDORS, SmallWorld::Vendors(vendors));
    CPlaceList places;
    ParsePlaceTable(*FindRcData(store, ResId::IDR_PLACES), places);
    const CLinkedWorld world(places.Array(), store);
    const size_t bound = 65536;
    for (const SheetSubject subject : {SheetSubject{SheetKind::Spell, 0}, SheetSubject{SheetKind::Effect, 1},
                                       SheetSubject{SheetKind::Vendor, 0}}) {
        const std::string whole = BuildSheetPage(world, subject).html;
        const std::string cut = BuildSheetPage(world, subject, bound).html;
        QVERIFY2(whole.size() > 4 * bound, qPrintable(QString::number(int(subject.kind))));
        QVERIFY2(cut.size() > bound && cut.size() < bound + 200, qPrintable(QString::number(cut.size())));
        QCOMPARE(cut.substr(0, 60000), whole.substr(0, 60000));
    }
}

void TestSheetPages::linkNumber_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("number");  // -2: none
    QTest::newRow("vendor") << "quil://vendoridx=3" << "vendoridx" << qint64(3);
    QTest::newRow("effect read as atoi") << "quil://effectkey= +7x" << "effectkey" << qint64(7);
    QTest::newRow("negative") << "quil://vendoridx=-1" << "vendoridx" << qint64(-1);
    QTest::newRow("another kind") << "quil://spellid=3" << "vendoridx" << qint64(-2);
    QTest::newRow("a kind's tail is not the kind") << "quil://xvendoridx=3" << "vendoridx" << qint64(-2);
}

void TestSheetPages::linkNumber() {
    QFETCH(QString, url);
    QFETCH(QString, kind);
    QFETCH(qint64, number);
    const std::optional<int64_t> read = LinkNumber(url.toStdString(), kind.toStdString());
    QCOMPARE(read ? qint64(*read) : qint64(-2), number);
}

QTEST_APPLESS_MAIN(TestSheetPages)
#include "test_sheetpages.moc"
