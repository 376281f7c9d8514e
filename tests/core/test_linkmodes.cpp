// The window-less modes over the world's links and names, on the small
// world of the place card tests: who is found at a place, every name of a
// table.
#include "SmallWorld.h"

#include "cli/DataModes.h"
#include "cli/LinkModes.h"

#include <QtTest>

#include <sstream>

namespace {

struct Outcome {
    int code;
    QString out, err;
};

using Mode = int (*)(const IResourceStore&, const std::string&, std::ostream&, std::ostream&);

Outcome Call(Mode mode, const IResourceStore& store, const QString& arg) {
    std::ostringstream out, err;
    const int code = mode(store, arg.toStdString(), out, err);
    return {code, QString::fromStdString(out.str()), QString::fromStdString(err.str())};
}

}  // namespace

class TestLinkModes : public QObject {
    Q_OBJECT
private slots:
    void who_data();
    void who();
    void list_data();
    void list();
    void missingTables_data();
    void missingTables();
    void tableNotices_data();
    void tableNotices();
};

void TestLinkModes::who_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::newRow("characters once each, then vendors")
        << "Kelwick" << 0
        << "npc\tAmrel\nnpc\tCara\n"
           "vendeur\tZed & Sons\tKelwick, by the well\nvendeur\tXan\tKelwick, by the well\n";
    QTest::newRow("odd case, a name two places share")
        << "OSKA, brask quarter" << 0
        << "npc\tBo <Jiss> & \"Q\"\nnpc\tDun\nvendeur\tUla\tOska, Brask Quarter\n";
    QTest::newRow("a place nobody names") << "oska, lower town" << 0 << "";
    QTest::newRow("part of a name is no name") << "Oska" << 1 << "";
    QTest::newRow("no such place") << "Atlantis" << 1 << "";
    QTest::newRow("blanks count") << " Kelwick" << 1 << "";
    QTest::newRow("not Windows-1252") << "KELWİCK" << 1 << "";
    QTest::newRow("empty") << "" << 2 << "";
}

void TestLinkModes::who() {
    QFETCH(QString, place);
    QFETCH(int, code);
    QFETCH(QString, out);
    CMemoryResourceStore store;
    SmallWorld::Fill(store);
    const Outcome r = Call(PrintWhoIsAt, store, place);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err.isEmpty(), code == 0);
    if (code == 1) QVERIFY2(r.err.contains(place), qPrintable(r.err));
}

void TestLinkModes::list_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::newRow("places") << "places" << 0
                            << "Kelwick\nQuen Harrow\nOska, Brask Quarter\noska, brask QUARTER\n"
                               "Oska, Lower Town\nRo-Dal\n";
    QTest::newRow("characters") << "characters" << 0 << "Amrel\nBo <Jiss> & \"Q\"\nCara\nDun\n";
    QTest::newRow("spells, UTF-8") << "spells" << 0 << "Flamme\nÉclair\nGivre <b>\nBrume\n";
    QTest::newRow("vendors") << "vendors" << 0 << "Zed & Sons\nUla\nVik\nWen\nXan\nYara\n";
    QTest::newRow("effects missing") << "effects" << 1 << "";
    QTest::newRow("unknown table") << "locations" << 2 << "";
    QTest::newRow("table names are lower case") << "Places" << 2 << "";
}

void TestLinkModes::list() {
    QFETCH(QString, table);
    QFETCH(int, code);
    QFETCH(QString, out);
    CMemoryResourceStore store;
    SmallWorld::Fill(store);
    const Outcome r = Call(PrintTableNames, store, table);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err.isEmpty(), code == 0);
    // Bad usage names every table there is.
    if (code == 2)
        for (const char* name : {"places", "characters", "spells", "effects", "vendors"}) QVERIFY(r.err.contains(name));
}

// Without the tables a card reads, a place is still found, with nobody there.
void TestLinkModes::missingTables_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("code");
    QTest::newRow("known place") << "kelwick" << 0;
    QTest::newRow("unknown place") << "Atlantis" << 1;
}

void TestLinkModes::missingTables() {
    QFETCH(QString, place);
    QFETCH(int, code);
    CMemoryResourceStore store;
    store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES, TestTables::PlaceTable({{"Kelwick", 1, 0, 1, 1}}));
    const Outcome r = Call(PrintWhoIsAt, store, place);
    QCOMPARE(r.code, code);
    QCOMPARE(r.out, QString());
}

// Every mode warns of a damaged or empty table it reads, in the place
// table's words, and goes on with what it could read.
void TestLinkModes::tableNotices_data() {
    QTest::addColumn<int>("mode");  // 0 --who, 1 --list, 2 --page, 3 --vendors
    QTest::addColumn<QString>("arg");
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("cut");  // bytes taken off the end; -1: the table emptied
    QTest::addColumn<QString>("notice");
    QTest::newRow("--list vendors, end mark missing")
        << 1 << "vendors" << ResId::IDR_VENDORS << 1 << "table des vendeurs incomplète ; 6 vendeurs lus";
    QTest::newRow("--who, last vendor cut")
        << 0 << "Kelwick" << ResId::IDR_VENDORS << 3 << "table des vendeurs incomplète ; 5 vendeurs lus";
    QTest::newRow("--who, character table cut")
        << 0 << "Kelwick" << ResId::IDR_CHARACTERS << 1 << "table des NPCs incomplète ; 4 NPCs lus";
    QTest::newRow("--page, character table cut")
        << 2 << "#0" << ResId::IDR_CHARACTERS << 5 << "table des NPCs incomplète ; 3 NPCs lus";
    QTest::newRow("--vendors, spell table cut")
        << 3 << "Flamme" << ResId::IDR_SPELLS << 1 << "table des sorts incomplète ; 4 sorts lus";
    QTest::newRow("--list characters, empty") << 1 << "characters" << ResId::IDR_CHARACTERS << -1
                                              << "table des NPCs vide";
    QTest::newRow("--list spells, empty") << 1 << "spells" << ResId::IDR_SPELLS << -1 << "table des sorts vide";
    QTest::newRow("--list effects, empty") << 1 << "effects" << ResId::IDR_EFFECTS << -1 << "table des effets vide";
    QTest::newRow("--who, vendor table empty") << 0 << "Kelwick" << ResId::IDR_VENDORS << -1
                                               << "table des vendeurs vide";
}

void TestLinkModes::tableNotices() {
    QFETCH(int, mode);
    QFETCH(QString, arg);
    QFETCH(int, table);
    QFETCH(int, cut);
    QFETCH(QString, notice);
    CMemoryResourceStore store;
    for (auto& [id, bytes] : SmallWorld::Tables()) {
        if (id == table && cut >= 0) bytes.resize(bytes.size() - size_t(cut));
        if (id != table || cut >= 0) store.Add(ResType::Numeric(ResId::RT_RCDATA), id, std::move(bytes));
    }
    if (cut < 0) store.Add(ResType::Numeric(ResId::RT_RCDATA), table, {0});
    const Mode modes[] = {PrintWhoIsAt, PrintTableNames, PrintCharacterPage, PrintSpellVendors};
    const Outcome r = Call(modes[mode], store, arg);
    QVERIFY2(r.err.contains("zerim: " + notice + "\n"), qPrintable(r.err));
    QCOMPARE(r.err.count("zerim: "), 1);  // once, and nothing else to say
}

QTEST_APPLESS_MAIN(TestLinkModes)
#include "test_linkmodes.moc"
