// The store's backups: whole copies of the layer in "backups" beside the
// database, one a day at the first edit, the newest kBackupsKept kept.
#include "notes/NoteStore.h"

#include "notes/NoteFiles.h"
#include "notes/NoteSql.h"
#include "cli/SystemReason.h"

#include <unistd.h>

using namespace NoteFiles;

namespace {

// Opens a backup to read; null when it cannot be read as ours.
sqlite3* OpenBackup(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

}  // namespace

bool CNoteStore::BackupIfDue(int64_t nowMs, std::string& error) {
    if (!MayWrite(error)) return false;
    const auto backups = BackupFiles(BackupsFolder(m_path));
    if (!backups.empty() && SameLocalDay(backups.front().taken, nowMs)) return true;
    return BackupNow(nowMs, error);
}

bool CNoteStore::BackupNow(int64_t nowMs, std::string& error) {
    if (!MayWrite(error)) return false;
    const std::string folder = BackupsFolder(m_path);
    if (const int made = MakeFolders(folder)) {
        error = "le dossier des sauvegardes ne peut pas être créé (" + SystemReason(made) + ")";
        return false;
    }
    RemoveStaleCopies(folder);
    // A name of its own, even when two are taken within a millisecond.
    int64_t taken = nowMs;
    while (Exists(folder + "/" + BackupName(taken))) ++taken;
    if (!CopyDatabase(m_db, folder + "/" + BackupName(taken), error)) {
        error = "sauvegarde impossible : " + error;
        return false;
    }
    const auto backups = BackupFiles(folder);
    for (size_t i = kBackupsKept; i < backups.size(); ++i) unlink(backups[i].path.c_str());
    return true;
}

std::vector<CNoteBackup> CNoteStore::Backups() const {
    auto backups = BackupFiles(BackupsFolder(m_path));
    for (CNoteBackup& backup : backups) {
        sqlite3* db = OpenBackup(backup.path);
        if (!db) continue;
        {
            NoteSql::CStatement count(db, "SELECT kind, count(*) FROM items GROUP BY kind");
            while (count.Prepared() == SQLITE_OK && count.Step() == SQLITE_ROW)
                (count.Text(0) == "place" ? backup.places : backup.pins) = sqlite3_column_int(count.Get(), 1);
        }
        sqlite3_close_v2(db);
    }
    return backups;
}

bool CNoteStore::Restore(const std::string& backupPath, std::string& error) {
    if (!MayWrite(error)) return false;
    sqlite3* db = OpenBackup(backupPath);
    int code = db ? SQLITE_OK : SQLITE_CANTOPEN;
    if (code == SQLITE_OK && NoteSql::Single(db, "PRAGMA integrity_check", code) != "ok" && code == SQLITE_OK)
        code = SQLITE_CORRUPT;
    CNoteItems items;
    if (code == SQLITE_OK) items = NoteSql::ReadItems(db, code);
    if (code != SQLITE_OK) error = "cette sauvegarde ne peut pas être lue (" + NoteSql::Reason(db, code) + ")";
    sqlite3_close_v2(db);
    if (code != SQLITE_OK) return false;
    // The layer as it was stays one of the backups, so that a restore can be
    // undone by restoring that one.
    return BackupNow(NowMs(), error) && Apply(items, {}, true, error);
}
