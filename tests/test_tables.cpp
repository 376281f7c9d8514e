// The table compiler and the program's readers agree on every table, and the
// compiler refuses what would make a table unreadable.
#include "data/CharacterText.h"
#include "data/PlaceTable.h"
#include "data/Win1252.h"
#include "spells/SpellTables.h"
#include "tools/tables/TableCompiler.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

TsvTable Tsv(const char* file, const std::string& text, const std::vector<std::string>& columns) {
    return ParseTsv(file, text, columns);
}

const std::vector<std::string> kPlaceColumns = {"name", "type", "level", "x", "y"};
const std::vector<std::string> kCharacterColumns = {"name", "whereabouts", "notes"};

std::string Utf8(const std::string& cp1252) { return Win1252ToUtf8(cp1252); }

}  // namespace

class TestTables : public QObject {
    Q_OBJECT
private slots:
    void placesRoundTrip();
    void charactersRoundTrip();
    void spellTablesRoundTrip();
    void faults_data();
    void faults();
    void directory();
};

void TestTables::placesRoundTrip() {
    const TableBytes bytes = CompilePlaces(Tsv("places.tsv",
        "name\ttype\tlevel\tx\ty\n"
        "Velmora, Harbour Ward\t21\t3\t-119535\t202171\n"
        "Dun-Carrow\t29\t65535\t2147483647\t-2147483648\r\n"
        "Ash\t10\t0\t0\t0", kPlaceColumns));
    CPlaceArray places;
    QVERIFY(ParsePlaceTable(ByteBlock(bytes), places));
    QCOMPARE(places.GetSize(), 3);
    QCOMPARE(places[0]->m_strName, std::string("Velmora, Harbour Ward"));
    QCOMPARE(places[0]->m_nType, 21);
    QCOMPARE(places[0]->m_x, -119535);
    QCOMPARE(places[1]->m_nLevel, 65535);
    QCOMPARE(places[1]->m_x, INT32_MAX);
    QCOMPARE(places[1]->m_y, INT32_MIN);
    QCOMPARE(places[2]->m_strName, std::string("Ash"));
    QCOMPARE(bytes.size(), size_t(3 * 14 + 21 + 10 + 3 + 2));  // ends right after the zero word
    DeletePlaces(places);
}

void TestTables::charactersRoundTrip() {
    const TsvTable main = Tsv("characters.tsv",
        "name\twhereabouts\tnotes\nIlsa\tMill of Kelwick\tSells rye.\nBo\tGate\t\n", kCharacterColumns);
    const TsvTable tail = Tsv("characters-tail.tsv", "name\twhereabouts\tnotes\nHidden\tNowhere\tx\n",
                              kCharacterColumns);
    const TableBytes bytes = CompileCharacters(main, &tail);
    const CCharacterText text{ByteBlock(bytes)};
    QCOMPARE(text.Count(), 2);
    QCOMPARE(text.Record(1)->whereabouts, std::string_view("Gate"));
    QCOMPARE(text.Record(1)->notes, std::string_view(""));
    // The text stops at the end marker; the tail is stored but never read.
    const std::string stored(bytes.begin(), bytes.end());
    QVERIFY(stored.find("Hidden") != std::string::npos);
    QCOMPARE(text.Size(), stored.find(std::string("\0\0\0Hidden", 9)) + 1);
    QVERIFY(stored.size() >= 4 && stored.compare(stored.size() - 2, 2, std::string(2, '\0')) == 0);
    QCOMPARE(CompileCharacters(main, nullptr).size(), text.Size());
}

void TestTables::spellTablesRoundTrip() {
    const auto effects = ReadEffects(ByteBlock(CompileEffects(Tsv("effects.tsv",
        "name\tkey\nRésistance au froid\t136\nCœur de braise\t0\n", {"name", "key"}))));
    QCOMPARE(effects.size(), size_t(2));
    QCOMPARE(effects[0].name, std::string("R\xE9sistance au froid"));  // stored in Windows-1252
    QCOMPARE(Utf8(effects[1].name), std::string("Cœur de braise"));
    QCOMPARE(effects[0].key, uint16_t(136));

    const auto spells = ReadSpells(ByteBlock(CompileSpells(Tsv("spells.tsv",
        "name\teffect\tid\nBouclier de givre\t136\t26\nÉtincelle\t0\t965\n", {"name", "effect", "id"}))));
    QCOMPARE(spells.size(), size_t(2));
    QCOMPARE(spells[1].id, uint16_t(965));
    QCOMPARE(Utf8(spells[1].name), std::string("Étincelle"));

    const auto vendors = ReadVendors(ByteBlock(CompileVendors(Tsv("vendors.tsv",
        "name\tlocation\tspells\nMaître Orlan\t65535\t26 965 40\nSœur Ylva\t0\t\n",
        {"name", "location", "spells"}))));
    QCOMPARE(vendors.size(), size_t(2));
    QCOMPARE(vendors[0].location, uint16_t(65535));
    QCOMPARE(vendors[0].spells, std::vector<uint16_t>({26, 965, 40}));
    QVERIFY(vendors[1].spells.empty());

    const auto locations = ReadLocations(ByteBlock(CompileLocations(Tsv("locations.tsv",
        "location\nKelwick, près du puits\nSous le pont\n", {"location"}))));
    QCOMPARE(locations.size(), size_t(2));
    QCOMPARE(Utf8(locations[0]), std::string("Kelwick, près du puits"));
}

void TestTables::faults_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong header") << "places" << QByteArray("name\tlevel\ttype\tx\ty\n")
                                  << "places.tsv:1: the header";
    QTest::newRow("missing field") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t3\nB\t1\t2\t3\t4\n")
                                   << "places.tsv:2: expected 5 fields";
    QTest::newRow("not a number") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t3\t4\nB\t1\ttwo\t3\t4\n")
                                  << "places.tsv:3: column 3";
    QTest::newRow("level too large") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t65536\t3\t4\n")
                                     << "places.tsv:2: column 3: 65536 is outside 0..65535";
    QTest::newRow("x beyond 32 bits") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t2147483648\t4\n")
                                      << "places.tsv:2: column 4";
    QTest::newRow("empty place name") << "places" << QByteArray("name\ttype\tlevel\tx\ty\n\t1\t2\t3\t4\n")
                                      << "places.tsv:2: column 1 is empty";
    QTest::newRow("accent in a place name") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nCaf\xC3\xA9\t1\t2\t3\t4\n")
                                            << "places.tsv:2: column 1 holds a character that is not printable ASCII";
    QTest::newRow("empty line") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t3\t4\n\nB\t1\t2\t3\t4\n")
                                << "places.tsv:3: empty line";
    QTest::newRow("empty file") << "places" << QByteArray() << "places.tsv:1: empty file";
    QTest::newRow("character without a name") << "characters" << QByteArray("name\twhereabouts\tnotes\n\tsomewhere\t\n")
                                              << "characters.tsv:2: column 1 is empty";
    QTest::newRow("outside Windows-1252") << "spells" << QByteArray("name\teffect\tid\nDard \xC4\x80\t1\t2\n")
                                          << "spells.tsv:2: column 1 is not UTF-8 text that Windows-1252 can store";
    QTest::newRow("end mark as a spell id") << "vendors" << QByteArray("name\tlocation\tspells\nOrlan\t1\t26 65535\n")
                                            << "vendors.tsv:2: column 3: 65535 is outside 0..65534";
    QTest::newRow("double space in the ids") << "vendors" << QByteArray("name\tlocation\tspells\nOrlan\t1\t26  27\n")
                                             << "vendors.tsv:2: column 3: \"\" is not a whole number";
}

void TestTables::faults() {
    QFETCH(QString, table);
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    try {
        const std::string t = text.toStdString();
        if (table == "places") CompilePlaces(Tsv("places.tsv", t, kPlaceColumns));
        else if (table == "characters") CompileCharacters(Tsv("characters.tsv", t, kCharacterColumns), nullptr);
        else if (table == "spells") CompileSpells(Tsv("spells.tsv", t, {"name", "effect", "id"}));
        else CompileVendors(Tsv("vendors.tsv", t, {"name", "location", "spells"}));
        QFAIL("no error");
    } catch (const TableError& e) {
        QVERIFY2(QString::fromUtf8(e.what()).startsWith(message), e.what());
    }
}

void TestTables::directory() {
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(TableError, CompileDirectory(dir.path().toStdString()));
    QFile places(dir.filePath("places.tsv"));
    QVERIFY(places.open(QIODevice::WriteOnly));
    places.write("name\ttype\tlevel\tx\ty\nA\t1\t2\t3\t4\n");
    places.close();
    const auto compiled = CompileDirectory(dir.path().toStdString());
    QCOMPARE(compiled.size(), size_t(1));
    QCOMPARE(compiled[0].key, std::string("RCDATA_133"));
}

QTEST_APPLESS_MAIN(TestTables)
#include "test_tables.moc"
