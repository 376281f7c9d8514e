#include "cli/DataModes.h"

#include "cli/Failure.h"
#include "cli/LoadedPlaces.h"
#include "cli/TableNotices.h"
#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/ShownText.h"
#include "data/WholeNumber.h"
#include "data/Win1252.h"
#include "npc/CharacterPage.h"
#include "npc/WorldData.h"
#include "spells/SpellCollation.h"
#include "spells/SpellTables.h"
#include "spells/VendorListing.h"
#include "view/PlaceOverlay.h"
#include "view/UpperCase.h"

#include <algorithm>

namespace {

// The search flies a view; here there is none, and no picture.
class NoViewHost : public IViewHost {
public:
    CSize PictureSize() override { return {0, 0}; }
};

// "#12" gives 12; anything else after the sign, or more than nine digits,
// is no ordinal.
bool ParseOrdinal(const std::string& text, int& ordinal) {
    const auto number = ParseWholeNumber(std::string_view(text).substr(1), Minus::Refused, 9);
    if (!number) return false;
    ordinal = int(*number);
    return true;
}

std::optional<int> OrdinalOfName(const CCharacterText& text, const std::string& name) {
    const auto encoded = Utf8ToWin1252(name);
    if (!encoded || encoded->empty()) return std::nullopt;
    const std::string wanted = UpperCase1252(*encoded);
    std::optional<int> found;
    text.ForEach([&](int ordinal, size_t, const CharacterRecord& record) {
        if (UpperCase1252(record.name) != wanted) return true;
        found = ordinal;
        return false;
    });
    return found;
}

}  // namespace

std::vector<SpellRecord>::const_iterator FindSpell(const std::vector<SpellRecord>& spells, const std::string& name) {
    const auto encoded = Utf8ToWin1252(name);
    if (!encoded) return spells.end();
    const auto exact = std::find_if(spells.begin(), spells.end(), [&](const SpellRecord& s) { return s.name == *encoded; });
    if (exact != spells.end()) return exact;
    return std::find_if(spells.begin(), spells.end(),
                        [&](const SpellRecord& s) { return SameBaseLetters(s.name, *encoded); });
}

std::string LineText(const std::string& win1252) {
    std::string text = win1252;
    std::replace_if(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }, ' ');
    return Win1252ToUtf8(text);
}

std::string PlaceLine(const CPlace& place) {
    return LineText(place.m_strName) + '\t' + std::to_string(place.m_x) + '\t' + std::to_string(place.m_y);
}

int PrintFoundPlaces(const IResourceStore& store, const std::string& text, std::ostream& out, std::ostream& err) {
    if (text.empty()) return Misuse(err, "--find attend un texte, par exemple : zerim --find holm");
    CWorldData world(store);
    const CPlaceArray& places = LoadPlacesSaying(world, err);
    NoViewHost host;
    ViewGeometry geometry(host);
    CPlaceOverlay overlay(geometry, host);
    if (!overlay.SearchPlaces(places, text))
        return Fail(err, "aucun lieu ne contient « " + ShownText(text) + " »");
    for (const CPlace* place : overlay.Highlight())
        out << PlaceLine(*place) << '\t' << place->m_nLevel << '\n';
    return 0;
}

int PrintCharacterPage(const IResourceStore& store, const std::string& who, std::ostream& out, std::ostream& err) {
    if (who.empty()) return Misuse(err, "--page attend un nom ou #N, par exemple : zerim --page '#0'");
    const auto table = FindRcData(store, ResId::IDR_CHARACTERS);
    if (!table) return Fail(err, "table des NPCs absente");
    WarnOfTables(store, {ResId::IDR_CHARACTERS}, err);
    CWorldData world(store);
    const CPlaceArray& places = LoadPlacesSaying(world, err);  // place names are links in the page
    const CCharacterPages pages(places, *table);
    int ordinal = -1;
    if (who[0] == '#') {
        if (!ParseOrdinal(who, ordinal)) return Misuse(err, "numéro de NPC invalide : " + ShownText(who));
    } else if (const auto found = OrdinalOfName(pages.Text(), who)) {
        ordinal = *found;
    } else {
        return Fail(err, "NPC inconnu : " + ShownText(who));
    }
    const auto page = pages.Page(ordinal);
    if (!page)
        return Fail(err, "pas de NPC " + ShownText(who) + " (la table en compte " +
                             std::to_string(pages.Text().Count()) + ")");
    out << Win1252ToUtf8(*page) << '\n';
    return 0;
}

int PrintSpellVendors(const IResourceStore& store, const std::string& spell, std::ostream& out, std::ostream& err) {
    if (spell.empty()) return Misuse(err, "--vendors attend un nom de sort");
    const auto table = FindRcData(store, ResId::IDR_SPELLS);
    if (!table) return Fail(err, "table des sorts absente");
    WarnOfTables(store, {ResId::IDR_SPELLS}, err);
    const std::vector<SpellRecord> spells = ReadSpells(*table);
    const auto it = FindSpell(spells, spell);
    if (it == spells.end()) return Fail(err, "sort inconnu : " + ShownText(spell));
    // No table at all: nobody sells anything, as the finder shows.
    const bool whole = WarnOfTables(store, {ResId::IDR_VENDORS}, err);
    CVendorListing listing(store);
    const std::vector<VendorRow> rows = listing.ListVendors(it->id);
    for (const VendorRow& row : rows)
        out << LineText(row.vendor) << '\t' << LineText(row.location) << '\n';
    // As for a place search, what could be read is shown; but "nobody sells
    // it" cannot be told from a damaged table.
    if (rows.empty() && !whole) return Fail(err, "aucun vendeur lu pour « " + ShownText(spell) + " »");
    return 0;
}
