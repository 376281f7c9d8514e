// The table compiler on any text: it refuses with a TableError or compiles a
// block that the program reads back record for record, with names as the
// source gave them (no control character, no blank at either end).
// The first byte picks the table (low bits) and whether the right header
// line is put before the rest (high bit), so that most inputs reach the
// records.
#include "data/CharacterText.h"
#include "data/PlaceTable.h"
#include "data/Win1252.h"
#include "spells/SpellTables.h"
#include "tables/TableCompiler.h"

#include <cstdlib>

namespace {

struct Kind {
    std::vector<std::string> columns;
    TableBytes (*compile)(const TsvTable&);
    size_t (*readBack)(ByteBlock block);  // the records the program reads
};

size_t Places(ByteBlock b) {
    CPlaceList places;
    ParsePlaceTable(b, places);
    return size_t(places.GetSize());
}
size_t Characters(ByteBlock b) { return size_t(CCharacterText(b).Count()); }
size_t Effects(ByteBlock b) { return ReadEffects(b).size(); }
size_t Spells(ByteBlock b) {
    const auto spells = ReadSpells(b);
    for (const SpellRecord& s : spells)
        if (s.id == kSpellListEnd) std::abort();  // would end a vendor's list
    return spells.size();
}
size_t Vendors(ByteBlock b) { return ReadVendors(b).size(); }
size_t Locations(ByteBlock b) { return ReadLocations(b).size(); }

const Kind kKinds[] = {
    {{"name", "type", "level", "x", "y"}, CompilePlaces, Places},
    {{"name", "whereabouts", "notes"}, [](const TsvTable& t) { return CompileCharacters(t, nullptr); }, Characters},
    {{"name", "key"}, CompileEffects, Effects},
    {{"name", "effect", "id"}, CompileSpells, Spells},
    {{"name", "location", "spells"}, CompileVendors, Vendors},
    {{"location"}, CompileLocations, Locations},
};

std::string Header(const Kind& kind) {
    std::string line;
    for (const std::string& c : kind.columns) line += (line.empty() ? "" : "\t") + c;
    return line + "\n";
}

void CheckName(const std::string& name) {
    if (name.empty() || name.front() == ' ' || name.back() == ' ') std::abort();
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const Kind& kind = kKinds[data[0] % 6];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 0x80) text = Header(kind) + text;
    try {
        const TsvTable table = ParseTsv("fuzz.tsv", text, kind.columns);
        const TableBytes bytes = kind.compile(table);
        if (kind.readBack(ByteBlock(bytes)) != table.rows.size()) std::abort();
        for (const TsvRow& row : table.rows) {
            if (row.fields.size() != kind.columns.size()) std::abort();
            CheckName(row.fields[0]);
            if (!Utf8ToWin1252(row.fields[0])) std::abort();  // every accepted name is storable
        }
    } catch (const TableError&) {
        // A refusal, with file and line: what bad text must give.
    }
    return 0;
}
