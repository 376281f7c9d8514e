#include "TsvTable.h"

#include <cerrno>
#include <cstdlib>

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t') fields.emplace_back();
        else fields.back() += c;
    }
    return fields;
}

std::string Join(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
}

}  // namespace

long long TsvTable::Number(const TsvRow& row, size_t index, long long lo, long long hi) const {
    const std::string& text = row.fields[index];
    char* end = nullptr;
    errno = 0;
    const long long value = text.empty() ? 0 : std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || text[0] == '+' || text[0] == ' ')
        Fail(row, "column " + std::to_string(index + 1) + ": \"" + text + "\" is not a whole number");
    if (value < lo || value > hi)
        Fail(row, "column " + std::to_string(index + 1) + ": " + text + " is outside " +
                      std::to_string(lo) + ".." + std::to_string(hi));
    return value;
}

TsvTable ParseTsv(const std::string& file, const std::string& text,
                  const std::vector<std::string>& columns) {
    TsvTable table{file, {}};
    size_t pos = 0;
    int lineNumber = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const TsvRow row{lineNumber, SplitTabs(line)};
        if (lineNumber == 1) {
            if (row.fields != columns)
                table.Fail(row, "the header must be the columns: " + Join(columns));
            continue;
        }
        if (line.empty()) table.Fail(row, "empty line");
        if (row.fields.size() != columns.size())
            table.Fail(row, "expected " + std::to_string(columns.size()) + " fields (" +
                                Join(columns) + "), found " + std::to_string(row.fields.size()));
        table.rows.push_back(row);
    }
    if (lineNumber == 0) throw TableError(file, 1, "empty file: the header line is missing");
    return table;
}
