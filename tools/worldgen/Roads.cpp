// A* roads: flat, dry ground is cheap; slopes, mountains, forests and river
// crossings cost more; water is impassable; existing roads are cheap.
#include "Roads.h"

#include "MapNoise.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace worldmap {

RoadPlanner::RoadPlanner(const Terrain& t) : m_t(t), m_base(size_t(kLW) * kLH), m_road(size_t(kLW) * kLH, 0) {
    for (int j = 0; j < kLH; ++j)
        for (int i = 0; i < kLW; ++i) {
            const int c = Terrain::C(i, j);
            const int px = i * kCell + 2, py = j * kCell + 2;
            if (t.ocean[c] || t.lake[c] || t.water[Terrain::P(px, py)] != 0) { m_base[c] = -1; continue; }
            float gx = 0, gy = 0;
            if (i > 0 && i + 1 < kLW) gx = t.elev[c + 1] - t.elev[c - 1];
            if (j > 0 && j + 1 < kLH) gy = t.elev[c + kLW] - t.elev[c - kLW];
            const float slope = std::sqrt(gx * gx + gy * gy);
            float cost = 1 + 60 * slope + 5 * t.mount[c] + 0.6f * t.forest[c];
            if (t.flow[c] > 260) cost += 4;  // a ford or a bridge
            if (t.temp[c] < 0.04f) cost += 3;  // ice
            m_base[c] = cost;
        }
}

float RoadPlanner::StepCost(int, int to) const {
    const float b = m_base[size_t(to)];
    if (b < 0) return -1;
    return m_road[size_t(to)] ? 0.3f + 0.1f * b : b;
}

bool RoadPlanner::Route(int ax, int ay, int bx, int by, int rank, std::vector<Road>& out) {
    const int s = Terrain::C(std::min(kLW - 1, ax / kCell), std::min(kLH - 1, ay / kCell));
    const int g = Terrain::C(std::min(kLW - 1, bx / kCell), std::min(kLH - 1, by / kCell));
    if (s == g) return false;
    const size_t NC = size_t(kLW) * kLH;
    std::vector<float> dist(NC, 1e30f);
    std::vector<int> prev(NC, -1);
    struct Item { float f; int c; };
    auto cmp = [](const Item& a, const Item& b) { return a.f > b.f || (a.f == b.f && a.c > b.c); };
    std::priority_queue<Item, std::vector<Item>, decltype(cmp)> pq(cmp);
    const int gi = g % kLW, gj = g / kLW;
    auto H = [&](int c) {
        const float dx = float(c % kLW - gi), dy = float(c / kLW - gj);
        return 0.55f * std::sqrt(dx * dx + dy * dy);
    };
    dist[size_t(s)] = 0;
    pq.push({H(s), s});
    int expanded = 0;
    bool found = false;
    while (!pq.empty()) {
        const Item it = pq.top();
        pq.pop();
        if (it.c == g) { found = true; break; }
        if (it.f - H(it.c) > dist[size_t(it.c)] + 1e-4f) continue;
        if (++expanded > 400000) break;
        const int i = it.c % kLW, j = it.c / kLW;
        ForEachNeighbour(i, j, false, [&](int ii, int jj, int n) {
            float c = n == g ? 1.0f : StepCost(it.c, n);
            if (c < 0) return;
            if (ii != i && jj != j) c *= 1.41421356f;
            const float nd = dist[size_t(it.c)] + c;
            if (nd < dist[size_t(n)]) {
                dist[size_t(n)] = nd;
                prev[size_t(n)] = it.c;
                pq.push({nd + H(n), n});
            }
        });
    }
    if (!found) return false;
    std::vector<int> cells;
    for (int c = g; c >= 0; c = prev[size_t(c)]) cells.push_back(c);
    std::reverse(cells.begin(), cells.end());
    Commit(cells, ax, ay, bx, by, rank, out);
    return true;
}

bool RoadPlanner::Spur(int ax, int ay, int maxCells, std::vector<Road>& out) {
    const int s = Terrain::C(std::min(kLW - 1, ax / kCell), std::min(kLH - 1, ay / kCell));
    if (m_road[size_t(s)]) return false;
    // Dijkstra in a window until the first road cell.
    const int si = s % kLW, sj = s / kLW;
    const int W = 2 * maxCells + 1;
    std::vector<float> dist(size_t(W) * W, 1e30f);
    std::vector<int> prev(size_t(W) * W, -1);
    auto L = [&](int i, int j) { return (j - sj + maxCells) * W + (i - si + maxCells); };
    struct Item { float d; int i, j; };
    auto cmp = [](const Item& a, const Item& b) {
        return a.d > b.d || (a.d == b.d && (a.j > b.j || (a.j == b.j && a.i > b.i)));
    };
    std::priority_queue<Item, std::vector<Item>, decltype(cmp)> pq(cmp);
    dist[size_t(L(si, sj))] = 0;
    pq.push({0, si, sj});
    int hi = -1, hj = -1;
    while (!pq.empty()) {
        const Item it = pq.top();
        pq.pop();
        if (it.d > dist[size_t(L(it.i, it.j))]) continue;
        if (m_road[size_t(Terrain::C(it.i, it.j))]) { hi = it.i; hj = it.j; break; }
        ForEachNeighbour(it.i, it.j, false, [&](int ii, int jj, int n) {
            if (std::abs(ii - si) > maxCells || std::abs(jj - sj) > maxCells) return;
            float c = m_base[size_t(n)];
            if (c < 0) return;
            if (ii != it.i && jj != it.j) c *= 1.41421356f;
            const float nd = it.d + c;
            if (nd < dist[size_t(L(ii, jj))]) {
                dist[size_t(L(ii, jj))] = nd;
                prev[size_t(L(ii, jj))] = L(it.i, it.j);
                pq.push({nd, ii, jj});
            }
        });
    }
    if (hi < 0) return false;
    std::vector<int> cells;
    for (int l = L(hi, hj); l >= 0; l = prev[size_t(l)]) {
        const int i = l % W - maxCells + si, j = l / W - maxCells + sj;
        cells.push_back(Terrain::C(i, j));
    }
    std::reverse(cells.begin(), cells.end());
    if (cells.size() < 3) return false;
    Commit(cells, ax, ay, (hi * kCell + 2), (hj * kCell + 2), 2, out);
    return true;
}

void RoadPlanner::Commit(const std::vector<int>& cells, int ax, int ay, int bx, int by, int rank,
                         std::vector<Road>& out) {
    m_paths.push_back(cells);
    // Only the new stretch is drawn: where the route runs along an existing
    // road it is already painted.
    std::vector<std::vector<int>> runs(1);
    for (size_t k = 0; k < cells.size(); ++k) {
        const int c = cells[k];
        if (m_road[size_t(c)] && rank > 0 && k > 0 && k + 1 < cells.size()) {
            if (!runs.back().empty()) { runs.back().push_back(c); runs.emplace_back(); }
            continue;
        }
        if (runs.back().empty() && k > 0) runs.back().push_back(cells[k - 1]);  // leave the old road
        runs.back().push_back(c);
    }
    for (int c : cells) m_road[size_t(c)] = 1;
    for (const auto& run : runs) {
        if (run.size() < 2) continue;
        Polyline pl;
        for (size_t k = 0; k < run.size(); ++k) {
            if (k % 3 && k + 1 != run.size()) continue;
            float x = (run[k] % kLW) * kCell + 2.0f, y = (run[k] / kLW) * kCell + 2.0f;
            if (run[k] == cells.front()) { x = ax + 0.5f; y = ay + 0.5f; }
            if (run[k] == cells.back()) { x = bx + 0.5f; y = by + 0.5f; }
            pl.x.push_back(x);
            pl.y.push_back(y);
        }
        for (int it = 0; it < 2 && pl.x.size() > 2; ++it) {
            Polyline n;
            n.x.push_back(pl.x[0]);
            n.y.push_back(pl.y[0]);
            for (size_t k = 0; k + 1 < pl.x.size(); ++k) {
                n.x.push_back(0.75f * pl.x[k] + 0.25f * pl.x[k + 1]);
                n.y.push_back(0.75f * pl.y[k] + 0.25f * pl.y[k + 1]);
                n.x.push_back(0.25f * pl.x[k] + 0.75f * pl.x[k + 1]);
                n.y.push_back(0.25f * pl.y[k] + 0.75f * pl.y[k + 1]);
            }
            n.x.push_back(pl.x.back());
            n.y.push_back(pl.y.back());
            pl = n;
        }
        pl.v.assign(pl.x.size(), 1.0f);
        out.push_back({pl, rank});
    }
}

}  // namespace worldmap
