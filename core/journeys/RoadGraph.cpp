#include "journeys/RoadGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

uint64_t Key(CWorldPoint p) { return (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y); }

// A stretch of road by its end nodes, each listed once.
struct Stretch {
    int a, b, rank;
};

// Stretches filed by the cells of a coarse grid that their box (widened by
// the tolerance) meets, so a point looks only at the stretches near it.
class CStretchGrid {
public:
    CStretchGrid(const CRoadGraph& graph, const std::vector<Stretch>& stretches, double margin) : m_margin(margin) {
        for (size_t i = 0; i < stretches.size(); ++i) {
            const CWorldPoint a = graph.Point(stretches[i].a), b = graph.Point(stretches[i].b);
            for (int64_t cx = Cell(std::min(a.x, b.x) - margin); cx <= Cell(std::max(a.x, b.x) + margin); ++cx)
                for (int64_t cy = Cell(std::min(a.y, b.y) - margin); cy <= Cell(std::max(a.y, b.y) + margin); ++cy)
                    m_cells[CellKey(cx, cy)].push_back(int(i));
        }
    }
    const std::vector<int>* Near(CWorldPoint p) const {
        const auto it = m_cells.find(CellKey(Cell(p.x), Cell(p.y)));
        return it == m_cells.end() ? nullptr : &it->second;
    }

private:
    static constexpr double kCellSize = 4096.0;
    static int64_t Cell(double v) { return int64_t(std::floor(v / kCellSize)); }
    static uint64_t CellKey(int64_t cx, int64_t cy) { return (uint64_t(cx) << 32) ^ uint64_t(uint32_t(cy)); }
    double m_margin;
    std::unordered_map<uint64_t, std::vector<int>> m_cells;
};

std::vector<Stretch> Stretches(const CRoadGraph& graph) {
    std::vector<Stretch> out;
    for (int a = 0; a < int(graph.NodeCount()); ++a)
        for (const CRoadEdge& e : graph.Edges(a))
            if (a < e.to && !e.hasVia) out.push_back({a, e.to, e.rank});
    return out;
}

}  // namespace

double Distance(CWorldPoint a, CWorldPoint b) {
    return std::hypot(double(a.x) - b.x, double(a.y) - b.y);
}

CWorldPoint ClosestOnSegment(CWorldPoint p, CWorldPoint a, CWorldPoint b) {
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double span = dx * dx + dy * dy;
    if (span == 0) return a;
    const double t = std::clamp(((double(p.x) - a.x) * dx + (double(p.y) - a.y) * dy) / span, 0.0, 1.0);
    return {int32_t(std::lround(a.x + t * dx)), int32_t(std::lround(a.y + t * dy))};
}

CRoadGraph::CRoadGraph(const std::vector<CRoad>& roads) {
    std::unordered_map<uint64_t, int> nodeAt;
    for (const CRoad& road : roads) {
        int previous = -1;
        for (const CWorldPoint& p : road.points) {
            const auto found = nodeAt.emplace(Key(p), int(m_points.size()));
            if (found.second) AddNode(p);
            const int node = found.first->second;
            if (previous >= 0 && previous != node) AddEdge(previous, node, road.rank);
            previous = node;
        }
    }
    JoinCloseRoads(Roads::kJoinTolerance);
}

int CRoadGraph::AddNode(CWorldPoint point) {
    m_points.push_back(point);
    m_edges.emplace_back();
    return int(m_points.size()) - 1;
}

void CRoadGraph::AddEdge(int a, int b, int rank, const CWorldPoint* via) {
    const CWorldPoint pa = Point(a), pb = Point(b);
    CRoadEdge edge;
    edge.rank = rank;
    edge.hasVia = via != nullptr;
    if (via) edge.via = *via;
    edge.length = via ? Distance(pa, *via) + Distance(*via, pb) : Distance(pa, pb);
    edge.to = b;
    m_edges[size_t(a)].push_back(edge);
    edge.to = a;
    m_edges[size_t(b)].push_back(edge);
}

void CRoadGraph::JoinCloseRoads(double tolerance) {
    // A point joins the nearest stretch it does not already end, through the
    // spot it meets it: to both ends, so the way along that stretch is kept.
    const std::vector<Stretch> stretches = Stretches(*this);
    const CStretchGrid grid(*this, stretches, tolerance);
    for (int node = 0; node < int(NodeCount()); ++node) {
        const CWorldPoint p = Point(node);
        const std::vector<int>* near = grid.Near(p);
        if (!near) continue;
        const Stretch* best = nullptr;
        CWorldPoint bestAt;
        double bestDistance = tolerance;
        for (const int i : *near) {
            const Stretch& s = stretches[size_t(i)];
            if (s.a == node || s.b == node) continue;
            const CWorldPoint at = ClosestOnSegment(p, Point(s.a), Point(s.b));
            const double d = Distance(p, at);
            if (d <= bestDistance) { best = &s; bestAt = at; bestDistance = d; }
        }
        if (!best) continue;
        AddEdge(node, best->a, best->rank, &bestAt);
        AddEdge(node, best->b, best->rank, &bestAt);
    }
}

CRoadPoint CRoadGraph::Nearest(CWorldPoint p) const {
    CRoadPoint best;
    best.distance = INFINITY;
    for (int a = 0; a < int(NodeCount()); ++a)
        for (const CRoadEdge& e : Edges(a)) {
            if (e.to < a || e.hasVia) continue;
            const CWorldPoint at = ClosestOnSegment(p, Point(a), Point(e.to));
            const double d = Distance(p, at);
            if (d < best.distance) best = {a, e.to, at, d};
        }
    return best;
}
