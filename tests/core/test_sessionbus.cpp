// When a start-up tells the D-Bus library there is no session bus: only
// where the library would fork to autolaunch one and could not succeed.
#include "cli/SessionBus.h"

#include <QtTest>

#include <cstdlib>

#include <unistd.h>

namespace {

// A folder holding `files`, each a file named so; those ending in '*' are
// made executable (the '*' dropped).
class Folder {
public:
    explicit Folder(const QStringList& files) {
        for (QString name : files) {
            const bool executable = name.endsWith('*');
            if (executable) name.chop(1);
            QFile file(m_dir.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write("#!/bin/sh\nexit 1\n");
            file.close();
            file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        }
    }
    std::string Path() const { return m_dir.path().toStdString(); }

private:
    QTemporaryDir m_dir;
};

// Sets or, with a null value, removes a variable for the test's length.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedVariable() {
        if (m_old) setenv(m_name, m_old->c_str(), 1);
        else unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

bool SystemLauncher() { return access("/usr/bin/dbus-launch", X_OK) == 0; }

}  // namespace

class TestSessionBus : public QObject {
    Q_OBJECT
private slots:
    void launchCanOnlyFail_data();
    void launchCanOnlyFail();
    void executableIn_data();
    void executableIn();
    void startUpSetting_data();
    void startUpSetting();
};

void TestSessionBus::launchCanOnlyFail_data() {
    QTest::addColumn<QString>("address");  // "-": not set
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("userBus");
    QTest::addColumn<bool>("launcher");
    QTest::addColumn<bool>("hopeless");
    QTest::newRow("nothing to find a bus by") << "-" << ":0" << false << false << true;
    QTest::newRow("an empty address is none") << "" << ":0" << false << false << true;
    QTest::newRow("an address of the session's") << "unix:path=/run/user/1000/bus" << ":0" << false << false
                                                  << false;
    QTest::newRow("the per-user bus") << "-" << ":0" << true << false << false;
    QTest::newRow("dbus-launch installed") << "-" << ":0" << false << true << false;
    QTest::newRow("no display: no autolaunch") << "-" << "" << false << false << false;
}

void TestSessionBus::launchCanOnlyFail() {
    QFETCH(QString, address);
    QFETCH(QString, display);
    QFETCH(bool, userBus);
    QFETCH(bool, launcher);
    QFETCH(bool, hopeless);
    BusSetting setting;
    if (address != "-") setting.address = address.toStdString();
    setting.display = display.toStdString();
    setting.userBus = userBus;
    setting.launcher = launcher;
    QCOMPARE(BusLaunchCanOnlyFail(setting), hopeless);
}

void TestSessionBus::executableIn_data() {
    QTest::addColumn<QStringList>("first");   // the files of two folders
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("list");        // {a} and {b} stand for them
    QTest::addColumn<bool>("found");
    const QStringList launcher{"dbus-launch*"};
    QTest::newRow("in the second folder") << QStringList{"other*"} << launcher << "{a}:{b}" << true;
    QTest::newRow("in the first") << launcher << QStringList{} << "{a}:{b}" << true;
    QTest::newRow("not executable") << QStringList{"dbus-launch"} << QStringList{} << "{a}:{b}" << false;
    QTest::newRow("another name") << QStringList{"dbus-launcher*"} << QStringList{} << "{a}:{b}" << false;
    QTest::newRow("a folder not listed") << QStringList{} << launcher << "{a}" << false;
    QTest::newRow("empty entries around") << QStringList{} << launcher << "::{b}:" << true;
    QTest::newRow("a missing folder") << QStringList{} << launcher << "/nonexistent:{b}" << true;
    QTest::newRow("no folder at all") << launcher << QStringList{} << "" << false;
}

void TestSessionBus::executableIn() {
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, list);
    QFETCH(bool, found);
    const Folder a(first), b(second);
    // The empty entries stand for the current folder: one without the file.
    const Folder empty({});
    const QString here = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QString::fromStdString(empty.Path())));
    list.replace("{a}", QString::fromStdString(a.Path())).replace("{b}", QString::fromStdString(b.Path()));
    const bool result = ExecutableIn("dbus-launch", list.toStdString());
    QDir::setCurrent(here);
    QCOMPARE(result, found);
}

void TestSessionBus::startUpSetting_data() {
    QTest::addColumn<bool>("address");
    QTest::addColumn<bool>("userBus");
    QTest::addColumn<bool>("launcherOnPath");
    QTest::addColumn<QString>("after");  // the address once the start-up has looked
    QTest::newRow("no bus to be had") << false << false << false << "disabled:";
    QTest::newRow("a bus named") << true << false << false << "unix:path=/tmp/given";
    QTest::newRow("the per-user bus") << false << true << false << "-";
    QTest::newRow("dbus-launch on PATH") << false << false << true << "-";
}

// The real start-up's reading of its environment and files.
void TestSessionBus::startUpSetting() {
    QFETCH(bool, address);
    QFETCH(bool, userBus);
    QFETCH(bool, launcherOnPath);
    QFETCH(QString, after);
    if (SystemLauncher()) QSKIP("dbus-launch is installed here: every autolaunch may succeed");
    const Folder runtime(userBus ? QStringList{"bus"} : QStringList{});
    const Folder bin(launcherOnPath ? QStringList{"dbus-launch*"} : QStringList{"ls*"});
    const ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", address ? "unix:path=/tmp/given" : nullptr);
    const ScopedVariable display("DISPLAY", ":99");
    const ScopedVariable runtimeDir("XDG_RUNTIME_DIR", runtime.Path().c_str());
    const ScopedVariable path("PATH", bin.Path().c_str());
    QCOMPARE(RefuseHopelessBusLaunch(), after == "disabled:");
    const char* now = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    QCOMPARE(QString(now ? now : "-"), after);
}

QTEST_GUILESS_MAIN(TestSessionBus)
#include "test_sessionbus.moc"
