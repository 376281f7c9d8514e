#include "npc/LinkedWorld.h"

#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "spells/VendorListing.h"

namespace {

ByteBlock TableOrNothing(const IResourceStore& store, int id) {
    const auto block = FindRcData(store, id);
    return block ? *block : ByteBlock();
}

}  // namespace

CLinkedWorld::CLinkedWorld(const CPlaceArray& places, const IResourceStore& store)
    : m_places(places),
      m_pages(places, TableOrNothing(store, ResId::IDR_CHARACTERS)),
      m_vendors(ReadVendors(TableOrNothing(store, ResId::IDR_VENDORS))),
      m_locations(ReadLocations(TableOrNothing(store, ResId::IDR_VENDOR_LOCATIONS))),
      m_spells(ReadSpells(TableOrNothing(store, ResId::IDR_SPELLS))),
      m_effects(ReadEffects(TableOrNothing(store, ResId::IDR_EFFECTS))),
      m_links(places, m_pages.Text(), m_pages.Targets(), m_vendors, m_locations) {
    m_spellById.reserve(m_spells.size());
    for (size_t index = 0; index < m_spells.size(); ++index) m_spellById.emplace(m_spells[index].id, index);
}

const std::string& CLinkedWorld::LocationText(uint16_t index) const {
    static const std::string unknown = kUnknownLocation;
    return index < m_locations.size() ? m_locations[index] : unknown;
}

const SpellRecord* CLinkedWorld::SpellById(uint16_t id) const {
    const auto found = m_spellById.find(id);
    return found == m_spellById.end() ? nullptr : &m_spells[found->second];
}

const EffectRecord* CLinkedWorld::EffectByKey(uint16_t key) const {
    for (auto effect = m_effects.rbegin(); effect != m_effects.rend(); ++effect)
        if (effect->key == key) return &*effect;
    return nullptr;
}

std::optional<int> CLinkedWorld::PlaceNamed(const std::string& name) const {
    return m_pages.Targets().FirstPlaceNamed(name);
}
