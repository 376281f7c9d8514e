#include "TableCompiler.h"

#include "data/ResourceIds.h"
#include "data/Win1252.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void PutU16(TableBytes& out, long long v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

void PutI32(TableBytes& out, long long v) {
    const uint32_t u = uint32_t(int32_t(v));
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(u >> shift));
}

void PutCString(TableBytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// Place and character texts are plain printable ASCII.
const std::string& Ascii(const TsvTable& t, const TsvRow& row, size_t index, bool mayBeEmpty) {
    const std::string& text = row.fields[index];
    if (text.empty() && !mayBeEmpty)
        t.Fail(row, "column " + std::to_string(index + 1) + " is empty (an empty name ends the table)");
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7E)
            t.Fail(row, "column " + std::to_string(index + 1) +
                            " holds a character that is not printable ASCII");
    return text;
}

// Spell finder texts: French, stored in Windows-1252.
std::string Cp1252(const TsvTable& t, const TsvRow& row, size_t index) {
    const std::string& text = row.fields[index];
    if (text.empty()) t.Fail(row, "column " + std::to_string(index + 1) + " is empty (an empty name ends the table)");
    const auto encoded = Utf8ToWin1252(text);
    if (!encoded)
        t.Fail(row, "column " + std::to_string(index + 1) +
                        " is not UTF-8 text that Windows-1252 can store");
    for (unsigned char c : *encoded)
        if (c < 0x20) t.Fail(row, "column " + std::to_string(index + 1) + " holds a control character");
    return *encoded;
}

void PutCharacter(TableBytes& out, const TsvTable& t, const TsvRow& row) {
    PutCString(out, Ascii(t, row, 0, false));
    PutCString(out, Ascii(t, row, 1, true));
    PutCString(out, Ascii(t, row, 2, true));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TableError(path.filename().string(), 0, "cannot be opened");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct TableSource {
    const char* file;
    std::vector<std::string> columns;
    int id;
};

const std::vector<std::string> kCharacterColumns = {"name", "whereabouts", "notes"};

const TableSource kSources[] = {
    {"places.tsv", {"name", "type", "level", "x", "y"}, ResId::IDR_PLACES},
    {"characters.tsv", kCharacterColumns, ResId::IDR_CHARACTERS},
    {"effects.tsv", {"name", "key"}, ResId::IDR_EFFECTS},
    {"spells.tsv", {"name", "effect", "id"}, ResId::IDR_SPELLS},
    {"vendors.tsv", {"name", "location", "spells"}, ResId::IDR_VENDORS},
    {"locations.tsv", {"location"}, ResId::IDR_VENDOR_LOCATIONS},
};

TableBytes CompileOne(const std::filesystem::path& dir, const TableSource& source,
                      const TsvTable& table) {
    switch (source.id) {
    case ResId::IDR_PLACES: return CompilePlaces(table);
    case ResId::IDR_CHARACTERS: {
        const auto tailPath = dir / "characters-tail.tsv";
        if (!std::filesystem::exists(tailPath)) return CompileCharacters(table, nullptr);
        const TsvTable tail = ParseTsv("characters-tail.tsv", ReadFile(tailPath), kCharacterColumns);
        return CompileCharacters(table, &tail);
    }
    case ResId::IDR_EFFECTS: return CompileEffects(table);
    case ResId::IDR_SPELLS: return CompileSpells(table);
    case ResId::IDR_VENDORS: return CompileVendors(table);
    default: return CompileLocations(table);
    }
}

}  // namespace

TableBytes CompilePlaces(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) {
        const std::string& name = Ascii(t, row, 0, false);
        if (name.size() > 0xFFFF) t.Fail(row, "the name is longer than 65535 bytes");
        PutU16(out, (long long)name.size());
        out.insert(out.end(), name.begin(), name.end());
        PutU16(out, t.Number(row, 1, 0, 0xFFFF));  // type
        PutU16(out, t.Number(row, 2, 0, 0xFFFF));  // level
        PutI32(out, t.Number(row, 3, INT32_MIN, INT32_MAX));
        PutI32(out, t.Number(row, 4, INT32_MIN, INT32_MAX));
    }
    PutU16(out, 0);
    return out;
}

TableBytes CompileCharacters(const TsvTable& t, const TsvTable* tail) {
    TableBytes out;
    for (const TsvRow& row : t.rows) PutCharacter(out, t, row);
    out.push_back(0);  // the empty name that ends the table
    if (!tail) return out;
    // Behind the end: the rest of an all-empty record, the tail's records and
    // two zero bytes. Nothing reads them.
    out.push_back(0);
    out.push_back(0);
    for (const TsvRow& row : tail->rows) PutCharacter(out, *tail, row);
    out.push_back(0);
    out.push_back(0);
    return out;
}

TableBytes CompileEffects(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) {
        PutCString(out, Cp1252(t, row, 0));
        PutU16(out, t.Number(row, 1, 0, 0xFFFF));
    }
    out.push_back(0);
    return out;
}

TableBytes CompileSpells(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) {
        PutCString(out, Cp1252(t, row, 0));
        PutU16(out, t.Number(row, 1, 0, 0xFFFF));
        PutU16(out, t.Number(row, 2, 0, 0xFFFF));
    }
    out.push_back(0);
    return out;
}

TableBytes CompileVendors(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) {
        PutCString(out, Cp1252(t, row, 0));
        PutU16(out, t.Number(row, 1, 0, 0xFFFF));
        // The ids, separated by single spaces; 65535 is the list's end mark.
        std::istringstream ids(row.fields[2]);
        std::string id;
        TsvRow one = row;  // the row with one id in the spells column, for messages
        while (std::getline(ids, id, ' ')) {
            one.fields[2] = id;
            PutU16(out, t.Number(one, 2, 0, 0xFFFE));
        }
        PutU16(out, 0xFFFF);
    }
    out.push_back(0);
    return out;
}

TableBytes CompileLocations(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) PutCString(out, Cp1252(t, row, 0));
    out.push_back(0);
    return out;
}

std::vector<CompiledTable> CompileDirectory(const std::string& sourceDir) {
    const std::filesystem::path dir(sourceDir);
    std::vector<CompiledTable> compiled;
    for (const TableSource& source : kSources) {
        const auto path = dir / source.file;
        if (!std::filesystem::exists(path)) continue;
        const TsvTable table = ParseTsv(source.file, ReadFile(path), source.columns);
        compiled.push_back({"RCDATA_" + std::to_string(source.id), CompileOne(dir, source, table)});
    }
    if (compiled.empty())
        throw TableError(sourceDir, 0, "no table source found (places.tsv, characters.tsv, ...)");
    return compiled;
}
