// The one search's engine, as tables: folding (case, accents, ligatures),
// each rank, word order, the typo rule, kind filters, the order of hits
// (rank, kind, name, ref), the cap per kind and its totals, vendors found by
// their location, the player's notes, and the real world's tables.
#include "SmallWorld.h"

#include "cli/DataDirStore.h"
#include "data/ResourceStore.h"
#include "npc/WorldData.h"
#include "search/SearchFold.h"
#include "search/SearchIndex.h"
#include "search/WorldSearch.h"

#include <QtTest>

namespace {

using Hits = std::vector<SearchHit>;

std::string U(const QString& text) { return text.toStdString(); }

// "kind name ref" for each hit, as the tables below write them.
QStringList Lines(const Hits& hits) {
    QStringList lines;
    for (const SearchHit& hit : hits)
        lines << QString("%1 %2 %3").arg(SearchKindWord(hit.kind), QString::fromStdString(hit.name)).arg(hit.ref);
    return lines;
}

// A search over one entry: its rank for the query, or -1 when it is not found.
int RankOf(SearchKind kind, const QString& name, const QString& query, const QString& also = {}) {
    CSearchIndex index;
    std::vector<std::string_view> alsoTexts;
    const std::string alsoText = U(also);
    if (!also.isEmpty()) alsoTexts.push_back(alsoText);
    index.Add(kind, U(name), "", 0, alsoTexts);
    index.Finish();
    const Hits hits = CWorldSearch(std::move(index)).Ranked(U(query));
    return hits.empty() ? -1 : int(hits[0].rank);
}

// Entries of several kinds sharing words, for the filters.
CWorldSearch Mixed() {
    CSearchIndex index;
    index.AddPlace("Port-Foudre", "10, 20", 1, 21);
    index.AddPlace("Forêt Noire", "-5, 7", 0, 29);
    index.Add(SearchKind::Character, "Foudre le Sage", "Port-Foudre", 3);
    index.Add(SearchKind::Spell, "Trait de foudre", "Dégâts de foudre", 27);
    index.Add(SearchKind::Effect, "Dégâts de foudre", "1 sort", 5);
    index.Add(SearchKind::Vendor, "Maître Isembart", "Foudreville, au marché", 2, {"Foudreville, au marché"});
    index.Finish();
    return CWorldSearch(std::move(index));
}

constexpr int kNone = -1;

// The search over the tables the program embeds, made once.
const CWorldSearch& RealSearch() {
    static CMemoryResourceStore nothing;
    static CDataDirStore store(nothing);
    static const CWorldSearch search = [] {
        std::string error;
        if (!store.LoadDirectory(ZERIM_RESOURCE_DIR, error)) qFatal("%s", error.c_str());
        CWorldData world(store);
        return CWorldSearch(world);
    }();
    return search;
}

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void folding_data();
    void folding();
    void ranks_data();
    void ranks();
    void filters_data();
    void filters();
    void emptyQueries_data();
    void emptyQueries();
    void orderOfTies();
    void capPerKindAndTotals();
    void groupsInKindOrder();
    void vendorByLocation_data();
    void vendorByLocation();
    void notes();
    void hostileQueries();
    void realWorld_data();
    void realWorld();
    void realWorldWhere();
    void smallWorldWhere();
    void routeQueries_data();
    void routeQueries();
};

void TestSearch::folding_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("folded");
    QTest::newRow("accent") << "Forêt" << "foret";
    QTest::newRow("capitals and accent") << "FORÊT" << "foret";
    QTest::newRow("œ and Œ") << "Œuvre du cœur" << "oeuvre du coeur";
    QTest::newRow("ß") << "Straße" << "strasse";
    QTest::newRow("Latin Extended-A") << "Łódź Ćeský Ğüney Şile Žižkov Ŷ ĳs" << "lodz cesky guney sile zizkov y ijs";
    QTest::newRow("combining accent") << QString::fromUtf8("e\xCC\x81te\xCC\x81") << "ete";
    QTest::newRow("separators") << "  Saint-Jean-d'Acre, l’Île (nord)… " << "saint jean d acre l ile nord";
    QTest::newRow("digits stay") << "Route 66, borne 3b" << "route 66 borne 3b";
    QTest::newRow("other scripts as written") << "Αθήνα Київ" << "Αθήνα Київ";
    QTest::newRow("nothing to fold") << " -- !? " << "";
    QTest::newRow("empty") << "" << "";
}

void TestSearch::folding() {
    QFETCH(QString, text);
    QFETCH(QString, folded);
    QCOMPARE(QString::fromStdString(FoldToWords(U(text))), folded);
}

void TestSearch::ranks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("rank");  // MatchRank, or kNone
    const int exact = int(MatchRank::Exact), prefix = int(MatchRank::NamePrefix),
              words = int(MatchRank::WordPrefixes), substring = int(MatchRank::Substring),
              typo = int(MatchRank::OneTypo);
    QTest::newRow("exact") << "Forêt Noire" << "forêt noire" << exact;
    QTest::newRow("exact, accents and case ignored") << "Forêt Noire" << "FORET NOIRE" << exact;
    QTest::newRow("exact, accents of the query ignored") << "foret" << "FORÊT" << exact;
    QTest::newRow("exact, separators ignored") << "Forêt-Noire" << "  forêt, noire " << exact;
    QTest::newRow("name prefix, one word") << "Forêt Noire" << "for" << prefix;
    QTest::newRow("name prefix, two words") << "Forêt Noire" << "foret no" << prefix;
    QTest::newRow("name prefix, ligature") << "Cœur de Lion" << "coeur" << prefix;
    QTest::newRow("word prefix") << "Forêt Noire" << "noi" << words;
    QTest::newRow("words in any order") << "Forêt Noire" << "noire foret" << words;
    QTest::newRow("word prefixes in any order") << "Trait de foudre" << "fou tra" << words;
    QTest::newRow("two query words, two name words") << "Garde Garnison" << "ga ga" << words;
    QTest::newRow("two query words, one name word") << "Tour de Garde" << "ga ga" << substring;
    QTest::newRow("substring") << "Forêt Noire" << "ret" << substring;
    QTest::newRow("substrings in any order") << "Forêt Noire" << "oir ret" << substring;
    QTest::newRow("a prefix and a substring") << "Forêt Noire" << "for oir" << substring;
    QTest::newRow("typo: a letter replaced") << "Forêt Noire" << "forxt" << typo;
    QTest::newRow("typo: the first letter replaced") << "Tessanta" << "xessanta" << typo;
    QTest::newRow("typo: neighbours swapped") << "Tessanta" << "tessatna" << typo;
    QTest::newRow("typo: a letter too many") << "Tessanta" << "tesssanta" << typo;
    QTest::newRow("typo: a letter missing") << "Tessanta" << "tesanta" << typo;
    QTest::newRow("typo: in a prefix") << "Tessanta" << "tezsa" << typo;
    QTest::newRow("typo: beside an exact word") << "Forêt Noire" << "noir forxt" << typo;
    QTest::newRow("typo: any order") << "Trait de foudre" << "fuodre trait" << typo;
    QTest::newRow("typo: five letters, accents folded") << "Forêt" << "FÖRXT" << typo;
    QTest::newRow("no typo in four letters") << "Fort Luva" << "fxrt" << kNone;
    QTest::newRow("no swap in four letters") << "Tour" << "tuor" << kNone;
    QTest::newRow("two edits fail") << "Tessanta" << "tessxxta" << kNone;
    QTest::newRow("two swaps fail") << "Tessanta" << "etssatna" << kNone;
    QTest::newRow("a typo in each of two words") << "Trait de foudre" << "traot fuodre" << typo;
    QTest::newRow("a word of the query missing") << "Forêt Noire" << "foret lac" << kNone;
    QTest::newRow("nothing in common") << "Forêt Noire" << "lac" << kNone;
    QTest::newRow("the query longer than the name") << "Fort" << "forteresse" << kNone;
}

void TestSearch::ranks() {
    QFETCH(QString, name);
    QFETCH(QString, query);
    QFETCH(int, rank);
    QCOMPARE(RankOf(SearchKind::Place, name, query), rank);
}

void TestSearch::filters_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("hits");
    QTest::newRow("no filter: every kind") << "foudre"
                                           << QStringList{"personnage Foudre le Sage 3", "marchand Maître Isembart 2",
                                                          "lieu Port-Foudre 1", "sort Trait de foudre 27",
                                                          "effet Dégâts de foudre 5"};
    QTest::newRow("lieu:") << "lieu:foudre" << QStringList{"lieu Port-Foudre 1"};
    QTest::newRow("perso:") << "perso: foudre" << QStringList{"personnage Foudre le Sage 3"};
    QTest::newRow("sort:") << "sort:foudre" << QStringList{"sort Trait de foudre 27"};
    QTest::newRow("effet:") << "effet:foudre" << QStringList{"effet Dégâts de foudre 5"};
    QTest::newRow("marchand:, by location") << "marchand:foudre" << QStringList{"marchand Maître Isembart 2"};
    QTest::newRow("note: with no notes") << "note:foudre" << QStringList{};
    QTest::newRow("capitals, accents and blanks") << "  SÔRT : foudre" << QStringList{"sort Trait de foudre 27"};
    QTest::newRow("the filter's word is not searched") << "lieu:lieu" << QStringList{};
    QTest::newRow("an unknown filter is text") << "ville:foudre"
                                               << QStringList{"marchand Maître Isembart 2"};  // Foudreville
    QTest::newRow("an unknown filter finds nothing") << "xyz:foudre" << QStringList{};
    QTest::newRow("a filter later in the text is text") << "foudre trait:" << QStringList{"sort Trait de foudre 27"};
    QTest::newRow("no filter: accents") << "degats" << QStringList{"effet Dégâts de foudre 5"};
    QTest::newRow("type: and a word") << "type:port foudre" << QStringList{"lieu Port-Foudre 1"};
    QTest::newRow("type: alone lists the kind") << "Type : Ports" << QStringList{"lieu Port-Foudre 1"};
    QTest::newRow("type: by code") << "type:29" << QStringList{"lieu Forêt Noire 0"};
    QTest::newRow("type: another kind") << "type:ville foudre" << QStringList{};
    QTest::newRow("type: an unknown kind") << "type:chateau foudre" << QStringList{};
}

void TestSearch::filters() {
    QFETCH(QString, query);
    QFETCH(QStringList, hits);
    QCOMPARE(Lines(Mixed().Ranked(U(query))), hits);
}

void TestSearch::emptyQueries_data() {
    QTest::addColumn<QString>("query");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("punctuation") << "-- ?!";
    QTest::newRow("a filter alone") << "lieu:";
    QTest::newRow("a filter and blanks") << "sort :  ";
}

void TestSearch::emptyQueries() {
    QFETCH(QString, query);
    const CWorldSearch search = Mixed();
    QVERIFY(search.Ranked(U(query)).empty());
    QVERIFY(search.Find(U(query)).empty());
}

// By rank, then by kind, then by folded name, then by the name's bytes,
// then by ref.
void TestSearch::orderOfTies() {
    CSearchIndex index;
    index.Add(SearchKind::Spell, "Élan", "", 4);
    index.Add(SearchKind::Place, "Élanor", "", 9);       // a name prefix
    index.Add(SearchKind::Place, "Zut Elan", "", 8);     // word prefixes
    index.Add(SearchKind::Place, "Abîme Élan", "", 7);   // word prefixes
    index.Add(SearchKind::Place, "Élan", "", 2);
    index.Add(SearchKind::Place, "elan", "", 1);
    index.Add(SearchKind::Place, "Elan", "", 5);
    index.Add(SearchKind::Place, "Elan", "", 3);
    index.Add(SearchKind::Character, "ELAN", "", 6);
    index.Add(SearchKind::Place, "Xelan", "", 10);       // a substring
    index.Add(SearchKind::Place, "Elaan", "", 11);       // no typo: four letters asked
    CWorldSearch search(std::move(index));
    search.SetNotes({CNoteItem{CNoteItem::Kind::Pin, "pin:1", "élan", 0, 0, false, false, "", PinColour::Blue, 0}});
    QCOMPARE(Lines(search.Ranked("elan")),
             (QStringList{"lieu Elan 3", "lieu Elan 5", "lieu elan 1", "lieu Élan 2", "personnage ELAN 6",
                          "sort Élan 4", "note élan 0", "lieu Élanor 9", "lieu Abîme Élan 7", "lieu Zut Elan 8",
                          "lieu Xelan 10"}));
    // The same order within each group of Find.
    const SearchResults groups = search.Find("elan");
    QCOMPARE(int(groups.size()), 4);
    QCOMPARE(Lines(groups[0].shown), (QStringList{"lieu Elan 3", "lieu Elan 5", "lieu elan 1", "lieu Élan 2",
                                                  "lieu Élanor 9", "lieu Abîme Élan 7", "lieu Zut Elan 8",
                                                  "lieu Xelan 10"}));
}

void TestSearch::capPerKindAndTotals() {
    CSearchIndex index;
    for (int i = 0; i < 120; ++i) index.Add(SearchKind::Place, QString("Ville %1").arg(119 - i, 3, 10, QChar('0')).toStdString(), "", i);
    for (int i = 0; i < 3; ++i) index.Add(SearchKind::Spell, "Sort de ville " + std::to_string(i), "", i);
    const CWorldSearch search(std::move(index));
    const SearchResults groups = search.Find("ville");
    QCOMPARE(int(groups.size()), 2);
    QCOMPARE(groups[0].kind, SearchKind::Place);
    QCOMPARE(groups[0].total, 120);
    QCOMPARE(int(groups[0].shown.size()), kShownPerKind);
    QCOMPARE(QString::fromStdString(groups[0].shown.front().name), QString("Ville 000"));
    QCOMPARE(groups[0].shown.front().ref, 119);
    QCOMPARE(QString::fromStdString(groups[0].shown.back().name), QString("Ville 049"));
    QCOMPARE(groups[1].kind, SearchKind::Spell);
    QCOMPARE(groups[1].total, 3);
    QCOMPARE(int(groups[1].shown.size()), 3);
    QCOMPARE(groups[1].shown[0].rank, MatchRank::WordPrefixes);
    QCOMPARE(int(search.Ranked("ville").size()), 123);
}

void TestSearch::groupsInKindOrder() {
    const SearchResults groups = Mixed().Find("foudre");
    QStringList kinds;
    for (const SearchGroup& group : groups) kinds << SearchKindTitle(group.kind);
    QCOMPARE(kinds, (QStringList{"Lieux", "Personnages", "Sorts", "Effets", "Marchands"}));
}

void TestSearch::vendorByLocation_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("rank");
    QTest::newRow("by name") << "isembart" << int(MatchRank::WordPrefixes);
    QTest::newRow("by location") << "lavoir" << int(MatchRank::WordPrefixes);
    QTest::newRow("the better of both") << "tessanta" << int(MatchRank::NamePrefix);
    QTest::newRow("the whole location") << "Tessanta, près du lavoir" << int(MatchRank::Exact);
    QTest::newRow("name and location do not mix") << "isembart lavoir" << kNone;
}

void TestSearch::vendorByLocation() {
    QFETCH(QString, query);
    QFETCH(int, rank);
    QCOMPARE(RankOf(SearchKind::Vendor, "Maître Isembart", query, "Tessanta, près du lavoir"), rank);
}

void TestSearch::notes() {
    CSearchIndex index;
    index.Add(SearchKind::Place, "Tessanta", "1, 2", 0);
    CWorldSearch search(std::move(index));
    CNoteItem pin{CNoteItem::Kind::Pin, "pin:1", "Trésor caché", 5, 6, false, false, "sous le vieux chêne",
                  PinColour::Blue, 0};
    CNoteItem mark{CNoteItem::Kind::Place, "place:1,2:Tessanta", "Tessanta", 1, 2, true, false,
                   "Acheter des herbes\nchez Doriane", PinColour::Blue, 0};
    CNoteItem bare{CNoteItem::Kind::Place, "place:3,4:Kelwick", "Kelwick", 3, 4, true, true, "", PinColour::Blue, 0};
    search.SetNotes({pin, mark, bare});
    const Hits byNote = search.Ranked("chene");
    QCOMPARE(Lines(byNote), QStringList{"note Trésor caché 0"});
    QCOMPARE(QString::fromStdString(byNote[0].where), QString("épingle"));
    const Hits byText = search.Ranked("doriane");
    QCOMPARE(Lines(byText), QStringList{"note Acheter des herbes 1"});
    QCOMPARE(QString::fromStdString(byText[0].where), QString("Tessanta"));
    QCOMPARE(Lines(search.Ranked("tessanta")), (QStringList{"lieu Tessanta 0", "note Acheter des herbes 1"}));
    QCOMPARE(Lines(search.Ranked("note: kelwick")), QStringList{"note visité, favori 2"});
    QCOMPARE(Lines(search.Ranked("tresor")), QStringList{"note Trésor caché 0"});
    search.SetNotes({});
    QVERIFY(search.Ranked("chene").empty());
    QCOMPARE(Lines(search.Ranked("tessanta")), QStringList{"lieu Tessanta 0"});
}

// Long, broken or strange queries: an answer, never a crash.
void TestSearch::hostileQueries() {
    const CWorldSearch search = Mixed();
    QVERIFY(search.Ranked(std::string(100000, 'a')).empty());
    // Read up to kQueryByteLimit bytes: a word beyond is not searched.
    QCOMPARE(int(search.Ranked(std::string("foudre ") + std::string(5000, ' ') + "zz").size()), 5);
    std::string words;
    for (int i = 0; i < 200; ++i) words += "f ";
    // Two hundred "f", read up to kQueryWordLimit: no name has that many
    // words, so each is found as a substring only.
    const Hits many = search.Ranked(words);
    QCOMPARE(int(many.size()), 6);
    for (const SearchHit& hit : many) QCOMPARE(hit.rank, MatchRank::Substring);
    QCOMPARE(int(search.Ranked("foudre\xFF\xFE").size()), 5);
    QCOMPARE(int(search.Ranked(std::string("fou\0dre", 7)).size()), 5);  // two words, NUL between
    QCOMPARE(int(search.Ranked("f").size()), 6);  // every entry holds an f
}

void TestSearch::realWorld_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("first");  // "kind name"
    QTest::newRow("a place by its name") << "tessanta" << "lieu Tessanta";
    QTest::newRow("a place in capitals with an accent") << "TESSÀNTA" << "lieu Tessanta";
    QTest::newRow("a spell without its accents") << "trait de foudre" << "sort Trait de foudre";
    QTest::newRow("an effect without its accents") << "degats de foudre" << "effet Dégâts de foudre";
    QTest::newRow("a spell by word prefixes") << "fou tra" << "sort Trait de foudre";
    QTest::newRow("a spell with a typo") << "sort: trait de fuodre" << "sort Trait de foudre";
    QTest::newRow("a vendor by location") << "marchand: lavoir" << "marchand Doriane l'Herboriste";
}

void TestSearch::realWorld() {
    QFETCH(QString, query);
    QFETCH(QString, first);
    const CWorldSearch& search = RealSearch();
    QVERIFY(search.Size() > 1000);
    const Hits hits = search.Ranked(U(query));
    QVERIFY(!hits.empty());
    QCOMPARE(QString("%1 %2").arg(SearchKindWord(hits[0].kind), QString::fromStdString(hits[0].name)), first);
}

// What each kind shows beside its name, with the real tables.
void TestSearch::realWorldWhere() {
    const CWorldSearch& search = RealSearch();
    const Hits place = search.Ranked("lieu: tessanta");
    QVERIFY(!place.empty());
    QCOMPARE(QString::fromStdString(place[0].where), QString("-60353, 27616"));
    const Hits spell = search.Ranked("sort: trait de foudre");
    QVERIFY(!spell.empty());
    QCOMPARE(QString::fromStdString(spell[0].where), QString("Dégâts de foudre"));
    QCOMPARE(spell[0].ref, 27);
    const Hits effect = search.Ranked("effet: degats de foudre");
    QVERIFY(!effect.empty());
    QVERIFY2(QString::fromStdString(effect[0].where).endsWith(" sorts"), effect[0].where.c_str());
}

// Characters show the first place their page links to; vendors their
// location, refs in table order.
void TestSearch::smallWorldWhere() {
    CMemoryResourceStore store;
    SmallWorld::Fill(store);
    CWorldData world(store);
    const CWorldSearch search(world);
    const Hits amrel = search.Ranked("perso: amrel");
    QCOMPARE(Lines(amrel), QStringList{"personnage Amrel 0"});
    QCOMPARE(QString::fromStdString(amrel[0].where), QString("Kelwick"));
    const Hits cara = search.Ranked("perso: cara");
    QCOMPARE(Lines(cara), QStringList{"personnage Cara 2"});
    QCOMPARE(QString::fromStdString(cara[0].where), QString("Kelwick"));  // from the notes
    const Hits bo = search.Ranked("perso: bo jiss");
    QCOMPARE(Lines(bo), QStringList{"personnage Bo <Jiss> & \"Q\" 1"});
    QCOMPARE(QString::fromStdString(bo[0].where), QString("Oska, Brask Quarter"));
    const Hits dun = search.Ranked("perso: dun");
    QCOMPARE(Lines(dun), QStringList{"personnage Dun 3"});
    QCOMPARE(QString::fromStdString(dun[0].where), QString("Oska, Brask Quarter"));
    const Hits ula = search.Ranked("marchand: ula");
    QCOMPARE(Lines(ula), QStringList{"marchand Ula 1"});
    QCOMPARE(QString::fromStdString(ula[0].where), QString("Oska, Brask Quarter"));
    const Hits flamme = search.Ranked("flamme");
    QCOMPARE(Lines(flamme), QStringList{"sort Flamme 7"});
    QCOMPARE(QString::fromStdString(flamme[0].where), QString());  // no effect table
    QCOMPARE(Lines(search.Ranked("eclair")), QStringList{"sort Éclair 8"});
    const Hits place = search.Ranked("lieu: ro dal");
    QCOMPARE(Lines(place), QStringList{"lieu Ro-Dal 5"});
    QCOMPARE(QString::fromStdString(place[0].where), QString("100000, 0"));
}

void TestSearch::routeQueries_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("hit");  // "name ref to", or empty for none
    QTest::newRow("de X à Y") << "de Brom-Ghor à Hagholm" << "Itinéraire de Brom-Ghor à Hagholm 0 1";
    QTest::newRow("case and accents folded") << "DE BROM GHOR A HAGHOLM" << "Itinéraire de Brom-Ghor à Hagholm 0 1";
    QTest::newRow("d' before a vowel") << "d'Hagholm à Brom-Ghor" << "Itinéraire de Hagholm à Brom-Ghor 1 0";
    QTest::newRow("the first name the words begin") << "de brom à hag" << "Itinéraire de Brom-Ghor à Hagholm 0 1";
    QTest::newRow("a longer name") << "de Brom-Ghor à Hagholm Mines" << "Itinéraire de Brom-Ghor à Hagholm Mines 0 2";
    QTest::newRow("a name holding « a »") << "de Val a Lune à Brom-Ghor" << "Itinéraire de Val a Lune à Brom-Ghor 3 0";
    QTest::newRow("a shared name: the first place") << "de Twin à Brom-Ghor" << "Itinéraire de Twin à Brom-Ghor 4 0";
    QTest::newRow("de X alone") << "de Brom-Ghor" << "";
    QTest::newRow("no end yet") << "de Brom-Ghor à" << "";
    QTest::newRow("no « de »") << "Brom-Ghor à Hagholm" << "";
    QTest::newRow("an unknown start") << "de Nulle-Part à Hagholm" << "";
    QTest::newRow("an unknown end") << "de Hagholm à Nulle-Part" << "";
    QTest::newRow("a word inside a name is not a name") << "de ghor à Hagholm" << "";
    QTest::newRow("one place both ways") << "de Hagholm à Hagholm" << "";
    QTest::newRow("a cut past the eighth is not read") << "de Val a a a a a a a a Lune à Brom-Ghor" << "";
}

void TestSearch::routeQueries() {
    QFETCH(QString, query);
    CSearchIndex index;
    const char* const names[] = {"Brom-Ghor", "Hagholm", "Hagholm Mines", "Val a Lune", "Twin", "Twin",
                                 "Val a a a a a a a a Lune"};
    for (int ref = 0; ref < 7; ++ref) index.AddPlace(names[ref], "0, 0", ref, 21);
    index.Add(SearchKind::Character, "Hagholm", "Hagholm", 9);
    index.Finish();
    const CWorldSearch search(std::move(index));
    const std::optional<SearchHit> hit = search.RouteHit(U(query));
    QTEST(hit ? QString("%1 %2 %3").arg(QString::fromStdString(hit->name)).arg(hit->ref).arg(hit->to) : QString(),
          "hit");
    // Its group comes first, above what the words find by name.
    const SearchResults groups = search.Find(U(query));
    QCOMPARE(!groups.empty() && groups[0].kind == SearchKind::Route, hit.has_value());
}

QTEST_APPLESS_MAIN(TestSearch)
#include "test_search.moc"
