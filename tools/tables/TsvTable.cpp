#include "TsvTable.h"

#include "data/WholeNumber.h"


namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t') fields.emplace_back();
        else fields.back() += c;
    }
    return fields;
}

// Empty, or spaces only, once the line's CR is dropped.
bool IsBlank(const std::string& line) {
    return line.find_first_not_of(' ') == std::string::npos;
}

std::string Join(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
}

}  // namespace

long long TsvTable::Number(const TsvRow& row, size_t index, long long lo, long long hi) const {
    const std::string& text = row.fields[index];
    const auto value = ParseWholeNumber(text, Minus::Allowed);
    if (!value) Fail(row, "colonne " + std::to_string(index + 1) + " : « " + text + " » n'est pas un nombre entier");
    if (*value < lo || *value > hi)
        Fail(row, "colonne " + std::to_string(index + 1) + " : " + text + " n'est pas entre " +
                      std::to_string(lo) + " et " + std::to_string(hi));
    return *value;
}

TsvTable ParseTsv(const std::string& file, const std::string& text,
                  const std::vector<std::string>& columns) {
    TsvTable table{file, {}};
    size_t pos = 0;
    int lineNumber = 0;
    int firstBlank = 0;  // the first blank line not yet followed by a record
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
                table.Fail(row, "l'en-tête doit nommer les colonnes : " + Join(columns));
            continue;
        }
        // Blank lines may end the file (editors leave them), not split it.
        if (IsBlank(line)) {
            if (!firstBlank) firstBlank = lineNumber;
            continue;
        }
        if (firstBlank)
            table.Fail({firstBlank, {}}, "ligne vide (seule la fin du fichier peut avoir des lignes vides)");
        if (row.fields.size() != columns.size())
            table.Fail(row, std::to_string(columns.size()) + " champs attendus (" + Join(columns) + "), " +
                                std::to_string(row.fields.size()) + " trouvés");
        table.rows.push_back(row);
    }
    if (lineNumber == 0) throw TableError(file, 1, "fichier vide : la ligne d'en-tête manque");
    return table;
}
