// The world's tables, read once from a resource store, for the window and
// every mode without one: the places, what went wrong reading them, and who
// is found at each place (made at its first use). The window's world adds
// only the map picture.
#pragma once
#include "data/PlaceList.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CLinkedWorld;
struct CRoadNetwork;
class IResourceStore;

class CWorldData {
public:
    // The store must outlive the world.
    explicit CWorldData(const IResourceStore& store);
    ~CWorldData();
    CWorldData(const CWorldData&) = delete;
    CWorldData& operator=(const CWorldData&) = delete;

    // Where every table and page comes from.
    const IResourceStore& Store() const { return m_store; }

    enum class PlaceTable { Read, Missing, Cut };
    // Reads the place table, once (a later call says what the first found):
    // a table cut short gives the places before the cut.
    PlaceTable LoadPlaces();
    // The places in table order; empty until loaded.
    const CPlaceArray& Places() const { return m_places.Array(); }

    // What went wrong with the places, one French phrase each, in lower case
    // (as after "zerim: "); an absent table is no problem for the window,
    // whose feature is then empty, so it is said only by `AbsentTableNotice`.
    std::vector<std::string> LoadProblems() const;
    static const char* AbsentTableNotice() { return "table des lieux absente"; }

    // Who is found at each place, with the tables a place card reads: made
    // at the first call, over the places loaded by then, and kept.
    const CLinkedWorld& LinkedWorld();
    // The roads and the world's scale, read at the first call and kept.
    const CRoadNetwork& Roads();

private:
    const IResourceStore& m_store;
    std::optional<PlaceTable> m_placeTable;  // nothing until loaded
    CPlaceList m_places;
    std::unique_ptr<CLinkedWorld> m_linked;
    std::unique_ptr<CRoadNetwork> m_roads;
};
