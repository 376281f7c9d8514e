#include "cli/CommandLine.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QtTest>
#include <sstream>

namespace {

struct Run {
    CommandLineOutcome outcome;
    std::string out, err;
};

// The resources every run reads, filled once for the whole test.
CMemoryResourceStore& Store() {
    static CMemoryResourceStore store;
    return store;
}

Run RunWith(const QStringList& args) {
    std::vector<std::string> list;
    for (const QString& a : args) list.push_back(a.toStdString());
    std::ostringstream out, err;
    Run run;
    run.outcome = RunCommandLine(list, Store(), out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void dumpRoundTrips_data();
    void dumpRoundTrips();
    void errors_data();
    void errors();
    void informational();
    void windowModes_data();
    void windowModes();

private:
    std::vector<unsigned char> m_everyByte;
};

void TestCommandLine::initTestCase() {
    for (int i = 0; i < 512; ++i) m_everyByte.push_back(uchar(i * 7));
    Store().Add(ResType::Numeric(ResId::RT_RCDATA), 133, m_everyByte);
    Store().Add(ResType::Named("JPG"), 131, m_everyByte);
    Store().Add(ResType::Numeric(ResId::RT_HTML), 135, {});
}

void TestCommandLine::dumpRoundTrips_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("size");
    QTest::newRow("standard type by name") << QStringList{"--dump", "RCDATA", "133"} << 512;
    QTest::newRow("type in lower case") << QStringList{"--dump", "rcdata", "133"} << 512;
    QTest::newRow("type by number") << QStringList{"--dump", "10", "133"} << 512;
    QTest::newRow("custom type") << QStringList{"--dump", "JPG", "131"} << 512;
    QTest::newRow("empty resource") << QStringList{"--dump", "HTML", "135"} << 0;
}

void TestCommandLine::dumpRoundTrips() {
    QFETCH(QStringList, args);
    QFETCH(int, size);
    const Run run = RunWith(args);
    QVERIFY(run.outcome.handled);
    QCOMPARE(run.outcome.exitCode, 0);
    QVERIFY(run.err.empty());
    QCOMPARE(run.out.size(), size_t(size));
    QVERIFY(std::equal(run.out.begin(), run.out.end(), m_everyByte.begin(),
                       [](char a, unsigned char b) { return uchar(a) == b; }));
}

void TestCommandLine::errors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("code");  // 1: nothing found; 2: bad usage
    QTest::newRow("missing resource") << QStringList{"--dump", "RCDATA", "134"} << "RCDATA_134" << 1;
    QTest::newRow("missing custom resource") << QStringList{"--dump", "JPG", "132"} << "JPG_132" << 1;
    QTest::newRow("unknown type") << QStringList{"--dump", "WHAT?", "1"} << "WHAT?" << 2;
    QTest::newRow("type the program has not") << QStringList{"--dump", "FOO", "133"} << "FOO" << 2;
    QTest::newRow("id not a number") << QStringList{"--dump", "RCDATA", "x1"} << "x1" << 2;
    QTest::newRow("id too large") << QStringList{"--dump", "RCDATA", "65536"} << "65536" << 2;
    QTest::newRow("id missing") << QStringList{"--dump", "RCDATA"} << "--dump" << 2;
    QTest::newRow("too many words") << QStringList{"--dump", "RCDATA", "133", "x"} << "--dump" << 2;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "--frobnicate" << 2;
    QTest::newRow("unknown single-dash option") << QStringList{"-frobnicate"} << "-frobnicate" << 2;
    QTest::newRow("version with extra word") << QStringList{"--version", "x"} << "--version" << 2;
    QTest::newRow("help with a mode") << QStringList{"--help", "--find", "x"} << "--help et --find" << 2;
    QTest::newRow("a mode with help") << QStringList{"--find", "x", "--help"} << "--help et --find" << 2;
    QTest::newRow("help with a file") << QStringList{"-h", "carte.txt"} << "-h" << 2;
    QTest::newRow("find without text") << QStringList{"--find"} << "--find" << 2;
    QTest::newRow("Qt option without its value") << QStringList{"-style"} << "-style" << 2;
    QTest::newRow("unknown option after a file") << QStringList{"carte.txt", "-x"} << "-x" << 2;
}

void TestCommandLine::errors() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QFETCH(int, code);
    const Run run = RunWith(args);
    QVERIFY(run.outcome.handled);
    QCOMPARE(run.outcome.exitCode, code);
    QVERIFY(run.out.empty());
    QVERIFY2(QString::fromStdString(run.err).contains(message), run.err.c_str());
}

void TestCommandLine::informational() {
    const Run version = RunWith({"--version"});
    QCOMPARE(version.outcome.exitCode, 0);
    QCOMPARE(version.out, std::string("zerim 1.3.0.0\n"));
    const Run help = RunWith({"--help"});
    QCOMPARE(help.outcome.exitCode, 0);
    QVERIFY(help.out.find("--dump TYPE ID") != std::string::npos);
    QVERIFY(help.out.find("zerim --dump RCDATA 133") != std::string::npos);
    for (const char* key : {"Ctrl+F", "Ctrl+Q", "Ctrl+molette", "Ctrl+0", "Ctrl+E", "Ctrl+P"})
        QVERIFY2(help.out.find(key) != std::string::npos, key);
}

// Qt's own options and "--" open the window like no option at all.
void TestCommandLine::windowModes_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("a file") << QStringList{"carte.txt"};
    QTest::newRow("style") << QStringList{"-style", "fusion"};
    QTest::newRow("style joined") << QStringList{"-style=fusion"};
    QTest::newRow("platform and geometry") << QStringList{"-platform", "offscreen", "-geometry", "640x480+0+0"};
    QTest::newRow("double-dash Qt option") << QStringList{"--style", "fusion", "-reverse"};
    QTest::newRow("end of options") << QStringList{"-reverse", "--", "-carte.txt"};
    QTest::newRow("lone dash") << QStringList{"-"};
}

void TestCommandLine::windowModes() {
    QFETCH(QStringList, args);
    const Run run = RunWith(args);
    QVERIFY2(!run.outcome.handled, run.err.c_str());
    QVERIFY(run.err.empty());
}

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
