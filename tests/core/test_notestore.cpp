// The player's layer in its SQLite file: every operation, the schema's
// versions, damaged and foreign files, folders where nothing can be written
// or the disk is full, two programs at once, and a writer killed at random
// moments of its edits, imports and backups.
#include "notes/NoteStore.h"

#include <QtTest>

#include <sqlite3.h>

#include <functional>
#include <random>
#include <set>

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Edit = std::function<void(CNoteStore&)>;

CNoteItem Pin(const std::string& id, const std::string& title, PinColour colour = PinColour::Blue,
              const std::string& note = {}) {
    CNoteItem item;
    item.id = id;
    item.name = title;
    item.x = 100, item.y = -7;
    item.note = note;
    item.colour = colour;
    item.updated = 1700000000123;
    return item;
}

CNoteItem Mark(const std::string& name, bool visited, bool favourite, const std::string& note = {}) {
    CNoteItem item;
    item.kind = CNoteItem::Kind::Place;
    item.name = name;
    item.x = 1200, item.y = 900;
    item.id = PlaceKey(name, item.x, item.y);
    item.visited = visited, item.favourite = favourite, item.note = note;
    item.updated = 1700000000456;
    return item;
}

// Three items of every sort, and text that a careless store would change.
CNoteItems Stored() {
    return {Mark("Élan", true, false, "ligne 1\nligne 2\t« guillemets » 'quote' %s"),
            Pin("pin:a", "Trésor", PinColour::Pink, std::string("nul\0dedans", 10)), Pin("pin:b", "", PinColour::Cyan)};
}

std::string Check(bool ok, const std::string& what) { return ok ? std::string() : what + "; "; }

// Runs `body` in a child process (as nobody when the test runs as root, so
// that permissions hold) and gives back what it found wrong.
std::string InChild(const std::function<std::string()>& body, bool asNobody) {
    int fds[2];
    if (pipe(fds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        std::string wrong =
            asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0) ? "cannot become nobody" : body();
        if (write(fds[1], wrong.data(), wrong.size()) < 0) _exit(2);
        _exit(0);
    }
    close(fds[1]);
    std::string said;
    char buffer[512];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? said : said + " (the child died)";
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// The first value a statement gives, through a connection of its own.
std::string Query(const QString& path, const char* sql, bool readOnly = false) {
    sqlite3* db = nullptr;
    std::string value = "<cannot open>";
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        value = "<error>";
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

std::unique_ptr<CNoteStore> OpenOk(const QString& path) {
    auto opening = CNoteStore::Open(path.toStdString());
    if (!opening.notice.empty()) qWarning("notice: %s", opening.notice.c_str());
    return std::move(opening.store);
}

CNoteStore& Fill(CNoteStore& store) {
    std::string error;
    if (!store.Apply(Stored(), {}, false, error)) qWarning("%s", error.c_str());
    return store;
}

}  // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(CNoteItems)

class TestNoteStore : public QObject {
    Q_OBJECT
private slots:
    void itemNames();
    void operations_data();
    void operations();
    void schema_data();
    void schema();
    void damagedFiles_data();
    void damagedFiles();
    void unwritableFolders_data();
    void unwritableFolders();
    void twoProgramsAtOnce();
    void killedAtRandomMoments();
    void backups();
    void databasePath_data();
    void databasePath();

private:
    QTemporaryDir m_tmp;
    QString Fresh(const QString& name) { return QDir(m_tmp.path()).filePath(name + "/notes.sqlite"); }
};

void TestNoteStore::itemNames() {
    for (int i = 0; i < kPinColourCount; ++i) {
        const auto colour = static_cast<PinColour>(i);
        QCOMPARE(PinColourNamed(PinColourName(colour)), std::optional<PinColour>(colour));
    }
    QCOMPARE(std::string(PinColourName(PinColour::Pink)), std::string("rose"));
    QVERIFY(!PinColourNamed("Bleu"));
    QCOMPARE(PlaceKey("Le Port", -3, 40), std::string("place:-3,40:Le Port"));
    const std::string id = NewPinId();
    QVERIFY2(QRegularExpression("^pin:[0-9a-f]{32}$").match(QString::fromStdString(id)).hasMatch(), id.c_str());
    QVERIFY(NewPinId() != id);
}

// One rule a row: the edits, then the whole layer they leave, read at once
// and again after the store is opened anew.
void TestNoteStore::operations_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<CNoteItems>("expected");
    const CNoteItems all = Stored();
    const auto apply = [](CNoteItems puts, std::vector<std::string> removals, bool replaceAll) {
        return Edit([=](CNoteStore& store) {
            std::string error;
            QVERIFY2(store.Apply(puts, removals, replaceAll, error), error.c_str());
        });
    };
    const auto put = [](CNoteItem item) {
        return Edit([=](CNoteStore& s) {
            std::string e;
            QVERIFY(s.Put(item, e));
        });
    };
    CNoteItem edited = all[1];
    edited.name = "Autre", edited.x = -5, edited.note.clear(), edited.colour = PinColour::Violet;
    CNoteItem emptied = all[0];
    emptied.visited = false, emptied.note.clear();
    CNoteItem favourite = emptied;
    favourite.favourite = true;
    QTest::newRow("every field kept, places first then pins by id")
        << apply({all[2], all[1], all[0]}, {}, false) << all;
    QTest::newRow("put replaces the item of that id") << put(edited) << CNoteItems{all[0], edited, all[2]};
    QTest::newRow("a mark that says nothing any more is removed") << put(emptied) << CNoteItems{all[1], all[2]};
    QTest::newRow("a favourite alone is kept") << put(favourite) << CNoteItems{favourite, all[1], all[2]};
    QTest::newRow("remove") << Edit([](CNoteStore& s) {
        std::string e;
        QVERIFY(s.Remove("pin:a", e));
    }) << CNoteItems{all[0], all[2]};
    QTest::newRow("removing an unknown id is no error") << apply({}, {"pin:zz"}, false) << all;
    QTest::newRow("apply puts and removes in one go")
        << apply({edited}, {"pin:b"}, false) << CNoteItems{all[0], edited};
    QTest::newRow("apply replacing all: every other item goes") << apply({all[2]}, {}, true) << CNoteItems{all[2]};
    QTest::newRow("replacing all with nothing") << apply({}, {}, true) << CNoteItems{};
}

void TestNoteStore::operations() {
    QFETCH(Edit, edit);
    QFETCH(CNoteItems, expected);
    const QString path = Fresh(QTest::currentDataTag());
    {
        auto store = OpenOk(path);
        QVERIFY(store && store->Writable());
        edit(Fill(*store));
        QCOMPARE(store->Items(), expected);
        for (const CNoteItem& item : expected) QCOMPARE(store->Find(item.id), std::optional<CNoteItem>(item));
        QCOMPARE(store->Find("pin:none"), std::nullopt);
    }
    QCOMPARE(OpenOk(path)->Items(), expected);
    QCOMPARE(Query(path, "PRAGMA journal_mode"), std::string("wal"));
}

// What each user_version opens as: 0 (empty or new) migrated to ours;
// ours as it is; a newer program's file read-only, never written.
void TestNoteStore::schema_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("writable");
    QTest::newRow("no file yet") << "none" << true;
    QTest::newRow("an empty file") << "empty" << true;
    QTest::newRow("a newer program's file") << "newer" << false;
    QTest::newRow("a newer program's file in WAL mode") << "newer wal" << false;
}

void TestNoteStore::schema() {
    QFETCH(QString, layout);
    QFETCH(bool, writable);
    const QString path = Fresh(QTest::currentDataTag());
    QDir().mkpath(QFileInfo(path).path());
    if (layout == "empty") QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    CNoteItems before;
    if (layout.startsWith("newer")) {
        // A later schema: our table with a column more, then user_version 2.
        const std::string journal = layout.endsWith("wal") ? "wal" : "delete";
        QCOMPARE(Query(path, ("PRAGMA journal_mode=" + journal).c_str()), journal);
        Query(path,
              "CREATE TABLE items (id TEXT PRIMARY KEY, kind TEXT, name TEXT, x INT, y INT, visited INT,"
              " favourite INT, note TEXT, colour TEXT, updated INT, layer INT)");
        Query(path, "INSERT INTO items VALUES ('pin:n', 'pin', 'Nouveau', 1, 2, 0, 0, 'x', 'cyan', 5, 9)");
        Query(path, "PRAGMA user_version = 2");
        before = {Pin("pin:n", "Nouveau", PinColour::Cyan, "x")};
        before[0].x = 1, before[0].y = 2, before[0].updated = 5;
    }
    const QByteArray bytes = Bytes(path);
    {
        auto opening = CNoteStore::Open(path.toStdString());
        QVERIFY(opening.store);
        CNoteStore& store = *opening.store;
        QCOMPARE(store.Writable(), writable);
        QCOMPARE(store.Items(), before);
        std::string error;
        QCOMPARE(store.Put(Pin("pin:c", "C"), error), writable);
        QCOMPARE(store.BackupNow(NowMs(), error), writable);
        if (!writable) {
            QVERIFY2(QString::fromStdString(opening.notice).contains("plus récente"), opening.notice.c_str());
            QCOMPARE(error, store.WhyReadOnly());
        }
    }
    if (writable) QCOMPARE(Query(path, "PRAGMA user_version"), std::to_string(CNoteStore::kSchemaVersion));
    if (!writable) QCOMPARE(Bytes(path), bytes);
}

// Files that are not a whole store of ours: each is moved aside and kept,
// the newest backup that reads whole is restored, and the player is told.
void TestNoteStore::damagedFiles_data() {
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("backup");
    for (const char* damage : {"garbage bytes", "a text file", "a few bytes", "the database cut in half",
                               "a page overwritten", "another program's SQLite file", "our version, no table"}) {
        QTest::newRow(damage) << damage << true;
        QTest::newRow(qPrintable(QString(damage) + ", no backup")) << damage << false;
    }
}

void TestNoteStore::damagedFiles() {
    QFETCH(QString, damage);
    QFETCH(bool, backup);
    const QString path = Fresh(QTest::currentDataTag());
    {
        auto store = OpenOk(path);
        std::string error;
        Fill(*store);
        if (backup) QVERIFY(store->BackupNow(NowMs() - 3600 * 1000, error));  // older than the damage
        CNoteItems many;                                                      // pages enough to cut and overwrite
        for (int i = 0; i < 3000; ++i) many.push_back(Pin("pin:" + std::to_string(i), std::string(40, 'n')));
        QVERIFY(store->Apply(many, {}, false, error));
    }
    if (backup) {  // a newer backup that is damaged too: the one before it is restored
        QFile broken(QFileInfo(path).path() + "/backups/notes-20991231-000000-000.sqlite");
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("SQLite format 3") > 0);
    }
    QByteArray bytes = Bytes(path);
    if (damage == "garbage bytes") bytes = QByteArray(70000, '\xa7');
    if (damage == "a text file") bytes = "Ceci n'est pas une base.\n";
    if (damage == "a few bytes") bytes = "SQLite";
    if (damage == "the database cut in half") bytes.truncate(bytes.size() / 2);
    if (damage == "a page overwritten") bytes.replace(4096 * 3, 4096, QByteArray(4096, '\x5a'));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    if (damage == "another program's SQLite file" || damage == "our version, no table") {
        QVERIFY(QFile::remove(path));
        Query(path, "CREATE TABLE recettes (nom TEXT)");
        if (damage == "our version, no table")
            Query(path, "DROP TABLE recettes"), Query(path, "PRAGMA user_version = 1");
        bytes = Bytes(path);
    }

    auto opening = CNoteStore::Open(path.toStdString());
    QVERIFY(opening.store && opening.store->Writable());
    QCOMPARE(opening.store->Items(), backup ? Stored() : CNoteItems{});
    const QStringList aside =
        QDir(QFileInfo(path).path()).entryList({"notes.sqlite.abîmé-*"}).filter(QRegularExpression("\\d$"));
    QCOMPARE(aside.size(), 1);
    QCOMPARE(Bytes(QFileInfo(path).dir().filePath(aside[0])), bytes);
    const QString notice = QString::fromStdString(opening.notice);
    QVERIFY2(notice.contains("abîmé") && notice.contains(aside[0]), qPrintable(notice));
    QVERIFY2(notice.contains(backup ? "sauvegarde" : "Aucune sauvegarde"), qPrintable(notice));
    std::string error;
    QVERIFY(opening.store->Put(Pin("pin:after", "Après"), error));
}

// Folders where nothing can be written: the store opens with what is
// stored, refuses edits with the reason, and the file stays as it was.
void TestNoteStore::unwritableFolders_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only folder") << "read-only folder"
                                      << "dossier .* est en lecture seule";
    QTest::newRow("read-only file") << "read-only file"
                                    << "fichier .* est en lecture seule";
    QTest::newRow("a folder that cannot be made") << "cannot be made"
                                                  << "ne peut pas être créé";
    QTest::newRow("full folder") << "full"
                                 << "disque plein|trop grand";
}

void TestNoteStore::unwritableFolders() {
    QFETCH(QString, layout);
    QFETCH(QString, reason);
    const QString folder = QFileInfo(Fresh(QTest::currentDataTag())).path();
    QString path = folder + "/notes.sqlite";
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::setPermissions(m_tmp.path(), QFileDevice::Permissions(0x7755)));
    bool mounted = false;
    if (layout == "full") mounted = mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=256k") == 0;
    const auto unmount = qScopeGuard([&] {
        if (mounted) umount(QFile::encodeName(folder).constData());
    });
    Fill(*OpenOk(path));
    const CNoteItems stored = layout == "cannot be made" ? CNoteItems{} : Stored();
    if (layout == "read-only folder") QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x5555)));
    if (layout == "read-only file") {
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x4444)));
    }
    if (layout == "cannot be made") {
        QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x5555)));
        path = folder + "/sous-dossier/notes.sqlite";
    }
    if (mounted) {  // the disk filled to its last byte
        QFile filler(folder + "/filler");
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {}
    }
    const QByteArray bytes = Bytes(path);
    const std::string wrong = InChild(
        [&] {
            rlimit tight{8, RLIM_INFINITY};
            if (layout == "full" && !mounted) signal(SIGXFSZ, SIG_IGN), setrlimit(RLIMIT_FSIZE, &tight);
            auto opening = CNoteStore::Open(path.toStdString());
            if (!opening.store) return std::string("nothing opened");
            CNoteStore& store = *opening.store;
            std::string error, backupError;
            const bool put = store.Put(Pin("pin:new", "Nouveau"), error);
            store.BackupNow(NowMs(), backupError);
            const QRegularExpression why(reason);
            std::string wrong =
                Check(store.Items() == stored, "the stored items are not all shown") +
                Check(!put && why.match(QString::fromStdString(error)).hasMatch(), "edit refused: " + error) +
                Check(
                    layout == "full" || (!store.Writable() && error == store.WhyReadOnly() && !opening.notice.empty()),
                    "read-only, told: " + opening.notice) +
                Check(!store.Writable() || !backupError.empty(), "backup refused");
            if (layout == "full") {  // room again: the next edit is kept
                rlimit room{RLIM_INFINITY, RLIM_INFINITY};
                mounted ? void(QFile::remove(folder + "/filler")) : void(setrlimit(RLIMIT_FSIZE, &room));
                wrong += Check(store.Put(Pin("pin:new", "Nouveau"), error), "no edit once there is room: " + error);
            }
            return wrong;
        },
        layout != "full");
    QVERIFY2(wrong.empty(), wrong.c_str());
    if (layout != "full") QCOMPARE(Bytes(path), bytes);
    QFile::remove(folder + "/filler");
    QVERIFY(QFile::setPermissions(folder, QFileDevice::Permissions(0x7700)));
    CNoteItems after = stored;
    if (layout == "full") after.push_back(Pin("pin:new", "Nouveau"));
    if (layout != "cannot be made") QCOMPARE(OpenOk(folder + "/notes.sqlite")->Items(), after);
}

// Two programs editing at once, each edit in its own transaction: every
// edit of both is kept, and each sees that the other wrote.
void TestNoteStore::twoProgramsAtOnce() {
    const QString path = Fresh("two");
    auto watcher = OpenOk(path);
    QVERIFY(!watcher->Changed());
    const auto writer = [&](char who) {
        return [&path, who] {
            auto store = OpenOk(path);
            std::string error, wrong;
            for (int i = 0; i < 150 && wrong.empty(); ++i)
                wrong = Check(store->Put(Pin(std::string("pin:") + who + std::to_string(i), "x"), error), error);
            return wrong;
        };
    };
    std::string first;
    const pid_t child = fork();
    if (child == 0) _exit(InChild(writer('a'), false).empty() ? 0 : 1);
    const std::string second = InChild(writer('b'), false);
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY2(second.empty(), second.c_str());
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QCOMPARE(int(watcher->Items().size()), 300);
    QVERIFY(watcher->Changed());
    QVERIFY(!watcher->Changed());
}

// A writer killed with SIGKILL at random moments of its edits, its imports
// (batches of Apply) and its backups, round after round on one file: every
// edit it said was committed is there, every batch whole or absent, the
// file whole, and every backup listed whole.
void TestNoteStore::killedAtRandomMoments() {
    const QString path = Fresh("killed");
    constexpr int kRounds = 40, kBatch = 25;
    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    std::set<std::string> committed;
    for (int round = 0; round < kRounds; ++round) {
        int fds[2];
        QVERIFY(pipe(fds) == 0);
        const pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            auto store = CNoteStore::Open(path.toStdString()).store;
            std::string error;
            for (int i = 0;; ++i) {
                const std::string id = "pin:" + std::to_string(round) + "-" + std::to_string(i);
                bool ok = true;
                char kind = 'P';  // a pin put; B: a batch; K: a backup
                if (i % 7 == 3) {
                    kind = 'B';
                    CNoteItems batch;
                    for (int k = 0; k < kBatch; ++k) batch.push_back(Pin(id + "-k" + std::to_string(k), "lot"));
                    ok = store->Apply(batch, {}, false, error);
                } else if (i % 7 == 5) {
                    kind = 'K';
                    ok = store->BackupNow(NowMs(), error);
                } else {
                    ok = store->Put(Pin(id, std::string(200, 'z')), error);
                }
                const std::string line = (ok ? std::string(1, kind) : "failed: " + error) + id + "\n";
                if (write(fds[1], line.data(), line.size()) < 0 || !ok) _exit(1);
            }
        }
        close(fds[1]);
        usleep(std::uniform_int_distribution<useconds_t>(2000, 60000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        QByteArray said;
        char buffer[4096];
        for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
        close(fds[0]);
        QVERIFY2(!said.contains("failed"), said.constData());
        for (const QByteArray& id : said.split('\n'))
            if (!id.isEmpty()) committed.insert(id.toStdString());

        auto opening = CNoteStore::Open(path.toStdString());
        QVERIFY2(opening.notice.empty(), opening.notice.c_str());
        QCOMPARE(Query(path, "PRAGMA integrity_check"), std::string("ok"));
        std::map<std::string, int> batches;
        std::set<std::string> present;
        for (const CNoteItem& item : opening.store->Items()) {
            present.insert(item.id);
            const size_t k = item.id.find("-k");
            if (k != std::string::npos) ++batches[item.id.substr(0, k)];
        }
        for (const std::string& line : committed) {
            const std::string id = line.substr(1);
            QVERIFY2(line[0] == 'B' ? batches[id] == kBatch : line[0] == 'K' || present.count(id),
                     qPrintable(QString("seed %1: %2 lost").arg(seed).arg(id.c_str())));
        }
        for (const auto& [batch, count] : batches)
            QVERIFY2(count == kBatch, qPrintable(QString("seed %1: %2 half written").arg(seed).arg(batch.c_str())));
        for (const CNoteBackup& backup : opening.store->Backups()) {  // whole as they are, nothing to roll back
            const QString file = QString::fromStdString(backup.path);
            QVERIFY2(!QFile::exists(file + "-journal"), qPrintable(file));
            QVERIFY2(Query(file, "SELECT count(*) FROM items", true) != "<error>", qPrintable(file));
            QCOMPARE(Query(file, "PRAGMA integrity_check", true), std::string("ok"));
        }
    }
    QVERIFY2(committed.size() > kRounds, "the writer barely ran");
}

void TestNoteStore::backups() {
    const QString path = Fresh("backups");
    auto store = OpenOk(path);
    const int64_t day = 24 * 3600 * 1000;
    const int64_t now = NowMs();
    std::string error;
    QVERIFY(store->BackupIfDue(now - day, error));  // yesterday's, of nothing
    Fill(*store);
    QVERIFY(store->BackupIfDue(now, error));         // the first of today
    QVERIFY(store->BackupIfDue(now + 1000, error));  // none: one was taken today
    auto backups = store->Backups();
    QCOMPARE(int(backups.size()), 2);
    QCOMPARE(backups[0].taken, now);
    QCOMPARE(backups[0].places, 1);
    QCOMPARE(backups[0].pins, 2);
    QCOMPARE(backups[1].taken, now - day);
    QCOMPARE(backups[1].places + backups[1].pins, 0);
    const QString folder = QFileInfo(path).path() + "/backups/";
    QVERIFY(QFile(folder + "notes-20261301-000000-000.sqlite").open(QIODevice::WriteOnly));  // not a real date
    QVERIFY(QFile(folder + ".copie-2147483646.tmp").open(QIODevice::WriteOnly));             // a copy half made
    QCOMPARE(int(store->Backups().size()), 2);

    // Restoring yesterday's: the layer as it was is backed up first.
    QVERIFY2(store->Restore(backups[1].path, error), error.c_str());
    QCOMPARE(store->Items(), CNoteItems{});
    QCOMPARE(store->Backups().front().places, 1);
    QVERIFY(!store->Restore((folder + "notes-20261301-000000-000.sqlite").toStdString(), error));
    QVERIFY2(QString::fromStdString(error).contains("ne peut pas être lue"), error.c_str());

    for (int i = 0; i < 20; ++i) QVERIFY(store->BackupNow(now + day + i, error));
    backups = store->Backups();
    QCOMPARE(int(backups.size()), CNoteStore::kBackupsKept);
    QCOMPARE(backups.front().taken, now + day + 19);
    QCOMPARE(backups.back().taken, now + day + 20 - CNoteStore::kBackupsKept);
    QVERIFY(!QFile::exists(folder + ".copie-2147483646.tmp"));
}

// The same file as Qt's AppDataLocation names for the program.
void TestNoteStore::databasePath_data() {
    QTest::addColumn<QByteArray>("dataHome");
    QTest::addColumn<bool>("asQt");  // Qt 6.4 takes a relative one, which the XDG rules say to ignore
    QTest::newRow("XDG_DATA_HOME absolute") << QByteArray("/srv/données") << true;
    QTest::newRow("XDG_DATA_HOME unset") << QByteArray() << true;
    QTest::newRow("XDG_DATA_HOME relative: ignored") << QByteArray("relatif/share") << false;
}

void TestNoteStore::databasePath() {
    QFETCH(QByteArray, dataHome);
    QFETCH(bool, asQt);
    QCoreApplication::setOrganizationName("Local AppWizard-Generated Applications");
    QCoreApplication::setApplicationName("Zerim");
    qunsetenv("ZERIM_NOTES_DB");
    qputenv("HOME", "/home/joueur");
    dataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", dataHome);
    const QString qt = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/notes.sqlite";
    if (asQt) QCOMPARE(QString::fromStdString(NotesDatabasePath()), qt);
    QVERIFY(NotesDatabasePath() != std::string(asQt ? "" : qPrintable(qt)));
    QCOMPARE(NotesDatabasePath().rfind(asQt ? "/" : "/home/joueur/.local/share/Local AppWizard", 0), size_t(0));
    qputenv("ZERIM_NOTES_DB", "/tmp/essai.sqlite");
    QCOMPARE(NotesDatabasePath(), std::string("/tmp/essai.sqlite"));
}

QTEST_GUILESS_MAIN(TestNoteStore)
#include "test_notestore.moc"
