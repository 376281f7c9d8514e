// Routes over the world's roads: reading the roads table, building the road
// graph (both done once, after the first map), and the way between every two
// of the great places (levels 0 to 2, the whole map across), each timed
// alone. Prints the median and the slowest route with its length.
#include "BenchTiming.h"

#include "data/PlaceArray.h"
#include "journeys/Route.h"
#include "npc/WorldData.h"
#include "res/QtResourceStore.h"

#include <cstdio>
#include <vector>

int main() {
    static CQtResourceStore embedded;
    CWorldData world(embedded);
    world.LoadPlaces();
    CRoadTable table;
    const double readMs = TimeMs([&] { table = LoadRoadTable(embedded); });
    CRoadGraph graph;
    const double buildMs = TimeMs([&] { graph = CRoadGraph(table.roads); });
    size_t points = 0;
    for (const CRoad& road : table.roads) points += road.points.size();
    std::printf("roads table: %zu roads, %zu points, read in %.2f ms; graph of %zu nodes built in %.2f ms\n",
                table.roads.size(), points, readMs, graph.NodeCount(), buildMs);

    std::vector<CWorldPoint> great;
    for (const CPlace* p : world.Places())
        if (p && p->m_nLevel <= 2) great.push_back({p->m_x, p->m_y});
    std::vector<double> times;
    double slowest = 0, slowestLeagues = 0, longestLeagues = 0;
    int alongRoads = 0;
    for (size_t a = 0; a < great.size(); ++a)
        for (size_t b = a + 1; b < great.size(); ++b) {
            CRoute route;
            const double ms = TimeMs([&] { route = FindRoute(graph, great[a], great[b]); });
            times.push_back(ms);
            const double leagues = Leagues(route.length, table.scale);
            if (route.alongRoads) {
                ++alongRoads;
                if (leagues > longestLeagues) longestLeagues = leagues;
            }
            if (ms > slowest) { slowest = ms; slowestLeagues = leagues; }
        }
    std::printf("%zu routes between %zu great places (%d along roads): median %.3f ms, slowest %.3f ms "
                "(%.1f lieues); longest along roads %.1f lieues\n",
                times.size(), great.size(), alongRoads, Median(times), slowest, slowestLeagues, longestLeagues);
    return 0;
}
