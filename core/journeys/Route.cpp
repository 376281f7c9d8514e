#include "journeys/Route.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();

// A node's way back: the node it came from and the edge it came by.
struct Step {
    int from = -1;
    CRoadEdge edge;  // a copy: the edges to the goal are made on the way
};

// The search from the start's road point to the end's. The two road points
// are nodes of their own past the graph's (`start`, `goal`), joined to the
// ends of their stretches, and to each other when both lie on one stretch.
class CRoadSearch {
public:
    CRoadSearch(const CRoadGraph& graph, const CRoadPoint& from, const CRoadPoint& to)
        : m_graph(graph), m_from(from), m_to(to), m_start(int(graph.NodeCount())), m_goal(m_start + 1) {
        m_spur[0] = Spur(from, to, m_goal);
        m_spur[1] = Spur(to, from, m_start);
    }

    // The nodes' points from start to goal, the rank of each step after the
    // first; empty when no road joins them.
    bool Run(std::vector<CWorldPoint>& points, std::vector<int>& ranks, double& length) {
        std::vector<double> cost(size_t(m_goal) + 1, kNever);
        std::vector<Step> back(cost.size());
        using Item = std::pair<double, int>;
        std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
        cost[size_t(m_start)] = 0;
        open.push({Guess(m_start), m_start});
        while (!open.empty()) {
            const double guessed = open.top().first;
            const int node = open.top().second;
            open.pop();
            if (node == m_goal) break;
            if (guessed > cost[size_t(node)] + Guess(node)) continue;  // a stale entry
            ForEachEdge(node, [&](const CRoadEdge& e) {
                const double c = cost[size_t(node)] + e.length;
                if (c >= cost[size_t(e.to)]) return;
                cost[size_t(e.to)] = c;
                back[size_t(e.to)] = {node, e};
                open.push({c + Guess(e.to), e.to});
            });
        }
        if (cost[size_t(m_goal)] == kNever) return false;
        length = cost[size_t(m_goal)];
        for (int node = m_goal; node != m_start; node = back[size_t(node)].from) {
            const CRoadEdge& e = back[size_t(node)].edge;
            points.push_back(PointOf(node));
            ranks.push_back(e.rank);
        }
        points.push_back(PointOf(m_start));
        std::reverse(points.begin(), points.end());
        std::reverse(ranks.begin(), ranks.end());
        return true;
    }

private:
    // The edges from a road point to its stretch's ends, and to the other
    // road point (node `otherNode`) when it lies on the same stretch.
    std::vector<CRoadEdge> Spur(const CRoadPoint& self, const CRoadPoint& other, int otherNode) const {
        const int rank = StretchRank(self);
        std::vector<CRoadEdge> out;
        for (const int end : {self.a, self.b}) out.push_back({end, Distance(self.at, m_graph.Point(end)), rank});
        const bool sameStretch = (self.a == other.a && self.b == other.b) || (self.a == other.b && self.b == other.a);
        if (sameStretch) out.push_back({otherNode, Distance(self.at, other.at), rank});
        return out;
    }

    int StretchRank(const CRoadPoint& p) const {
        for (const CRoadEdge& e : m_graph.Edges(p.a))
            if (e.to == p.b) return e.rank;
        return Roads::kTrack;
    }

    template <typename F>
    void ForEachEdge(int node, F visit) const {
        if (node == m_start) { for (const CRoadEdge& e : m_spur[0]) visit(e); return; }
        if (node == m_goal) return;
        for (const CRoadEdge& e : m_graph.Edges(node)) visit(e);
        // The goal's stretch ends lead on to the goal.
        for (const CRoadEdge& e : m_spur[1])
            if (e.to == node) visit({m_goal, e.length, e.rank});
    }

    CWorldPoint PointOf(int node) const {
        if (node == m_start) return m_from.at;
        if (node == m_goal) return m_to.at;
        return m_graph.Point(node);
    }
    double Guess(int node) const { return Distance(PointOf(node), m_to.at); }

    const CRoadGraph& m_graph;
    const CRoadPoint& m_from;
    const CRoadPoint& m_to;
    const int m_start, m_goal;
    std::vector<CRoadEdge> m_spur[2];
};

void AddLeg(CRoute& route, int rank, CWorldPoint a, CWorldPoint b) {
    const double length = Distance(a, b);
    route.length += length;
    if (!route.legs.empty() && route.legs.back().rank == rank) {
        route.legs.back().points.push_back(b);
        route.legs.back().length += length;
        return;
    }
    route.legs.push_back({rank, {a, b}, length});
}

CRoute Straight(CWorldPoint from, CWorldPoint to) {
    CRoute route;
    AddLeg(route, Roads::kOffRoad, from, to);
    return route;
}

}  // namespace

CRoute FindRoute(const CRoadGraph& graph, CWorldPoint from, CWorldPoint to) {
    if (from == to) {  // nothing to travel: no walk to the road and back
        CRoute route = Straight(from, to);
        route.alongRoads = true;
        return route;
    }
    const CRoadPoint a = graph.Nearest(from), b = graph.Nearest(to);
    if (a.a < 0 || b.a < 0) return Straight(from, to);
    std::vector<CWorldPoint> points;
    std::vector<int> ranks;
    double length = 0;
    if (!CRoadSearch(graph, a, b).Run(points, ranks, length)) return Straight(from, to);
    CRoute route;
    route.alongRoads = true;
    if (!(from == a.at)) AddLeg(route, Roads::kOffRoad, from, a.at);
    for (size_t i = 1; i < points.size(); ++i)
        if (!(points[i] == points[i - 1])) AddLeg(route, ranks[i - 1], points[i - 1], points[i]);
    if (!(to == b.at)) AddLeg(route, Roads::kOffRoad, b.at, to);
    if (route.legs.empty()) AddLeg(route, Roads::kOffRoad, from, to);
    return route;
}

double Leagues(double length, const CRoadScale& scale) { return length / scale.unitsPerLeague; }

CRouteTotals Totals(const CRoute& route, const CRoadScale& scale) {
    CRouteTotals totals;
    for (const CRouteLeg& leg : route.legs) {
        const double leagues = Leagues(leg.length, scale);
        totals.leagues += leagues;
        totals.walkHours += leagues * 100.0 / scale.walk[leg.rank];
        totals.rideHours += leagues * 100.0 / scale.ride[leg.rank];
    }
    return totals;
}
