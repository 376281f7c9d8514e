// The one search as the player types: realistic queries typed one letter at
// a time (a place, a spell, a typo, a filter, a vendor's location), each
// keystroke a Find as the field asks it, over the real world and over a
// world ten times larger (every table ten times, so every hit ten times
// too). Prints the median and the slowest keystroke of each world, against
// the least any search must do (a plain substring scan of every name, the
// same keystrokes), and the time to build the index.
#include "BenchTiming.h"

#include "data/CharacterText.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "npc/LinkedWorld.h"
#include "npc/WorldData.h"
#include "res/QtResourceStore.h"
#include "search/WorldSearch.h"
#include "spells/SpellTables.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
constexpr int kCopies = 10;
constexpr int kRounds = 9;

// What a player types, letter by letter.
const char* const kQueries[] = {
    "tessanta",              // a place, with vendors found by their location
    "trait de foudre",       // a spell, several words
    "sort: trait de fuodre", // a filter and a typo
    "dégâts",                // accents typed
    "fort ardacelan",        // a letter missing
    "marchand: lavoir",      // vendors by location
    "kovavl abbey",          // a place of two words
    "calmira lockfeather",   // a character
};

void PutU16(Bytes& out, unsigned v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t(v >> 8));
}

void PutI32(Bytes& out, int32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(uint32_t(v) >> shift));
}

void PutText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// Every table of the real world written kCopies times over, as the store
// would hold a world that large.
void AddTenTimes(const IResourceStore& real, const CPlaceArray& places, CMemoryResourceStore& big) {
    const auto table = [&real](int id) { return FindRcData(real, id).value_or(ByteBlock()); };
    const auto rcdata = ResType::Numeric(ResId::RT_RCDATA);
    Bytes out;
    for (int copy = 0; copy < kCopies; ++copy)
        for (const CPlace* place : places) {
            if (!place) continue;
            PutU16(out, unsigned(place->m_strName.size()));
            out.insert(out.end(), place->m_strName.begin(), place->m_strName.end());
            PutU16(out, unsigned(place->m_nType));
            PutU16(out, unsigned(place->m_nLevel));
            PutI32(out, place->m_x);
            PutI32(out, place->m_y);
        }
    PutU16(out, 0);
    big.Add(rcdata, ResId::IDR_PLACES, std::move(out));

    out.clear();
    const CCharacterText characters(table(ResId::IDR_CHARACTERS));
    for (int copy = 0; copy < kCopies; ++copy)
        characters.ForEach([&out](int, size_t, const CharacterRecord& record) {
            for (const std::string_view text : {record.name, record.whereabouts, record.notes})
                PutText(out, std::string(text));
            return true;
        });
    out.push_back(0);
    big.Add(rcdata, ResId::IDR_CHARACTERS, std::move(out));

    out.clear();
    const auto spells = ReadSpells(table(ResId::IDR_SPELLS));
    for (int copy = 0; copy < kCopies; ++copy)
        for (const SpellRecord& spell : spells) PutText(out, spell.name), PutU16(out, spell.effect), PutU16(out, spell.id);
    out.push_back(0);
    big.Add(rcdata, ResId::IDR_SPELLS, std::move(out));

    out.clear();
    const auto effects = ReadEffects(table(ResId::IDR_EFFECTS));
    for (int copy = 0; copy < kCopies; ++copy)
        for (const EffectRecord& effect : effects) PutText(out, effect.name), PutU16(out, effect.key);
    out.push_back(0);
    big.Add(rcdata, ResId::IDR_EFFECTS, std::move(out));

    out.clear();
    const auto locations = ReadLocations(table(ResId::IDR_VENDOR_LOCATIONS));
    for (int copy = 0; copy < kCopies; ++copy)
        for (const std::string& location : locations) PutText(out, location);
    out.push_back(0);
    big.Add(rcdata, ResId::IDR_VENDOR_LOCATIONS, std::move(out));

    out.clear();
    const auto vendors = ReadVendors(table(ResId::IDR_VENDORS));
    for (int copy = 0; copy < kCopies; ++copy)
        for (const VendorRecord& vendor : vendors) {
            PutText(out, vendor.name);
            PutU16(out, unsigned(vendor.location + copy * int(locations.size())));
            for (const uint16_t id : vendor.spells) PutU16(out, id);
            PutU16(out, kSpellListEnd);
        }
    out.push_back(0);
    big.Add(rcdata, ResId::IDR_VENDORS, std::move(out));
}

// Every name and location of the world, as the tables store them, for the
// plain scan.
std::vector<std::string> EveryName(const IResourceStore& store) {
    CWorldData world(store);
    world.LoadPlaces();
    std::vector<std::string> names;
    for (const CPlace* place : world.Places())
        if (place) names.push_back(place->m_strName);
    const CLinkedWorld& linked = world.LinkedWorld();
    linked.Pages().Text().ForEach([&names](int, size_t, const CharacterRecord& record) {
        names.emplace_back(record.name);
        return true;
    });
    const auto table = [&store](int id) { return FindRcData(store, id).value_or(ByteBlock()); };
    for (const SpellRecord& spell : ReadSpells(table(ResId::IDR_SPELLS))) names.push_back(spell.name);
    for (const EffectRecord& effect : ReadEffects(table(ResId::IDR_EFFECTS))) names.push_back(effect.name);
    for (const VendorRecord& vendor : linked.Vendors()) {
        names.push_back(vendor.name);
        names.push_back(linked.LocationText(vendor.location));
    }
    return names;
}

double Worst(const std::vector<double>& times) { return *std::max_element(times.begin(), times.end()); }

struct Keystrokes {
    std::vector<double> search, scan;
    size_t hits = 0;
    size_t scanFound = 0;  // kept, so that the scan is not optimised away
    std::string slowest;   // the text typed at the slowest keystroke
};

Keystrokes TypeEveryQuery(const CWorldSearch& search, const std::vector<std::string>& names) {
    Keystrokes k;
    for (int round = 0; round < kRounds; ++round)
        for (const char* query : kQueries) {
            const std::string text = query;
            for (size_t length = 1; length <= text.size(); ++length) {
                if ((static_cast<unsigned char>(text[length - 1]) & 0xC0) == 0x80 && length < text.size() &&
                    (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
                    continue;  // inside a character: no keystroke ends there
                const std::string typed = text.substr(0, length);
                size_t hits = 0;
                const double ms = TimeMs([&] {
                    for (const SearchGroup& group : search.Find(typed)) hits += size_t(group.total);
                });
                if (k.search.empty() || ms > Worst(k.search)) k.slowest = typed;
                k.search.push_back(ms);
                size_t found = 0;
                k.scan.push_back(TimeMs([&] {
                    for (const std::string& name : names) found += name.find(typed) != std::string::npos;
                }));
                if (round == 0) k.hits += hits;
                k.scanFound += found;
            }
        }
    return k;
}

struct World {
    const char* title;
    const IResourceStore& store;
};

void Report(const World& w) {
    const std::vector<std::string> names = EveryName(w.store);
    // The index from a fresh world (places read, links made, names folded),
    // then from a world already loaded and linked, as the window has it.
    std::vector<double> fresh, indexOnly;
    for (int round = 0; round < 5; ++round) {
        fresh.push_back(TimeMs([&] {
            CWorldData world(w.store);
            const CWorldSearch search(world);
        }));
        CWorldData world(w.store);
        world.LoadPlaces();
        world.LinkedWorld();
        indexOnly.push_back(TimeMs([&] { const CWorldSearch search(world); }));
    }
    CWorldData world(w.store);
    const CWorldSearch search(world);
    const Keystrokes k = TypeEveryQuery(search, names);
    std::printf("%s: %zu entries\n", w.title, search.Size());
    std::printf("  index: %.1f ms from the tables, %.1f ms with the world loaded and linked (medians of 5)\n",
                Median(fresh), Median(indexOnly));
    std::printf("  keystrokes: %zu (%d rounds), %zu hits in all in a round\n", k.search.size(), kRounds, k.hits);
    std::printf("  Find: median %.3f ms, slowest %.3f ms (\"%s\")\n", Median(k.search), Worst(k.search),
                k.slowest.c_str());
    // Each keystroke's median over the rounds: the slowest of them is the
    // slowest keystroke without the machine's own pauses.
    const size_t perRound = k.search.size() / kRounds;
    double slowestMedian = 0;
    for (size_t key = 0; key < perRound; ++key) {
        std::vector<double> rounds;
        for (int round = 0; round < kRounds; ++round) rounds.push_back(k.search[size_t(round) * perRound + key]);
        slowestMedian = std::max(slowestMedian, Median(rounds));
    }
    std::printf("  the slowest keystroke by its median over the rounds: %.3f ms\n", slowestMedian);
    std::printf("  plain scan of every name: median %.3f ms, slowest %.3f ms (Find: %.1f x the median)\n",
                Median(k.scan), Worst(k.scan), Median(k.search) / std::max(Median(k.scan), 1e-6));
}

}  // namespace

int main() {
    static CQtResourceStore embedded;
    if (!FindRcData(embedded, ResId::IDR_PLACES)) {
        std::fprintf(stderr, "the place table is not embedded in this build (res/places.tsv)\n");
        return 2;
    }
    CWorldData real(embedded);
    real.LoadPlaces();
    CMemoryResourceStore tenTimes;
    AddTenTimes(embedded, real.Places(), tenTimes);
    Report({"the real world", embedded});
    Report({"ten times the world", tenTimes});
    return 0;
}
