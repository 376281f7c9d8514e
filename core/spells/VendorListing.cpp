#include "spells/VendorListing.h"

#include "spells/SpellTables.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <algorithm>

const char* const kUnknownLocation = "** Localisation inconnue **";

std::vector<VendorRow> CVendorListing::ListVendors(uint16_t spellId) {
    if (m_locations.empty()) LoadVendorLocations();
    std::vector<VendorRow> rows;
    const auto table = FindRcData(m_store, ResId::IDR_VENDORS);
    if (!table) return rows;
    for (const VendorRecord& vendor : ReadVendors(*table)) {
        // A vendor whose list names the spell twice sells it twice: two rows.
        for (uint16_t id : vendor.spells)
            if (id == spellId) rows.push_back({vendor.name, LocationText(vendor.location)});
    }
    // Each new row goes on top of the list, so the last match shows first.
    std::reverse(rows.begin(), rows.end());
    return rows;
}

void CVendorListing::LoadVendorLocations() {
    m_locations.clear();
    if (const auto table = FindRcData(m_store, ResId::IDR_VENDOR_LOCATIONS)) m_locations = ReadLocations(*table);
}

const std::string& CVendorListing::LocationText(uint16_t index) const {
    static const std::string unknown = kUnknownLocation;
    return index < m_locations.size() ? m_locations[index] : unknown;
}
