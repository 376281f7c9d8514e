// The real zerim executable as a conventional command-line program: Qt's
// standard options in window mode, grep's exit codes, snapshot formats by
// extension, and an X display that does not answer.
#include "ProcessRunner.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TestProcess::Result;

Result Run(const QStringList& args, const QProcessEnvironment& env = TestProcess::WithoutDisplay()) {
    return TestProcess::Run(QStringLiteral(ZERIM_EXE), args, env);
}

// An X display number with no server behind it.
QString DeadDisplay() {
    for (int n = 99; n < 200; ++n)
        if (!QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n))) return QString(":%1").arg(n);
    return {};
}

QProcessEnvironment WithDisplay(const QString& display) {
    QProcessEnvironment env = TestProcess::WithoutDisplay();
    env.insert("DISPLAY", display);
    return env;
}

// The window started on Qt's offscreen platform; true when it was still
// running after `ms` (a refused command line ends at once), then ended.
bool StaysOpen(const QStringList& args, int ms, QByteArray& err) {
    QProcess process;
    process.setProcessEnvironment(TestProcess::WithoutDisplay());
    process.start(QStringLiteral(ZERIM_EXE), args);
    if (!process.waitForStarted(10000)) return false;
    const bool ended = process.waitForFinished(ms);
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    err = process.readAllStandardError();
    return !ended;
}

}  // namespace

class TestConventions : public QObject {
    Q_OBJECT
private slots:
    void qtOptionsOpenTheWindow_data();
    void qtOptionsOpenTheWindow();
    void offscreenWindowClosesCleanly();
    void exitCodes_data();
    void exitCodes();
    void snapshotFormats_data();
    void snapshotFormats();
    void snapshotToStandardOutput();
    void unknownSnapshotExtension();
    void unreachableDisplay_data();
    void unreachableDisplay();
    void tableCompiler_data();
    void tableCompiler();
};

void TestConventions::qtOptionsOpenTheWindow_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("-style") << QStringList{"-style", "fusion"};
    QTest::newRow("-style=") << QStringList{"-style=fusion"};
    QTest::newRow("-geometry") << QStringList{"-geometry", "640x480+10+10"};
    QTest::newRow("-reverse") << QStringList{"-reverse"};
    QTest::newRow("--") << QStringList{"--"};
    QTest::newRow("-- and a file named like an option") << QStringList{"--", "-carte.txt"};
}

void TestConventions::qtOptionsOpenTheWindow() {
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    QFile file(dir.filePath("-carte.txt"));  // opened by the last row, from the folder
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QByteArray err;
    const bool open = StaysOpen(QStringList{"-platform", "offscreen"} + options, 4000, err);
    QDir::setCurrent(before);
    QVERIFY2(open, err.constData());
    QVERIFY2(!err.contains("option") && !err.contains("invalid style"), err.constData());
}

// On the offscreen platform the window opens, paints its map and closes the
// ordinary way, with nothing on standard error.
void TestConventions::offscreenWindowClosesCleanly() {
    QProcessEnvironment env = TestProcess::WithoutDisplay();
    env.insert(QStringLiteral("ZERIM_EXIT_AFTER_FIRST_MAP"), QStringLiteral("quit"));
    QTemporaryDir runtime;  // as a session gives it: Qt notes its absence
    QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    const Result r = Run({"-platform", "offscreen"}, env);
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
}

void TestConventions::exitCodes_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::newRow("version") << QStringList{"--version"} << 0;
    QTest::newRow("help") << QStringList{"--help"} << 0;
    QTest::newRow("a place found") << QStringList{"--find", "holm"} << 0;
    QTest::newRow("no place found") << QStringList{"--find", "zzqqx"} << 1;
    QTest::newRow("unknown character") << QStringList{"--page", "Nobody Atall"} << 1;
    QTest::newRow("unknown spell") << QStringList{"--vendors", "Sort perdu"} << 1;
    QTest::newRow("missing resource") << QStringList{"--dump", "RCDATA", "999"} << 1;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2;
    QTest::newRow("unknown single-dash option") << QStringList{"-frobnicate"} << 2;
    QTest::newRow("Qt option without value") << QStringList{"-style"} << 2;
    QTest::newRow("missing argument") << QStringList{"--find"} << 2;
    QTest::newRow("bad resource type") << QStringList{"--dump", "WHAT?", "1"} << 2;
    QTest::newRow("bad ordinal") << QStringList{"--page", "#1x"} << 2;
    QTest::newRow("bad snapshot value") << QStringList{"--snapshot", "a.png", "--zoom", "5"} << 2;
    QTest::newRow("unreadable data folder") << QStringList{"--data", "/nonexistent/zerim", "--find", "a"} << 2;
    QTest::newRow("data without folder") << QStringList{"--data"} << 2;
}

void TestConventions::exitCodes() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    const Result r = Run(args);
    QCOMPARE(r.status, QProcess::NormalExit);
    QVERIFY2(r.exitCode == code, r.err.constData());
    // Success says nothing on the error stream; a failure says why.
    QCOMPARE(r.err.isEmpty(), code == 0);
    if (args.first() == "--help") QVERIFY(r.out.contains("Codes de sortie"));
}

void TestConventions::snapshotFormats_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");  // as QImageReader names it
    QTest::newRow("png") << "map.png" << QByteArray("png");
    QTest::newRow("PNG") << "MAP.PNG" << QByteArray("png");
    QTest::newRow("jpg") << "map.jpg" << QByteArray("jpeg");
    QTest::newRow("jpeg") << "map.Jpeg" << QByteArray("jpeg");
    QTest::newRow("bmp") << "map.bmp" << QByteArray("bmp");
    QTest::newRow("webp") << "map.webp" << QByteArray("webp");
}

void TestConventions::snapshotFormats() {
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    if (!QImageWriter::supportedImageFormats().contains(format)) QSKIP("Qt cannot write this format here");
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const Result r = Run({"--snapshot", path, "--size", "64x48"});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);  // the bytes, not the name
    QCOMPARE(reader.format(), format);
    QCOMPARE(reader.read().size(), QSize(64, 48));
}

// Standard output is the picture; standard error stays empty on success,
// whatever Qt would note on the way (no runtime folder set, here).
void TestConventions::snapshotToStandardOutput() {
    QProcessEnvironment env = TestProcess::WithoutDisplay();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const Result r = Run({"--snapshot", "-", "--size", "64x48"}, env);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QBuffer buffer;
    buffer.setData(r.out);
    QImageReader reader(&buffer);
    QCOMPARE(reader.format(), QByteArray("png"));
    QCOMPARE(reader.read().size(), QSize(64, 48));
}

void TestConventions::unknownSnapshotExtension() {
    QTemporaryDir dir;
    for (const char* name : {"map.gif", "map", "map.png.txt"}) {
        const Result r = Run({"--snapshot", dir.filePath(name), "--size", "64x48"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(".png") && r.err.contains(".jpg") && r.err.contains(name), r.err.constData());
        QVERIFY(QDir(dir.path()).isEmpty());
    }
}

// A display that is named but does not answer: the program's own French
// message and 1, before Qt would abort with its own.
void TestConventions::unreachableDisplay_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("fromEnvironment");
    QTest::newRow("DISPLAY") << QStringList{} << true;
    QTest::newRow("-display") << QStringList{"-display", DeadDisplay()} << false;
    QTest::newRow("-platform xcb") << QStringList{"-platform", "xcb"} << true;
}

void TestConventions::unreachableDisplay() {
    QFETCH(QStringList, args);
    QFETCH(bool, fromEnvironment);
    const QString display = DeadDisplay();
    if (display.isEmpty()) QSKIP("every display number answers here");
    const Result r = Run(args, fromEnvironment ? WithDisplay(display) : TestProcess::WithoutDisplay());
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 1);
    const QByteArray expected = "zerim: l'affichage graphique " + display.toUtf8() + " ne répond pas";
    QVERIFY2(r.err.startsWith(expected), r.err.constData());
    QVERIFY2(!r.err.contains("Reinstalling") && !r.err.contains("qt.qpa"), r.err.constData());
}

// zerim-tables speaks as zerim does: French, help on standard output,
// 2 for bad usage, 1 with file, line and reason for a faulty source.
void TestConventions::tableCompiler_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("out");  // a part of standard output
    QTest::addColumn<QByteArray>("err");  // a part of standard error
    QTest::newRow("help") << QStringList{"--help"} << 0 << QByteArray("Utilisation : zerim-tables SOURCES DOSSIER")
                          << QByteArray();
    QTest::newRow("version") << QStringList{"--version"} << 0 << QByteArray("zerim-tables 1.3.0") << QByteArray();
    QTest::newRow("no folder") << QStringList{} << 2 << QByteArray() << QByteArray("zerim-tables: deux dossiers attendus");
    QTest::newRow("one folder") << QStringList{"src"} << 2 << QByteArray() << QByteArray("zerim-tables: deux dossiers");
    QTest::newRow("unknown option") << QStringList{"--frobnicate", "a", "b"} << 2 << QByteArray()
                                    << QByteArray("zerim-tables: option inconnue : --frobnicate");
    QTest::newRow("faulty source") << QStringList{"SRC", "OUT"} << 1 << QByteArray()
                                   << QByteArray("zerim-tables: places.tsv:3: colonne 3 : « zéro » n'est pas un nombre entier");
    QTest::newRow("no source") << QStringList{"EMPTY", "OUT"} << 1 << QByteArray()
                               << QByteArray("aucune source de table trouvée");
}

void TestConventions::tableCompiler() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("SRC");
    QDir(dir.path()).mkdir("EMPTY");
    QFile places(dir.filePath("SRC/places.tsv"));
    QVERIFY(places.open(QIODevice::WriteOnly));
    places.write("name\ttype\tlevel\tx\ty\nBon\t1\t0\t1\t2\nMauvais\t1\tzéro\t1\t2\n");
    places.close();
    for (QString& arg : args)
        if (arg == arg.toUpper()) arg = dir.filePath(arg);
    const Result r = TestProcess::Run(QStringLiteral(ZERIM_TABLES_EXE), args);
    QCOMPARE(r.status, QProcess::NormalExit);
    QVERIFY2(r.exitCode == code, r.err.constData());
    QVERIFY2(r.out.contains(out), r.out.constData());
    QVERIFY2(r.err.contains(err), r.err.constData());
    QCOMPARE(r.out.isEmpty(), code != 0);
    QCOMPARE(r.err.isEmpty(), code == 0);
    QVERIFY(!QFile::exists(dir.filePath("OUT")));
}

QTEST_GUILESS_MAIN(TestConventions)
#include "test_conventions.moc"
