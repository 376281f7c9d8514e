#include "search/SearchEntries.h"

#include "data/ShownText.h"
#include "npc/CrossLinker.h"
#include "npc/LinkedWorld.h"
#include "npc/WorldData.h"
#include "search/SearchIndex.h"
#include "spells/SpellTables.h"

#include <unordered_map>
#include <unordered_set>

namespace {

void AddPlaces(const CPlaceArray& places, CSearchIndex& index) {
    for (int i = 0; i < places.GetSize(); ++i) {
        const CPlace* place = places[i];
        if (!place) continue;
        index.AddPlace(ShownText1252(place->m_strName), std::to_string(place->m_x) + ", " + std::to_string(place->m_y),
                       i, place->m_nType);
    }
}

// The first place a character's page links to: its whereabouts, then its notes.
std::string FirstPlaceOf(const CharacterRecord& record, const CLinkedWorld& world) {
    for (const std::string_view text : {record.whereabouts, record.notes})
        for (const FoundLink& link : FindLinks(text, world.Pages().Targets()))
            if (link.kind == FoundLink::Place && link.number >= 0 && link.number < world.Places().GetSize() &&
                world.Places()[link.number])
                return ShownText1252(world.Places()[link.number]->m_strName);
    return {};
}

// The place each character's page links to, by ordinal, from the links
// already turned around (who is found at each place): -1 for none, -2 for
// several, whose first the page must tell. Places that share a name share
// one list; the first of them stands for the name.
std::vector<int> LinkedPlaces(const CLinkedWorld& world) {
    std::vector<int> placeOf(size_t(world.Pages().Text().Count()), -1);
    std::unordered_set<const std::vector<int>*> seen;
    for (int place = 0; place < world.Places().GetSize(); ++place) {
        const std::vector<int>& characters = world.Links().CharactersAt(place);
        if (characters.empty() || !seen.insert(&characters).second) continue;
        for (const int ordinal : characters) {
            if (ordinal < 0 || size_t(ordinal) >= placeOf.size()) continue;
            int& linked = placeOf[size_t(ordinal)];
            linked = linked == -1 ? place : -2;
        }
    }
    return placeOf;
}

// A character shows the first place their page links to. Most pages link to
// one place or none, which the turned-around links tell; only a page that
// links to several is read again.
void AddCharacters(const CLinkedWorld& world, CSearchIndex& index) {
    const std::vector<int> placeOf = LinkedPlaces(world);
    world.Pages().Text().ForEach([&](int ordinal, size_t, const CharacterRecord& record) {
        const int place = placeOf[size_t(ordinal)];
        std::string where = place >= 0 ? ShownText1252(world.Places()[place]->m_strName)
                            : place == -2 ? FirstPlaceOf(record, world)
                                          : std::string();
        index.Add(SearchKind::Character, ShownText1252(record.name), std::move(where), ordinal);
        return true;
    });
}

// Spells and effects: a spell shows its effect's name, an effect how many
// spells it holds. As in the spell finder's tree, when two effects share a
// key the later one receives that key's spells.
void AddSpellsAndEffects(const std::vector<EffectRecord>& effects, const std::vector<SpellRecord>& spells,
                         CSearchIndex& index) {
    std::unordered_map<uint16_t, size_t> effectOfKey;  // key -> the last effect with it
    for (size_t i = 0; i < effects.size(); ++i) effectOfKey[effects[i].key] = i;
    std::vector<int> spellCount(effects.size(), 0);
    for (const SpellRecord& spell : spells) {
        const auto effect = effectOfKey.find(spell.effect);
        std::string where;
        if (effect != effectOfKey.end()) {
            ++spellCount[effect->second];
            where = ShownText1252(effects[effect->second].name);
        }
        index.Add(SearchKind::Spell, ShownText1252(spell.name), std::move(where), spell.id);
    }
    for (size_t i = 0; i < effects.size(); ++i) {
        const int count = spellCount[i];
        std::string where = count == 0 ? "aucun sort" : count == 1 ? "1 sort" : std::to_string(count) + " sorts";
        index.Add(SearchKind::Effect, ShownText1252(effects[i].name), std::move(where), effects[i].key);
    }
}

void AddVendors(const CLinkedWorld& world, CSearchIndex& index) {
    const std::vector<VendorRecord>& vendors = world.Vendors();
    for (size_t i = 0; i < vendors.size(); ++i) {
        const std::string location = ShownText1252(world.LocationText(vendors[i].location));
        index.Add(SearchKind::Vendor, ShownText1252(vendors[i].name), location, int(i), {location});
    }
}

// The first line of a text, cut to a length a list shows.
std::string FirstLine(const std::string& text) {
    constexpr size_t kShownBytes = 80;
    const size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) return {};
    std::string line = text.substr(start, text.find_first_of("\r\n", start) - start);
    if (line.size() > kShownBytes) line = line.substr(0, Utf8CutAt(line, kShownBytes)) + "…";
    return line;
}

std::string MarksOf(const CNoteItem& item) {
    if (item.visited && item.favourite) return "visité, favori";
    return item.visited ? "visité" : item.favourite ? "favori" : "";
}

}  // namespace

void AddWorldEntries(CWorldData& world, CSearchIndex& index) {
    world.LoadPlaces();
    AddPlaces(world.Places(), index);
    const CLinkedWorld& linked = world.LinkedWorld();
    AddCharacters(linked, index);
    AddSpellsAndEffects(linked.Effects(), linked.Spells(), index);
    AddVendors(linked, index);
}

void AddNoteEntries(const CNoteItems& items, CSearchIndex& index) {
    for (size_t i = 0; i < items.size(); ++i) {
        const CNoteItem& item = items[i];
        std::string name, where;
        if (item.kind == CNoteItem::Kind::Pin) {
            name = !item.name.empty() ? item.name : FirstLine(item.note);
            if (name.empty()) name = "épingle sans titre";
            where = "épingle";
        } else {
            name = FirstLine(item.note);
            if (name.empty()) name = MarksOf(item);
            if (name.empty()) name = item.name;  // a mark that says nothing yet
            where = ShownText(item.name);
        }
        index.Add(SearchKind::Note, ShownText(name), std::move(where), int(i), {item.name, item.note});
    }
}
