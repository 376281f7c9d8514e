// A small world with every table a place card reads, for tests: places that
// share a name, characters linking to them once or twice, vendors whose
// locations name a place or none, names that need escaping.
#pragma once
#include "TableBuilder.h"

#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <utility>

namespace SmallWorld {

using TestTables::Bytes;

inline void PutString(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// Zero-terminated strings, then the empty one that ends the table.
inline Bytes Strings(const std::vector<std::string>& texts) {
    Bytes out;
    for (const std::string& text : texts) PutString(out, text);
    out.push_back(0);
    return out;
}

struct Spell {
    std::string name;
    uint16_t id;
};

struct Vendor {
    std::string name;
    uint16_t location;
    std::vector<uint16_t> spells;
};

inline Bytes Spells(const std::vector<Spell>& spells) {
    Bytes out;
    for (const Spell& s : spells) {
        PutString(out, s.name);
        TestTables::PutU16(out, 1);
        TestTables::PutU16(out, s.id);
    }
    out.push_back(0);
    return out;
}

inline Bytes Vendors(const std::vector<Vendor>& vendors) {
    Bytes out;
    for (const Vendor& v : vendors) {
        PutString(out, v.name);
        TestTables::PutU16(out, v.location);
        for (const uint16_t id : v.spells) TestTables::PutU16(out, id);
        TestTables::PutU16(out, 0xFFFF);
    }
    out.push_back(0);
    return out;
}

// Places: 0 Kelwick, 1 Quen Harrow, 2 and 3 one name in two cases, 4 a
// place whose head ("Oska") an earlier place has, 5 a place nobody names.
// Texts in Windows-1252. Each table with its RCDATA id; no effect table.
inline std::vector<std::pair<int, Bytes>> Tables() {
    return {
        // Far apart, so that each marker can be pointed at on its own.
        {ResId::IDR_PLACES, TestTables::PlaceTable({{"Kelwick", 1, 0, -100000, 100000},
                                                    {"Quen Harrow", 1, 1, 0, 100000},
                                                    {"Oska, Brask Quarter", 1, 1, 100000, 100000},
                                                    {"oska, brask QUARTER", 1, 1, -100000, 0},
                                                    {"Oska, Lower Town", 1, 1, 0, 0},
                                                    {"Ro-Dal", 1, 2, 100000, 0}})},
        // Records of three strings: name, whereabouts, notes.
        {ResId::IDR_CHARACTERS, Strings({"Amrel", "Kelwick, then Quen Harrow.", "Back to Kelwick.",
                                         "Bo <Jiss> & \"Q\"", "Oska", "",
                                         "Cara", "nowhere", "Seen in kelwick.",
                                         "Dun", "Lives in Oska.", "Met Amrel."})},
        {ResId::IDR_SPELLS, Spells({{"Flamme", 7}, {"\xC9" "clair", 8}, {"Givre <b>", 9}, {"Brume", 10}})},
        {ResId::IDR_VENDOR_LOCATIONS,
         Strings({"Kelwick, by the well", "Oska, Brask Quarter", "The road", "Quen Harrow"})},
        {ResId::IDR_VENDORS, Vendors({{"Zed & Sons", 0, {7, 8, 7, 99}},
                                      {"Ula", 1, {9}},
                                      {"Vik", 2, {7}},
                                      {"Wen", 7, {10}},
                                      {"Xan", 0, {}},
                                      {"Yara", 3, {10, 8}}})},
    };
}

inline void Fill(CMemoryResourceStore& store) {
    for (auto& [id, bytes] : Tables()) store.Add(ResType::Numeric(ResId::RT_RCDATA), id, std::move(bytes));
}

}  // namespace SmallWorld
