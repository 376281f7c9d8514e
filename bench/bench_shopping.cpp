// The shopping list over the real world: lists of 30 spells drawn at random
// (seeded), and lists made to be hard: the 30 spells the most vendors sell
// (many covers tie), the 30 the fewest sell (the cover is large), and the
// list whose least covers take the most search steps, found by changing one
// spell at a time from random lists while that makes the search longer. Each plan is timed whole
// (vendors, their order along the roads, the ways between them) from a
// random start and without one, and the least covers' search alone.
#include "BenchTiming.h"

#include "data/PlaceArray.h"
#include "journeys/SetCover.h"
#include "journeys/Shopping.h"
#include "npc/LinkedWorld.h"
#include "npc/SheetPages.h"
#include "npc/WorldData.h"
#include "res/QtResourceStore.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t kListSize = 30;
constexpr int kDraws = 200;

struct Timing {
    std::vector<double> plan, cover;
    size_t mostStops = 0, mostCovers = 0;
    int approximateOrders = 0;
};

// The masks the plan's cover search sees: the vendors with a place.
std::vector<CItemMask> SellerMasks(const CLinkedWorld& world, const std::vector<uint16_t>& list) {
    std::vector<CItemMask> masks;
    for (size_t v = 0; v < world.Vendors().size(); ++v) {
        if (!VendorPlace(world, int(v))) continue;
        CItemMask m = 0;
        for (size_t i = 0; i < list.size(); ++i) {
            const auto& sold = world.Vendors()[v].spells;
            if (std::find(sold.begin(), sold.end(), list[i]) != sold.end()) m |= CItemMask(1) << i;
        }
        masks.push_back(m);
    }
    return masks;
}

void Measure(const CLinkedWorld& world, const CRoadNetwork& roads, const std::vector<uint16_t>& list,
             std::optional<CWorldPoint> start, Timing& timing) {
    CShoppingPlan plan;
    timing.plan.push_back(TimeMs([&] { plan = PlanShopping(world, roads, list, start); }));
    const std::vector<CItemMask> masks = SellerMasks(world, list);
    CCoverResult cover;
    timing.cover.push_back(TimeMs([&] { cover = LeastCovers(masks, (CItemMask(1) << list.size()) - 1); }));
    timing.mostStops = std::max(timing.mostStops, plan.stops.size());
    timing.mostCovers = std::max(timing.mostCovers, cover.covers.size());
    timing.approximateOrders += plan.orderExact ? 0 : 1;
}

size_t CoverSteps(const CLinkedWorld& world, const std::vector<uint16_t>& list) {
    return LeastCovers(SellerMasks(world, list), (CItemMask(1) << list.size()) - 1).steps;
}

std::vector<uint16_t> HardestList(const CLinkedWorld& world, const std::vector<uint16_t>& spells, std::mt19937& random) {
    std::vector<uint16_t> hardest;
    size_t most = 0;
    for (int start = 0; start < 5; ++start) {
        std::vector<uint16_t> list = spells;
        std::shuffle(list.begin(), list.end(), random);
        list.resize(kListSize);
        size_t steps = CoverSteps(world, list);
        for (int tries = 0; tries < 400; ++tries) {
            std::vector<uint16_t> changed = list;
            const uint16_t other = spells[random() % spells.size()];
            if (std::find(list.begin(), list.end(), other) != list.end()) continue;
            changed[random() % kListSize] = other;
            const size_t n = CoverSteps(world, changed);
            if (n >= steps) list = std::move(changed), steps = n;
        }
        if (steps > most) most = steps, hardest = list;
    }
    std::printf("the hardest list found: %zu search steps:", most);
    for (const uint16_t id : hardest) std::printf(" %u", unsigned(id));
    std::printf("\n");
    return hardest;
}

void Report(const char* what, const Timing& t) {
    std::printf("%-44s plan: median %6.2f ms, slowest %6.2f ms; least covers alone: median %6.2f ms, slowest %6.2f ms; "
                "up to %zu stops, %zu tied covers, %d orders by heuristic\n",
                what, Median(t.plan), *std::max_element(t.plan.begin(), t.plan.end()), Median(t.cover),
                *std::max_element(t.cover.begin(), t.cover.end()), t.mostStops, t.mostCovers, t.approximateOrders);
}

// The sold spells, from those most vendors sell to those the fewest do.
std::vector<uint16_t> ByVendorCount(const CLinkedWorld& world) {
    std::map<uint16_t, int> sellers;
    for (const VendorRecord& v : world.Vendors())
        for (const uint16_t id : v.spells) ++sellers[id];
    std::vector<std::pair<int, uint16_t>> order;
    for (const auto& [id, n] : sellers) order.push_back({-n, id});
    std::sort(order.begin(), order.end());
    std::vector<uint16_t> ids;
    for (const auto& [n, id] : order) ids.push_back(id);
    return ids;
}

}  // namespace

int main() {
    static CQtResourceStore embedded;
    CWorldData data(embedded);
    data.LoadPlaces();
    const CLinkedWorld& world = data.LinkedWorld();
    const CRoadNetwork& roads = data.Roads();
    const CPlaceArray& places = world.Places();
    std::vector<uint16_t> spells;
    for (const SpellRecord& s : world.Spells()) spells.push_back(s.id);
    std::printf("%zu vendors, %zu spells, %d places\n", world.Vendors().size(), spells.size(), places.GetSize());

    std::mt19937 random(20261209);
    Timing fromStart, noStart;
    for (int draw = 0; draw < kDraws; ++draw) {
        std::vector<uint16_t> list = spells;
        std::shuffle(list.begin(), list.end(), random);
        list.resize(std::min(kListSize, list.size()));
        const CPlace* at = places[int(random() % unsigned(places.GetSize()))];
        Measure(world, roads, list, CWorldPoint{at->m_x, at->m_y}, fromStart);
        Measure(world, roads, list, std::nullopt, noStart);
    }
    Report("200 random lists of 30, from a random place", fromStart);
    Report("200 random lists of 30, no start", noStart);

    const std::vector<uint16_t> bySellers = ByVendorCount(world);
    const std::vector<uint16_t> common(bySellers.begin(), bySellers.begin() + long(std::min(kListSize, bySellers.size())));
    const std::vector<uint16_t> rare(bySellers.end() - long(std::min(kListSize, bySellers.size())), bySellers.end());
    const std::vector<uint16_t> hardest = HardestList(world, spells, random);
    for (const auto& [name, list] : {std::pair<const char*, std::vector<uint16_t>>{"the 30 most sold spells", common},
                                     {"the 30 least sold spells", rare},
                                     {"the hardest list for the cover", hardest}}) {
        Timing hard;
        for (int run = 0; run < 20; ++run) Measure(world, roads, list, CWorldPoint{places[0]->m_x, places[0]->m_y}, hard);
        Report(name, hard);
    }
    return 0;
}
