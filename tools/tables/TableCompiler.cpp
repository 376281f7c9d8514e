#include "TableCompiler.h"

#include "data/ResourceIds.h"
#include "data/Win1252.h"
#include "journeys/RoadTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

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

std::string Column(size_t index) { return "colonne " + std::to_string(index + 1); }

// Names are shown, typed and compared as they are: a blank at either end
// (a space, or a no-break space in the spell finder's texts) would make a
// name that looks like another and matches nothing that is typed.
void CheckNameEdges(const TsvTable& t, const TsvRow& row, size_t index) {
    const std::string& text = row.fields[index];
    for (const std::string blank : {" ", "\xC2\xA0"}) {
        const bool atStart = text.compare(0, blank.size(), blank) == 0;
        const bool atEnd = text.size() >= blank.size() &&
                           text.compare(text.size() - blank.size(), blank.size(), blank) == 0;
        if (atStart || atEnd) t.Fail(row, Column(index) + " commence ou finit par un blanc");
    }
}

// Place and character texts are plain printable ASCII.
const std::string& Ascii(const TsvTable& t, const TsvRow& row, size_t index, bool mayBeEmpty) {
    const std::string& text = row.fields[index];
    if (text.empty() && !mayBeEmpty)
        t.Fail(row, Column(index) + " est vide (un nom vide termine la table)");
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7E)
            t.Fail(row, Column(index) + " contient un caractère qui n'est pas de l'ASCII imprimable");
    return text;
}

const std::string& AsciiName(const TsvTable& t, const TsvRow& row, size_t index) {
    CheckNameEdges(t, row, index);
    return Ascii(t, row, index, false);
}

// Bytes that read back as control characters: C0, DEL, and the five bytes
// that Windows-1252 leaves undefined (C1 controls once read).
bool IsControlByte(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// Spell finder texts, all names: French, stored in Windows-1252.
std::string Cp1252Name(const TsvTable& t, const TsvRow& row, size_t index) {
    const std::string& text = row.fields[index];
    if (text.empty()) t.Fail(row, Column(index) + " est vide (un nom vide termine la table)");
    const auto encoded = Utf8ToWin1252(text);
    if (!encoded) t.Fail(row, Column(index) + " n'est pas un texte UTF-8 que Windows-1252 sait coder");
    for (unsigned char c : *encoded)
        if (IsControlByte(c)) {
            char code[8];  // each of these bytes stands for the code point of its value
            std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
            t.Fail(row, Column(index) + " contient un caractère de contrôle (" + code + ")");
        }
    CheckNameEdges(t, row, index);
    return *encoded;
}

// A spell id; 65535 would end the lists of the vendors who sell the spell.
uint16_t SpellId(const TsvTable& t, const TsvRow& row, size_t index) {
    const long long id = t.Number(row, index, 0, 0xFFFF);
    if (id == 0xFFFF)
        t.Fail(row, Column(index) +
                        " : 65535 marque la fin de la liste de sorts d'un vendeur et ne peut pas être un numéro de sort");
    return uint16_t(id);
}

// Spell ids separated by single spaces, as numbers are everywhere: no blank
// at either end of the list or of an id. An empty list is a vendor who sells
// nothing.
std::vector<uint16_t> SpellIdList(const TsvTable& t, const TsvRow& row, size_t index) {
    const std::string& list = row.fields[index];
    std::vector<uint16_t> ids;
    if (list.empty()) return ids;
    if (list.front() == ' ' || list.back() == ' ' || list.find("  ") != std::string::npos)
        t.Fail(row, Column(index) + " : « " + list +
                        " » doit être des numéros de sorts séparés par une seule espace, sans blanc au début ni à la fin");
    TsvRow one = row;  // the row with one id in the column, for messages
    for (size_t start = 0; start <= list.size();) {
        const size_t end = std::min(list.find(' ', start), list.size());
        one.fields[index] = list.substr(start, end - start);
        ids.push_back(SpellId(t, one, index));
        start = end + 1;
    }
    return ids;
}

void PutCharacter(TableBytes& out, const TsvTable& t, const TsvRow& row) {
    PutCString(out, AsciiName(t, row, 0));
    PutCString(out, Ascii(t, row, 1, true));
    PutCString(out, Ascii(t, row, 2, true));
}

std::string ReadFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) throw TableError(name, 0, std::string("ouverture impossible : ") + std::strerror(errno));
    std::string text;
    char buffer[64 * 1024];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) text.append(buffer, n);
    // A folder of that name opens, then fails to read (EISDIR).
    if (std::ferror(file.get())) throw TableError(name, 0, std::string("lecture impossible : ") + std::strerror(errno));
    return text;
}

// The value named `name` in the scale source, within [lo, hi]; exactly one.
long long ScaleValue(const TsvTable& t, const std::string& name, long long lo, long long hi) {
    const TsvRow* found = nullptr;
    for (const TsvRow& row : t.rows) {
        if (row.fields[0] != name) continue;
        if (found) t.Fail(row, "« " + name + " » figure deux fois");
        found = &row;
    }
    if (!found) throw TableError(t.file, 0, "« " + name + " » manque");
    return t.Number(*found, 1, lo, hi);
}

// "x,y x,y ...": the coordinates in order, at least two points.
std::vector<long long> RoadPoints(const TsvTable& t, const TsvRow& row, size_t index) {
    std::vector<long long> values;
    TsvRow one = row;  // the row with one number in the column, for messages
    const std::string& text = row.fields[index];
    for (size_t start = 0; start <= text.size();) {
        const size_t space = std::min(text.find(' ', start), text.size());
        const size_t comma = text.find(',', start);
        if (comma == std::string::npos || comma > space) t.Fail(row, "point sans virgule : « " + text.substr(start, space - start) + " »");
        for (const auto& [from, to] : {std::pair<size_t, size_t>{start, comma}, {comma + 1, space}}) {
            one.fields[index] = text.substr(from, to - from);
            values.push_back(t.Number(one, index, -Roads::kMaxCoordinate, Roads::kMaxCoordinate));
        }
        start = space + 1;
    }
    if (values.size() < 4) t.Fail(row, "une route a au moins deux points");
    if (values.size() / 2 > size_t(Roads::kMaxPoints)) t.Fail(row, "plus de 65535 points");
    return values;
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
    {"roads.tsv", {"rank", "points"}, ResId::IDR_ROADS},
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
    case ResId::IDR_ROADS: {
        const auto scalePath = dir / "scale.tsv";
        if (!std::filesystem::exists(scalePath)) throw TableError("scale.tsv", 0, "absent à côté de roads.tsv");
        return CompileRoads(ParseTsv("scale.tsv", ReadFile(scalePath), {"name", "value"}), table);
    }
    default: return CompileLocations(table);
    }
}

}  // namespace

TableBytes CompilePlaces(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) {
        const std::string& name = AsciiName(t, row, 0);
        if (name.size() > 0xFFFF) t.Fail(row, "le nom dépasse 65535 octets");
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
        PutCString(out, Cp1252Name(t, row, 0));
        PutU16(out, t.Number(row, 1, 0, 0xFFFF));
    }
    out.push_back(0);
    return out;
}

TableBytes CompileSpells(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) {
        PutCString(out, Cp1252Name(t, row, 0));
        PutU16(out, t.Number(row, 1, 0, 0xFFFF));
        PutU16(out, SpellId(t, row, 2));
    }
    out.push_back(0);
    return out;
}

TableBytes CompileVendors(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) {
        PutCString(out, Cp1252Name(t, row, 0));
        PutU16(out, t.Number(row, 1, 0, 0xFFFF));
        for (const uint16_t id : SpellIdList(t, row, 2)) PutU16(out, id);
        PutU16(out, 0xFFFF);  // the list's end mark
    }
    out.push_back(0);
    return out;
}

TableBytes CompileRoads(const TsvTable& scale, const TsvTable& roads) {
    TableBytes out;
    PutI32(out, ScaleValue(scale, "lieue", 1, Roads::kMaxUnitsPerLeague));
    for (const char* mode : {"marche", "cheval"})
        for (int rank = 0; rank < Roads::kRankCount; ++rank)
            PutU16(out, ScaleValue(scale, std::string(mode) + "-" + std::to_string(rank), 1, Roads::kMaxSpeed));
    for (const TsvRow& row : roads.rows) {
        PutU16(out, roads.Number(row, 0, Roads::kHighway, Roads::kTrack));
        const auto points = RoadPoints(roads, row, 1);
        PutU16(out, (long long)points.size() / 2);
        for (const long long v : points) PutI32(out, v);
    }
    PutU16(out, 0);
    return out;
}

TableBytes CompileLocations(const TsvTable& t) {
    TableBytes out;
    for (const TsvRow& row : t.rows) PutCString(out, Cp1252Name(t, row, 0));
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
        throw TableError(sourceDir, 0, "aucune source de table trouvée (places.tsv, characters.tsv...)");
    return compiled;
}
