// The real zerim executable in its data modes, with the embedded data and
// with folders of resource files (--data): good input, bad input, damaged
// tables, a modder's round trip through zerim-tables, and snapshots.
#include "JpegMaker.h"
#include "ProcessRunner.h"
#include "WriteTargets.h"
#include "RandomTables.h"
#include "TableBuilder.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

using TestProcess::Result;

Result RunProgram(const QString& program, const QStringList& args) {
    return TestProcess::Run(program, args, TestProcess::WithoutDisplay());
}

Result Run(const QStringList& args) { return RunProgram(QStringLiteral(ZERIM_EXE), args); }

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray FromBytes(const std::vector<unsigned char>& v) {
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

// The places of res/places.tsv whose name holds `text` (ASCII, any case), as
// --find prints them.
QByteArray SourceRowsHolding(const QString& text) {
    QByteArray rows;
    const QList<QByteArray> lines = ReadFile(QStringLiteral(ZERIM_SOURCE_DIR "/res/places.tsv")).split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        const QList<QByteArray> f = line.split('\t');  // name type level x y
        if (f.size() == 5 && QString::fromUtf8(f[0]).contains(text, Qt::CaseInsensitive))
            rows += f[0] + '\t' + f[3] + '\t' + f[4] + '\t' + f[2] + '\n';
    }
    return rows;
}

bool IsRed(QRgb p) { return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60; }
bool IsGreen(QRgb p) { return qGreen(p) > 200 && qRed(p) < 80 && qBlue(p) < 80; }

int Count(const QImage& image, QRect area, bool (*test)(QRgb)) {
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y));
    return n;
}

}  // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void findMatchesThePlaceTable();
    void pageByNameAndOrdinal();
    void vendorsOfASpell();
    void helpShowsEveryMode();
    void linkOfAPlace();
    void routes_data();
    void routes();
    void shopping_data();
    void shopping();
    void badInput_data();
    void badInput();
    void emptyFolderKeepsEmbeddedData();
    void cutTableInFolder();
    void randomBytesAsTables();
    void modderRoundTrip();
    void compilerStopsAtBadLine();
    void snapshot();
    void snapshotAfterFind();
    void snapshotOfSomeKinds();
    void listKinds();
    void snapshotTargets_data() { WriteTargets::AddRows(); }
    void snapshotTargets();
    void clearMessages_data();
    void clearMessages();
    void undefinedBytesFound();
    void damagedVendorTable_data();
    void damagedVendorTable();
    void fullOutput_data();
    void fullOutput();
    void snapshotOfDamagedData_data();
    void snapshotOfDamagedData();
    void snapshotOfTinyPictures_data();
    void snapshotOfTinyPictures();
    void notesModes();
};

void TestCli::findMatchesThePlaceTable() {
    const Result r = Run({"--find", "HOLM"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(!r.out.isEmpty());
    QCOMPARE(r.out, SourceRowsHolding("holm"));
}

void TestCli::pageByNameAndOrdinal() {
    const Result byOrdinal = Run({"--page", "#0"});
    QCOMPARE(byOrdinal.exitCode, 0);
    QVERIFY(byOrdinal.out.contains("quil://locidx="));  // its whereabouts are linked
    // The first record's name, in any case, gives the same page.
    const QByteArray first = ReadFile(QStringLiteral(ZERIM_SOURCE_DIR "/res/characters.tsv")).split('\n')[1].split('\t')[0];
    QVERIFY(byOrdinal.out.contains("<b>" + first + "</b>"));
    const Result byName = Run({"--page", QString::fromUtf8(first).toUpper()});
    QCOMPARE(byName.exitCode, 0);
    QCOMPARE(byName.out, byOrdinal.out);
}

// The vendors of res/vendors.tsv whose list names spell 27 ("Trait de
// foudre"), once per mention, the last vendor first.
void TestCli::vendorsOfASpell() {
    const Result r = Run({"--vendors", "Trait de foudre"});
    QCOMPARE(r.exitCode, 0);
    QStringList expected;
    const QList<QByteArray> lines = ReadFile(QStringLiteral(ZERIM_SOURCE_DIR "/res/vendors.tsv")).split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        const QList<QByteArray> f = line.split('\t');  // name location spells
        if (f.size() != 3) continue;
        for (const QByteArray& id : f[2].split(' '))
            if (id == "27") expected.prepend(QString::fromUtf8(f[0]));
    }
    QVERIFY(!expected.isEmpty());
    QStringList vendors;
    for (const QString& row : QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts)) {
        QCOMPARE(row.count('\t'), 1);
        vendors << row.section('\t', 0, 0);
    }
    QCOMPARE(vendors, expected);
}

// The link is written with the table's own spelling of the name, whatever
// case it was asked in.
void TestCli::linkOfAPlace() {
    const QByteArray first = ReadFile(QStringLiteral(ZERIM_SOURCE_DIR "/res/places.tsv")).split('\n')[1].split('\t')[0];
    const Result r = Run({"--link", "place", QString::fromUtf8(first).toUpper()});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, "zerim:place/" + first.toPercentEncoding() + "\n");
}

void TestCli::helpShowsEveryMode() {
    const Result r = Run({"--help"});
    QCOMPARE(r.exitCode, 0);
    for (const char* mode : {"--dump", "--find", "--page", "--vendors", "--search", "lieu:", "type:", "--list kinds",
                             "--snapshot", "--symbols", "--kinds", "--data", "zerim-tables", "--shopping"})
        QVERIFY2(r.out.contains(mode), mode);
}

namespace {
// Runs with `roads` as the roads table of a --data folder; null: the embedded one.
Result RunWithRoads(const QStringList& args, const QByteArray& roads) {
    if (roads.isNull()) return Run(args);
    QTemporaryDir dir;
    WriteFile(dir.filePath("RCDATA_142"), roads);
    return Run(QStringList{"--data", dir.path()} + args);
}
}  // namespace

void TestCli::routes_data() {
    QTest::addColumn<QByteArray>("roads");  // RCDATA_142 in a --data folder; null: the embedded one
    QTest::addColumn<QByteArray>("notice");
    QTest::addColumn<QByteArray>("rank");   // the first leg's
    QTest::newRow("embedded roads") << QByteArray() << QByteArray() << QByteArray("hors route");
    QTest::newRow("damaged roads in --data") << QByteArray("\x01\x02") << QByteArray("table des routes endommagée")
                                             << QByteArray("ligne droite");
}

// Two towns of one road network, in any case: legs of four fields that
// follow on, then the totals.
void TestCli::routes() {
    QFETCH(QByteArray, roads);
    QFETCH(QByteArray, notice);
    QFETCH(QByteArray, rank);
    const Result r = RunWithRoads({"--route", "tessanta", "Vinanta"}, roads);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(notice.isEmpty() ? r.err.isEmpty() : r.err.contains(notice), r.err.constData());
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    QVERIFY(lines.size() >= 2);
    QVERIFY(lines.front().startsWith("Tessanta\t"));
    QCOMPARE(lines.front().split('\t').value(2), rank);
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> f = lines[i].split('\t');
        QCOMPARE(f.size(), 4);
        if (i > 0) QCOMPARE(f[0], lines[i - 1].split('\t')[1]);
    }
    QVERIFY(lines[lines.size() - 2].split('\t')[1] == "Vinanta");
    QVERIFY(lines.back().startsWith("total\t"));
}

void TestCli::shopping_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("roads");  // RCDATA_142 in a --data folder; null: the embedded one
    QTest::addColumn<QByteArray>("notice");
    QTest::addColumn<int>("spells");  // how many different spells were asked for
    QTest::addColumn<QByteArray>("total");
    QTest::newRow("from a place, names in any case") << QStringList{"SORT DE L'AMADOU", "Rune de la lame", "--from", "tessanta"}
                                                     << QByteArray() << QByteArray() << 2 << QByteArray(" lieues\tà pied ");
    QTest::newRow("no start, a name two spells share, a spell twice")
        << QStringList{"Bouclier du tonnerre", "Griffe de bile", "Griffe de bile", "Porte du chardon"} << QByteArray()
        << QByteArray("plusieurs sorts s'appellent « Bouclier du tonnerre »") << 3 << QByteArray(" lieues\tà pied ");
    QTest::newRow("damaged roads: map units") << QStringList{"Griffe de bile", "Songe du bateleur", "--from", "Vinanta"}
                                              << QByteArray("\x01\x02") << QByteArray("table des routes endommagée") << 2
                                              << QByteArray(" unités");
}

// Stops numbered from 1, each of six fields, that buy every spell asked for
// once; then the total and how exact the answer is.
void TestCli::shopping() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, roads);
    QFETCH(QByteArray, notice);
    QFETCH(int, spells);
    QFETCH(QByteArray, total);
    const Result r = RunWithRoads(QStringList{"--shopping"} + args, roads);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(notice.isEmpty() ? r.err.isEmpty() : r.err.contains(notice), r.err.constData());
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    QVERIFY(lines.size() >= 3);
    int bought = 0;
    for (int i = 0; i + 2 < lines.size(); ++i) {
        const QList<QByteArray> f = lines[i].split('\t');
        QCOMPARE(f.size(), 6);
        QCOMPARE(f[0], QByteArray::number(i + 1));
        bought += int(f[4].split(',').size());
    }
    QCOMPARE(bought, spells);
    QVERIFY2(lines[lines.size() - 2].startsWith("total\t") && lines[lines.size() - 2].contains(total), lines[lines.size() - 2]);
    QVERIFY(lines.back().startsWith("précision\t"));
}

void TestCli::badInput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("code");  // 1: nothing found, a failed write; 2: bad usage, unreadable input
    QTest::newRow("unknown place") << QStringList{"--find", "zzqqx"} << QByteArray("zzqqx") << 1;
    QTest::newRow("find without text") << QStringList{"--find"} << QByteArray("--find") << 2;
    QTest::newRow("find, two texts") << QStringList{"--find", "a", "b"} << QByteArray("--find") << 2;
    QTest::newRow("unknown character") << QStringList{"--page", "Nobody Atall"} << QByteArray("Nobody Atall") << 1;
    QTest::newRow("ordinal out of range") << QStringList{"--page", "#999999"} << QByteArray("#999999") << 1;
    QTest::newRow("unknown spell") << QStringList{"--vendors", "Sort perdu"} << QByteArray("Sort perdu") << 1;
    QTest::newRow("spell misspelt") << QStringList{"--vendors", "trait de foudres"} << QByteArray("inconnu") << 1;
    QTest::newRow("search matching nothing") << QStringList{"--search", "zzqqx"} << QByteArray("zzqqx") << 1;
    QTest::newRow("search without text") << QStringList{"--search"} << QByteArray("--search") << 2;
    QTest::newRow("search, a filter alone") << QStringList{"--search", "lieu:"} << QByteArray("--search") << 2;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << QByteArray("--frobnicate") << 2;
    QTest::newRow("link of no such place") << QStringList{"--link", "place", "Zzqqx"}
                                           << QByteArray("aucun lieu ne s'appelle « Zzqqx »") << 1;
    QTest::newRow("link of a view") << QStringList{"--link", "view", "a"} << QByteArray("genre inconnu : « view »") << 2;
    QTest::newRow("link without name") << QStringList{"--link", "spell"} << QByteArray("--link attend") << 2;
    QTest::newRow("route from no such place") << QStringList{"--route", "Zzqqx", "Tessanta"}
                                              << QByteArray("aucun lieu ne s'appelle « Zzqqx »") << 1;
    QTest::newRow("route to one place") << QStringList{"--route", "Tessanta"} << QByteArray("--route attend") << 2;
    QTest::newRow("shopping, unknown spell") << QStringList{"--shopping", "Griffe de bile", "Sort perdu"}
                                             << QByteArray("aucun sort ne s'appelle « Sort perdu »") << 1;
    QTest::newRow("shopping, no spell") << QStringList{"--shopping", "--from", "Tessanta"} << QByteArray("--shopping attend")
                                        << 2;
    QTest::newRow("shopping, --from without place") << QStringList{"--shopping", "Griffe de bile", "--from"}
                                                    << QByteArray("--from attend") << 2;
    QTest::newRow("shopping, unknown start") << QStringList{"--shopping", "Griffe de bile", "--from", "Zzqqx"}
                                             << QByteArray("aucun lieu ne s'appelle « Zzqqx »") << 2;
    QTest::newRow("missing folder") << QStringList{"--data", "/nonexistent/zerim", "--find", "a"}
                                    << QByteArray("/nonexistent/zerim") << 2;
    QTest::newRow("data without folder") << QStringList{"--find", "a", "--data"} << QByteArray("--data") << 2;
    QTest::newRow("snapshot into missing folder") << QStringList{"--snapshot", "/nonexistent/zerim/a.png"}
                                                  << QByteArray("/nonexistent/zerim/a.png") << 1;
    QTest::newRow("snapshot, bad size") << QStringList{"--snapshot", "a.png", "--size", "big"} << QByteArray("--size") << 2;
    QTest::newRow("search, unknown kind") << QStringList{"--search", "type:chateau"} << QByteArray("type de lieu inconnu")
                                          << 2;
    QTest::newRow("snapshot, unknown kind") << QStringList{"--snapshot", "a.png", "--kinds", "chateau"}
                                            << QByteArray("« chateau »") << 2;
    QTest::newRow("snapshot, unknown place") << QStringList{"--snapshot", "a.png", "--find", "zzqqx"}
                                             << QByteArray("zzqqx") << 1;
}

void TestCli::badInput() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, message);
    QFETCH(int, code);
    const QDir before = QDir::current();
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const Result r = Run(args);
    QDir::setCurrent(before.path());
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, code);
    QVERIFY2(r.err.contains(message), r.err.constData());
    QVERIFY(r.out.isEmpty());
    QVERIFY(QDir(dir.path()).isEmpty());  // no snapshot left behind
}

void TestCli::emptyFolderKeepsEmbeddedData() {
    QTemporaryDir dir;
    const Result r = Run({"--data", dir.path(), "--find", "holm"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, Run({"--find", "holm"}).out);
    QVERIFY(r.err.contains("aucun fichier"));  // a word that the folder gave nothing
}

// A place table cut in the middle of a record: the places before the cut
// are found, the modes still run on the other tables.
void TestCli::cutTableInFolder() {
    QTemporaryDir dir;
    const QByteArray places = FromBytes(TestTables::PlaceTable({{"Qarnholt", 1, 0, 5, 6}, {"Qarnmoor", 1, 1, 7, 8}}));
    WriteFile(dir.filePath("RCDATA_133"), places.left(places.size() - 5));
    const Result found = Run({"--data", dir.path(), "--find", "qarn"});
    QCOMPARE(found.exitCode, 0);
    QCOMPARE(found.out, QByteArray("Qarnholt\t5\t6\t0\n"));
    QVERIFY(found.err.contains("incomplète"));
    QCOMPARE(Run({"--data", dir.path(), "--find", "holm"}).exitCode, 1);  // the embedded places are replaced
    QCOMPARE(Run({"--data", dir.path(), "--vendors", "Trait de foudre"}).exitCode, 0);
    QCOMPARE(Run({"--data", dir.path(), "--page", "#0"}).exitCode, 0);
}

// Whatever the bytes, every mode ends normally with 0 or 1.
void TestCli::randomBytesAsTables() {
    QRandomGenerator random(8);
    for (int round = 0; round < 3; ++round) {
        QTemporaryDir dir;
        QVERIFY(TestTables::WriteRandomTables(dir.path(), random, round != 0));
        WriteFile(dir.filePath("JPG_131"), QByteArray(500, char(0xFF)));
        const QList<QStringList> modes{{"--find", "a"},     {"--page", "#0"},  {"--page", "a"},
                                       {"--vendors", "a"},  {"--snapshot", dir.filePath("s.png"), "--level", "5"}};
        for (const QStringList& mode : modes) {
            const Result r = Run(QStringList{"--data", dir.path()} + mode);
            QVERIFY2(r.status == QProcess::NormalExit && (r.exitCode == 0 || r.exitCode == 1),
                     qPrintable(mode.join(' ') + ": " + r.err));
        }
    }
}

// Copy the sources, add a place, compile, run on the result.
void TestCli::modderRoundTrip() {
    QTemporaryDir work;
    const QDir res(QStringLiteral(ZERIM_SOURCE_DIR "/res"));
    QDir(work.path()).mkdir("src");
    for (const QString& name : res.entryList({"*.tsv"}, QDir::Files))
        QVERIFY(QFile::copy(res.filePath(name), work.filePath("src/" + name)));
    QFile places(work.filePath("src/places.tsv"));
    QVERIFY(places.open(QIODevice::Append));
    places.write("Vrendelmark Quay\t3\t0\t1234\t-5678\n");
    places.close();
    const Result compiled = RunProgram(QStringLiteral(ZERIM_TABLES_EXE), {work.filePath("src"), work.filePath("out")});
    QCOMPARE(compiled.exitCode, 0);
    const Result r = Run({"--data", work.filePath("out"), "--find", "vrendel"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("Vrendelmark Quay\t1234\t-5678\t0\n"));
    QVERIFY(r.err.isEmpty());
    // The other tables compile to exactly the embedded bytes.
    QCOMPARE(ReadFile(work.filePath("out/RCDATA_138")), Run({"--dump", "RCDATA", "138"}).out);
}

void TestCli::compilerStopsAtBadLine() {
    QTemporaryDir work;
    WriteFile(work.filePath("places.tsv"), "name\ttype\tlevel\tx\ty\nGood\t1\t0\t1\t2\nBad\t1\tzero\t1\t2\n");
    const Result r = RunProgram(QStringLiteral(ZERIM_TABLES_EXE), {work.path(), work.filePath("out")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("places.tsv:3"), r.err.constData());
}

// Each kind present in the table, a code outside our world's table too.
void TestCli::listKinds() {
    QTemporaryDir dir;
    WriteFile(dir.filePath("RCDATA_133"),
              FromBytes(TestTables::PlaceTable({{"Kelwick", 21, 0, 0, 0}, {"Oddmere", 37, 0, 5, 5}, {"Orvane", 21, 0, 9, 9}})));
    const Result r = Run({"--data", dir.path(), "--list", "kinds"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("21\tport\tPort\t2\n37\t37\tType 37\t1\n"));
}

// A folder with a plain grey picture and one place at world (0, 0): at zoom
// 20, top-left, its marker is the outline from (272, 475) to (277, 480).
namespace {
QString SnapshotWorld(const QTemporaryDir& dir) {
    WriteFile(dir.filePath("JPG_131"), FromBytes(TestJpeg::Solid(3300, 3800, {128, 128, 128})));
    WriteFile(dir.filePath("RCDATA_133"), FromBytes(TestTables::PlaceTable({{"Orvane", 10, 0, 0, 0}})));
    return dir.path();
}
}  // namespace

// The kinds not asked for are not drawn: the region's marker is gone, and
// with symbols it is its ring instead of the square.
void TestCli::snapshotOfSomeKinds() {
    QTemporaryDir dir;
    const QString png = dir.filePath("map.png");
    const QString world = SnapshotWorld(dir);
    Result r = Run({"--data", world, "--snapshot", png, "--size", "800x600", "--kinds", "port"});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QCOMPARE(Count(QImage(png), QRect(270, 473, 10, 10), IsRed), 0);
    r = Run({"--data", world, "--snapshot", png, "--size", "800x600", "--kinds", "region", "--symbols"});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QImage shot(png);
    QVERIFY(Count(shot, QRect(270, 473, 10, 10), IsRed) > 6);
    QVERIFY(!IsRed(shot.pixel(272, 475)));  // a ring: no square's corner
}

void TestCli::snapshot() {
    QTemporaryDir dir;
    const QString png = dir.filePath("map.png");
    const Result r = Run({"--data", SnapshotWorld(dir), "--snapshot", png, "--size", "800x600"});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QImage shot(png);
    QCOMPARE(shot.size(), QSize(800, 600));
    for (QPoint p : {QPoint(272, 475), QPoint(277, 475), QPoint(272, 480), QPoint(277, 480)})
        QVERIFY(IsRed(shot.pixel(p)));
    QCOMPARE(Count(shot, QRect(279, 475, 60, 20), IsGreen), 0);  // not found: a white label
    // Map area up to the edges, no scroll bar: black right of the picture,
    // the picture down to the last row.
    QCOMPARE(shot.pixelColor(799, 300), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(100, 599), QColor(128, 128, 128));
    // Default size; the picture's right edge at 660 with black beyond.
    const Result whole = Run({"--data", dir.path(), "--snapshot", png});
    QCOMPARE(whole.exitCode, 0);
    QCOMPARE(QImage(png).size(), QSize(1024, 768));
    QCOMPARE(QImage(png).pixelColor(700, 100), QColor(Qt::black));
}

void TestCli::snapshotAfterFind() {
    QTemporaryDir dir;
    const QString png = dir.filePath("found.png");
    const Result r = Run({"--data", SnapshotWorld(dir), "--snapshot", png, "--size", "640x480", "--zoom", "40",
                          "--find", "orv"});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    const QImage shot(png);
    QCOMPARE(shot.size(), QSize(640, 480));
    // The view flew to the one place found: its marker at the centre of the
    // whole 640 x 480 map area, its label green just right of it.
    int markerX = -1, markerY = -1;
    for (int y = 0; y < shot.height() && markerX < 0; ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (IsRed(shot.pixel(x, y))) {
                markerX = x, markerY = y;
                break;
            }
    QCOMPARE(QPoint(markerX, markerY), QPoint(320 - 3, 240 - 3));
    QVERIFY(Count(shot, QRect(markerX + 7, markerY, 50, 16), IsGreen) > 10);
}

// What a snapshot does to each kind of target: the table every writer runs.
void TestCli::snapshotTargets() {
    WriteTargets::Check(
        [](const QString& path) {
            const Result r = Run({"--snapshot", path, "--size", "64x48"});
            return WriteTargets::Outcome{r.exitCode == 0, QString::fromUtf8(r.err)};
        },
        [](const QByteArray& bytes) { return QImage::fromData(bytes, "PNG").size() == QSize(64, 48); });
}

// Messages that name their cause, and arguments echoed back cleaned of
// control bytes and of bytes that are not UTF-8.
void TestCli::clearMessages_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("shell");  // how the shell runs it; empty: directly
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("err");  // a part of it
    const QString exe = QStringLiteral(ZERIM_EXE);
    QTest::newRow("--who echoes no escape sequence")
        << QStringList{"--who", "\x1B]0;x\x07Kel"} << "" << 1 << QByteArray("« \xEF\xBF\xBD]0;x\xEF\xBF\xBDKel »");
    QTest::newRow("--find echoes no invalid UTF-8")  // the byte FF, which the shell passes as it is
        << QStringList{} << exe + " --find \"$(printf 'zq\\377')\"" << 1 << QByteArray("« zq\xEF\xBF\xBD »");
    QTest::newRow("--find with standard output closed")
        << QStringList{"--find", "holm"} << exe + " \"$@\" >&-" << 1 << QByteArray("sortie standard : elle est fermée");
    QTest::newRow("--snapshot - with standard output closed")
        << QStringList{"--snapshot", "-", "--size", "8x8"} << exe + " \"$@\" >&-" << 1
        << QByteArray("la sortie standard est fermée");
    QTest::newRow("-display with an empty value, DISPLAY set")
        << QStringList{"-display", ""} << "DISPLAY=:0 " + exe + " \"$@\"" << 1 << QByteArray("-display a une valeur vide");
    QTest::newRow("a second file named")
        << QStringList{"-platform", "offscreen", "/dev/null", "b\x1B.txt"} << "ZERIM_EXIT_AFTER_FIRST_MAP=1 " + exe + " \"$@\""
        << 0 << QByteArray("un seul fichier s'ouvre ; ignoré : b\xEF\xBF\xBD.txt");
    // No window can open to say it: the standard error does.
    QTest::newRow("a bad link without a display")
        << QStringList{"zerim:place/a%1B[2J"} << "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + exe + " \"$@\""
        << 1 << QByteArray("lien refusé : le nom contient un caractère de contrôle");
}

void TestCli::clearMessages() {
    QFETCH(QStringList, args);
    QFETCH(QString, shell);
    QFETCH(int, code);
    QFETCH(QByteArray, err);
    const Result r = shell.isEmpty() ? Run(args) : RunProgram("/bin/sh", QStringList{"-c", shell, "zerim"} + args);
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, code);
    QVERIFY2(r.err.contains(err), r.err.constData());
    QVERIFY2(!r.err.contains('\x1B') && !r.err.contains('\x07'), r.err.constData());
}

// A name holding bytes that Windows-1252 leaves undefined comes out with
// the replacement character, not with C1 controls.
void TestCli::undefinedBytesFound() {
    QTemporaryDir dir;
    WriteFile(dir.filePath("RCDATA_133"), FromBytes(TestTables::PlaceTable({{"Nor\x81th\x9Dgate", 1, 0, 5, 6}})));
    const Result r = Run({"--data", dir.path(), "--find", "nor"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("Nor\xEF\xBF\xBDth\xEF\xBF\xBDgate\t5\t6\t0\n"));
}

namespace {
QByteArray VendorRecord(const QByteArray& name, uint16_t location, std::initializer_list<uint16_t> spells) {
    TestTables::Bytes out(name.begin(), name.end());
    out.push_back(0);
    TestTables::PutU16(out, location);
    for (uint16_t id : spells) TestTables::PutU16(out, id);
    TestTables::PutU16(out, 0xFFFF);
    return FromBytes(out);
}
}  // namespace

// Vendors of spell 27 of the embedded spell table ("Trait de foudre").
void TestCli::damagedVendorTable_data() {
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");  // a part of it; empty: nothing said
    const QByteArray abel = VendorRecord("Abel", 0, {27}), zed = VendorRecord("Zed", 1, {30, 27});
    const QByteArray end(1, '\0');
    QTest::newRow("whole") << abel + zed + end << 0 << QByteArray("Zed\tMarket\nAbel\tQuay\n") << QByteArray();
    QTest::newRow("end mark missing") << abel + zed << 0 << QByteArray("Zed\tMarket\nAbel\tQuay\n")
                                      << QByteArray("table des vendeurs incomplète ; 2 vendeurs lus");
    QTest::newRow("last record past the end") << abel + zed.chopped(2) << 0 << QByteArray("Abel\tQuay\n")
                                              << QByteArray("table des vendeurs incomplète ; 1 vendeurs lus");
    QTest::newRow("cut in the first record") << abel.left(6) << 1 << QByteArray()
                                             << QByteArray("aucun vendeur lu pour « Trait de foudre »");
    QTest::newRow("empty") << QByteArray() << 1 << QByteArray() << QByteArray("incomplète ; 0 vendeurs lus");
    QTest::newRow("undefined bytes as U+FFFD") << VendorRecord("Ab\x81\x9D", 2, {27}) + end << 0
                                               << QByteArray("Ab\xEF\xBF\xBD\xEF\xBF\xBD\tQu\xEF\xBF\xBD" "ay\n")
                                               << QByteArray();
}

void TestCli::damagedVendorTable() {
    QFETCH(QByteArray, table);
    QFETCH(int, code);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QTemporaryDir dir;
    WriteFile(dir.filePath("RCDATA_139"), table);
    WriteFile(dir.filePath("RCDATA_141"), QByteArray("Quay\0Market\0Qu\x8F" "ay\0", 19));
    const Result r = Run({"--data", dir.path(), "--vendors", "Trait de foudre"});
    QCOMPARE(r.exitCode, code);
    QCOMPARE(r.out, out);
    if (err.isEmpty()) QCOMPARE(r.err, QByteArray());
    QVERIFY2(r.err.contains(err), r.err.constData());
}

// Standard output on a full disk: every mode that prints says so and fails.
void TestCli::fullOutput_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("version") << QStringList{"--version"};
    QTest::newRow("dump") << QStringList{"--dump", "RCDATA", "133"};
    QTest::newRow("find") << QStringList{"--find", "holm"};
    QTest::newRow("page") << QStringList{"--page", "#0"};
    QTest::newRow("vendors") << QStringList{"--vendors", "Trait de foudre"};
    QTest::newRow("search") << QStringList{"--search", "tessanta"};
}

void TestCli::fullOutput() {
    QFETCH(QStringList, args);
    if (WriteTargets::KindOf("/dev/full") != S_IFCHR) QSKIP("no /dev/full here");
    QProcess process;
    process.setProcessEnvironment(TestProcess::WithoutDisplay());
    process.setStandardOutputFile("/dev/full");  // opened for writing: the device stays
    process.start(QStringLiteral(ZERIM_EXE), args);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(), QByteArray("zerim: écriture impossible sur la sortie standard\n"));
}

// A damaged map picture or place table in the data folder: the snapshot
// says what is wrong; a picture that cannot be decoded at all makes no
// snapshot and fails, damage that leaves something to draw is drawn.
void TestCli::snapshotOfDamagedData_data() {
    using namespace TestJpeg;
    QTest::addColumn<QByteArray>("picture");
    QTest::addColumn<bool>("cutTable");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("message");
    const Bytes grey = Solid(660, 760, {128, 128, 128});
    const QByteArray unreadable = "zerim: carte illisible : ";
    QTest::newRow("sound") << FromBytes(grey) << false << 0 << QByteArray();
    QTest::newRow("cmyk") << FromBytes(Cmyk(66, 76)) << false << 1 << unreadable + "couleurs d'impression (CMJN)";
    QTest::newRow("16-bit") << FromBytes(WithPrecision(grey, 16)) << false << 1 << unreadable + "échantillons";
    QTest::newRow("lossless") << FromBytes(WithFrameType(grey, 0xC3)) << false << 1 << unreadable + "codage JPEG sans perte";
    QTest::newRow("zero height") << FromBytes(WithSize(grey, 660, 0)) << false << 1 << unreadable + "l'image a une";
    QTest::newRow("header only") << FromBytes(HeaderOnly(grey)) << false << 1 << unreadable + "le fichier s'arrête";
    QTest::newRow("600 scans") << FromBytes(ManyScans(64, 64, 600)) << false << 1 << unreadable + "JPEG progressif";
    QTest::newRow("cut short") << FromBytes(CutInScan(grey)) << false << 0
                               << QByteArray("zerim: carte incomplète : le fichier s'arrête avant la fin");
    QTest::newRow("place table cut") << FromBytes(grey) << true << 0
                                     << QByteArray("zerim: table des lieux incomplète ; 1 lieu lu\n");
}

void TestCli::snapshotOfDamagedData() {
    QFETCH(QByteArray, picture);
    QFETCH(bool, cutTable);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, message);
    QTemporaryDir dir;
    QByteArray places = FromBytes(TestTables::PlaceTable({{"Orvane", 10, 0, 0, 0}, {"Kelwick", 21, 0, 900, 900}}));
    if (cutTable) places.chop(6);
    WriteFile(dir.filePath("JPG_131"), picture);
    WriteFile(dir.filePath("RCDATA_133"), places);
    const QString png = dir.filePath("map.png");
    const Result r = Run({"--data", dir.path(), "--snapshot", png, "--size", "400x300"});
    QCOMPARE(r.status, QProcess::NormalExit);
    QVERIFY2(r.exitCode == exitCode, r.err.constData());
    if (message.isEmpty()) QVERIFY2(!r.err.contains("carte") && !r.err.contains("lieux"), r.err.constData());
    QVERIFY2(r.err.contains(message), r.err.constData());
    QCOMPARE(QFile::exists(png), exitCode == 0);
    if (exitCode != 0) return;
    const QImage shot(png);
    QCOMPARE(shot.pixelColor(20, 10), QColor(128, 128, 128));  // the top of the picture, decoded
    QVERIFY(Count(shot, shot.rect(), IsRed) > 0);                // the places that could be read
}

// Pictures of a pixel or three: no complaint from the painter at the
// start-up zoom, where they shrink to nothing, and their colour zoomed in.
void TestCli::snapshotOfTinyPictures_data() {
    QTest::addColumn<QSize>("size");
    for (QSize size : {QSize(1, 1), QSize(1, 2), QSize(2, 1), QSize(3, 3)})
        QTest::addRow("%dx%d", size.width(), size.height()) << size;
}

void TestCli::snapshotOfTinyPictures() {
    QFETCH(QSize, size);
    QTemporaryDir dir;
    WriteFile(dir.filePath("JPG_131"), FromBytes(TestJpeg::Solid(size.width(), size.height(), {30, 200, 40})));
    WriteFile(dir.filePath("RCDATA_133"), QByteArray(2, 0));  // no places over the picture
    const QString png = dir.filePath("map.png");
    for (const char* zoom : {"20", "1000"}) {
        const Result r = Run({"--data", dir.path(), "--snapshot", png, "--size", "200x150", "--zoom", zoom});
        QVERIFY2(r.exitCode == 0 && !r.err.contains("QPainter"), r.err.constData());
        QCOMPARE(QImage(png).size(), QSize(200, 150));
    }
    const QColor pixel = QImage(png).pixelColor(5, 5);
    QVERIFY2(TestJpeg::Near(pixel.red(), 30) && TestJpeg::Near(pixel.green(), 200), qPrintable(pixel.name()));
}

// The documented example through every notes mode, as a player would use
// them; a second import changes nothing, a refused one nothing either.
void TestCli::notesModes() {
    QTemporaryDir dir;
    const QByteArray kept = qgetenv("ZERIM_NOTES_DB");
    qputenv("ZERIM_NOTES_DB", QFile::encodeName(dir.filePath("notes.sqlite")));
    const QString example = QStringLiteral(ZERIM_SOURCE_DIR "/docs/notes-example.json");
    const QString junk = dir.filePath("junk.json");
    QFile(junk).open(QIODevice::WriteOnly);  // empty: not JSON
    const struct { QStringList args; int code; const char* out; } steps[] = {
        {{"--notes-import", example}, 0, "notes importées : 4 ajoutées, 0 mises à jour, 0 ignorées\n"},
        {{"--notes-import", example}, 0, "notes importées : 0 ajoutées, 0 mises à jour, 4 ignorées\n"},
        {{"--notes-import", junk, "--replace"}, 2, ""},
        {{"--notes-import", example, "--replace"}, 0, "notes remplacées : 4 importées\n"},
        {{"--notes-list", "extra"}, 2, ""},
        // The one search reads the same notes.
        {{"--search", "note: cle forge"}, 0, "note\tLa porte du nord est fermée.\tMyrethe Tower\n"},
    };
    for (const auto& step : steps) {
        const Result r = Run(step.args);
        QVERIFY2(r.exitCode == step.code, r.err.constData());
        QCOMPARE(r.out, QByteArray(step.out));
    }
    const QList<QByteArray> lines = Run({"--notes-list"}).out.split('\n');
    QCOMPARE(lines.size(), 5);  // four and the last newline
    QVERIFY(lines.contains("lieu\tHagholm Mines\t-4629\t179204\tvisité\t"));
    // The export is the example again, but for the time it was made.
    QList<QByteArray> exported = Run({"--notes-export", "-"}).out.split('\n');
    QList<QByteArray> original = ReadFile(example).split('\n');
    QCOMPARE(exported.size(), original.size());
    exported.removeAt(3);
    original.removeAt(3);
    qputenv("ZERIM_NOTES_DB", kept);
    QCOMPARE(exported, original);
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
