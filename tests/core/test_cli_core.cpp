// The window-less modes' core: the data folder laid over the embedded data,
// the --data and --snapshot options, and the three data modes on small
// tables made here.
#include "TableBuilder.h"

#include "cli/CommandLine.h"
#include "cli/DataDirStore.h"
#include "cli/DataModes.h"
#include "cli/LoadedPlaces.h"
#include "cli/SnapshotOptions.h"
#include "data/ResourceIds.h"
#include "data/Win1252.h"
#include "npc/WorldData.h"
#include "tables/TableCompiler.h"

#include <QtTest>

#include <sstream>

#include <sys/stat.h>

namespace {

using Bytes = std::vector<unsigned char>;
const ResType kRcData = ResType::Numeric(ResId::RT_RCDATA);

std::string Text(std::optional<ByteBlock> block) {
    return block ? std::string(block->begin(), block->end()) : std::string("<none>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::string Cp1252(const char* utf8) { return Utf8ToWin1252(utf8).value(); }

// Character table records: name, whereabouts, notes, each ended by a zero.
Bytes Characters(const std::vector<std::array<std::string, 3>>& records) {
    Bytes out;
    for (const auto& r : records)
        for (const std::string& s : r) {
            out.insert(out.end(), s.begin(), s.end());
            out.push_back(0);
        }
    out.push_back(0);
    return out;
}

TableBytes Tsv(TableBytes (*compile)(const TsvTable&), const char* file, const std::string& header,
               const std::vector<std::string>& columns, const char* body) {
    return compile(ParseTsv(file, header + body, columns));
}

struct Outcome {
    int code;
    std::string out, err;
};

using Mode = int (*)(const IResourceStore&, const std::string&, std::ostream&, std::ostream&);

Outcome Call(Mode mode, const IResourceStore& store, const std::string& arg) {
    std::ostringstream out, err;
    const int code = mode(store, arg, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace

class TestCliCore : public QObject {
    Q_OBJECT
private slots:
    void fileNames_data();
    void fileNames();
    void folderOverlaysFallback();
    void folderFaults_data();
    void folderFaults();
    void dataOption_data();
    void dataOption();
    void snapshotOptions_data();
    void snapshotOptions();
    void modes_data();
    void modes();
    void cutPlaceTableStillSearched();
    void placesAsTheWindowReadsThem_data();
    void placesAsTheWindowReadsThem();
    void folderBounds_data();
    void folderBounds();
};

void TestCliCore::fileNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::newRow("rcdata") << "RCDATA_133" << "RCDATA_133";
    QTest::newRow("lower case") << "rcdata_133" << "RCDATA_133";
    QTest::newRow("type number") << "10_133" << "RCDATA_133";
    QTest::newRow("named type") << "JPG_131" << "JPG_131";
    QTest::newRow("underscore in type") << "GROUP_ICON_128" << "GROUP_ICON_128";
    QTest::newRow("no id") << "README" << "";
    QTest::newRow("empty id") << "RCDATA_" << "";
    QTest::newRow("empty type") << "_133" << "";
    QTest::newRow("id too large") << "RCDATA_70000" << "";
    QTest::newRow("suffix") << "RCDATA_133.bak" << "";
    QTest::newRow("source table") << "places.tsv" << "";
    QTest::newRow("sign") << "RCDATA_-1" << "";
}

void TestCliCore::fileNames() {
    QFETCH(QString, name);
    QFETCH(QString, key);
    QCOMPARE(QString::fromStdString(ResourceKeyOfFileName(name.toStdString())), key);
}

void TestCliCore::folderOverlaysFallback() {
    CMemoryResourceStore embedded;
    embedded.Add(kRcData, 133, TestTables::Raw("embedded places"));
    embedded.Add(kRcData, 134, TestTables::Raw("embedded characters"));
    QTemporaryDir dir;
    WriteFile(dir.filePath("RCDATA_133"), "folder places");
    WriteFile(dir.filePath("JPG_131"), "");  // an empty file is an empty resource
    WriteFile(dir.filePath("notes.txt"), "not a resource");
    CDataDirStore store(embedded);
    std::string error;
    QVERIFY2(store.LoadDirectory(dir.path().toStdString(), error), error.c_str());
    QCOMPARE(store.Count(), size_t(2));
    QCOMPARE(Text(store.Find(kRcData, 133)), std::string("folder places"));
    QCOMPARE(Text(store.Find(kRcData, 134)), std::string("embedded characters"));
    QCOMPARE(Text(store.Find(ResType::Named("JPG"), 131)), std::string());
    QCOMPARE(Text(store.Find(kRcData, 135)), std::string("<none>"));
}

void TestCliCore::folderFaults_data() {
    QTest::addColumn<QString>("layout");  // what the folder holds
    QTest::addColumn<QString>("message");
    QTest::newRow("folder missing") << "missing" << "introuvable";
    QTest::newRow("a file, not a folder") << "file" << "introuvable";
    QTest::newRow("resource name on a folder") << "subdir" << "lecture impossible";
    QTest::newRow("dangling link") << "link" << "lecture impossible";
    QTest::newRow("two spellings") << "twice" << "deux fichiers";
}

void TestCliCore::folderFaults() {
    QFETCH(QString, layout);
    QFETCH(QString, message);
    QTemporaryDir tmp;
    QString dir = tmp.path();
    WriteFile(tmp.filePath("RCDATA_134"), "good");
    if (layout == "missing") dir = tmp.filePath("nothing-here");
    if (layout == "file") dir = tmp.filePath("RCDATA_134");
    if (layout == "subdir") QVERIFY(QDir(dir).mkdir("RCDATA_133"));
    if (layout == "link") QVERIFY(QFile::link(tmp.filePath("gone"), tmp.filePath("RCDATA_133")));
    if (layout == "twice") WriteFile(tmp.filePath("10_134"), "other");
    CMemoryResourceStore embedded;
    CDataDirStore store(embedded);
    std::string error;
    QVERIFY(!store.LoadDirectory(dir.toStdString(), error));
    QVERIFY2(QString::fromStdString(error).contains(message), error.c_str());
    QCOMPARE(store.Count(), size_t(0));  // nothing half-loaded
    QVERIFY(!store.Find(kRcData, 134));
}

void TestCliCore::dataOption_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QStringList>("rest");
    QTest::newRow("none") << QStringList{"--find", "x"} << true << QStringList{"--find", "x"};
    QTest::newRow("leading") << QStringList{"--data", "DIR", "--find", "x"} << true << QStringList{"--find", "x"};
    QTest::newRow("trailing") << QStringList{"--find", "x", "--data", "DIR"} << true << QStringList{"--find", "x"};
    QTest::newRow("alone: the window") << QStringList{"--data", "DIR"} << true << QStringList{};
    QTest::newRow("no folder") << QStringList{"--find", "x", "--data"} << false << QStringList{};
    QTest::newRow("empty folder name") << QStringList{"--data", ""} << false << QStringList{};
    QTest::newRow("twice") << QStringList{"--data", "DIR", "--data", "DIR"} << false << QStringList{};
}

void TestCliCore::dataOption() {
    QFETCH(QStringList, args);
    QFETCH(bool, ok);
    QFETCH(QStringList, rest);
    QTemporaryDir dir;
    WriteFile(dir.filePath("RCDATA_133"), "x");
    std::vector<std::string> argv;
    for (const QString& a : args) argv.push_back(a == "DIR" ? dir.path().toStdString() : a.toStdString());
    CMemoryResourceStore embedded;
    CDataDirStore store(embedded);
    std::ostringstream err;
    QCOMPARE(ApplyDataOption(argv, store, err), ok);
    QCOMPARE(err.str().empty(), ok);
    if (!ok) return;
    QStringList left;
    for (const std::string& a : argv) left << QString::fromStdString(a);
    QCOMPARE(left, rest);
    QCOMPARE(store.Count(), size_t(args.contains("--data") ? 1 : 0));
}

namespace {
QString LookText(const SnapshotOptions& o) {
    QString text = QString(o.look.adaptedColours ? " adapted" : "") + (o.look.declutter ? " declutter" : "") +
                   (o.look.symbols ? " symbols" : "") + (o.look.centred ? " centred" : "");
    if (o.shownKinds) {
        QStringList kinds;
        for (const int32_t kind : *o.shownKinds) kinds << QString::number(kind);
        text += " kinds=" + kinds.join(',');
    }
    return text;
}
}  // namespace

void TestCliCore::snapshotOptions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("parsed");  // file size zoom center find level [look], or "error"
    QTest::newRow("defaults") << QStringList{"a.png"} << "a.png 1024x768 20 - - -";
    QTest::newRow("all") << QStringList{"a.png", "--size", "800x600", "--zoom", "50", "--center", "-120,340",
                                        "--find", "holm", "--level", "5"}
                         << "a.png 800x600 50 -120,340 holm 5";
    QTest::newRow("no file") << QStringList{} << "error";
    QTest::newRow("option as file") << QStringList{"--size", "10x10"} << "error";
    QTest::newRow("standard output") << QStringList{"-", "--size", "10x10"} << "- 10x10 20 - - -";
    QTest::newRow("value missing") << QStringList{"a.png", "--zoom"} << "error";
    QTest::newRow("unknown option") << QStringList{"a.png", "--colour", "red"} << "error";
    QTest::newRow("repeated") << QStringList{"a.png", "--zoom", "30", "--zoom", "40"} << "error";
    QTest::newRow("zero width") << QStringList{"a.png", "--size", "0x10"} << "error";
    QTest::newRow("huge") << QStringList{"a.png", "--size", "100000x10"} << "error";
    QTest::newRow("size without x") << QStringList{"a.png", "--size", "800"} << "error";
    QTest::newRow("size with junk") << QStringList{"a.png", "--size", "800x600px"} << "error";
    QTest::newRow("zoom below") << QStringList{"a.png", "--zoom", "9"} << "error";
    QTest::newRow("zoom above") << QStringList{"a.png", "--zoom", "1601"} << "error";
    QTest::newRow("zoom plus sign") << QStringList{"a.png", "--zoom", "+30"} << "error";
    QTest::newRow("centre one number") << QStringList{"a.png", "--center", "5"} << "error";
    QTest::newRow("centre overflow") << QStringList{"a.png", "--center", "99999999999,0"} << "error";
    QTest::newRow("level 6") << QStringList{"a.png", "--level", "6"} << "error";
    QTest::newRow("empty find") << QStringList{"a.png", "--find", ""} << "error";
    QTest::newRow("adapted colours, labels apart")
        << QStringList{"a.png", "--declutter", "--palette", "adapted", "--zoom", "50"}
        << "a.png 1024x768 50 - - - adapted declutter";
    QTest::newRow("usual colours") << QStringList{"a.png", "--palette", "usual", "--declutter"}
                                   << "a.png 1024x768 20 - - - declutter";
    QTest::newRow("unknown palette") << QStringList{"a.png", "--palette", "red"} << "error";
    QTest::newRow("palette without value") << QStringList{"a.png", "--palette"} << "error";
    QTest::newRow("declutter twice") << QStringList{"a.png", "--declutter", "--declutter"} << "error";
    QTest::newRow("centred, between options") << QStringList{"a.png", "--zoom", "10", "--centred", "--level", "2"}
                                              << "a.png 1024x768 10 - - 2 centred";
    QTest::newRow("centred last") << QStringList{"a.png", "--centred"} << "a.png 1024x768 20 - - - centred";
    QTest::newRow("centred twice") << QStringList{"a.png", "--centred", "--centred"} << "error";
    QTest::newRow("centred as a value") << QStringList{"a.png", "--find", "--centred"} << "a.png 1024x768 20 - --centred -";
    // Choices of look: appended when made.
    QTest::newRow("symbols, a switch between options") << QStringList{"a.png", "--symbols", "--zoom", "50"}
                                                       << "a.png 1024x768 50 - - - symbols";
    QTest::newRow("symbols repeated") << QStringList{"a.png", "--symbols", "--symbols"} << "error";
    QTest::newRow("kinds by key, name and code") << QStringList{"a.png", "--kinds", "port,Villes,37"}
                                                 << "a.png 1024x768 20 - - - kinds=21,19,37";
    QTest::newRow("unknown kind") << QStringList{"a.png", "--kinds", "port,chateau"} << "error";
    QTest::newRow("empty kind") << QStringList{"a.png", "--kinds", "port,"} << "error";
}

void TestCliCore::snapshotOptions() {
    QFETCH(QStringList, args);
    QFETCH(QString, parsed);
    std::vector<std::string> argv{"--snapshot"};
    for (const QString& a : args) argv.push_back(a.toStdString());
    QVERIFY(IsSnapshotRequest(argv));
    std::string error;
    const auto o = ParseSnapshotOptions(argv, error);
    if (parsed == "error") {
        QVERIFY(!o);
        QVERIFY(!error.empty());
        return;
    }
    QVERIFY2(o, error.c_str());
    const QString centre = o->centerX ? QString("%1,%2").arg(*o->centerX).arg(*o->centerY) : "-";
    QCOMPARE(QString("%1 %2x%3 %4 %5 %6 %7")
                 .arg(QString::fromStdString(o->file)).arg(o->width).arg(o->height).arg(o->zoom).arg(centre)
                 .arg(o->find ? QString::fromStdString(*o->find) : "-")
                 .arg(o->level ? QString::number(*o->level) : "-") +
                 LookText(*o),
             parsed);
}

// Each mode on one small world; `out` is what it prints, "" with exit code 1
// when it finds nothing, 2 when the text cannot be a name.
void TestCliCore::modes_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("out");
    QTest::newRow("find, table order") << "find" << "holm" << 0
                                       << "Ravenholm\t10\t-20\t0\nHolmwick\t-5\t7\t3\n";
    QTest::newRow("find, accented capital") << "find" << "ÉCLUSE" << 0 << "Port de l'écluse\t1\t2\t1\n";
    QTest::newRow("find, tab in a name") << "find" << "Tab" << 0 << "Tab Town\t3\t3\t2\n";
    QTest::newRow("find, nothing") << "find" << "zzz" << 1 << "";
    QTest::newRow("find, empty text") << "find" << "" << 2 << "";
    QTest::newRow("page, empty name") << "page" << "" << 2 << "";
    QTest::newRow("vendors, empty name") << "vendors" << "" << 2 << "";
    QTest::newRow("find, not Windows-1252") << "find" << "港" << 1 << "";
    QTest::newRow("page by name") << "page" << "mira VOSS" << 0
                                  << "<b>Mira Voss</b>";
    QTest::newRow("page, first of a name") << "page" << "Ana" << 0
                                           << "At <a href=\"quil://locidx=0\">Ravenholm</a>.";
    QTest::newRow("page by ordinal") << "page" << "#1" << 0
                                     << "Sees <a href=\"quil://npcidx=0\">Ana</a>.";
    QTest::newRow("page, ordinal past the end") << "page" << "#3" << 1 << "";
    QTest::newRow("page, bad ordinal") << "page" << "#2a" << 2 << "";
    QTest::newRow("page, unknown") << "page" << "Nobody" << 1 << "";
    QTest::newRow("vendors, last first") << "vendors" << "Flamme" << 0
                                         << "Zed\tMarket\nZed\tMarket\nAbel\tQuay\n";
    QTest::newRow("vendors, accents as typed") << "vendors" << "Éclair" << 0 << "Abel\tQuay\n";
    QTest::newRow("vendors, unknown location") << "vendors" << "Givre" << 0
                                               << "Cleo\t** Localisation inconnue **\n";
    QTest::newRow("vendors, case differs: the first equal but for case")
        << "vendors" << "flamme" << 0 << "Zed\tMarket\nZed\tMarket\nAbel\tQuay\n";
    QTest::newRow("vendors, accents and case folded, table order") << "vendors" << "ECLAIR" << 0 << "Abel\tQuay\n";
    QTest::newRow("vendors, the exact name first") << "vendors" << "eclair" << 0 << "";
    QTest::newRow("vendors, folded but other letters") << "vendors" << "Eclairs" << 1 << "";
    QTest::newRow("vendors, no vendor") << "vendors" << "Brume" << 0 << "";
}

void TestCliCore::modes() {
    QFETCH(QString, mode);
    QFETCH(QString, arg);
    QFETCH(int, code);
    QFETCH(QString, out);
    CMemoryResourceStore store;
    store.Add(kRcData, ResId::IDR_PLACES,
              TestTables::PlaceTable({{"Ravenholm", 1, 0, 10, -20},
                                      {Cp1252("Port de l'écluse"), 1, 1, 1, 2},
                                      {"Tab\tTown", 1, 2, 3, 3},
                                      {"Holmwick", 1, 3, -5, 7}}));
    store.Add(kRcData, ResId::IDR_CHARACTERS,
              Characters({{"Ana", "At Ravenholm.", ""}, {"Mira Voss", "Here.", "Sees Ana."}, {"Ana", "", ""}}));
    const std::string spellHeader = "name\teffect\tid\n";
    store.Add(kRcData, ResId::IDR_SPELLS,
              Tsv(CompileSpells, "spells.tsv", spellHeader, {"name", "effect", "id"},
                  "Flamme\t1\t7\nÉclair\t1\t8\nGivre\t1\t9\nBrume\t1\t10\neclair\t1\t11\n"));
    store.Add(kRcData, ResId::IDR_VENDORS,
              Tsv(CompileVendors, "vendors.tsv", "name\tlocation\tspells\n", {"name", "location", "spells"},
                  "Abel\t0\t7 8\nCleo\t9\t9\nZed\t1\t7 7\n"));
    store.Add(kRcData, ResId::IDR_VENDOR_LOCATIONS,
              Tsv(CompileLocations, "locations.tsv", "location\n", {"location"}, "Quay\nMarket\n"));
    Outcome r{};
    if (mode == "find") r = Call(PrintFoundPlaces, store, arg.toStdString());
    if (mode == "page") r = Call(PrintCharacterPage, store, arg.toStdString());
    if (mode == "vendors") r = Call(PrintSpellVendors, store, arg.toStdString());
    QCOMPARE(r.code, code);
    QCOMPARE(r.err.empty(), code == 0);
    if (mode == "page" && code == 0) {
        // A whole page, links made, ending the line; `out` is a part of it.
        QVERIFY2(QString::fromStdString(r.out).contains(out), r.out.c_str());
        QVERIFY(r.out.size() > 1 && r.out.back() == '\n');
        return;
    }
    QCOMPARE(QString::fromStdString(r.out), out);
}

// The one reading of the place table, for the window and the modes: what it
// gives, what it says, and that a second load reads nothing again.
void TestCliCore::placesAsTheWindowReadsThem_data() {
    QTest::addColumn<int>("cut");  // bytes taken off the table's end; -1: no table
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("said");
    QTest::newRow("whole") << 0 << 2 << "";
    QTest::newRow("cut in the last record") << 6 << 1 << QString::fromUtf8("table des lieux incomplète ; 1 lieu lu");
    QTest::newRow("absent") << -1 << 0 << "table des lieux absente";
}

void TestCliCore::placesAsTheWindowReadsThem() {
    QFETCH(int, cut);
    QFETCH(int, places);
    QFETCH(QString, said);
    Bytes table = TestTables::PlaceTable({{"Ravenholm", 1, 0, 10, -20}, {"Holmwick", 1, 3, -5, 7}});
    table.resize(table.size() - size_t(std::max(cut, 0)));
    CMemoryResourceStore store;
    if (cut >= 0) store.Add(kRcData, ResId::IDR_PLACES, table);
    CWorldData world(store);
    std::ostringstream err;
    QCOMPARE(LoadPlacesSaying(world, err).GetSize(), places);
    QVERIFY2(QString::fromStdString(err.str()).contains(said), err.str().c_str());
    QCOMPARE(err.str().empty(), said.isEmpty());
    QCOMPARE(world.LoadProblems().size(), size_t(cut > 0 ? 1 : 0));  // an absent table is no problem for the window
    std::ostringstream again;
    QCOMPARE(LoadPlacesSaying(world, again).GetSize(), places);  // read once: the same places
}

void TestCliCore::cutPlaceTableStillSearched() {
    Bytes table = TestTables::PlaceTable({{"Ravenholm", 1, 0, 10, -20}, {"Holmwick", 1, 3, -5, 7}});
    table.resize(table.size() - 6);  // the last record cut short, no terminator
    CMemoryResourceStore store;
    store.Add(kRcData, ResId::IDR_PLACES, table);
    const Outcome r = Call(PrintFoundPlaces, store, "holm");
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, std::string("Ravenholm\t10\t-20\t0\n"));
    QVERIFY(r.err.find("incomplète") != std::string::npos);
}

// What a data folder may hold besides the program's resources, and how big
// these may be. `files`: "kind NAME [size]" each, kind one of file (that
// many bytes), sparse (a hole of that size), fifo, link (to the path given).
void TestCliCore::folderBounds_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("error");  // the message, DIR for the folder; empty: loads
    QTest::addColumn<int>("count");      // resources the folder gives
    const QString tooLarge = QString::fromUtf8("fichier trop grand");
    QTest::newRow("unused FIFO not opened") << QStringList{"fifo JUNK_1", "file RCDATA_133 3"} << "" << 1;
    QTest::newRow("unused huge sparse file not read") << QStringList{"sparse JUNK_1 4294967296"} << "" << 0;
    QTest::newRow("well-named but unused resources ignored")
        << QStringList{"file RCDATA_135 5", "file HTML_137 5", "file GROUP_ICON_128 5", "fifo DIALOG_100",
                       "file 10_7 5"}
        << "" << 0;
    QTest::newRow("used resource at its bound") << QStringList{"file HTML_135 1048576"} << "" << 1;
    QTest::newRow("used resource over its bound")
        << QStringList{"file RCDATA_141 4194305"} << tooLarge + " : DIR/RCDATA_141 (au plus 4 Mio pour RCDATA_141)" << 0;
    QTest::newRow("sparse 4 GiB picture refused unread")
        << QStringList{"sparse JPG_131 4294967296"} << tooLarge + " : DIR/JPG_131 (au plus 64 Mio pour JPG_131)" << 0;
    QTest::newRow("used FIFO refused, not waited for")
        << QStringList{"fifo RCDATA_133"} << "lecture impossible : DIR/RCDATA_133 (ce n'est pas un fichier ordinaire)" << 0;
    QTest::newRow("link to a device refused") << QStringList{"link RCDATA_134 /dev/zero"}
                                              << "lecture impossible : DIR/RCDATA_134 (ce n'est pas un fichier ordinaire)" << 0;
    QTest::newRow("missing link target, with the reason")
        << QStringList{"link RCDATA_134 /nonexistent"} << "lecture impossible : DIR/RCDATA_134 (No such file or directory)" << 0;
    // A file whose size says 0 but holds megabytes: only the bound counts.
    if (QFileInfo("/proc/kallsyms").isReadable() && QFileInfo("/proc/kallsyms").size() == 0)
        QTest::newRow("size claimed, not trusted")
            << QStringList{"link HTML_136 /proc/kallsyms"} << tooLarge + " : DIR/HTML_136 (au plus 1 Mio pour HTML_136)" << 0;
}

void TestCliCore::folderBounds() {
    QFETCH(QStringList, files);
    QFETCH(QString, error);
    QFETCH(int, count);
    QTemporaryDir tmp;
    for (const QString& entry : files) {
        const QStringList part = entry.split(' ');
        const QString path = tmp.filePath(part[1]);
        if (part[0] == "fifo") QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (part[0] == "link") QVERIFY(QFile::link(part[2], path));
        if (part[0] == "file") WriteFile(path, QByteArray(part[2].toInt(), 'x'));
        if (part[0] == "sparse") {
            WriteFile(path, "");
            QVERIFY(QFile::resize(path, part[2].toLongLong()));
        }
    }
    CMemoryResourceStore embedded;
    CDataDirStore store(embedded);
    std::string message;
    const bool loaded = store.LoadDirectory(tmp.path().toStdString(), message);
    QVERIFY2(loaded == error.isEmpty(), message.c_str());
    QCOMPARE(QString::fromStdString(message), QString(error).replace("DIR", tmp.path()));
    QCOMPARE(store.Count(), size_t(count));
    // Ignored files are not resources: they never reach the store.
    QVERIFY(!store.Find(kRcData, 135));
    QVERIFY(!store.Find(ResType::Named("JUNK"), 1));
}

QTEST_GUILESS_MAIN(TestCliCore)
#include "test_cli_core.moc"
