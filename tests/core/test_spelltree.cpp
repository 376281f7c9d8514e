// The spell finder's core: the order of names, the effect tree as built and
// flattened from the tables, and the vendor listing of a spell.
#include "SequentialEffectTree.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/Win1252.h"
#include "spells/EffectTree.h"
#include "spells/SpellCollation.h"
#include "spells/VendorListing.h"
#include "tables/TableCompiler.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

std::string Cp1252(const QString& utf8) { return Utf8ToWin1252(utf8.toStdString()).value(); }
QString Utf8(const std::string& cp1252) { return QString::fromStdString(Win1252ToUtf8(cp1252)); }

// Tables written as readable TSV bodies (a record a line, header added here).
TableBytes Effects(const char* body) {
    return CompileEffects(ParseTsv("effects.tsv", std::string("name\tkey\n") + body, {"name", "key"}));
}
TableBytes Spells(const char* body) {
    return CompileSpells(
        ParseTsv("spells.tsv", std::string("name\teffect\tid\n") + body, {"name", "effect", "id"}));
}
TableBytes Vendors(const char* body) {
    return CompileVendors(ParseTsv("vendors.tsv", std::string("name\tlocation\tspells\n") + body,
                                   {"name", "location", "spells"}));
}
TableBytes Locations(const char* body) {
    return CompileLocations(ParseTsv("locations.tsv", std::string("location\n") + body, {"location"}));
}

// The tree as lines: "Effect" or "Spell #id" at the root, "- Spell #id" beneath.
QStringList Lines(const EffectTree& tree) {
    const auto line = [](const EffectNode& n) {
        return n.data == kEffectItem ? Utf8(n.text) : Utf8(n.text) + " #" + QString::number(n.data);
    };
    QStringList lines;
    for (const EffectNode& root : tree.Roots()) {
        lines << line(root);
        for (const EffectNode& child : root.children) lines << "- " + line(child);
    }
    return lines;
}

QStringList Rows(const std::vector<VendorRow>& rows) {
    QStringList out;
    for (const VendorRow& r : rows) out << Utf8(r.vendor) + " | " + Utf8(r.location);
    return out;
}

// Names of one to three pieces from a small set, so that equal names (by
// case, accents or ligatures) are frequent; `pieces` of them are used.
std::string RandomName(QRandomGenerator& random, int pieces) {
    static const char* const kPieces[] = {"a", "A", "\xE0", "e", "\xC9", "oe", "\x9C", "\x8C",
                                          "ss", "\xDF", " ", "-", "9", "b", "B", "\xE6"};
    std::string name;
    const int count = 1 + int(random.bounded(3));
    for (int i = 0; i < count; ++i) name += kPieces[random.bounded(pieces)];
    return name;
}

struct RandomTables {
    std::vector<EffectRecord> effects;
    std::vector<SpellRecord> spells;
};

// `keys` effect keys are drawn for effects; spells draw from `keys` plus
// `unknownKeys` more, which no effect has.
RandomTables MakeRandomTables(QRandomGenerator& random, int effects, int spells, int keys,
                              int unknownKeys, int pieces) {
    RandomTables t;
    for (int i = 0; i < effects; ++i)
        t.effects.push_back({RandomName(random, pieces), uint16_t(random.bounded(keys))});
    for (int i = 0; i < spells; ++i)
        t.spells.push_back({RandomName(random, pieces), uint16_t(random.bounded(keys + unknownKeys)),
                            uint16_t(random.bounded(65536))});
    return t;
}

TableBytes Cut(TableBytes bytes, size_t keep) {
    bytes.resize(keep);
    return bytes;
}

// Where `text` starts in a table; cuts are made relative to it.
size_t Offset(const TableBytes& bytes, const char* text) {
    const std::string all(bytes.begin(), bytes.end());
    return all.find(text);
}

}  // namespace

class TestSpellTree : public QObject {
    Q_OBJECT
private slots:
    void collation_data();
    void collation();
    void tree_data();
    void tree();
    void matchesSequentialInsertion_data();
    void matchesSequentialInsertion();
    void loadedTree_data();
    void loadedTree();
    void vendors_data();
    void vendors();
    void locationsLookedUpAgainUntilFound();
};

void TestSpellTree::collation_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");  // the sign of CompareSpellNames(a, b)

    QTest::newRow("case is ignored") << "Souffle GLACÉ" << "souffle glacé" << 0;
    QTest::newRow("accented capitals fold like small letters") << "ÉCLAT ŒIL ŸS" << "éclat œil ÿs" << 0;
    QTest::newRow("an accented initial sorts with its base letter") << "Égide" << "Fer" << -1;
    QTest::newRow("accent matters only when the letters tie") << "pêche" << "pechf" << -1;
    QTest::newRow("the unaccented letter comes first on a tie") << "peche" << "pêche" << -1;
    QTest::newRow("the first accent from the left decides") << "élevé" << "élève" << -1;
    QTest::newRow("œ counts as two letters") << "Cœur" << "Cof" << -1;
    QTest::newRow("œ after oe on a tie") << "Coeur" << "Cœur" << -1;
    QTest::newRow("ß counts as ss") << "Straße" << "Strasz" << -1;
    QTest::newRow("a prefix comes first") << "Feu" << "Feu follet" << -1;
    QTest::newRow("a space comes before a letter") << "Arc de feu" << "Arcane" << -1;
    QTest::newRow("digits come before letters") << "Rune 9" << "Rune A" << -1;
    QTest::newRow("underscore comes before letters") << "A_b" << "Aa" << -1;
    QTest::newRow("punctuation comes before digits") << "Rune (vieille)" << "Rune 1" << -1;
    QTest::newRow("guillemets come before letters") << "«Ombre»" << "Abri" << -1;
    QTest::newRow("empty before anything") << "" << "A" << -1;
}

void TestSpellTree::collation() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sign(CompareSpellNames(Cp1252(a), Cp1252(b))), order);
    QCOMPARE(sign(CompareSpellNames(Cp1252(b), Cp1252(a))), -order);
}

void TestSpellTree::tree_data() {
    QTest::addColumn<QByteArray>("effects");
    QTest::addColumn<QByteArray>("spells");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("an effect without spells is removed")
        << QByteArray("Brume\t0\nSilence\t1\n") << QByteArray("Voile\t0\t30\nNuée\t0\t31\n")
        << QStringList{"Brume", "- Nuée #31", "- Voile #30"};
    QTest::newRow("an effect with one spell gives way to it, sorted among the effects")
        << QByteArray("Lumière\t0\nBrume\t1\nAbri\t2\nÉveil\t3\n")
        << QByteArray("Rayon\t0\t40\nAurore\t0\t41\nDôme\t2\t42\nNuée\t1\t43\nBrouillard\t1\t44\nZénith\t3\t45\n")
        << QStringList{"Brume", "- Brouillard #44", "- Nuée #43", "Dôme #42",
                       "Lumière", "- Aurore #41", "- Rayon #40", "Zénith #45"};
    QTest::newRow("a spell whose effect is missing is dropped")
        << QByteArray("Brume\t0\n") << QByteArray("Voile\t0\t30\nNuée\t0\t31\nÉgaré\t9\t32\n")
        << QStringList{"Brume", "- Nuée #31", "- Voile #30"};
    QTest::newRow("two effects with one key: the later takes the spells")
        << QByteArray("Ancien\t5\nNouveau\t5\n") << QByteArray("Voile\t5\t30\nNuée\t5\t31\n")
        << QStringList{"Nouveau", "- Nuée #31", "- Voile #30"};
    QTest::newRow("two spells of one name are two items in arrival order")
        << QByteArray("Feu\t0\n") << QByteArray("Dard\t0\t31\nDard\t0\t30\n")
        << QStringList{"Feu", "- Dard #31", "- Dard #30"};
    QTest::newRow("names sorted ignoring case and accents")
        << QByteArray("Eau\t0\n")
        << QByteArray("zéphyr\t0\t1\nÉtoile\t0\t2\nECLAIR\t0\t3\nœil\t0\t4\neau vive\t0\t5\n")
        << QStringList{"Eau", "- eau vive #5", "- ECLAIR #3", "- Étoile #2", "- œil #4", "- zéphyr #1"};
    QTest::newRow("effects equal but for case keep arrival order")
        << QByteArray("FEU\t0\nFeu\t1\nfeu\t2\n")
        << QByteArray("A\t0\t1\nB\t0\t2\nC\t1\t3\nD\t1\t4\nE\t2\t5\nF\t2\t6\n")
        << QStringList{"FEU", "- A #1", "- B #2", "Feu", "- C #3", "- D #4", "feu", "- E #5", "- F #6"};
    QTest::newRow("spell ids keep all 16 bits")
        << QByteArray("Feu\t0\n") << QByteArray("Haut\t0\t65534\nBas\t0\t0\n")
        << QStringList{"Feu", "- Bas #0", "- Haut #65534"};
    QTest::newRow("a lone spell standing before the effect it left is kept")
        << QByteArray("Zèle\t0\n") << QByteArray("Ardeur\t0\t7\n") << QStringList{"Ardeur #7"};
    QTest::newRow("no spells leave no effects") << QByteArray("Brume\t0\nSilence\t1\n") << QByteArray()
                                                << QStringList{};
}

void TestSpellTree::tree() {
    QFETCH(QByteArray, effects);
    QFETCH(QByteArray, spells);
    QFETCH(QStringList, lines);
    EffectTree tree;
    tree.Build(ReadEffects(ByteBlock(Effects(effects.constData()))),
               ReadSpells(ByteBlock(Spells(spells.constData()))));
    tree.Flatten();
    QCOMPARE(Lines(tree), lines);
}

// The tree is built with sorts; inserting each item in sorted position one
// by one must give the very same tree, ties in the same order.
void TestSpellTree::matchesSequentialInsertion_data() {
    QTest::addColumn<int>("effects");
    QTest::addColumn<int>("spells");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("unknownKeys");
    QTest::addColumn<int>("pieces");  // how many name pieces: fewer gives more ties

    QTest::newRow("names that nearly all tie") << 12 << 60 << 4 << 1 << 3;
    QTest::newRow("ties by case, accent and ligature") << 20 << 80 << 8 << 2 << 10;
    QTest::newRow("varied names") << 30 << 120 << 20 << 3 << 16;
    QTest::newRow("repeated effect keys") << 25 << 60 << 5 << 0 << 16;
    QTest::newRow("mostly lone spells") << 40 << 45 << 40 << 0 << 16;
    QTest::newRow("mostly unknown effects") << 10 << 60 << 5 << 30 << 10;
    QTest::newRow("no spells") << 15 << 0 << 5 << 0 << 10;
    QTest::newRow("no effects") << 0 << 30 << 5 << 5 << 10;
}

void TestSpellTree::matchesSequentialInsertion() {
    QFETCH(int, effects);
    QFETCH(int, spells);
    QFETCH(int, keys);
    QFETCH(int, unknownKeys);
    QFETCH(int, pieces);
    for (quint32 seed = 1; seed <= 200; ++seed) {
        QRandomGenerator random(seed);
        const RandomTables t = MakeRandomTables(random, effects, spells, keys, unknownKeys, pieces);
        EffectTree tree;
        tree.Build(t.effects, t.spells);
        std::list<EffectNode> reference = SequentialTree::Build(t.effects, t.spells);
        QVERIFY2(SequentialTree::SameNodes(tree.Roots(), reference), qPrintable(QString("built, seed %1").arg(seed)));
        tree.Flatten();
        SequentialTree::Flatten(reference);
        QVERIFY2(SequentialTree::SameNodes(tree.Roots(), reference), qPrintable(QString("flattened, seed %1").arg(seed)));
    }
}

// The tree as the dialog loads it from the program's resources.
void TestSpellTree::loadedTree_data() {
    QTest::addColumn<bool>("hasEffects");
    QTest::addColumn<bool>("hasSpells");
    QTest::addColumn<int>("effectBytes");  // -1: the whole table, else a cut before its last record
    QTest::addColumn<int>("spellBytes");
    QTest::addColumn<QStringList>("lines");

    const QStringList whole{"Brume", "- Nuée #31", "- Voile #30", "Lumière", "- Aube #33", "- Rayon #32"};
    QTest::newRow("both tables") << true << true << -1 << -1 << whole;
    QTest::newRow("no effect table: nothing, spells or not") << false << true << -1 << -1 << QStringList{};
    QTest::newRow("no spell table: the effects alone are all removed") << true << false << -1 << -1
                                                                       << QStringList{};
    QTest::newRow("effect table without its end mark is read to its end")
        << true << true << -2 << -1 << whole;
    QTest::newRow("effect table cut inside its last key: that effect is lost")
        << true << true << 0 << -1 << QStringList{"Brume", "- Nuée #31", "- Voile #30"};
    QTest::newRow("spell table cut inside its last record: that spell is lost")
        << true << true << -1 << 0 << QStringList{"Brume", "- Nuée #31", "- Voile #30", "Rayon #32"};
}

void TestSpellTree::loadedTree() {
    QFETCH(bool, hasEffects);
    QFETCH(bool, hasSpells);
    QFETCH(int, effectBytes);
    QFETCH(int, spellBytes);
    QFETCH(QStringList, lines);
    TableBytes effects = Effects("Brume\t4\nLumière\t2\n");
    TableBytes spells = Spells("Voile\t4\t30\nNuée\t4\t31\nRayon\t2\t32\nAube\t2\t33\n");
    // -2 drops the end mark; 0 cuts one byte into the last record's numbers.
    if (effectBytes == -2) effects = Cut(effects, effects.size() - 1);
    if (effectBytes == 0) effects = Cut(effects, Offset(effects, "Lumi") + 9);
    if (spellBytes == 0) spells = Cut(spells, Offset(spells, "Aube") + 7);
    CMemoryResourceStore store;
    if (hasEffects) store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_EFFECTS, effects);
    if (hasSpells) store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_SPELLS, spells);
    QCOMPARE(Lines(LoadEffectTree(store)), lines);
}

void TestSpellTree::vendors_data() {
    QTest::addColumn<QByteArray>("vendors");
    QTest::addColumn<QByteArray>("locations");  // "-" for no location table
    QTest::addColumn<int>("spell");
    QTest::addColumn<QStringList>("rows");

    const QByteArray places("Pont de Kessar\nCour des Étoiles\nMoulin d'Arvel\n");
    QTest::newRow("n vendors give n rows, the last in the table on top")
        << QByteArray("Orlan\t0\t30 31\nYlva\t1\t31\nBérenger\t2\t32\nMaëlle\t2\t29 31\n") << places << 31
        << QStringList{"Maëlle | Moulin d'Arvel", "Ylva | Cour des Étoiles", "Orlan | Pont de Kessar"};
    QTest::newRow("index 65535 has no location")
        << QByteArray("Orlan\t0\t30\nErrant\t65535\t30\n") << places << 30
        << QStringList{"Errant | ** Localisation inconnue **", "Orlan | Pont de Kessar"};
    QTest::newRow("the first index past the table has no location")
        << QByteArray("Orlan\t3\t30\nYlva\t2\t30\n") << places << 30
        << QStringList{"Ylva | Moulin d'Arvel", "Orlan | ** Localisation inconnue **"};
    QTest::newRow("a list naming the spell twice gives two rows")
        << QByteArray("Orlan\t0\t30 44 30\nYlva\t1\t44\n") << places << 30
        << QStringList{"Orlan | Pont de Kessar", "Orlan | Pont de Kessar"};
    QTest::newRow("a spell nobody sells lists nothing")
        << QByteArray("Orlan\t0\t30\n") << places << 31 << QStringList{};
    QTest::newRow("the end mark is not a spell")
        << QByteArray("Orlan\t0\t30\nYlva\t1\t\n") << places << 65535 << QStringList{};
    QTest::newRow("no location table: every row unknown")
        << QByteArray("Orlan\t0\t30\nYlva\t1\t30\n") << QByteArray("-") << 30
        << QStringList{"Ylva | ** Localisation inconnue **", "Orlan | ** Localisation inconnue **"};
    QTest::newRow("no vendor table: nothing") << QByteArray("-") << places << 30 << QStringList{};
    QTest::newRow("a vendor cut short by the end of the table is dropped")
        << QByteArray("Orlan\t0\t30\nYlva\t1\t30 31|cut") << places << 30
        << QStringList{"Orlan | Pont de Kessar"};
}

void TestSpellTree::vendors() {
    QFETCH(QByteArray, vendors);
    QFETCH(QByteArray, locations);
    QFETCH(int, spell);
    QFETCH(QStringList, rows);
    CMemoryResourceStore store;
    const auto rcdata = ResType::Numeric(ResId::RT_RCDATA);
    if (vendors != "-") {
        // "|cut": the table stops one byte into the last vendor's end mark.
        const bool cut = vendors.endsWith("|cut");
        TableBytes bytes = Vendors(vendors.replace("|cut", "\n").constData());
        if (cut) bytes = Cut(bytes, bytes.size() - 2);
        store.Add(rcdata, ResId::IDR_VENDORS, bytes);
    }
    if (locations != "-") store.Add(rcdata, ResId::IDR_VENDOR_LOCATIONS, Locations(locations.constData()));
    CVendorListing listing(store);
    QCOMPARE(Rows(listing.ListVendors(uint16_t(spell))), rows);
    QCOMPARE(Rows(listing.ListVendors(uint16_t(spell))), rows);  // a second listing is the same
}

void TestSpellTree::locationsLookedUpAgainUntilFound() {
    CMemoryResourceStore store;
    const auto rcdata = ResType::Numeric(ResId::RT_RCDATA);
    store.Add(rcdata, ResId::IDR_VENDORS, Vendors("Orlan\t0\t30\n"));
    CVendorListing listing(store);
    QCOMPARE(Rows(listing.ListVendors(30)), QStringList{"Orlan | ** Localisation inconnue **"});
    store.Add(rcdata, ResId::IDR_VENDOR_LOCATIONS, Locations("Quai aux Sels\n"));
    QCOMPARE(Rows(listing.ListVendors(30)), QStringList{"Orlan | Quai aux Sels"});
    // Once found, the strings are kept for the dialog's life.
    store.Add(rcdata, ResId::IDR_VENDOR_LOCATIONS, Locations("Ailleurs\n"));
    QCOMPARE(Rows(listing.ListVendors(30)), QStringList{"Orlan | Quai aux Sels"});
}

QTEST_APPLESS_MAIN(TestSpellTree)
#include "test_spelltree.moc"
