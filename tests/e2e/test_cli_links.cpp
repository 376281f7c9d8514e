// The real zerim executable in the modes over the world's links and names:
// --who, --list and the --vendors fallback, on a small world given with
// --data and on the embedded one.
#include "ProcessRunner.h"
#include "RandomTables.h"
#include "SmallWorld.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestProcess::Result;

Result Run(const QStringList& args) {
    return TestProcess::Run(QStringLiteral(ZERIM_EXE), args, TestProcess::WithoutDisplay());
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The first column of a table source, one a line, as --list prints it.
QByteArray SourceNames(const QString& file) {
    QByteArray names;
    const QList<QByteArray> lines = ReadFile(QStringLiteral(ZERIM_SOURCE_DIR "/res/") + file).split('\n');
    for (const QByteArray& line : lines.mid(1))
        if (!line.isEmpty()) names += line.split('\t')[0] + '\n';
    return names;
}

}  // namespace

class TestCliLinks : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void smallWorld_data();
    void smallWorld();
    void listEveryTable_data();
    void listEveryTable();
    void whoFindsACharacterAtTheirPlace();
    void vendorsFallback_data();
    void vendorsFallback();
    void helpNamesTheNewModes();
    void randomBytesAsTables();

private:
    QTemporaryDir m_dir;
};

// The small world's tables as a --data folder.
void TestCliLinks::initTestCase() {
    QVERIFY(m_dir.isValid());
    for (const auto& [id, bytes] : SmallWorld::Tables()) {
        QFile file(m_dir.filePath(QString("RCDATA_%1").arg(id)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    }
}

void TestCliLinks::smallWorld_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("message");  // a part of standard error; empty: nothing there
    QTest::newRow("who, odd case") << QStringList{"--who", "kELWICK"} << 0
                                   << QByteArray("npc\tAmrel\nnpc\tCara\n"
                                                 "vendeur\tZed & Sons\tKelwick, by the well\n"
                                                 "vendeur\tXan\tKelwick, by the well\n")
                                   << QByteArray();
    QTest::newRow("who, a name two places share")
        << QStringList{"--who", "Oska, Brask Quarter"} << 0
        << QByteArray("npc\tBo <Jiss> & \"Q\"\nnpc\tDun\nvendeur\tUla\tOska, Brask Quarter\n")
        << QByteArray();
    QTest::newRow("who, a place that does not exist") << QStringList{"--who", "Atlantis"} << 1 << QByteArray()
                                                      << QByteArray("Atlantis");
    QTest::newRow("who, part of a name") << QStringList{"--who", "Oska"} << 1 << QByteArray() << QByteArray("Oska");
    QTest::newRow("who, empty") << QStringList{"--who", ""} << 2 << QByteArray() << QByteArray("--who");
    QTest::newRow("who, two names") << QStringList{"--who", "a", "b"} << 2 << QByteArray() << QByteArray("--who");
    QTest::newRow("list spells, UTF-8") << QStringList{"--list", "spells"} << 0
                                        << QByteArray("Flamme\nÉclair\nGivre <b>\nBrume\n") << QByteArray();
    QTest::newRow("list an unknown table") << QStringList{"--list", "locations"} << 2 << QByteArray()
                                           << QByteArray("places, characters, spells, effects, vendors ou kinds");
    QTest::newRow("list without a table") << QStringList{"--list"} << 2 << QByteArray() << QByteArray("--list");
    QTest::newRow("vendors, accents and case folded") << QStringList{"--vendors", "ECLAIR"} << 0
                                                      << QByteArray("Yara\tQuen Harrow\n"
                                                                    "Zed & Sons\tKelwick, by the well\n")
                                                      << QByteArray();
    QTest::newRow("vendors, case folded") << QStringList{"--vendors", "givre <B>"} << 0
                                          << QByteArray("Ula\tOska, Brask Quarter\n") << QByteArray();
    QTest::newRow("vendors, other letters") << QStringList{"--vendors", "Eclairs"} << 1 << QByteArray()
                                            << QByteArray("inconnu");
}

void TestCliLinks::smallWorld() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, message);
    const Result r = Run(QStringList{"--data", m_dir.path()} + args);
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, code);
    QCOMPARE(r.out, out);
    if (message.isEmpty()) QCOMPARE(r.err, QByteArray());
    else QVERIFY2(r.err.contains(message), r.err.constData());
}

// The embedded tables, against the sources they are compiled from.
void TestCliLinks::listEveryTable_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("source");
    QTest::newRow("places") << "places" << "places.tsv";
    QTest::newRow("characters") << "characters" << "characters.tsv";
    QTest::newRow("spells") << "spells" << "spells.tsv";
    QTest::newRow("effects") << "effects" << "effects.tsv";
    QTest::newRow("vendors") << "vendors" << "vendors.tsv";
}

void TestCliLinks::listEveryTable() {
    QFETCH(QString, table);
    QFETCH(QString, source);
    const Result r = Run({"--list", table});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QByteArray expected = SourceNames(source);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(r.out, expected);
}

// The first place page #0 links to lists character #0, whatever the case
// the place's name is typed in.
void TestCliLinks::whoFindsACharacterAtTheirPlace() {
    const Result page = Run({"--page", "#0"});
    const QRegularExpressionMatch link = QRegularExpression("quil://locidx=(\\d+)").match(QString::fromUtf8(page.out));
    QVERIFY(link.hasMatch());
    const QList<QByteArray> places = Run({"--list", "places"}).out.split('\n');
    const QByteArray place = places.value(link.captured(1).toInt());
    QVERIFY(!place.isEmpty());
    const QByteArray first = Run({"--list", "characters"}).out.split('\n').value(0);
    const Result who = Run({"--who", QString::fromUtf8(place).toUpper()});
    QCOMPARE(who.exitCode, 0);
    QVERIFY2(who.out.split('\n').contains("npc\t" + first), who.out.constData());
    for (const QByteArray& line : who.out.split('\n'))
        QVERIFY(line.isEmpty() || line.startsWith("npc\t") || line.startsWith("vendeur\t"));
}

// A name typed loosely lists what the exact name lists.
void TestCliLinks::vendorsFallback_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("exact");
    QTest::newRow("odd case") << "tRAIT DE FOUDRE" << "Trait de foudre";
    QTest::newRow("accents left out") << "trait de lumiere" << QString::fromUtf8("Trait de lumière");
    QTest::newRow("accents added") << QString::fromUtf8("Tràit de foudré") << "Trait de foudre";
}

void TestCliLinks::vendorsFallback() {
    QFETCH(QString, typed);
    QFETCH(QString, exact);
    const Result wanted = Run({"--vendors", exact});
    QCOMPARE(wanted.exitCode, 0);
    QVERIFY(!wanted.out.isEmpty());
    const Result r = Run({"--vendors", typed});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, wanted.out);
}

void TestCliLinks::helpNamesTheNewModes() {
    const Result r = Run({"--help"});
    QCOMPARE(r.exitCode, 0);
    for (const char* text : {"--who LIEU", "--list TABLE", "Ctrl+I"}) QVERIFY2(r.out.contains(text), text);
}

// Whatever the bytes of the tables, the modes end normally with 0 or 1.
void TestCliLinks::randomBytesAsTables() {
    QRandomGenerator random(14);
    for (int round = 0; round < 3; ++round) {
        QTemporaryDir dir;
        QVERIFY(TestTables::WriteRandomTables(dir.path(), random, round != 0));
        const QList<QStringList> modes{{"--who", "a"},           {"--who", QString(QChar(1))},
                                       {"--list", "places"},     {"--list", "characters"},
                                       {"--list", "spells"},     {"--list", "effects"},
                                       {"--list", "vendors"},    {"--vendors", "a"}};
        for (const QStringList& mode : modes) {
            const Result r = Run(QStringList{"--data", dir.path()} + mode);
            QVERIFY2(r.status == QProcess::NormalExit && (r.exitCode == 0 || r.exitCode == 1),
                     qPrintable(mode.join(' ') + ": " + r.err));
        }
    }
}

QTEST_GUILESS_MAIN(TestCliLinks)
#include "test_cli_links.moc"
