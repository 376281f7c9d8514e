#include "journeys/RoadGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr size_t kMostStretchesLooked = 1024;

uint64_t Key(CWorldPoint p) { return (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y); }

// Stretches filed by the cells of a coarse grid that their box (widened by
// the tolerance) meets, so a point looks only at the stretches near it. The
// cells grow until the filing costs at most a few entries a stretch: a table
// of long stretches across the world stays quick to file.
class CStretchGrid {
public:
    CStretchGrid(const CRoadGraph& graph, const std::vector<CRoadGraph::Stretch>& stretches, double margin) {
        std::vector<Box> boxes;
        for (const CRoadGraph::Stretch& s : stretches) {
            const CWorldPoint a = graph.Point(s.a), b = graph.Point(s.b);
            boxes.push_back({std::min(a.x, b.x) - margin, std::min(a.y, b.y) - margin,
                             std::max(a.x, b.x) + margin, std::max(a.y, b.y) + margin});
        }
        const double budget = 16.0 * double(boxes.size()) + 1024;
        while (Entries(boxes) > budget) m_cellSize *= 2;
        for (size_t i = 0; i < boxes.size(); ++i)
            for (int64_t cx = Cell(boxes[i].left); cx <= Cell(boxes[i].right); ++cx)
                for (int64_t cy = Cell(boxes[i].bottom); cy <= Cell(boxes[i].top); ++cy)
                    m_cells[CellKey(cx, cy)].push_back(int(i));
    }
    const std::vector<int>* Near(CWorldPoint p) const {
        const auto it = m_cells.find(CellKey(Cell(p.x), Cell(p.y)));
        return it == m_cells.end() ? nullptr : &it->second;
    }

private:
    struct Box {
        double left, bottom, right, top;
    };
    double Entries(const std::vector<Box>& boxes) const {
        double entries = 0;
        for (const Box& b : boxes)
            entries += double(Cell(b.right) - Cell(b.left) + 1) * double(Cell(b.top) - Cell(b.bottom) + 1);
        return entries;
    }
    int64_t Cell(double v) const { return int64_t(std::floor(v / m_cellSize)); }
    static uint64_t CellKey(int64_t cx, int64_t cy) { return (uint64_t(cx) << 32) ^ uint64_t(uint32_t(cy)); }
    double m_cellSize = 4096.0;
    std::unordered_map<uint64_t, std::vector<int>> m_cells;
};

std::vector<CRoadGraph::Stretch> Stretches(const CRoadGraph& graph) {
    std::vector<CRoadGraph::Stretch> out;
    for (int a = 0; a < int(graph.NodeCount()); ++a)
        for (const CRoadEdge& e : graph.Edges(a))
            if (a < e.to) out.push_back({a, e.to, e.rank});
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

void CRoadGraph::AddEdge(int a, int b, int rank) {
    const double length = Distance(Point(a), Point(b));
    m_edges[size_t(a)].push_back({b, length, rank});
    m_edges[size_t(b)].push_back({a, length, rank});
}

void CRoadGraph::JoinCloseRoads(double tolerance) {
    // A point joins the nearest stretch it does not already end: the
    // stretch is cut where it meets it, and a short link made there.
    const std::vector<Stretch> stretches = Stretches(*this);
    const CStretchGrid grid(*this, stretches, tolerance);
    std::vector<std::vector<Junction>> cuts(stretches.size());
    for (int node = 0; node < int(NodeCount()); ++node) {
        const std::vector<int>* near = grid.Near(Point(node));
        if (!near) continue;
        int best = -1;
        double bestDistance = tolerance;
        CWorldPoint bestAt;
        // Only a table made to be slow crowds a cell past this; it loses
        // junctions, never time.
        const size_t looked = std::min(near->size(), kMostStretchesLooked);
        for (size_t k = 0; k < looked; ++k) {
            const Stretch& s = stretches[size_t((*near)[k])];
            if (s.a == node || s.b == node) continue;
            const CWorldPoint at = ClosestOnSegment(Point(node), Point(s.a), Point(s.b));
            const double d = Distance(Point(node), at);
            if (d <= bestDistance) { best = (*near)[k]; bestAt = at; bestDistance = d; }
        }
        if (best >= 0) cuts[size_t(best)].push_back({node, bestAt});
    }
    for (size_t i = 0; i < stretches.size(); ++i)
        if (!cuts[i].empty()) CutStretch(stretches[i], cuts[i]);
}

void CRoadGraph::RemoveEdge(int a, int b) {
    for (const auto& [from, to] : {std::pair<int, int>{a, b}, {b, a}}) {
        auto& edges = m_edges[size_t(from)];
        const auto it = std::find_if(edges.begin(), edges.end(), [to = to](const CRoadEdge& e) { return e.to == to; });
        if (it != edges.end()) edges.erase(it);
    }
}

void CRoadGraph::CutStretch(const Stretch& s, std::vector<Junction>& junctions) {
    // The cuts in order from a to b, each a node of its own (or an end).
    const CWorldPoint a = Point(s.a);
    std::sort(junctions.begin(), junctions.end(), [a](const Junction& x, const Junction& y) {
        return Distance(a, x.at) < Distance(a, y.at);
    });
    RemoveEdge(s.a, s.b);
    int previous = s.a;
    for (const Junction& j : junctions) {
        int cut = previous;
        if (j.at == Point(s.b)) cut = s.b;
        else if (!(j.at == Point(previous))) cut = AddNode(j.at);
        if (cut != previous) AddEdge(previous, cut, s.rank);
        if (cut != j.node) AddEdge(j.node, cut, s.rank);
        previous = cut;
    }
    if (previous != s.b) AddEdge(previous, s.b, s.rank);
}

CRoadPoint CRoadGraph::Nearest(CWorldPoint p) const {
    // Squared distances, compared without a root; a stretch whose box lies
    // farther than the best so far is passed over.
    const auto square = [](double dx, double dy) { return dx * dx + dy * dy; };
    CRoadPoint best;
    double bestSquare = INFINITY;
    for (int a = 0; a < int(NodeCount()); ++a)
        for (const CRoadEdge& e : Edges(a)) {
            if (e.to < a) continue;
            const CWorldPoint pa = Point(a), pb = Point(e.to);
            const double outX = std::max({0.0, double(std::min(pa.x, pb.x)) - p.x, double(p.x) - std::max(pa.x, pb.x)});
            const double outY = std::max({0.0, double(std::min(pa.y, pb.y)) - p.y, double(p.y) - std::max(pa.y, pb.y)});
            if (square(outX, outY) > bestSquare) continue;
            const CWorldPoint at = ClosestOnSegment(p, pa, pb);
            const double d = square(double(p.x) - at.x, double(p.y) - at.y);
            if (d < bestSquare) best = {a, e.to, at, 0}, bestSquare = d;
        }
    best.distance = best.a < 0 ? INFINITY : Distance(p, best.at);
    return best;
}
