#include "notes/NotesLook.h"

#include "notes/NoteFiles.h"
#include "notes/NoteSql.h"

using namespace NoteFiles;
using namespace NoteSql;

CNotesLook LookAtNotes(const std::string& path) {
    CNotesLook look;
    if (!Exists(path)) return look;
    switch (StartOfFile(path)) {
    case FileStart::Empty: return look;
    case FileStart::Other: look.problem = "« " + path + " » n'est pas un fichier SQLite"; return look;
    case FileStart::Unreadable: look.problem = "« " + path + " » ne peut pas être lu"; return look;
    case FileStart::Sqlite: break;
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
