// The shopping list's plan: the fewest vendors who together sell every
// wanted spell, of those the ones whose trip is shortest along the roads, in
// the order that makes it so, and the ways between them.
#pragma once
#include "journeys/RoadNetwork.h"
#include "journeys/Route.h"

#include <cstdint>
#include <optional>
#include <vector>

class CLinkedWorld;

namespace Shopping {
// Up to this many spells the fewest vendors are searched for exactly; beyond,
// a good choice of vendors is given and said to be one.
constexpr size_t kMaxExactSpells = 30;
}  // namespace Shopping

struct CShoppingStop {
    int vendor = -1;               // index in the vendor table (CLinkedWorld::Vendors())
    int place = -1;                // the place its location names (LocationPlace), -1 when none
    std::vector<uint16_t> spells;  // the wanted spells (ids) bought there, in the list's order
};

struct CShoppingPlan {
    std::vector<CShoppingStop> stops;  // in visiting order; stops without a place come last
    std::vector<uint16_t> unsold;      // wanted spells that no vendor sells
    bool coverExact = true;            // false: too many spells for the exact search, the cover is a good one
    bool orderExact = true;            // false: more than 10 stops, the order is a heuristic's (2-opt)
    std::vector<CRoute> legs;          // start -> first stop, then stop -> stop (stops with a place only)
    double length = 0;                 // world units, the legs' sum
};

// `spells`: the wanted spell ids, in the list's order (duplicates ignored).
// `start`: where the trip begins; without one the trip begins at the first stop.
// Vendors whose location names no place are chosen only for spells that no
// vendor with a place sells. Spells are bought at the first stop selling them.
CShoppingPlan PlanShopping(const CLinkedWorld& world, const CRoadNetwork& roads,
                           const std::vector<uint16_t>& spells, std::optional<CWorldPoint> start);
