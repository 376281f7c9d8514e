// The table compiler and the program's readers agree on every table, and the
// compiler refuses what would make a table unreadable.
#include "data/CharacterText.h"
#include "data/PlaceTable.h"
#include "data/Win1252.h"
#include "spells/SpellTables.h"
#include "tables/TableCompiler.h"
#include "tables/TableOutput.h"

#include <cerrno>
#include <cstring>

#include <sys/mount.h>

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
    void inputChecks_data();
    void inputChecks();
    void outputs_data();
    void outputs();
    void fullDisk();
};

void TestTables::placesRoundTrip() {
    const TableBytes bytes = CompilePlaces(Tsv("places.tsv",
        "name\ttype\tlevel\tx\ty\n"
        "Velmora, Harbour Ward\t21\t3\t-119535\t202171\n"
        "Dun-Carrow\t29\t65535\t2147483647\t-2147483648\r\n"
        "Ash\t10\t0\t0\t0", kPlaceColumns));
    CPlaceList places;
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
                                  << "places.tsv:1: l'en-tête";
    QTest::newRow("missing field") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t3\nB\t1\t2\t3\t4\n")
                                   << "places.tsv:2: 5 champs attendus";
    QTest::newRow("not a number") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t3\t4\nB\t1\ttwo\t3\t4\n")
                                  << "places.tsv:3: colonne 3";
    QTest::newRow("level too large") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t65536\t3\t4\n")
                                     << "places.tsv:2: colonne 3 : 65536 n'est pas entre 0 et 65535";
    QTest::newRow("x beyond 32 bits") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t2147483648\t4\n")
                                      << "places.tsv:2: colonne 4";
    QTest::newRow("empty place name") << "places" << QByteArray("name\ttype\tlevel\tx\ty\n\t1\t2\t3\t4\n")
                                      << "places.tsv:2: colonne 1 est vide";
    QTest::newRow("accent in a place name") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nCaf\xC3\xA9\t1\t2\t3\t4\n")
                                            << "places.tsv:2: colonne 1 contient un caractère qui n'est pas de l'ASCII imprimable";
    QTest::newRow("empty line") << "places" << QByteArray("name\ttype\tlevel\tx\ty\nA\t1\t2\t3\t4\n\nB\t1\t2\t3\t4\n")
                                << "places.tsv:3: ligne vide";
    QTest::newRow("empty file") << "places" << QByteArray() << "places.tsv:1: fichier vide";
    QTest::newRow("character without a name") << "characters" << QByteArray("name\twhereabouts\tnotes\n\tsomewhere\t\n")
                                              << "characters.tsv:2: colonne 1 est vide";
    QTest::newRow("outside Windows-1252") << "spells" << QByteArray("name\teffect\tid\nDard \xC4\x80\t1\t2\n")
                                          << "spells.tsv:2: colonne 1 n'est pas un texte UTF-8 que Windows-1252 sait coder";
    QTest::newRow("end mark as a spell id") << "vendors" << QByteArray("name\tlocation\tspells\nOrlan\t1\t26 65535\n")
                                            << "vendors.tsv:2: colonne 3 : 65535 marque la fin de la liste de sorts d'un vendeur";
    QTest::newRow("double space in the ids") << "vendors" << QByteArray("name\tlocation\tspells\nOrlan\t1\t26  27\n")
                                             << "vendors.tsv:2: colonne 3 : « 26  27 » doit être des numéros de sorts séparés par une seule espace";
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

// Every check on the sources, one rule each: `message` is what the compiler
// says (file, line, reason), empty when the table is accepted.
void TestTables::inputChecks_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QByteArray>("body");  // after the header line
    QTest::addColumn<QString>("message");
    const QString blanks = "colonne 3 : « %1 » doit être des numéros de sorts séparés par une seule espace, sans blanc au début ni à la fin";
    QTest::newRow("trailing blank line") << "places" << QByteArray("A\t1\t2\t3\t4\n\n") << "";
    QTest::newRow("trailing blank lines, CRLF and spaces") << "locations" << QByteArray("Quai\r\n\r\n  \r\n") << "";
    QTest::newRow("blank line between records") << "locations" << QByteArray("Quai\n \nPont\n")
                                                 << "locations.tsv:3: ligne vide";
    QTest::newRow("ids: single spaces") << "vendors" << QByteArray("Orlan\t1\t26 27 965\n") << "";
    QTest::newRow("ids: none") << "vendors" << QByteArray("Orlan\t1\t\n") << "";
    QTest::newRow("ids: blank before") << "vendors" << QByteArray("Orlan\t1\t 26 27\n")
                                       << "vendors.tsv:2: " + blanks.arg(" 26 27");
    QTest::newRow("ids: blank after") << "vendors" << QByteArray("Orlan\t1\t26 27 \n")
                                      << "vendors.tsv:2: " + blanks.arg("26 27 ");
    QTest::newRow("ids: a blank alone") << "vendors" << QByteArray("Orlan\t1\t \n")
                                        << "vendors.tsv:2: " + blanks.arg(" ");
    QTest::newRow("number: blank after") << "places" << QByteArray("A\t1 \t2\t3\t4\n")
                                         << "places.tsv:2: colonne 2 : « 1  » n'est pas un nombre entier";
    QTest::newRow("number: vertical tab before") << "places" << QByteArray("A\t1\t\v2\t3\t4\n")
                                                 << "places.tsv:2: colonne 3 : « \v2 » n'est pas un nombre entier";
    QTest::newRow("number: minus alone") << "places" << QByteArray("A\t1\t2\t-\t4\n")
                                         << "places.tsv:2: colonne 4 : « - » n'est pas un nombre entier";
    QTest::newRow("spell id 65534") << "spells" << QByteArray("Dard\t1\t65534\n") << "";
    QTest::newRow("spell id 65535, the end mark") << "spells" << QByteArray("Dard\t1\t65535\n")
        << "spells.tsv:2: colonne 3 : 65535 marque la fin de la liste de sorts d'un vendeur et ne peut pas être un numéro de sort";
    QTest::newRow("vendor location 65535") << "vendors" << QByteArray("Orlan\t65535\t26\n") << "";
    QTest::newRow("DEL in a name") << "effects" << QByteArray("Feu\x7F\t1\n")
                                   << "effects.tsv:2: colonne 1 contient un caractère de contrôle (U+007F)";
    QTest::newRow("C1 control in a name") << "spells" << QByteArray("Dard\xC2\x81\t1\t2\n")
                                          << "spells.tsv:2: colonne 1 contient un caractère de contrôle (U+0081)";
    QTest::newRow("DEL in a place name") << "places" << QByteArray("A\x7F\t1\t2\t3\t4\n")
                                         << "places.tsv:2: colonne 1 contient un caractère qui n'est pas de l'ASCII imprimable";
    QTest::newRow("oe and euro, printable") << "spells" << QByteArray("C\xC5\x93ur \xE2\x82\xAC\t1\t2\n") << "";
    QTest::newRow("blank inside a name") << "places" << QByteArray("Velmora, Harbour Ward\t1\t2\t3\t4\n") << "";
    QTest::newRow("blank before a place name") << "places" << QByteArray(" Ash\t1\t2\t3\t4\n")
                                               << "places.tsv:2: colonne 1 commence ou finit par un blanc";
    QTest::newRow("blank after a character name") << "characters" << QByteArray("Ilsa \tMill\t\n")
                                                  << "characters.tsv:2: colonne 1 commence ou finit par un blanc";
    QTest::newRow("blank after notes, not a name") << "characters" << QByteArray("Ilsa\tMill\tSells rye. \n") << "";
    QTest::newRow("no-break space before a spell") << "spells" << QByteArray("\xC2\xA0" "Dard\t1\t2\n")
                                                   << "spells.tsv:2: colonne 1 commence ou finit par un blanc";
    QTest::newRow("blank after a vendor") << "vendors" << QByteArray("Orlan \t1\t26\n")
                                          << "vendors.tsv:2: colonne 1 commence ou finit par un blanc";
    QTest::newRow("blank after a location") << "locations" << QByteArray("Quai \n")
                                            << "locations.tsv:2: colonne 1 commence ou finit par un blanc";
}

void TestTables::inputChecks() {
    QFETCH(QString, table);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    struct Kind {
        const char* name;
        std::vector<std::string> columns;
        TableBytes (*compile)(const TsvTable&);
    };
    static const Kind kinds[] = {
        {"places", kPlaceColumns, CompilePlaces},
        {"characters", kCharacterColumns, [](const TsvTable& t) { return CompileCharacters(t, nullptr); }},
        {"effects", {"name", "key"}, CompileEffects},
        {"spells", {"name", "effect", "id"}, CompileSpells},
        {"vendors", {"name", "location", "spells"}, CompileVendors},
        {"locations", {"location"}, CompileLocations},
    };
    const Kind* kind = nullptr;
    for (const Kind& k : kinds)
        if (table == k.name) kind = &k;
    QVERIFY(kind);
    std::string header;
    for (const std::string& c : kind->columns) header += (header.empty() ? "" : "\t") + c;
    const std::string file = table.toStdString() + ".tsv";
    QString said;
    try {
        kind->compile(ParseTsv(file, header + "\n" + body.toStdString(), kind->columns));
    } catch (const TableError& e) {
        said = QString::fromUtf8(e.what());
    }
    if (message.isEmpty()) QCOMPARE(said, QString());
    else QVERIFY2(said.startsWith(message), qPrintable(said));
}

namespace {

// What a folder holds, hidden files included: name, then the content of a
// file, "link to" its target for a link, "folder" for a folder.
QStringList FolderState(const QString& path) {
    QStringList state;
    const QDir dir(path);
    for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                   QDir::NoDotAndDotDot, QDir::Name)) {
        QString what;
        if (info.isSymLink()) what = "link to " + info.symLinkTarget();
        else if (info.isDir()) what = "folder";
        else {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly)) what = QString::fromLatin1(file.readAll());
        }
        state << info.fileName() + ": " + what;
    }
    return state;
}

std::vector<CompiledTable> NewTables() {
    std::vector<CompiledTable> tables;
    for (const char* key : {"RCDATA_133", "RCDATA_134", "RCDATA_138", "RCDATA_139", "RCDATA_140", "RCDATA_141"}) {
        const std::string text = std::string("new ") + key;
        tables.push_back({key, TableBytes(text.begin(), text.end())});
    }
    return tables;
}

}  // namespace

// The outputs are replaced all together or not at all. `change`: what the
// output folder holds besides the six old tables; `failAt`: the step made to
// fail with `err` ("" for none); `message`: the end of the error.
void TestTables::outputs_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("failAt");
    QTest::addColumn<int>("err");
    QTest::addColumn<QString>("message");  // empty: every output replaced
    QTest::newRow("old outputs replaced") << "" << "" << 0 << "";
    QTest::newRow("a folder in place of an output") << "folder RCDATA_138" << "" << 0
        << "remplacement impossible : OUT/RCDATA_138 est un dossier (rien n'a changé dans OUT)";
    QTest::newRow("disk full while writing") << "" << "write RCDATA_134" << ENOSPC
        << "écriture impossible : OUT/RCDATA_134 : " + QString(std::strerror(ENOSPC)) + " (rien n'a changé dans OUT)";
    QTest::newRow("rename fails half-way") << "" << "rename RCDATA_139" << EIO
        << "remplacement impossible : OUT/RCDATA_139 : " + QString(std::strerror(EIO)) + " (rien n'a changé dans OUT)";
    QTest::newRow("link among the outputs replaced, not followed") << "link RCDATA_140" << "" << 0 << "";
}

void TestTables::outputs() {
    QFETCH(QString, change);
    QFETCH(QString, failAt);
    QFETCH(int, err);
    QFETCH(QString, message);
    QTemporaryDir tmp;
    const QString out = tmp.filePath("out");
    const QString outside = tmp.filePath("outside");
    QVERIFY(QDir().mkpath(out));
    for (const CompiledTable& t : NewTables()) {
        QFile old(out + "/" + QString::fromStdString(t.key));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QFile target(outside);
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.write("outside the folder");
    target.close();
    const QStringList part = change.split(' ');
    if (part[0] == "folder") QVERIFY(QFile::remove(out + "/" + part[1]) && QDir(out).mkpath(part[1]));
    if (part[0] == "link") QVERIFY(QFile::remove(out + "/" + part[1]) && QFile::link(outside, out + "/" + part[1]));
    const QStringList before = FolderState(out);

    std::string error;
    const OutputFault fault = [&](const std::string& step) { return step == failAt.toStdString() ? err : 0; };
    const bool written = WriteTables(out.toStdString(), NewTables(), error, fault);

    QCOMPARE(QString::fromStdString(error).replace(out, "OUT"), message);
    QCOMPARE(written, message.isEmpty());
    QCOMPARE(FolderState(tmp.path()).filter("outside: "), QStringList{"outside: outside the folder"});
    if (!written) {
        QCOMPARE(FolderState(out), before);  // nothing changed, no temporary file left
        return;
    }
    QStringList after;
    for (const CompiledTable& t : NewTables()) after << QString::fromStdString(t.key + ": new " + t.key);
    QCOMPARE(FolderState(out), after);
}

// The same on a real full disk, where the system lets us make one: a tiny
// memory file system, too small for the character table.
void TestTables::fullDisk() {
    QTemporaryDir tmp;
    const QByteArray mountPoint = QFile::encodeName(tmp.path());
    if (mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        QSKIP("cannot mount a small file system here");
    const auto unmount = qScopeGuard([&] { umount2(mountPoint.constData(), MNT_DETACH); });
    const QString out = tmp.filePath("out");
    QVERIFY(QDir().mkpath(out));
    std::vector<CompiledTable> tables = NewTables();
    tables[1].bytes.assign(200 * 1024, 'x');  // RCDATA_134, more than the disk holds
    for (const CompiledTable& t : tables) {
        QFile old(out + "/" + QString::fromStdString(t.key));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    const QStringList before = FolderState(out);
    std::string error;
    QVERIFY(!WriteTables(out.toStdString(), tables, error));
    QCOMPARE(QString::fromStdString(error).replace(out, "OUT"),
             "écriture impossible : OUT/RCDATA_134 : " + QString(std::strerror(ENOSPC)) + " (rien n'a changé dans OUT)");
    QCOMPARE(FolderState(out), before);
}

QTEST_APPLESS_MAIN(TestTables)
#include "test_tables.moc"
