#include "npc/SheetPages.h"

#include "npc/HtmlFragment.h"
#include "npc/LinkAddress.h"
#include "npc/LocationLink.h"
#include "npc/PlaceCard.h"
#include "spells/SpellCollation.h"

#include <algorithm>

namespace {

// The name in bold, then the smaller text that `body` writes; as the place
// card and the character pages begin.
SheetPage Page(const std::string& title, const std::string& body) {
    return {title,
            "<FONT face=\"Tahoma\" size=\"3\"><b>" + EscapeHtml(title) + "</b><FONT size=2>" + body + "</FONT></FONT>"};
}

// A vendor's location as the spell finder writes it, a link to the place
// it names when it names one.
std::string LocationHtml(const CLinkedWorld& world, uint16_t location) {
    const std::string& text = world.LocationText(location);
    const std::optional<int> place = LocationPlace(text, world.Pages().Targets());
    return place ? InternalLink("locidx", *place, text) : EscapeHtml(text);
}

SheetPage CharacterSheet(const CLinkedWorld& world, int ordinal) {
    const auto record = world.Pages().Text().Record(ordinal);
    if (!record) return {};
    return {std::string(record->name), *world.Pages().Page(ordinal)};
}

// Each vendor whose list names the spell, once, in table order, with where
// it stands.
SheetPage SpellSheet(const CLinkedWorld& world, uint16_t id, size_t maxBytes) {
    const SpellRecord* spell = world.SpellById(id);
    if (!spell) return {};
    std::string body = "<BR>";
    if (const EffectRecord* effect = world.EffectByKey(spell->effect))
        body += "Effet : " + InternalLink("effectkey", effect->key, effect->name) + "<BR>";
    body += "<BR><b>Vendeurs</b><BR>";
    const size_t before = body.size();
    const std::vector<VendorRecord>& vendors = world.Vendors();
    for (size_t index = 0; index < vendors.size() && body.size() <= maxBytes; ++index) {
        const VendorRecord& vendor = vendors[index];
        if (std::find(vendor.spells.begin(), vendor.spells.end(), id) == vendor.spells.end()) continue;
        body +=
            InternalLink("vendoridx", int(index), vendor.name) + " : " + LocationHtml(world, vendor.location) + "<BR>";
    }
    if (body.size() == before) body += "Personne ne vend ce sort.<BR>";
    return Page(spell->name, body);
}

// The spells filed under the effect, in the spell finder's order.
SheetPage EffectSheet(const CLinkedWorld& world, uint16_t key, size_t maxBytes) {
    const EffectRecord* effect = world.EffectByKey(key);
    if (!effect) return {};
    std::vector<std::pair<SpellSortKey, const SpellRecord*>> filed;
    for (const SpellRecord& spell : world.Spells())
        if (spell.effect == key) filed.emplace_back(MakeSpellSortKey(spell.name), &spell);
    std::stable_sort(filed.begin(), filed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string body = "<BR><BR><b>Sorts</b><BR>";
    for (const auto& [sortKey, spell] : filed) {
        if (body.size() > maxBytes) break;
        body += InternalLink("spellid", spell->id, spell->name) + "<BR>";
    }
    if (filed.empty()) body += "Aucun sort.<BR>";
    return Page(effect->name, body);
}

SheetPage VendorSheet(const CLinkedWorld& world, int index, size_t maxBytes) {
    if (index < 0 || size_t(index) >= world.Vendors().size()) return {};
    const VendorRecord& vendor = world.Vendors()[size_t(index)];
    std::string body =
        "<BR><BR><b>Localisation</b><BR>" + LocationHtml(world, vendor.location) + "<BR><BR><b>Sorts</b><BR>";
    std::vector<bool> shown(size_t(UINT16_MAX) + 1);
    AppendSpellLinks(world, vendor.spells, shown, body, maxBytes);
    return Page(vendor.name, body + "<BR>");
}

}  // namespace

SheetPage BuildSheetPage(const CLinkedWorld& world, SheetSubject subject, size_t maxBytes) {
    switch (subject.kind) {
    case SheetKind::Place: {
        std::string html = BuildPlaceCard(world, subject.ref, maxBytes);
        return {html.empty() ? std::string() : PlaceCardTitle(world, subject.ref), std::move(html)};
    }
    case SheetKind::Character:
        return CharacterSheet(world, subject.ref);
    case SheetKind::Spell:
        return subject.ref < 0 || subject.ref > UINT16_MAX ? SheetPage()
                                                           : SpellSheet(world, uint16_t(subject.ref), maxBytes);
    case SheetKind::Effect:
        return subject.ref < 0 || subject.ref > UINT16_MAX ? SheetPage()
                                                           : EffectSheet(world, uint16_t(subject.ref), maxBytes);
    case SheetKind::Vendor:
        return VendorSheet(world, subject.ref, maxBytes);
    }
    return {};
}

std::optional<int> VendorPlace(const CLinkedWorld& world, int vendor) {
    if (vendor < 0 || size_t(vendor) >= world.Vendors().size()) return std::nullopt;
    return LocationPlace(world.LocationText(world.Vendors()[size_t(vendor)].location), world.Pages().Targets());
}

std::optional<uint16_t> FinderSpell(const CLinkedWorld& world, SheetSubject subject) {
    const bool spellKey = subject.ref >= 0 && subject.ref <= UINT16_MAX;
    if (subject.kind == SheetKind::Spell && spellKey && world.SpellById(uint16_t(subject.ref)))
        return uint16_t(subject.ref);
    if (subject.kind == SheetKind::Effect && spellKey && world.EffectByKey(uint16_t(subject.ref))) {
        const SpellRecord* first = nullptr;
        for (const SpellRecord& spell : world.Spells())
            if (spell.effect == subject.ref && (!first || CompareSpellNames(spell.name, first->name) < 0))
                first = &spell;
        if (first) return first->id;
    }
    if (subject.kind == SheetKind::Vendor && subject.ref >= 0 && size_t(subject.ref) < world.Vendors().size())
        for (const uint16_t id : world.Vendors()[size_t(subject.ref)].spells)
            if (world.SpellById(id)) return id;
    return std::nullopt;
}

void AppendSpellLinks(const CLinkedWorld& world, const std::vector<uint16_t>& ids, std::vector<bool>& shown,
                      std::string& page, size_t maxBytes) {
    std::vector<uint16_t> listed;
    for (const uint16_t id : ids) {
        if (page.size() > maxBytes) break;
        const SpellRecord* spell = shown[id] ? nullptr : world.SpellById(id);
        if (!spell) continue;
        shown[id] = true;
        if (!listed.empty()) page += ", ";
        listed.push_back(id);
        page += InternalLink("spellid", id, spell->name);
    }
    if (listed.empty()) page += "aucun sort";
    for (const uint16_t id : listed) shown[id] = false;
}
