#include "spells/SpellTables.h"

#include "data/ByteReader.h"

namespace {

// Reads records with `readOne` until the empty name that ends the table, the
// end of the block, or a record cut short.
template <class Record, class ReadOne>
std::vector<Record> ReadUntilEnd(ByteBlock block, ReadOne readOne) {
    std::vector<Record> records;
    ByteReader reader(block);
    Record record;
    while (reader.ReadCString(record.name) && !record.name.empty() && readOne(reader, record)) {
        records.push_back(std::move(record));
        record = Record();
    }
    return records;
}

}  // namespace

std::vector<EffectRecord> ReadEffects(ByteBlock block) {
    return ReadUntilEnd<EffectRecord>(
        block, [](ByteReader& r, EffectRecord& e) { return r.ReadU16(e.key); });
}

std::vector<SpellRecord> ReadSpells(ByteBlock block) {
    return ReadUntilEnd<SpellRecord>(block, [](ByteReader& r, SpellRecord& s) {
        return r.ReadU16(s.effect) && r.ReadU16(s.id);
    });
}

std::vector<VendorRecord> ReadVendors(ByteBlock block) {
    return ReadUntilEnd<VendorRecord>(block, [](ByteReader& r, VendorRecord& v) {
        if (!r.ReadU16(v.location)) return false;
        uint16_t id = 0;
        while (r.ReadU16(id)) {
            if (id == kSpellListEnd) return true;
            v.spells.push_back(id);
        }
        return false;  // the list runs to the end of the block
    });
}

std::vector<std::string> ReadLocations(ByteBlock block) {
    std::vector<std::string> locations;
    ByteReader reader(block);
    std::string text;
    while (reader.ReadCString(text) && !text.empty()) locations.push_back(text);
    return locations;
}
