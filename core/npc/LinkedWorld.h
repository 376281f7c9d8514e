// The tables a place card and the sheet read, with who is found at each
// place: the character text and its link targets, the vendors, their
// locations, the spells they sell and the magic effects they are filed
// under. Built once for a run, from a resource store.
#pragma once
#include "npc/CharacterPage.h"
#include "npc/WorldLinks.h"
#include "spells/SpellTables.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class IResourceStore;

class CLinkedWorld {
public:
    // `places` must outlive this object; the store's tables are copied.
    // A missing table leaves its part empty.
    CLinkedWorld(const CPlaceArray& places, const IResourceStore& store);

    const CPlaceArray& Places() const { return m_places; }
    const CCharacterPages& Pages() const { return m_pages; }
    const CWorldLinks& Links() const { return m_links; }
    const std::vector<VendorRecord>& Vendors() const { return m_vendors; }
    const std::vector<SpellRecord>& Spells() const { return m_spells; }
    const std::vector<EffectRecord>& Effects() const { return m_effects; }

    // The text a vendor's location index shows, as the spell finder shows it
    // (a fixed notice for an index outside the location table).
    const std::string& LocationText(uint16_t index) const;
    // The first spell with this id; null when no spell has it.
    const SpellRecord* SpellById(uint16_t id) const;
    // The effect whose key is `key`: of several, the last, which the spell
    // finder files that key's spells under; null when no effect has it.
    const EffectRecord* EffectByKey(uint16_t key) const;
    // The first place whose name equals `name` (Windows-1252) ignoring the
    // case of A to Z.
    std::optional<int> PlaceNamed(const std::string& name) const;

private:
    const CPlaceArray& m_places;
    CCharacterPages m_pages;
    std::vector<VendorRecord> m_vendors;
    std::vector<std::string> m_locations;
    std::vector<SpellRecord> m_spells;
    std::vector<EffectRecord> m_effects;
    std::unordered_map<uint16_t, size_t> m_spellById;  // id -> first spell with it
    CWorldLinks m_links;  // built from the members above, so declared last
};
