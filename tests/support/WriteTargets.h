// The kinds of file a user may name as the target of a write, laid out in a
// test's folder, and what each must become: every writer of the program
// (snapshot, export, print, settings) runs the same table. Device nodes are
// made in the folder (as root), so that a wrong write never touches /dev.
#pragma once
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace WriteTargets {

inline QByteArray Local(const QString& path) { return QFile::encodeName(path); }

// The path itself, not what a link names; 0 when nothing is there.
inline mode_t KindOf(const QString& path) {
    struct stat st {};
    return lstat(Local(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

inline QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool WriteOld(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("old") == 3 &&
           f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
}

inline bool MakeSocket(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = Local(path);
    if (size_t(name.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) close(fd);  // the socket file stays
    return bound;
}

inline bool MakeDevice(const QString& path, unsigned minor) {
    return mknod(Local(path).constData(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

// Sets or clears the immutable flag: root writes through permissions, not
// through that flag, so it stands for a file root may not write either.
inline bool SetImmutable(const QString& path, bool on) {
    const int fd = open(Local(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
}

// A reader at one end of a FIFO, holding a writer of its own so that the
// reading ends when the test says, not when a writer leaves (or never came).
class FifoReader {
public:
    explicit FifoReader(const QString& path)
        : m_read(open(Local(path).constData(), O_RDONLY | O_NONBLOCK)),
          m_keep(open(Local(path).constData(), O_WRONLY | O_NONBLOCK)) {
        fcntl(m_read, F_SETPIPE_SZ, 1 << 20);  // room for a whole picture, where allowed
    }
    ~FifoReader() {
        if (m_keep >= 0) close(m_keep);
        if (m_read >= 0) close(m_read);
    }
    FifoReader(const FifoReader&) = delete;
    FifoReader& operator=(const FifoReader&) = delete;
    // What the FIFO holds, once the other writers are gone.
    QByteArray Received() {
        close(m_keep);
        m_keep = -1;
        QByteArray all;
        char buffer[4096];
        for (ssize_t n; (n = read(m_read, buffer, sizeof buffer)) > 0;) all.append(buffer, n);
        return all;
    }

private:
    int m_read, m_keep;
};

// A disk that takes only a few bytes more, for the time the object lives:
// the process may not make a file longer than that (a write past it fails
// with EFBIG instead of the signal).
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_signal = signal(SIGXFSZ, SIG_IGN);
        rlimit tight = m_old;
        tight.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_old{};
    sighandler_t m_signal = SIG_DFL;
};

// One target, laid out: where to write, what to check afterwards.
struct Target {
    QString path;        // empty: this layout cannot be made here
    QString holder;      // the file that holds the bytes afterwards, if any
    bool keepsOld = false;  // a file holding "old" that a failure must leave so
    std::shared_ptr<FifoReader> reader;
    std::shared_ptr<void> undo;  // clears what the folder cannot delete
};

// The rows every writer runs: the layout, whether the write succeeds, and a
// word of the reason it gives when it fails.
inline void AddRows() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("reason");
    QTest::newRow("new file") << "new file" << true << "";
    QTest::newRow("regular file replaced whole") << "regular file" << true << "";
    QTest::newRow("link to a file: its target replaced, the link kept") << "link to a file" << true << "";
    QTest::newRow("long name of 255 bytes") << "long name" << true << "";
    QTest::newRow("null device written into, kept") << "null device" << true << "";
    QTest::newRow("link to a device: both kept") << "link to null device" << true << "";
    QTest::newRow("FIFO with a reader written into") << "FIFO with a reader" << true << "";
    QTest::newRow("FIFO without a reader refused at once") << "FIFO without a reader" << false << "FIFO";
    QTest::newRow("socket refused") << "socket" << false << "socket";
    QTest::newRow("folder refused") << "folder" << false << "dossier";
    QTest::newRow("read-only file kept") << "read-only file" << false << "permission refusée";
    QTest::newRow("full device") << "full device" << false << "disque plein";
    QTest::newRow("full disk: the old file kept") << "full disk" << false << "trop grand";
}

inline Target Prepare(const QString& layout, const QDir& dir, const QString& name = QStringLiteral("map.png")) {
    Target t;
    const QString target = dir.filePath(name);
    bool made = true;
    t.holder = target;
    if (layout == "regular file" || layout == "full disk") made = WriteOld(target), t.keepsOld = true;
    if (layout == "long name") {
        const QString longName = QString(255 - name.size(), QLatin1Char('n')) + name;
        t.path = t.holder = dir.filePath(longName);
        return t;
    }
    if (layout == "link to a file") {
        made = WriteOld(dir.filePath("real.png")) && symlink("real.png", Local(target).constData()) == 0;
        t.holder = dir.filePath("real.png");
    }
    if (layout == "null device") made = MakeDevice(target, 3), t.holder.clear();
    if (layout == "full device") made = MakeDevice(target, 7), t.holder.clear();
    if (layout == "link to null device") {
        made = MakeDevice(dir.filePath("null"), 3) && symlink("null", Local(target).constData()) == 0;
        t.holder.clear();
    }
    if (layout.startsWith("FIFO")) {
        made = mkfifo(Local(target).constData(), 0600) == 0;
        if (layout == "FIFO with a reader") t.reader = std::make_shared<FifoReader>(target);
        t.holder.clear();
    }
    if (layout == "socket") made = MakeSocket(target);
    if (layout == "folder") made = dir.mkdir(name);
    if (layout == "read-only file") {
        made = WriteOld(target) && QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup);
        t.keepsOld = true;
        if (made && geteuid() == 0) {
            made = SetImmutable(target, true);
            if (made) t.undo = std::shared_ptr<void>(nullptr, [target](void*) { SetImmutable(target, false); });
        }
    }
    if (made) t.path = target;
    return t;
}

inline QStringList Entries(const QDir& dir) {
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// What a writer gives back: whether it wrote, and why not.
struct Outcome {
    bool ok = false;
    QString reason;
};

// Runs `write` on the current row's target in a fresh folder and checks what
// the row says: success or the reason, every target keeping its kind, no
// file left behind, an old file whole after a failure, and bytes that
// `isWhole` accepts wherever the picture went.
inline void Check(const std::function<Outcome(const QString& path)>& write,
                  const std::function<bool(const QByteArray&)>& isWhole,
                  const QString& name = QStringLiteral("map.png")) {
    QFETCH(QString, layout);
    QFETCH(bool, ok);
    QFETCH(QString, reason);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const Target t = Prepare(layout, dir, name);
    if (t.path.isEmpty()) QSKIP("cannot make this target here (device nodes and the immutable flag need root)");
    const mode_t kind = KindOf(t.path);
    QStringList before = Entries(dir);
    Outcome outcome;
    {
        std::optional<FullDisk> full;
        if (layout == "full disk") full.emplace();
        outcome = write(t.path);
    }
    QCOMPARE(outcome.ok, ok);
    if (!ok) QVERIFY2(outcome.reason.contains(reason), qPrintable(outcome.reason));
    QCOMPARE(KindOf(t.path), kind ? kind : mode_t(S_IFREG));  // a link stays a link, a device a device
    QStringList after = Entries(dir);
    if (!kind) after.removeOne(QFileInfo(t.path).fileName());
    QCOMPARE(after, before);  // no temporary left behind
    if (ok && !t.holder.isEmpty()) QVERIFY(isWhole(Contents(t.holder)));
    if (!ok && t.keepsOld) QCOMPARE(Contents(t.path), QByteArray("old"));
    if (t.reader) QVERIFY(isWhole(t.reader->Received()));
}

}  // namespace WriteTargets
