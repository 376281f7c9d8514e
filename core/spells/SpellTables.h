// The spell finder's four tables, read from their embedded blocks. Strings
// stay as stored (Windows-1252); numbers are 16-bit little-endian. Each
// reader stops at the table's ending empty name or at the end of the block,
// whichever comes first, and keeps whole records only.
#pragma once
#include "data/ByteBlock.h"

#include <cstdint>
#include <string>
#include <vector>

struct EffectRecord {
    std::string name;
    uint16_t key = 0;
};

struct SpellRecord {
    std::string name;
    uint16_t effect = 0;  // key of the effect it is filed under
    uint16_t id = 0;      // the number vendors refer to it by
};

struct VendorRecord {
    std::string name;
    uint16_t location = 0;         // index into the location table
    std::vector<uint16_t> spells;  // in stored order, without the 0xFFFF end mark
};

constexpr uint16_t kSpellListEnd = 0xFFFF;

std::vector<EffectRecord> ReadEffects(ByteBlock block);
std::vector<SpellRecord> ReadSpells(ByteBlock block);
std::vector<VendorRecord> ReadVendors(ByteBlock block);
std::vector<std::string> ReadLocations(ByteBlock block);
