// Writing a file the user names: what each kind of existing target becomes,
// and the reason given when the write fails. Devices and FIFOs are tried
// through the real program's snapshots (test_cli).
#include "cli/SafeWrite.h"

#include <QtTest>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const std::string kBytes = "\x89PNG bytes\n";

QByteArray Path(const QString& path) { return QFile::encodeName(path); }

// The path itself, not what a link names; a zero mode when nothing is there.
struct stat StatOf(const QString& path) {
    struct stat st {};
    if (lstat(Path(path).constData(), &st) != 0) st.st_mode = 0;
    return st;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool MakeSocket(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = Path(path);
    if (size_t(name.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);  // the socket file stays
    return bound;
}

bool OldFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("old") == 3 &&
           f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

bool Link(const char* target, const QString& link) { return symlink(target, Path(link).constData()) == 0; }

// Lays out `layout` in `dir` and gives the path to write to; empty when the
// layout cannot be made here.
QString Prepare(const QString& layout, QDir dir) {
    const QString target = dir.filePath("map.png");
    bool made = true;
    if (layout == "regular file") made = OldFile(target);
    if (layout == "link chain")
        made = dir.mkdir("sub") && OldFile(dir.filePath("sub/real.png")) &&
               Link("sub/real.png", dir.filePath("middle")) && Link("middle", target);
    if (layout == "dangling link") made = Link("sub-missing.png", target);
    if (layout == "link loop") made = Link("map.png", target);
    if (layout == "folder") made = dir.mkdir("map.png");
    if (layout == "socket") made = MakeSocket(target);
    if (layout == "missing folder") return dir.filePath("missing/map.png");
    return made ? target : QString();
}

}  // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT
private slots:
    void targets_data();
    void targets();
};

void TestSafeWrite::targets_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("error");        // errno whose text is the reason; 0: written
    QTest::addColumn<QString>("written");  // the file that must hold the bytes afterwards
    QTest::newRow("new file") << "new file" << 0 << "map.png";
    QTest::newRow("regular file replaced, permissions kept") << "regular file" << 0 << "map.png";
    QTest::newRow("relative link chain: final target replaced") << "link chain" << 0 << "sub/real.png";
    QTest::newRow("dangling link: its target made") << "dangling link" << 0 << "sub-missing.png";
    QTest::newRow("link loop") << "link loop" << ELOOP << "";
    QTest::newRow("folder stays a folder") << "folder" << EISDIR << "";
    QTest::newRow("missing folder") << "missing folder" << ENOENT << "";
    QTest::newRow("socket stays a socket") << "socket" << ENXIO << "";
}

void TestSafeWrite::targets() {
    QFETCH(QString, layout);
    QFETCH(int, error);
    QFETCH(QString, written);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString path = Prepare(layout, dir);
    QVERIFY(!path.isEmpty());
    const struct stat before = StatOf(path);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

    std::string reason;
    const bool ok = WriteFileSafely(path.toStdString(), kBytes, reason);
    QCOMPARE(ok, error == 0);
    QCOMPARE(QString::fromStdString(reason), error ? QString::fromLocal8Bit(std::strerror(error)) : QString());
    if (!written.isEmpty()) QCOMPARE(Contents(dir.filePath(written)), QByteArray::fromStdString(kBytes));
    // Whatever was there keeps its kind; nothing else is left in the folder.
    const struct stat after = StatOf(path);
    const mode_t kind = before.st_mode ? before.st_mode & S_IFMT : ok ? S_IFREG : 0;
    QCOMPARE(after.st_mode & S_IFMT, kind);
    QStringList now = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (layout == "new file" || layout == "dangling link") now.removeOne(written);
    QCOMPARE(now, entries);
    if (layout == "regular file") {
        QCOMPARE(after.st_mode & 0777, mode_t(0640));
        QVERIFY(after.st_ino != before.st_ino);  // renamed over, not written in place
    }
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "test_safewrite.moc"
