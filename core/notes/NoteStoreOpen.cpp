// Opening the store: the checks at open, the schema's migrations, and what
// becomes of a damaged or foreign file, a newer program's file, and a
// folder where nothing can be written.
#include "notes/NoteStore.h"

#include "notes/NoteFiles.h"
#include "notes/NoteSql.h"
#include "cli/SystemReason.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iterator>

using namespace NoteFiles;
using namespace NoteSql;

namespace {

// The schema's steps: step i brings a file at user_version i to i + 1, all
// in one transaction. A later schema adds a step; a released step never
// changes.
const char* const kMigrations[] = {
    // 1: one table of items, kept in id order.
    "CREATE TABLE items ("
    " id TEXT PRIMARY KEY NOT NULL,"
    " kind TEXT NOT NULL CHECK (kind IN ('place', 'pin')),"
    " name TEXT NOT NULL,"
    " x INTEGER NOT NULL,"
    " y INTEGER NOT NULL,"
    " visited INTEGER NOT NULL DEFAULT 0 CHECK (visited IN (0, 1)),"
    " favourite INTEGER NOT NULL DEFAULT 0 CHECK (favourite IN (0, 1)),"
    " note TEXT NOT NULL DEFAULT '',"
    " colour TEXT NOT NULL DEFAULT 'bleu',"
    " updated INTEGER NOT NULL"
    ") WITHOUT ROWID",
};
static_assert(std::size(kMigrations) == CNoteStore::kSchemaVersion, "one migration step per schema version");

constexpr int kBusyMs = 5000;  // another window's edit or backup

int Version(sqlite3* db, int& code) { return std::atoi(Single(db, "PRAGMA user_version", code).c_str()); }

int Migrate(sqlite3* db) {
    return InTransaction(db, [db] {
        int code;
        const int version = Version(db, code);  // again: another program may have migrated it meanwhile
        for (int step = version; code == SQLITE_OK && step < CNoteStore::kSchemaVersion; ++step)
            code = Exec(db, kMigrations[step]);
        if (code == SQLITE_OK && version < CNoteStore::kSchemaVersion)
            code = Exec(db, ("PRAGMA user_version = " + std::to_string(CNoteStore::kSchemaVersion)).c_str());
        return code;
    });
}

// An empty file is a new store; anything else must start as SQLite's files
// do (an unreadable one is left to SQLite, which says why).
bool LooksLikeSqlite(const std::string& path) { return StartOfFile(path) != FileStart::Other; }

sqlite3* Connect(const std::string& name, int flags, int& code) {
    sqlite3* db = nullptr;
    // A store is used by one thread at a time, as any object of ours: no
    // lock at every call on the connection.
    code = sqlite3_open_v2(name.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kBusyMs);
    sqlite3_extended_result_codes(db, 1);
    // Pages read through a mapping rather than copied one by one: the check
    // at open and reading the whole layer go over every page.
    NoteSql::Exec(db, "PRAGMA mmap_size = 268435456");
    // Until the file is known to be ours and writable, closing it writes
    // nothing into it (a newer program's file stays byte for byte).
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    return db;
}

// The main database copied into memory and migrated there: an older schema
// read where it cannot be migrated in place.
sqlite3* InMemoryCopy(sqlite3* from, int& code) {
    sqlite3* memory = Connect(":memory:", SQLITE_OPEN_READWRITE, code);
    if (!memory) return nullptr;
    sqlite3_backup* backup = sqlite3_backup_init(memory, "main", from, "main");
    code = backup ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(memory);
    const int finished = backup ? sqlite3_backup_finish(backup) : SQLITE_OK;
    code = code == SQLITE_DONE ? finished : code;
    if (code == SQLITE_OK) code = Migrate(memory);
    if (code == SQLITE_OK) return memory;
    sqlite3_close(memory);
    return nullptr;
}

sqlite3* EmptyInMemory() {
    int code;
    sqlite3* memory = Connect(":memory:", SQLITE_OPEN_READWRITE, code);
    if (memory && Migrate(memory) != SQLITE_OK) sqlite3_close(memory), memory = nullptr;
    return memory;
}

// One try at opening the file as it is.
struct Attempt {
    sqlite3* db = nullptr;  // null: nothing to read (or damaged)
    bool writable = false;
    std::string why;       // why edits are refused
    std::string notice;    // what the player must be told
    std::string damage;    // what is wrong with the file, when it must be moved aside
    bool passing = false;  // read-only for a cause that may pass (a full disk)

    void Close() { sqlite3_close_v2(db), db = nullptr; }
    void Damaged(std::string what) { Close(), damage = std::move(what); }
};

// The file in a writable folder: WAL journal, migrated forward.
int MakeReady(sqlite3* db) {
    int code;
    if (Single(db, "PRAGMA journal_mode=WAL", code) != "wal" && code == SQLITE_OK) code = SQLITE_READONLY;
    if (code == SQLITE_OK) code = Exec(db, "PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON");
    if (code == SQLITE_OK) code = Migrate(db);
    if (code == SQLITE_OK) sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    return code;
}

// A connection that only reads. A WAL file in a folder where its
// shared-memory file cannot be made is read alone, as it stands.
sqlite3* ConnectToRead(const std::string& path, int& version, int& code) {
    sqlite3* db = Connect(path, SQLITE_OPEN_READONLY, code);
    version = db ? Version(db, code) : 0;
    if (code == SQLITE_OK || IsDamage(code)) return db;
    sqlite3_close_v2(db);
    db = Connect(UriOf(path) + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, code);
    version = db ? Version(db, code) : 0;
    return db;
}

Attempt Try(const std::string& path) {
    Attempt a;
    const std::string folder = FolderOf(path);
    const bool exists = Exists(path);
    if (exists && !LooksLikeSqlite(path)) return a.Damaged("ce n'est pas un fichier SQLite"), a;
    a.writable = IsWritable(folder) && (!exists || IsWritable(path));
    if (!a.writable)
        a.why = IsWritable(folder) ? "le fichier « " + path + " » est en lecture seule"
                                   : "le dossier « " + folder + " » est en lecture seule";
    if (!exists && !a.writable) return a;
    int code, version = 0;
    if (a.writable) {
        a.db = Connect(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, code);
        if (a.db) version = Version(a.db, code);
    } else {
        a.db = ConnectToRead(path, version, code);
    }
    if (IsDamage(code)) return a.Damaged("le fichier est abîmé"), a;
    if (version > CNoteStore::kSchemaVersion) {
        a.why = "ces notes viennent d'une version plus récente de Zerim";
        a.notice =
            "Vos notes ont été enregistrées par une version plus récente de Zerim : elles sont affichées, "
            "mais celle-ci ne les modifiera pas.";
        if (a.writable) a.Close(), a.db = ConnectToRead(path, version, code);
        a.writable = false;
        return a;
    }
    std::string check = code == SQLITE_OK ? Single(a.db, "PRAGMA integrity_check", code) : "";
    if (IsDamage(code) || (code == SQLITE_OK && check != "ok"))
        return a.Damaged("la vérification du fichier a échoué"), a;
    if (code == SQLITE_OK && version == 0 && Single(a.db, "SELECT count(*) FROM sqlite_schema", code) != "0")
        return a.Damaged("c'est la base d'un autre programme"), a;
    // Checked before anything is written: a damaged file is kept as it came.
    if (code == SQLITE_OK && version > 0 && CStatement(a.db, kSelectItems).Prepared() != SQLITE_OK)
        return a.Damaged("le fichier n'a pas la forme d'un fichier de notes"), a;
    if (a.writable && code == SQLITE_OK) code = MakeReady(a.db);
    if (IsDamage(code)) return a.Damaged("le fichier est abîmé"), a;
    if (code != SQLITE_OK) {
        // A full disk, a lock another program keeps: what is stored is
        // still shown, and edits are refused with the reason.
        a.why = Reason(a.db, code);
        a.Close();
        a.writable = false;
        a.passing = true;
        a.db = ConnectToRead(path, version, code);
        if (code != SQLITE_OK) a.Close();
    }
    if (!a.writable && a.db && version < CNoteStore::kSchemaVersion) {
        sqlite3* memory = InMemoryCopy(a.db, code);
        a.Close();
        a.db = memory;
    }
    if (!a.writable) a.notice = "Vos notes ne peuvent pas être modifiées : " + a.why + ".";
    return a;
}

// Moves the file and its journal aside, under a name with the time; empty
// when it could not be moved.
std::string MoveAside(const std::string& path) {
    const std::string stamp = path + ".abîmé-" + LocalStamp(NowMs());
    std::string aside = stamp;
    for (int n = 2; Exists(aside); ++n) aside = stamp + "-" + std::to_string(n);
    if (rename(path.c_str(), aside.c_str()) != 0) return {};
    for (const char* end : {"-wal", "-shm"}) rename((path + end).c_str(), (aside + end).c_str());
    SyncFolder(FolderOf(path));
    return aside;
}

// Copies the newest backup that reads whole into `path`; its time, or 0.
int64_t RestoreNewestBackup(const std::string& path) {
    for (const CNoteBackup& backup : BackupFiles(BackupsFolder(path))) {
        int code;
        sqlite3* db = Connect(backup.path, SQLITE_OPEN_READONLY, code);
        const bool whole = db && Single(db, "PRAGMA integrity_check", code) == "ok" &&
                           Version(db, code) <= CNoteStore::kSchemaVersion && code == SQLITE_OK;
        std::string error;
        const bool copied = whole && CopyDatabase(db, path, error);
        sqlite3_close_v2(db);
        if (copied) return backup.taken;
    }
    return 0;
}

}  // namespace

CNoteStore::Opening CNoteStore::Open(const std::string& path) {
    const auto made = [&path](Attempt& a) {
        Opening opening;
        if (!a.db) a.db = EmptyInMemory();  // nothing to read: an empty layer that keeps nothing
        if (!a.db) return opening;
        opening.store.reset(new CNoteStore(a.db, path, a.writable, a.why));
        opening.store->m_retryWrites = a.passing;
        opening.notice = a.notice;
        return opening;
    };
    Attempt a;
    if (const int error = MakeFolders(FolderOf(path))) {
        a.why = "le dossier « " + FolderOf(path) + " » ne peut pas être créé (" + SystemReason(error) + ")";
        a.notice = "Vos notes ne pourront pas être enregistrées : " + a.why + ".";
        return made(a);
    }
    a = Try(path);
    if (a.damage.empty()) return made(a);

    const std::string damage = a.damage;
    const std::string aside = IsWritable(FolderOf(path)) ? MoveAside(path) : std::string();
    if (aside.empty()) {
        a = Attempt();
        a.why = "le fichier des notes est abîmé et ne peut pas être mis de côté";
        a.notice = "Le fichier de vos notes « " + path + " » est abîmé (" + damage +
                   ") ; il ne peut pas être mis de côté, aussi est-il laissé tel quel et rien ne sera enregistré.";
        return made(a);
    }
    const int64_t restored = RestoreNewestBackup(path);
    a = Try(path);
    if (!a.damage.empty()) a = Attempt(), a.why = "le fichier des notes ne peut pas être refait";
    a.notice = "Le fichier de vos notes était abîmé (" + damage + ") : il est gardé sous « " + aside + " ». " +
               (restored ? "La sauvegarde prise " + LocalDate(restored) + " a été restaurée."
                         : "Aucune sauvegarde n'existait : vos notes repartent de zéro.") +
               (a.notice.empty() ? "" : " " + a.notice);
    return made(a);
}

bool CNoteStore::MayWrite(std::string& error) {
    if (!m_writable && m_retryWrites) {
        Attempt a = Try(m_path);
        if (a.db && a.writable) {
            sqlite3_close_v2(m_db);
            m_db = a.db, a.db = nullptr;
            m_writable = true, m_retryWrites = false;
            m_whyReadOnly.clear();
            m_dataVersion = -1;
        }
        a.Close();
    }
    if (!m_writable) error = m_whyReadOnly;
    return m_writable;
}
