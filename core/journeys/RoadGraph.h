// The roads as a graph: a node at every polyline point (points at the same
// spot are one node), an edge along every stretch, and a junction wherever a
// road's point lies within a small tolerance of another stretch (routes that
// join an older road end on it, seldom on one of its points): the stretch is
// cut there and a short link joins the point to the cut.
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
    double length = 0;  // world units
    int rank = Roads::kHighway;
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
    // A straight stretch, both ways.
    void AddEdge(int a, int b, int rank);

    size_t NodeCount() const { return m_points.size(); }
    CWorldPoint Point(int node) const { return m_points[size_t(node)]; }
    const std::vector<CRoadEdge>& Edges(int node) const { return m_edges[size_t(node)]; }
    // The nearest point of any road stretch; a = -1 when there is no road.
    CRoadPoint Nearest(CWorldPoint p) const;

    // A stretch of road by its end nodes.
    struct Stretch {
        int a, b, rank;
    };

private:
    // A point joining a stretch at `at`.
    struct Junction {
        int node;
        CWorldPoint at;
    };
    void JoinCloseRoads(double tolerance);
    void CutStretch(const Stretch& s, std::vector<Junction>& junctions);
    void RemoveEdge(int a, int b);
    std::vector<CWorldPoint> m_points;
    std::vector<std::vector<CRoadEdge>> m_edges;
};

double Distance(CWorldPoint a, CWorldPoint b);
// The point of segment [a, b] nearest to p.
CWorldPoint ClosestOnSegment(CWorldPoint p, CWorldPoint a, CWorldPoint b);
