#include "notes/NoteSql.h"

#include "cli/SystemReason.h"

#include <algorithm>

namespace NoteSql {

int CStatement::Run() {
    const int code = sqlite3_step(m_stmt);
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    return code == SQLITE_DONE || code == SQLITE_ROW ? SQLITE_OK : code;
}

std::string CStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(m_stmt, column))) : std::string();
}

int Exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

std::string Single(sqlite3* db, const char* sql, int& code) {
    CStatement statement(db, sql);
    code = statement.Prepared();
    if (code != SQLITE_OK) return {};
    const int step = statement.Step();
    code = step == SQLITE_ROW || step == SQLITE_DONE ? SQLITE_OK : step;
    return step == SQLITE_ROW ? statement.Text(0) : std::string();
}

int InTransaction(sqlite3* db, const std::function<int()>& body) {
    // IMMEDIATE takes the write lock at once, so that two programs writing
    // at once wait for each other (the busy timeout) instead of one failing
    // half-way.
    int code = Exec(db, "BEGIN IMMEDIATE");
    if (code != SQLITE_OK) return code;
    code = body();
    if (code == SQLITE_OK) code = Exec(db, "COMMIT");
    if (code != SQLITE_OK && !sqlite3_get_autocommit(db)) Exec(db, "ROLLBACK");
    return code;
}

CNoteItem ItemAt(sqlite3_stmt* row) {
    const auto text = [row](int column) {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
        return bytes ? std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(row, column))) : std::string();
    };
    CNoteItem item;
    item.id = text(0);
    item.kind = text(1) == "place" ? CNoteItem::Kind::Place : CNoteItem::Kind::Pin;
    item.name = text(2);
    item.x = static_cast<int32_t>(sqlite3_column_int64(row, 3));
    item.y = static_cast<int32_t>(sqlite3_column_int64(row, 4));
    item.visited = sqlite3_column_int(row, 5) != 0;
    item.favourite = sqlite3_column_int(row, 6) != 0;
    item.note = text(7);
    item.colour = PinColourNamed(text(8)).value_or(PinColour::Blue);
    item.updated = sqlite3_column_int64(row, 9);
    return item;
}

CNoteItems ReadItems(sqlite3* db, int& code) {
    CNoteItems items;
    CStatement select(db, kSelectItems);
    code = select.Prepared();
    if (code != SQLITE_OK) return items;
    int step;
    while ((step = select.Step()) == SQLITE_ROW) items.push_back(ItemAt(select.Get()));
    code = step == SQLITE_DONE ? SQLITE_OK : step;
    // The table keeps its rows by id; places go first, in that order still.
    std::stable_partition(items.begin(), items.end(),
                          [](const CNoteItem& item) { return item.kind == CNoteItem::Kind::Place; });
    return items;
}

CItemWriter::CItemWriter(sqlite3* db)
    : m_put(db,
            "INSERT OR REPLACE INTO items (id, kind, name, x, y, visited, favourite, note, colour, updated)"
            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)"),
      m_remove(db, "DELETE FROM items WHERE id = ?1") {}

int CItemWriter::Prepared() const { return m_put.Prepared() != SQLITE_OK ? m_put.Prepared() : m_remove.Prepared(); }

int CItemWriter::Put(const CNoteItem& item) {
    if (item.IsEmptyMark()) return Remove(item.id);
    const bool place = item.kind == CNoteItem::Kind::Place;
    m_put.Bind(1, item.id);
    m_put.Bind(2, std::string(place ? "place" : "pin"));
    m_put.Bind(3, item.name);
    m_put.Bind(4, int64_t{item.x});
    m_put.Bind(5, int64_t{item.y});
    m_put.Bind(6, int64_t{place && item.visited});
    m_put.Bind(7, int64_t{place && item.favourite});
    m_put.Bind(8, item.note);
    m_put.Bind(9, std::string(PinColourName(item.colour)));
    m_put.Bind(10, item.updated);
    return m_put.Run();
}

int CItemWriter::Remove(const std::string& id) {
    m_remove.Bind(1, id);
    return m_remove.Run();
}

std::string Reason(sqlite3* db, int code) {
    const int error = db ? sqlite3_system_errno(db) : 0;
    switch (code & 0xff) {
    case SQLITE_FULL: return "disque plein";
    case SQLITE_READONLY: return "fichier en lecture seule";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "permission refusée";
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN: return error ? SystemReason(error) : "erreur d'entrée-sortie";
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return "le fichier est occupé par un autre programme";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return "le fichier est abîmé";
    case SQLITE_NOMEM: return "mémoire insuffisante";
    case SQLITE_TOOBIG: return "texte trop long";
    case SQLITE_CONSTRAINT:
    case SQLITE_MISMATCH: return "donnée refusée par le fichier";
    default: return std::string("erreur de la base (") + sqlite3_errstr(code) + ")";
    }
}

bool IsDamage(int code) { return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB; }

}  // namespace NoteSql
