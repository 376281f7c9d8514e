#include "npc/PlaceCard.h"

#include "npc/HtmlFragment.h"
#include "npc/LinkAddress.h"

#include <algorithm>

namespace {

std::string CharacterList(const CLinkedWorld& world, int place) {
    const std::vector<int>& characters = world.Links().CharactersAt(place);
    if (characters.empty()) return "Aucun personnage.<BR>";
    std::string html;
    for (const int ordinal : characters)
        html += InternalLink("npcidx", ordinal, world.Pages().Text().Record(ordinal)->name) + "<BR>";
    return html;
}

// The spells a vendor sells, each once, in its list's order; ids that name
// no spell are left out.
std::string SpellList(const CLinkedWorld& world, const VendorRecord& vendor) {
    std::string html;
    std::vector<uint16_t> shown;
    for (const uint16_t id : vendor.spells) {
        const SpellRecord* spell = world.SpellById(id);
        if (!spell || std::find(shown.begin(), shown.end(), id) != shown.end()) continue;
        shown.push_back(id);
        if (!html.empty()) html += ", ";
        html += InternalLink("spellid", id, spell->name);
    }
    return html.empty() ? "aucun sort" : html;
}

std::string VendorList(const CLinkedWorld& world, int place) {
    const std::vector<int>& vendors = world.Links().VendorsAt(place);
    if (vendors.empty()) return "Aucun marchand.<BR>";
    std::string html;
    for (const int index : vendors) {
        const VendorRecord& vendor = world.Vendors()[size_t(index)];
        html += "<b>" + EscapeHtml(vendor.name) + "</b> (" + EscapeHtml(world.LocationText(vendor.location)) +
                ") : " + SpellList(world, vendor) + "<BR>";
    }
    return html;
}

}  // namespace

std::string PlaceCardTitle(const CLinkedWorld& world, int place) {
    if (place < 0 || place >= world.Places().GetSize() || !world.Places()[place]) return {};
    const std::string& name = world.Places()[place]->m_strName;
    return name.substr(0, name.find('\0'));
}

std::string BuildPlaceCard(const CLinkedWorld& world, int place) {
    if (place < 0 || place >= world.Places().GetSize() || !world.Places()[place]) return {};
    std::string page = "<FONT face=\"Tahoma\" size=\"3\"><b>";
    page += EscapeHtml(PlaceCardTitle(world, place));
    page += "</b><FONT size=2><BR><BR><b>Personnages</b><BR>";
    page += CharacterList(world, place);
    page += "<BR><b>Marchands</b><BR>";
    page += VendorList(world, place);
    page += "</FONT>";
    return page;
}
