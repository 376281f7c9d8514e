#include "journeys/RoadDistances.h"

#include <limits>
#include <queue>

namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();

bool SameStretch(const CRoadPoint& p, const CRoadPoint& q) {
    return (p.a == q.a && p.b == q.b) || (p.a == q.b && p.b == q.a);
}

// The way from a road point to every node (Dijkstra), entering the graph at
// its stretch's two ends.
std::vector<double> FromRoadPoint(const CRoadGraph& graph, const CRoadPoint& from) {
    std::vector<double> cost(graph.NodeCount(), kNever);
    using Item = std::pair<double, int>;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
    for (const int end : {from.a, from.b}) {
        const double c = Distance(from.at, graph.Point(end));
        if (c < cost[size_t(end)]) cost[size_t(end)] = c, open.push({c, end});
    }
    while (!open.empty()) {
        const auto [c, node] = open.top();
        open.pop();
        if (c > cost[size_t(node)]) continue;
        for (const CRoadEdge& e : graph.Edges(node)) {
            const double next = c + e.length;
            if (next < cost[size_t(e.to)]) cost[size_t(e.to)] = next, open.push({next, e.to});
        }
    }
    return cost;
}

// From the search's costs to the road point `to`: by either end of its
// stretch, or along the one stretch both points lie on.
double ToRoadPoint(const CRoadGraph& graph, const std::vector<double>& cost, const CRoadPoint& from,
                   const CRoadPoint& to) {
    double best = SameStretch(from, to) ? Distance(from.at, to.at) : kNever;
    for (const int end : {to.a, to.b})
        best = std::min(best, cost[size_t(end)] + Distance(graph.Point(end), to.at));
    return best;
}

}  // namespace

CDistanceMatrix RoadDistances(const CRoadGraph& graph, const std::vector<CWorldPoint>& points) {
    const size_t n = points.size();
    CDistanceMatrix d(n, std::vector<double>(n, 0));
    std::vector<CRoadPoint> onRoad;
    for (const CWorldPoint& p : points) onRoad.push_back(graph.Nearest(p));
    for (size_t i = 0; i < n; ++i) {
        const bool joined = onRoad[i].a >= 0;
        const std::vector<double> cost = joined ? FromRoadPoint(graph, onRoad[i]) : std::vector<double>();
        for (size_t j = i + 1; j < n; ++j) {
            if (points[i] == points[j]) continue;  // one spot: no way to go
            double way = joined ? ToRoadPoint(graph, cost, onRoad[i], onRoad[j]) : kNever;
            way = way == kNever ? Distance(points[i], points[j])
                                : onRoad[i].distance + way + onRoad[j].distance;
            d[i][j] = d[j][i] = way;
        }
    }
    return d;
}
