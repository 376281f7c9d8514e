// The roads as a graph: a node at every polyline point (points at the same
// spot are one node), an edge along every stretch, and a junction wherever a
// road's point lies within a small tolerance of another stretch (routes that
// join an older road end on it, seldom on one of its points).
#pragma once
#include "journeys/RoadTable.h"

#include <vector>

namespace Roads {
// How close a point must be to another road to join it, in world units (a
// few picture pixels: the generator's roads meet within one of its cells).
constexpr double kJoinTolerance = 400.0;
}  // namespace Roads

struct CRoadEdge {
    int to = 0;
    double length = 0;  // world units, through `via` when it has one
    int rank = Roads::kHighway;
    bool hasVia = false;  // a junction's edge bends at the point it joins
    CWorldPoint via;
};

// The point of a road nearest to somewhere: on the stretch from node `a` to
// node `b`, at `at`, `distance` away.
struct CRoadPoint {
    int a = -1, b = -1;
    CWorldPoint at;
    double distance = 0;
};

class CRoadGraph {
public:
    CRoadGraph() = default;
    explicit CRoadGraph(const std::vector<CRoad>& roads);

    int AddNode(CWorldPoint point);
    // Both ways; a straight stretch when `via` is null.
    void AddEdge(int a, int b, int rank, const CWorldPoint* via = nullptr);

    size_t NodeCount() const { return m_points.size(); }
    CWorldPoint Point(int node) const { return m_points[size_t(node)]; }
    const std::vector<CRoadEdge>& Edges(int node) const { return m_edges[size_t(node)]; }
    // The nearest point of any road stretch; a = -1 when there is no road.
    CRoadPoint Nearest(CWorldPoint p) const;

private:
    void JoinCloseRoads(double tolerance);
    std::vector<CWorldPoint> m_points;
    std::vector<std::vector<CRoadEdge>> m_edges;
};

double Distance(CWorldPoint a, CWorldPoint b);
// The point of segment [a, b] nearest to p.
CWorldPoint ClosestOnSegment(CWorldPoint p, CWorldPoint a, CWorldPoint b);
