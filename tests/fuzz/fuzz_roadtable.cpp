// The roads table reader on any bytes, then a route over what it read: a
// table is read whole or refused with a reason, and never costs more points
// than its bytes can hold.
#include "journeys/RoadTable.h"
#include "journeys/Route.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CRoadTable table = ParseRoadTable(ByteBlock(data, size));
    if (table.state == CRoadTable::State::Damaged) {
        if (table.reason.empty() || !table.roads.empty()) std::abort();
        return 0;
    }
    size_t points = 0;
    for (const CRoad& road : table.roads) {
        if (road.points.size() < 2 || road.rank < Roads::kHighway || road.rank > Roads::kTrack) std::abort();
        points += road.points.size();
    }
    if (points * 8 > size) std::abort();
    const CRoadGraph graph(table.roads);
    const CWorldPoint from = table.roads.empty() ? CWorldPoint{} : table.roads.front().points.front();
    const CRoute route = FindRoute(graph, from, {-Roads::kMaxCoordinate, Roads::kMaxCoordinate});
    if (route.legs.empty() || !(route.length >= 0)) std::abort();
    Totals(route, table.scale);
    return 0;
}
