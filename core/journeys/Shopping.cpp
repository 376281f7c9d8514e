#include "journeys/Shopping.h"

#include "journeys/RoadDistances.h"
#include "journeys/SetCover.h"
#include "journeys/Tour.h"
#include "npc/LinkedWorld.h"
#include "npc/SheetPages.h"

#include <algorithm>
#include <map>

namespace {

// A vendor as the plan sees it: where it is and which wanted spells (their
// positions in the list) it sells.
struct Seller {
    int vendor = -1;
    int place = -1;
    std::vector<int> items;
};

std::vector<uint16_t> WithoutRepeats(const std::vector<uint16_t>& spells) {
    std::vector<uint16_t> out;
    for (const uint16_t id : spells)
        if (std::find(out.begin(), out.end(), id) == out.end()) out.push_back(id);
    return out;
}

int PlaceOf(const CLinkedWorld& world, int vendor) {
    const std::optional<int> place = VendorPlace(world, vendor);
    const bool known = place && *place >= 0 && *place < world.Places().GetSize() && world.Places()[*place];
    return known ? *place : -1;
}

// The sellers of any wanted spell, those with a place and those without.
void FindSellers(const CLinkedWorld& world, const std::vector<uint16_t>& wanted, std::vector<Seller>& placed,
                 std::vector<Seller>& placeless) {
    const auto& vendors = world.Vendors();
    for (size_t v = 0; v < vendors.size(); ++v) {
        Seller seller{int(v), -1, {}};
        for (size_t i = 0; i < wanted.size(); ++i)
            if (std::find(vendors[v].spells.begin(), vendors[v].spells.end(), wanted[i]) != vendors[v].spells.end())
                seller.items.push_back(int(i));
        if (seller.items.empty()) continue;
        seller.place = PlaceOf(world, int(v));
        (seller.place >= 0 ? placed : placeless).push_back(std::move(seller));
    }
}

// The covers to choose among: every least one when the list is short enough
// for the exact search, else the greedy one.
struct Covers {
    std::vector<std::vector<int>> list;
    bool exact = true;
};

Covers ChooseCovers(const std::vector<Seller>& sellers, const std::vector<char>& needed) {
    const bool small = needed.size() <= Shopping::kMaxExactSpells;
    if (small) {
        CItemMask wanted = 0;
        for (size_t i = 0; i < needed.size(); ++i) wanted |= CItemMask(needed[i] ? 1 : 0) << i;
        std::vector<CItemMask> masks;
        for (const Seller& s : sellers) {
            CItemMask m = 0;
            for (const int item : s.items) m |= CItemMask(1) << item;
            masks.push_back(m);
        }
        CCoverResult result = LeastCovers(masks, wanted);
        return {std::move(result.covers), result.exact};
    }
    std::vector<std::vector<int>> itemsOf;
    for (const Seller& s : sellers) {
        itemsOf.emplace_back();
        for (const int item : s.items)
            if (needed[size_t(item)]) itemsOf.back().push_back(item);
    }
    return {{GreedyCover(itemsOf, needed.size())}, false};
}

// Which wanted spells some seller sells.
std::vector<char> SoldBy(const std::vector<Seller>& sellers, size_t itemCount) {
    std::vector<char> sold(itemCount, 0);
    for (const Seller& s : sellers)
        for (const int item : s.items) sold[size_t(item)] = 1;
    return sold;
}

CWorldPoint PointOf(const CLinkedWorld& world, int place) {
    const CPlace& p = *world.Places()[place];
    return {p.m_x, p.m_y};
}

// The road distances between the start (when there is one) and every place
// that any cover visits, once per place.
class CPlaceDistances {
public:
    CPlaceDistances(const CLinkedWorld& world, const CRoadGraph& graph, const std::vector<Seller>& sellers,
                    const std::vector<std::vector<int>>& covers, std::optional<CWorldPoint> start)
        : m_hasStart(start.has_value()) {
        std::vector<CWorldPoint> points;
        if (start) points.push_back(*start);
        for (const auto& cover : covers)
            for (const int c : cover) {
                const int place = sellers[size_t(c)].place;
                if (m_index.count(place)) continue;
                m_index[place] = points.size();
                points.push_back(PointOf(world, place));
            }
        m_distance = RoadDistances(graph, points);
    }

    // The matrix of a tour from the start through these places.
    CDistanceMatrix TourMatrix(const std::vector<int>& places) const {
        std::vector<size_t> at;
        for (const int place : places) at.push_back(m_index.at(place));
        CDistanceMatrix d(places.size() + 1, std::vector<double>(places.size() + 1, 0));
        for (size_t i = 0; i < at.size(); ++i) {
            if (m_hasStart) d[0][i + 1] = m_distance[0][at[i]];
            for (size_t j = 0; j < at.size(); ++j) d[i + 1][j + 1] = m_distance[at[i]][at[j]];
        }
        return d;
    }

private:
    bool m_hasStart;
    std::map<int, size_t> m_index;  // place -> row of m_distance
    CDistanceMatrix m_distance;
};

// Of the covers, the one whose best tour is shortest (of equals, the first),
// as its sellers in visiting order.
std::vector<int> BestVisit(const CPlaceDistances& distances, const std::vector<Seller>& sellers,
                           const std::vector<std::vector<int>>& covers, bool& exact) {
    std::vector<int> best;
    double bestLength = 0;
    for (const auto& cover : covers) {
        std::vector<int> places;
        for (const int c : cover) places.push_back(sellers[size_t(c)].place);
        const CTourOrder tour = ShortestTour(distances.TourMatrix(places));
        if (!best.empty() && !(tour.length < bestLength)) continue;
        best.clear();
        for (const int s : tour.stops) best.push_back(cover[size_t(s) - 1]);
        bestLength = tour.length;
        exact = tour.exact;
    }
    return best;
}

// Each wanted spell is bought at the first stop that sells it; a stop left
// with nothing to buy (a greedy cover may hold one) is not made.
void AddStops(CShoppingPlan& plan, const std::vector<Seller>& visit, const std::vector<uint16_t>& wanted,
              std::vector<char>& bought) {
    for (const Seller& s : visit) {
        CShoppingStop stop{s.vendor, s.place, {}};
        for (const int item : s.items)
            if (!bought[size_t(item)]) bought[size_t(item)] = 1, stop.spells.push_back(wanted[size_t(item)]);
        if (stop.spells.empty()) continue;
        // The list's order, whatever order the vendor's table has.
        std::sort(stop.spells.begin(), stop.spells.end(), [&](uint16_t a, uint16_t b) {
            return std::find(wanted.begin(), wanted.end(), a) < std::find(wanted.begin(), wanted.end(), b);
        });
        plan.stops.push_back(std::move(stop));
    }
}

void AddLegs(CShoppingPlan& plan, const CLinkedWorld& world, const CRoadGraph& graph, std::optional<CWorldPoint> start) {
    std::optional<CWorldPoint> at = start;
    for (const CShoppingStop& stop : plan.stops) {
        if (stop.place < 0) break;
        const CWorldPoint next = PointOf(world, stop.place);
        if (at) {
            plan.legs.push_back(FindRoute(graph, *at, next));
            plan.length += plan.legs.back().length;
        }
        at = next;
    }
}

std::vector<Seller> Pick(const std::vector<Seller>& sellers, const std::vector<int>& chosen) {
    std::vector<Seller> out;
    for (const int c : chosen) out.push_back(sellers[size_t(c)]);
    return out;
}

}  // namespace

CShoppingPlan PlanShopping(const CLinkedWorld& world, const CRoadNetwork& roads, const std::vector<uint16_t>& spells,
                           std::optional<CWorldPoint> start) {
    CShoppingPlan plan;
    const std::vector<uint16_t> wanted = WithoutRepeats(spells);
    std::vector<Seller> placed, placeless;
    FindSellers(world, wanted, placed, placeless);

    const std::vector<char> soldAtPlaces = SoldBy(placed, wanted.size());
    const Covers covers = ChooseCovers(placed, soldAtPlaces);
    plan.coverExact = covers.exact;
    std::vector<int> visit;
    if (!covers.list.empty() && !covers.list.front().empty()) {
        const CPlaceDistances distances(world, roads.graph, placed, covers.list, start);
        visit = BestVisit(distances, placed, covers.list, plan.orderExact);
    }
    std::vector<char> bought(wanted.size(), 0);
    AddStops(plan, Pick(placed, visit), wanted, bought);

    // What only vendors without a place sell, bought from them at the end.
    std::vector<char> left(wanted.size(), 0);
    const std::vector<char> soldElsewhere = SoldBy(placeless, wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i) left[i] = !bought[i] && soldElsewhere[i];
    const Covers rest = ChooseCovers(placeless, left);
    if (!rest.list.empty()) AddStops(plan, Pick(placeless, rest.list.front()), wanted, bought);
    plan.coverExact = plan.coverExact && rest.exact;

    for (size_t i = 0; i < wanted.size(); ++i)
        if (!bought[i]) plan.unsold.push_back(wanted[i]);
    AddLegs(plan, world, roads.graph, start);
    return plan;
}
