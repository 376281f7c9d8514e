// Reading the UTF-8, tab-separated sources of the embedded tables: a header
// line naming the columns, then one record a line. Any fault stops with the
// file, the line and what is wrong.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

class TableError : public std::runtime_error {
public:
    TableError(const std::string& file, int line, const std::string& what)
        : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}
};

struct TsvRow {
    int line = 0;  // 1-based line number in the file
    std::vector<std::string> fields;
};

struct TsvTable {
    std::string file;  // the name used in messages
    std::vector<TsvRow> rows;

    [[noreturn]] void Fail(const TsvRow& row, const std::string& what) const {
        throw TableError(file, row.line, what);
    }
    // Field `index` of `row` as an integer within [lo, hi]: decimal digits
    // after an optional minus sign, with no blank before or after them.
    long long Number(const TsvRow& row, size_t index, long long lo, long long hi) const;
};

// Parses `text` (the file's content); the header must be exactly `columns`.
// Lines end with LF (a CR before it is dropped); a last line without LF counts.
// Blank lines (empty, or spaces only) may end the file; one between records
// is an error.
TsvTable ParseTsv(const std::string& file, const std::string& text,
                  const std::vector<std::string>& columns);
