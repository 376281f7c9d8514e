// What every part of the notes store does with SQLite's C API: a statement
// that finalises itself, a transaction that rolls back unless it commits,
// reading and writing items, and why a call failed in the player's words
// (French). Private to core/notes.
#pragma once
#include "notes/NoteItem.h"

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <string>

namespace NoteSql {

class CStatement {
public:
    CStatement(sqlite3* db, const char* sql) : m_code(sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr)) {}
    ~CStatement() { sqlite3_finalize(m_stmt); }
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    // SQLITE_OK when the statement was prepared; else what refused it.
    int Prepared() const { return m_stmt ? SQLITE_OK : (m_code != SQLITE_OK ? m_code : SQLITE_ERROR); }
    sqlite3_stmt* Get() const { return m_stmt; }
    void Bind(int index, const std::string& text) {
        sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
    void Bind(int index, int64_t value) { sqlite3_bind_int64(m_stmt, index, value); }
    // One step, then ready for the next bindings when it is done.
    int Run();
    int Step() { return sqlite3_step(m_stmt); }
    std::string Text(int column) const;

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_code;
};

// Runs statements with no rows to read; SQLITE_OK or the first failure.
int Exec(sqlite3* db, const char* sql);
// The first column of the first row of a pragma or query, as text; empty
// with `code` set when it failed.
std::string Single(sqlite3* db, const char* sql, int& code);

// Runs `body` (which returns SQLITE_OK or a failure) in one write
// transaction, committing only when it succeeded; otherwise rolls back.
int InTransaction(sqlite3* db, const std::function<int()>& body);

// The columns of the items table, in the order ItemAt reads them.
constexpr const char* kSelectItems =
    "SELECT id, kind, name, x, y, visited, favourite, note, colour, updated FROM items ORDER BY id";
CNoteItem ItemAt(sqlite3_stmt* row);
// Every item of the connection's "main" database, places first then pins,
// each by id; SQLITE_OK in `code` or what failed.
CNoteItems ReadItems(sqlite3* db, int& code);

// Inserts, replaces and removes items through statements prepared once.
class CItemWriter {
public:
    explicit CItemWriter(sqlite3* db);
    int Prepared() const;
    // An empty place mark is removed rather than kept.
    int Put(const CNoteItem& item);
    int Remove(const std::string& id);

private:
    CStatement m_put, m_remove;
};

// Why `code` (from a call on `db`, which may be null) failed, in French.
std::string Reason(sqlite3* db, int code);
bool IsDamage(int code);

}  // namespace NoteSql
