// Who sells a spell and where they stand, from the vendor and vendor
// location tables of a store. Texts stay in Windows-1252.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Shown for a vendor whose location index is outside the location table.
extern const char* const kUnknownLocation;

struct VendorRow {
    std::string vendor;
    std::string location;
};

class IResourceStore;

class CVendorListing {
public:
    // The store must outlive the listing.
    explicit CVendorListing(const IResourceStore& store) : m_store(store) {}

    // A row for every time a vendor's list names `spellId`, the vendor last
    // in the table first. No vendor table gives no rows.
    std::vector<VendorRow> ListVendors(uint16_t spellId);

private:
    void LoadVendorLocations();
    const std::string& LocationText(uint16_t index) const;

    const IResourceStore& m_store;
    // The location strings, read at the first listing and kept; a missing
    // or empty location table is looked for again at the next listing.
    std::vector<std::string> m_locations;
};
