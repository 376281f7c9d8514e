#include "npc/PlaceCard.h"

#include "npc/HtmlFragment.h"
#include "npc/LinkAddress.h"
#include "npc/SheetPages.h"

#include <cstdint>
#include <vector>

namespace {

// Every list below stops once the page passes its bound: `page` is the
// whole page so far.
void CharacterList(const CLinkedWorld& world, int place, std::string& page, size_t maxBytes) {
    const std::vector<int>& characters = world.Links().CharactersAt(place);
    if (characters.empty()) page += "Aucun NPC.<BR>";
    for (const int ordinal : characters) {
        if (page.size() > maxBytes) return;
        page += InternalLink("npcidx", ordinal, world.Pages().Text().Record(ordinal)->name) + "<BR>";
    }
}

void VendorList(const CLinkedWorld& world, int place, std::string& page, size_t maxBytes) {
    const std::vector<int>& vendors = world.Links().VendorsAt(place);
    if (vendors.empty()) page += "Aucun vendeur.<BR>";
    std::vector<bool> shown(size_t(UINT16_MAX) + 1);
    for (const int index : vendors) {
        if (page.size() > maxBytes) return;
        const VendorRecord& vendor = world.Vendors()[size_t(index)];
        page += "<b>" + EscapeHtml(vendor.name) + "</b> (" + EscapeHtml(world.LocationText(vendor.location)) + ") : ";
        AppendSpellLinks(world, vendor.spells, shown, page, maxBytes);
        page += "<BR>";
    }
}

std::string SharedNameNote(const CLinkedWorld& world, int place) {
    const int bearers = world.Links().PlacesNamedLike(place);
    if (bearers < 2) return {};
    return "<BR><i>" + std::to_string(bearers) +
           " lieux portent ce nom : leurs fiches montrent les m\xEAmes NPCs et vendeurs.</i>";
}

}  // namespace

std::string PlaceCardTitle(const CLinkedWorld& world, int place) {
    if (place < 0 || place >= world.Places().GetSize() || !world.Places()[place]) return {};
    const std::string& name = world.Places()[place]->m_strName;
    return name.substr(0, name.find('\0'));
}

std::string BuildPlaceCard(const CLinkedWorld& world, int place, size_t maxBytes) {
    if (place < 0 || place >= world.Places().GetSize() || !world.Places()[place]) return {};
    std::string page = "<FONT face=\"Tahoma\" size=\"3\"><b>";
    page += EscapeHtml(PlaceCardTitle(world, place));
    page += "</b><FONT size=2>" + SharedNameNote(world, place) + "<BR><BR><b>NPCs</b><BR>";
    CharacterList(world, place, page, maxBytes);
    page += "<BR><b>Vendeurs</b><BR>";
    VendorList(world, place, page, maxBytes);
    page += "</FONT>";
    return page;
}
