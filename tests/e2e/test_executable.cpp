// Runs the real zerim executable in its window-less modes.
#include "ProcessRunner.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

namespace {

using TestProcess::Result;

Result Run(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    return TestProcess::Run(QStringLiteral(ZERIM_EXE), args, env);
}

}  // namespace

class TestExecutable : public QObject {
    Q_OBJECT
private slots:
    void version();
    void dumpEveryEmbeddedResource();
    void dumpMissingResource();
    void noDisplayIsAClearError();
};

void TestExecutable::version() {
    const Result r = Run({"--version"});
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("zerim 1.3.0.0\n"));
}

// Every block the build embedded comes back byte for byte.
void TestExecutable::dumpEveryEmbeddedResource() {
    const QDir dir(QStringLiteral(ZERIM_RESOURCE_DIR));
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files)) {
        const QStringList key = file.fileName().split('_');
        QCOMPARE(key.size(), 2);
        const Result r = Run({"--dump", key[0], key[1]});
        QCOMPARE(r.exitCode, 0);
        QFile expected(file.filePath());
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QVERIFY2(r.out == expected.readAll(), qPrintable(file.fileName()));
    }
}

void TestExecutable::dumpMissingResource() {
    const Result r = Run({"--dump", "RCDATA", "999"});
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY(r.err.contains("RCDATA_999"));
}

void TestExecutable::noDisplayIsAClearError() {
    const Result r = Run({}, TestProcess::WithoutDisplay());
    QCOMPARE(r.status, QProcess::NormalExit);
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("DISPLAY"), r.err.constData());
}

QTEST_GUILESS_MAIN(TestExecutable)
#include "test_executable.moc"
