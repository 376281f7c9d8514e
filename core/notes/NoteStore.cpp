#include "notes/NoteStore.h"

#include "notes/NoteSql.h"

#include <cstdlib>

using namespace NoteSql;

CNoteStore::CNoteStore(sqlite3* db, std::string path, bool writable, std::string whyReadOnly)
    : m_db(db), m_path(std::move(path)), m_writable(writable), m_whyReadOnly(std::move(whyReadOnly)) {}

CNoteStore::~CNoteStore() { sqlite3_close_v2(m_db); }

CNoteItems CNoteStore::Items() const {
    int code;
    return ReadItems(m_db, code);
}

std::optional<CNoteItem> CNoteStore::Find(const std::string& id) const {
    CStatement select(m_db,
                      "SELECT id, kind, name, x, y, visited, favourite, note, colour, updated FROM items"
                      " WHERE id = ?1");
    if (select.Prepared() != SQLITE_OK) return std::nullopt;
    select.Bind(1, id);
    if (select.Step() != SQLITE_ROW) return std::nullopt;
    return ItemAt(select.Get());
}

bool CNoteStore::Put(const CNoteItem& item, std::string& error) { return Apply({item}, {}, false, error); }

bool CNoteStore::Remove(const std::string& id, std::string& error) { return Apply({}, {id}, false, error); }

bool CNoteStore::Apply(const CNoteItems& puts, const std::vector<std::string>& removals, bool replaceAll,
                       std::string& error) {
    if (!MayWrite(error)) return false;
    const int code = InTransaction(m_db, [&] {
        if (replaceAll) {
            const int cleared = Exec(m_db, "DELETE FROM items");
            if (cleared != SQLITE_OK) return cleared;
        }
        CItemWriter writer(m_db);
        int step = writer.Prepared();
        for (size_t i = 0; step == SQLITE_OK && i < puts.size(); ++i) step = writer.Put(puts[i]);
        for (size_t i = 0; step == SQLITE_OK && i < removals.size(); ++i) step = writer.Remove(removals[i]);
        return step;
    });
    if (code != SQLITE_OK) error = Reason(m_db, code);
    return code == SQLITE_OK;
}

bool CNoteStore::Changed() {
    // data_version changes when another connection commits, never for this
    // one's own commits.
    int code;
    const std::string text = Single(m_db, "PRAGMA data_version", code);
    if (code != SQLITE_OK || text.empty()) return false;
    const int64_t version = std::strtoll(text.c_str(), nullptr, 10);
    const bool changed = m_dataVersion >= 0 && version != m_dataVersion;
    m_dataVersion = version;
    return changed;
}

std::string NotesDatabasePath() {
    const char* overridden = std::getenv("ZERIM_NOTES_DB");
    if (overridden && *overridden) return overridden;
    // As Qt's AppDataLocation for this organisation and program, so that
    // the program and its modes without a window find the same file.
    std::string base;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/') {
        base = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + "/.local/share";
    }
    return base + "/Local AppWizard-Generated Applications/Zerim/notes.sqlite";
}
