// Writing a file the user names: what each kind of existing target becomes,
// and the reason given when the write fails: the links and folders here, the
// table every writer runs (WriteTargets.h) on the writer they all go through.
#include "cli/SafeWrite.h"

#include "WriteTargets.h"

#include <QtTest>

#include <sys/wait.h>

namespace {

using WriteTargets::Contents;

// Longer than the full disk's room.
const std::string kBytes = "\x89PNG bytes, more of them than a nearly full disk takes\n";

QByteArray Path(const QString& path) { return QFile::encodeName(path); }

// The path itself, not what a link names; a zero mode when nothing is there.
struct stat StatOf(const QString& path) {
    struct stat st {};
    if (lstat(Path(path).constData(), &st) != 0) st.st_mode = 0;
    return st;
}

bool Link(const char* target, const QString& link) { return symlink(target, Path(link).constData()) == 0; }

// Lays out `layout` in `dir` and gives the path to write to; empty when the
// layout cannot be made here.
QString Prepare(const QString& layout, QDir dir) {
    const QString target = dir.filePath("map.png");
    bool made = true;
    if (layout == "regular file") made = WriteTargets::WriteOld(target);
    if (layout == "link chain")
        made = dir.mkdir("sub") && WriteTargets::WriteOld(dir.filePath("sub/real.png")) &&
               Link("sub/real.png", dir.filePath("middle")) && Link("middle", target);
    if (layout == "dangling link") made = Link("sub-missing.png", target);
    if (layout == "link loop") made = Link("map.png", target);
    if (layout == "missing folder") return dir.filePath("missing/map.png");
    return made ? target : QString();
}

}  // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT
private slots:
    void targets_data();
    void targets();
    void writers_data() { WriteTargets::AddRows(); }
    void writers();
    void readOnlyFileOfAnotherUser();
};

void TestSafeWrite::targets_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("error");    // a word of the reason; empty: written
    QTest::addColumn<QString>("written");  // the file that must hold the bytes afterwards
    QTest::newRow("new file") << "new file" << "" << "map.png";
    QTest::newRow("regular file replaced, permissions kept") << "regular file" << "" << "map.png";
    QTest::newRow("relative link chain: final target replaced") << "link chain" << "" << "sub/real.png";
    QTest::newRow("dangling link: its target made") << "dangling link" << "" << "sub-missing.png";
    QTest::newRow("link loop") << "link loop" << "trop de liens" << "";
    QTest::newRow("missing folder") << "missing folder" << "n'existe pas" << "";
}

void TestSafeWrite::targets() {
    QFETCH(QString, layout);
    QFETCH(QString, error);
    QFETCH(QString, written);
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    const QString path = Prepare(layout, dir);
    QVERIFY(!path.isEmpty());
    const struct stat before = StatOf(path);
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

    std::string reason;
    const bool ok = WriteFileSafely(path.toStdString(), kBytes, reason);
    QCOMPARE(ok, error.isEmpty());
    QVERIFY2(QString::fromStdString(reason).contains(error), reason.c_str());
    if (!written.isEmpty()) QCOMPARE(Contents(dir.filePath(written)), QByteArray::fromStdString(kBytes));
    // Whatever was there keeps its kind; nothing else is left in the folder.
    const struct stat after = StatOf(path);
    const mode_t kind = before.st_mode ? before.st_mode & S_IFMT : ok ? mode_t(S_IFREG) : 0;
    QCOMPARE(after.st_mode & S_IFMT, kind);
    QStringList now = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    if (layout == "new file" || layout == "dangling link") now.removeOne(written);
    QCOMPARE(now, entries);
    if (layout == "regular file") {
        QCOMPARE(after.st_mode & 0777, mode_t(0640));
        QVERIFY(after.st_ino != before.st_ino);  // renamed over, not written in place
    }
}

// The table every writer runs, on the one they all go through.
void TestSafeWrite::writers() {
    WriteTargets::Check(
        [](const QString& path) {
            std::string reason;
            const bool ok = WriteFileSafely(path.toStdString(), kBytes, reason);
            return WriteTargets::Outcome{ok, QString::fromStdString(reason)};
        },
        [](const QByteArray& bytes) { return bytes == QByteArray::fromStdString(kBytes); });
}

// The shell's rule as a user meets it: a 0444 file in a folder the user may
// write is not replaced, though a rename could. As root, the write runs in
// a child that has become nobody.
void TestSafeWrite::readOnlyFileOfAnotherUser() {
    QTemporaryDir tmp;
    const QString path = QDir(tmp.path()).filePath("prot.png");
    QVERIFY(WriteTargets::WriteOld(path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(tmp.path(), QFileDevice::Permissions(0x7777)));  // rwx for all
    const auto write = [&] {
        std::string reason;
        return !WriteFileSafely(path.toStdString(), kBytes, reason) && reason == "permission refusée";
    };
    if (geteuid() != 0) {
        QVERIFY(write());
    } else {
        const pid_t child = fork();
        if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && write() ? 0 : 1);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QCOMPARE(Contents(path), QByteArray("old"));
}

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "test_safewrite.moc"
