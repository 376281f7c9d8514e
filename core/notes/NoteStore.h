// The player's layer, kept in one SQLite file. Every edit is one
// transaction (WAL journal), so a process killed at any moment loses at
// most the edit in progress. Opening checks the file (integrity_check),
// migrates an older schema forward in one transaction, opens a newer
// program's file read-only, moves a damaged file aside and restores the
// newest backup. Two programs may have the file open at once (a busy
// timeout; Changed() tells when the other one wrote).
#pragma once
#include "notes/NoteItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

// A backup the player may restore: one file in the backups folder.
struct CNoteBackup {
    std::string path;
    int64_t taken = 0;  // milliseconds since 1970, from the file's name
    int places = 0;     // marks of places it holds
    int pins = 0;
};

class CNoteStore {
public:
    // The schema this program writes (PRAGMA user_version): one step of
    // migration per version, from an empty file (0).
    static constexpr int kSchemaVersion = 1;
    // Backups kept in the backups folder; older ones are deleted.
    static constexpr int kBackupsKept = 14;

    struct Opening {
        std::unique_ptr<CNoteStore> store;  // null only when nothing at all could be opened
        // What the player must be told, in French, or empty: a damaged file
        // moved aside and a backup restored, a newer program's file opened
        // read-only, a folder where nothing can be written.
        std::string notice;
    };
    // Opens (creating the file and its folder if needed) the store at
    // `path`; its backups go in "backups" beside it.
    static Opening Open(const std::string& path);
    ~CNoteStore();
    CNoteStore(const CNoteStore&) = delete;
    CNoteStore& operator=(const CNoteStore&) = delete;

    const std::string& Path() const { return m_path; }
    // False when edits are refused (a newer schema, a read-only folder or
    // file, a disk full at open); WhyReadOnly says why, in French. A store
    // refused for a cause that may pass (a full disk, a lock held) tries
    // the file again at each edit asked for.
    bool Writable() const { return m_writable; }
    const std::string& WhyReadOnly() const { return m_whyReadOnly; }

    // Every item, places first then pins, each by id.
    CNoteItems Items() const;
    std::optional<CNoteItem> Find(const std::string& id) const;

    // Inserts or replaces the item with this id (an empty place mark is
    // removed instead); one transaction. False with a French reason when
    // the file refuses the write; nothing stored is lost then.
    bool Put(const CNoteItem& item, std::string& error);
    bool Remove(const std::string& id, std::string& error);
    // Writes all of `puts` and removes every id of `removals` (in that
    // order) in one transaction; with `replaceAll` every other item goes
    // first.
    bool Apply(const CNoteItems& puts, const std::vector<std::string>& removals, bool replaceAll,
               std::string& error);

    // Whether another connection (another window) wrote since the last
    // call; the first call says false.
    bool Changed();

    // Backups. BackupIfDue takes one at the first edit of each local day
    // (the programs call it before an edit); BackupNow always takes one
    // (before an import replaces the layer). Both keep the newest
    // kBackupsKept. Backups are listed newest first.
    bool BackupIfDue(int64_t nowMs, std::string& error);
    bool BackupNow(int64_t nowMs, std::string& error);
    std::vector<CNoteBackup> Backups() const;
    // Replaces the layer with a backup's, in one transaction (a backup of
    // the layer as it was is taken first).
    bool Restore(const std::string& backupPath, std::string& error);

private:
    CNoteStore(sqlite3* db, std::string path, bool writable, std::string whyReadOnly);
    // Whether edits may go ahead: a store opened read-only for a passing
    // cause (a full disk) tries the file again first.
    bool MayWrite(std::string& error);

    sqlite3* m_db = nullptr;
    std::string m_path;
    bool m_writable = true;
    std::string m_whyReadOnly;
    int64_t m_dataVersion = -1;
    bool m_retryWrites = false;  // read-only for a cause that may pass
};

// Where the store lives: $ZERIM_NOTES_DB when set (tests), else
// notes.sqlite in the program's data folder, as Qt's AppDataLocation
// names it: $XDG_DATA_HOME (or ~/.local/share), then the organisation and
// the program's names.
std::string NotesDatabasePath();
