#include "cli/LinkModes.h"

#include "cli/DataModes.h"
#include "cli/Failure.h"
#include "cli/LoadedPlaces.h"
#include "cli/TableNotices.h"
#include "data/CharacterText.h"
#include "data/PlaceKinds.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/ShownText.h"
#include "data/Win1252.h"
#include "npc/LinkedWorld.h"
#include "npc/WorldData.h"
#include "spells/SpellTables.h"

namespace {

const char* const kTableChoice = "places, characters, spells, effects, vendors ou kinds";

template <class Record>
void PrintNames(const std::vector<Record>& records, std::ostream& out) {
    for (const Record& record : records) out << LineText(record.name) << '\n';
}

void PrintPlaceNames(const IResourceStore& store, std::ostream& out, std::ostream& err) {
    CWorldData world(store);
    for (const CPlace* place : LoadPlacesSaying(world, err))
        if (place) out << LineText(place->m_strName) << '\n';
}

// Each kind present: code, key, name and how many places, tab-separated.
void PrintPlaceKinds(const IResourceStore& store, std::ostream& out, std::ostream& err) {
    CWorldData world(store);
    for (const PlaceKindCount& kind : CountPlaceKinds(LoadPlacesSaying(world, err)))
        out << kind.code << '\t' << PlaceKindKey(kind.code) << '\t' << ShownText(PlaceKindName(kind.code)) << '\t'
            << kind.count << '\n';
}

void PrintCharacterNames(ByteBlock table, std::ostream& out) {
    const CCharacterText text(table);
    text.ForEach([&out](int, size_t, const CharacterRecord& record) {
        out << LineText(std::string(record.name)) << '\n';
        return true;
    });
}

struct NamedTable {
    const char* name;
    int id;
    const char* missing;  // the message when the store lacks it
};

constexpr NamedTable kTables[] = {
    {"places", ResId::IDR_PLACES, "table des lieux absente"},
    {"characters", ResId::IDR_CHARACTERS, "table des NPCs absente"},
    {"spells", ResId::IDR_SPELLS, "table des sorts absente"},
    {"effects", ResId::IDR_EFFECTS, "table des effets absente"},
    {"vendors", ResId::IDR_VENDORS, "table des vendeurs absente"},
};

void PrintTable(const NamedTable& table, ByteBlock block, const IResourceStore& store, std::ostream& out,
                std::ostream& err) {
    switch (table.id) {
    case ResId::IDR_PLACES: return PrintPlaceNames(store, out, err);
    case ResId::IDR_CHARACTERS: return PrintCharacterNames(block, out);
    case ResId::IDR_SPELLS: return PrintNames(ReadSpells(block), out);
    case ResId::IDR_EFFECTS: return PrintNames(ReadEffects(block), out);
    default: return PrintNames(ReadVendors(block), out);
    }
}

}  // namespace

int PrintWhoIsAt(const IResourceStore& store, const std::string& place, std::ostream& out, std::ostream& err) {
    if (place.empty()) return Misuse(err, "--who attend un nom de lieu, par exemple : zerim --who Tessanta");
    CWorldData data(store);
    LoadPlacesSaying(data, err);
    WarnOfTables(store, {ResId::IDR_CHARACTERS, ResId::IDR_VENDORS}, err);
    const CLinkedWorld& world = data.LinkedWorld();
    const auto encoded = Utf8ToWin1252(place);
    const auto index = encoded ? world.PlaceNamed(*encoded) : std::nullopt;
    if (!index) return Fail(err, "aucun lieu ne s'appelle « " + ShownText(place) + " »");
    for (const int ordinal : world.Links().CharactersAt(*index))
        out << "npc\t" << LineText(std::string(world.Pages().Text().Record(ordinal)->name)) << '\n';
    for (const int vendor : world.Links().VendorsAt(*index)) {
        const VendorRecord& record = world.Vendors()[size_t(vendor)];
        out << "vendeur\t" << LineText(record.name) << '\t' << LineText(world.LocationText(record.location))
            << '\n';
    }
    return 0;
}

int PrintTableNames(const IResourceStore& store, const std::string& table, std::ostream& out, std::ostream& err) {
    if (table == "kinds") {
        if (!FindRcData(store, ResId::IDR_PLACES)) return Fail(err, "table des lieux absente");
        PrintPlaceKinds(store, out, err);
        return 0;
    }
    for (const NamedTable& named : kTables) {
        if (table != named.name) continue;
        const auto block = FindRcData(store, named.id);
        if (!block) return Fail(err, named.missing);
        WarnOfTables(store, {named.id}, err);  // the place table's reader warns itself
        PrintTable(named, *block, store, out, err);
        return 0;
    }
    return Misuse(err, "table inconnue : « " + ShownText(table) + " » ; --list attend " + kTableChoice);
}
