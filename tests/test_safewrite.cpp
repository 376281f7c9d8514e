// Writing a file the user names: what each kind of existing target becomes,
// and the reason given when the write fails.
#include "app/SafeWrite.h"

#include <QtTest>

#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const std::string kBytes = "\x89PNG bytes\n";

QByteArray Path(const QString& path) { return QFile::encodeName(path); }

struct stat StatOf(const QString& path, bool follow = false) {
    struct stat st {};
    const int rc = follow ? stat(Path(path).constData(), &st) : lstat(Path(path).constData(), &st);
    if (rc != 0) st.st_mode = 0;
    return st;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A device node of our own, so that a wrong write never harms /dev; the
// real one only where a wrong write could not replace it (not as root).
QString Device(const QDir& dir, const char* name, unsigned minor) {
    const QString path = dir.filePath(name);
    if (mknod(Path(path).constData(), S_IFCHR | 0666, makedev(1, minor)) == 0) return path;
    return geteuid() != 0 ? QString("/dev/") + name : QString();
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
    if (layout == "null device") return Device(dir, "null", 3);
    if (layout == "full device") return Device(dir, "full", 7);
    return made ? target : QString();
}

}  // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT
private slots:
    void targets_data();
    void targets();
    void fifoReaderGetsTheBytes();
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
    QTest::newRow("null device stays a device") << "null device" << 0 << "";
    QTest::newRow("full device: no space, stays a device") << "full device" << ENOSPC << "";
}

void TestSafeWrite::targets() {
    QFETCH(QString, layout);
    QFETCH(int, error);
    QFETCH(QString, written);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString path = Prepare(layout, dir);
    if (path.isEmpty()) QSKIP("this layout cannot be made here (device nodes need root)");
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

// The reader at the other end gets every byte; the FIFO stays a FIFO.
void TestSafeWrite::fifoReaderGetsTheBytes() {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("map.png");
    QCOMPARE(mkfifo(Path(path).constData(), 0600), 0);
    std::string received;
    std::thread reader([&] {
        const int fd = open(Path(path).constData(), O_RDONLY);
        char buffer[256];
        for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0;) received.append(buffer, size_t(n));
        if (fd >= 0) close(fd);
    });
    std::string reason;
    const bool ok = WriteFileSafely(path.toStdString(), kBytes, reason);
    reader.join();
    QVERIFY2(ok, reason.c_str());
    QCOMPARE(received, kBytes);
    QVERIFY(S_ISFIFO(StatOf(path).st_mode));
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "test_safewrite.moc"
