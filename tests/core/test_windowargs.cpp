// The window mode's command line (Qt's options, "--", the file) and the
// picture format a snapshot's file name asks for.
#include "cli/SnapshotOptions.h"
#include "cli/WindowArguments.h"

#include <QtTest>

namespace {

std::vector<std::string> Words(const QStringList& list) {
    std::vector<std::string> words;
    for (const QString& w : list) words.push_back(w.toStdString());
    return words;
}

QString Joined(const std::vector<std::string>& words) {
    QStringList list;
    for (const std::string& w : words) list << QString::fromStdString(w);
    return list.join(' ');
}

QString OrDash(const std::optional<std::string>& value) { return value ? QString::fromStdString(*value) : "-"; }

}  // namespace

class TestWindowArgs : public QObject {
    Q_OBJECT
private slots:
    void windowArguments_data();
    void windowArguments();
    void linkArgument_data();
    void linkArgument();
    void snapshotFormat_data();
    void snapshotFormat();
};

void TestWindowArgs::windowArguments_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");       // "-": none; "error": refused
    QTest::addColumn<QString>("qtOptions");  // what QApplication is given
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("display");
    QTest::newRow("nothing") << QStringList{} << "-" << "" << "-" << "-";
    QTest::newRow("a file") << QStringList{"carte.txt"} << "carte.txt" << "" << "-" << "-";
    QTest::newRow("first file opens") << QStringList{"a.txt", "b.txt"} << "a.txt" << "" << "-" << "-";
    QTest::newRow("options around the file")
        << QStringList{"-style", "fusion", "carte.txt", "-reverse"} << "carte.txt" << "-style fusion -reverse" << "-" << "-";
    QTest::newRow("platform and display") << QStringList{"-platform", "offscreen", "-display", ":3"} << "-"
                                          << "-platform offscreen -display :3" << "offscreen" << ":3";
    QTest::newRow("joined value") << QStringList{"-stylesheet=a.qss"} << "-" << "-stylesheet=a.qss" << "-" << "-";
    QTest::newRow("double dash") << QStringList{"--platform", "xcb"} << "-" << "-platform xcb" << "xcb" << "-";
    QTest::newRow("value that looks like an option")
        << QStringList{"-title", "-x-", "-geometry", "10x10"} << "-" << "-title -x- -geometry 10x10" << "-" << "-";
    QTest::newRow("file after --") << QStringList{"-reverse", "--", "-style"} << "-style" << "-reverse" << "-" << "-";
    QTest::newRow("-- alone") << QStringList{"--"} << "-" << "" << "-" << "-";
    QTest::newRow("lone dash ignored") << QStringList{"-", "b.txt"} << "b.txt" << "" << "-" << "-";
    QTest::newRow("unknown option") << QStringList{"-frobnicate"} << "error" << "" << "-" << "-";
    QTest::newRow("program's option out of place") << QStringList{"carte.txt", "--find"} << "error" << "" << "-" << "-";
    QTest::newRow("value missing") << QStringList{"-platform"} << "error" << "" << "-" << "-";
    QTest::newRow("joined form of a value option") << QStringList{"-platform=xcb"} << "error" << "" << "-" << "-";
}

void TestWindowArgs::windowArguments() {
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(QString, qtOptions);
    QFETCH(QString, platform);
    QFETCH(QString, display);
    std::string error;
    const auto parsed = ParseWindowArguments(Words(args), error);
    if (file == "error") {
        QVERIFY(!parsed);
        QVERIFY2(error.find(args.last().toStdString()) != std::string::npos, error.c_str());
        return;
    }
    QVERIFY2(parsed, error.c_str());
    QCOMPARE(OrDash(parsed->file), file);
    QCOMPARE(Joined(parsed->qtOptions), qtOptions);
    QCOMPARE(OrDash(parsed->platform), platform);
    QCOMPARE(OrDash(parsed->display), display);
}

void TestWindowArgs::linkArgument_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("link");  // "-": none; "error": refused
    QTest::addColumn<QString>("file");
    QTest::newRow("a link is no file") << QStringList{"zerim:place/Kelwick"} << "zerim:place/Kelwick" << "-";
    QTest::newRow("any case, with a file")
        << QStringList{"a.txt", "ZERIM:view?x=1&y=2"} << "ZERIM:view?x=1&y=2" << "a.txt";
    QTest::newRow("after --, a file") << QStringList{"--", "zerim:place/a"} << "-" << "zerim:place/a";
    QTest::newRow("two links") << QStringList{"zerim:place/a", "zerim:place/b"} << "error" << "-";
}

void TestWindowArgs::linkArgument() {
    QFETCH(QStringList, args);
    QFETCH(QString, link);
    QFETCH(QString, file);
    std::string error;
    const auto parsed = ParseWindowArguments(Words(args), error);
    if (link == "error") {
        QVERIFY2(!parsed && error.find("un seul lien") != std::string::npos, error.c_str());
        return;
    }
    QVERIFY2(parsed, error.c_str());
    QCOMPARE(OrDash(parsed->link), link);
    QCOMPARE(OrDash(parsed->file), file);
}

void TestWindowArgs::snapshotFormat_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("writable");
    QTest::addColumn<QString>("format");  // "error": refused
    const QStringList all{"bmp", "jpeg", "jpg", "png", "webp"};
    const QStringList noWebp{"bmp", "jpeg", "jpg", "png"};
    QTest::newRow("png") << "a.png" << all << "png";
    QTest::newRow("capitals") << "A.PNG" << all << "png";
    QTest::newRow("jpg") << "dir/a.jpg" << all << "jpeg";
    QTest::newRow("jpeg, mixed case") << "a.JpEg" << all << "jpeg";
    QTest::newRow("bmp") << "a.bmp" << all << "bmp";
    QTest::newRow("webp") << "a.webp" << all << "webp";
    QTest::newRow("webp without its plugin") << "a.webp" << noWebp << "error";
    QTest::newRow("standard output") << "-" << all << "png";
    QTest::newRow("no extension") << "carte" << all << "error";
    QTest::newRow("dot in a folder only") << "my.maps/carte" << all << "error";
    QTest::newRow("unknown extension") << "a.gif" << all << "error";
    QTest::newRow("trailing dot") << "a." << all << "error";
    QTest::newRow("extension as the whole name") << ".png" << all << "png";
}

void TestWindowArgs::snapshotFormat() {
    QFETCH(QString, file);
    QFETCH(QStringList, writable);
    QFETCH(QString, format);
    std::string error;
    const auto found = SnapshotFormat(file.toStdString(), Words(writable), error);
    if (format != "error") {
        QVERIFY2(found, error.c_str());
        QCOMPARE(QString::fromStdString(*found), format);
        return;
    }
    QVERIFY(!found);
    // The message names the file and every format that can be written.
    QVERIFY2(error.find(file.toStdString()) != std::string::npos, error.c_str());
    const std::string formats = error.substr(error.find("formats possibles"));
    for (const char* extension : {".png", ".jpg", ".jpeg", ".bmp"})
        QVERIFY2(formats.find(extension) != std::string::npos, error.c_str());
    QCOMPARE(formats.find(".webp") != std::string::npos, writable.contains("webp"));
}

QTEST_APPLESS_MAIN(TestWindowArgs)
#include "test_windowargs.moc"
