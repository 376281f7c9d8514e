#include "notes/NotesLook.h"

#include "notes/NoteFiles.h"
#include "notes/NoteSql.h"

#include <cstdio>
#include <cstring>

using namespace NoteFiles;
using namespace NoteSql;

namespace {

// The file's first bytes: SQLite's, or nothing at all (a store never written).
enum class Start { Sqlite, Empty, Other, Unreadable };

Start StartOf(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return Start::Unreadable;
    char start[16];
    const size_t read = std::fread(start, 1, sizeof start, file);
    std::fclose(file);
    if (read == 0) return Start::Empty;
    return read == sizeof start && std::memcmp(start, "SQLite format 3", sizeof start) == 0 ? Start::Sqlite
                                                                                            : Start::Other;
}

}  // namespace

CNotesLook LookAtNotes(const std::string& path) {
    CNotesLook look;
    if (!Exists(path)) return look;
    switch (StartOf(path)) {
    case Start::Empty: return look;
    case Start::Other: look.problem = "« " + path + " » n'est pas un fichier SQLite"; return look;
    case Start::Unreadable: look.problem = "« " + path + " » ne peut pas être lu"; return look;
    case Start::Sqlite: break;
    }
    // A window that has the file open keeps its log and shared memory beside
    // it: read through them. Otherwise the file alone is the whole store,
    // read as immutable (no lock, no file made beside it).
    const bool live = Exists(path + "-wal") && Exists(path + "-shm");
    const std::string name = live ? UriOf(path) : UriOf(path) + "?immutable=1";
    sqlite3* db = nullptr;
    int code = sqlite3_open_v2(name.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX,
                               nullptr);
    if (code == SQLITE_OK) {
        sqlite3_busy_timeout(db, 2000);
        const std::string version = Single(db, "PRAGMA user_version", code);
        // A file made but never given its table holds no notes yet.
        if (code == SQLITE_OK && version != "0") look.items = ReadItems(db, code);
    }
    if (code != SQLITE_OK) {
        look.items.clear();
        look.problem = "vos notes n'ont pas pu être lues (" + path + ") : " + Reason(db, code);
    }
    sqlite3_close_v2(db);
    return look;
}
