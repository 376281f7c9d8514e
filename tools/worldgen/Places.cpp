// Place planning: a fixed plan of how many places of each kind and level the
// table holds (the figures the place table is known by), each placed on the terrain where its kind
// belongs, most important first, then named in its region's tongue.
#include "Places.h"

#include "MapNoise.h"
#include "Names.h"
#include "Roads.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace worldmap {
namespace {

// What a place is, more finely than its type code.
enum Kind {
    K_REGION, K_CAPITAL, K_CITY, K_PORT, K_TOWN, K_VILLAGE, K_FORT, K_TEMPLE, K_RUIN, K_PASS, K_MINE, K_CAVE,
    K_SEA, K_BAY, K_LAKE, K_STRAIT, K_COVE, K_RANGE, K_FOREST, K_PEAK, K_MARSH, K_ISLE, K_HILLS, K_DESERT,
    K_GLACIER, K_FALLS, K_STONES, K_DISTRICT,
};

struct Site {
    int kind = 0, type = 0, level = 0;
    int px = 0, py = 0;       // picture pixel of the marker
    int region = -1, culture = 0;
    int parent = -1;          // districts: the city
    float spacing = 30;
    bool anchor = false, water = false;
    std::string name;
    std::string root;         // the invented word inside the name
};

constexpr int kTotal = 863;
// figures the place table is known by.
constexpr int kLevelCounts[6] = {23, 8, 24, 281, 77, 450};
constexpr int kMinX = -119535, kMaxX = 166797, kMinY = -119573, kMaxY = 202171;
constexpr int kDistinct = 835, kDupNames = 20;
constexpr size_t kTableBytes = 26648;  // binary size of RCDATA 133: 14 + n per record, + 2

// MulDiv as the Overview defines it: a * b / c, 64-bit, rounded half away from zero.
int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const long long num = (long long)a * b;
    long long q = num / c, r = num % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -c : c)) q += ((num < 0) != (c < 0)) ? -1 : 1;
    return int(q);
}

class Planner {
public:
    Planner(const Rng& rng, const Terrain& t) : m_rng(rng.Fork("places")), m_t(t), m_names(rng.Fork("names")) {
        Prepare();
    }
    std::vector<PlaceRec> Run(std::vector<Road>& roads);

private:
    void Prepare();
    // Cell predicates and scores.
    bool LandCell(int c) const { return !m_t.ocean[size_t(c)] && !m_t.lake[size_t(c)] && m_t.region[size_t(c)] >= 0; }
    float Habit(int c) const;
    bool Fits(int px, int py, float spacing, int ignore = -1, bool waterSite = false, bool fixed = false) const;
    bool PixelOk(int px, int py, bool port, bool water) const;
    int Add(Site s);
    int PickRegion(int kind);
    // Tries to place one site by sampling cells; returns its index or -1.
    int Place(int kind, int type, int level, float spacing, int region,
              const std::function<bool(int)>& pred, const std::function<float(int)>& score, int tries = 400);
    int PlacePort(int kind, int level, float spacing, int region);
    int PlaceWater(int kind, int level);
    int PlaceFeature(int kind, int type, int level);
    void PlaceDistricts();
    void BuildRoads(std::vector<Road>& roads);
    void SpurVillages(std::vector<Road>& roads);
    void PlacePasses(int count, int level, const std::vector<int>& candidates);
    void NameAll();
    void MakeDuplicates();
    void FixBytes();
    int CultureNear(int px, int py) const;
    void ToRecords(std::vector<PlaceRec>& out);

    Rng m_rng;
    const Terrain& m_t;
    NameMaker m_names;
    std::vector<Site> m_sites;
    std::vector<std::vector<int>> m_regionCells;   // land cells of each region
    std::vector<float> m_regionPop;                 // how many places a region gets
    std::vector<int> m_landCells;
    std::vector<uint8_t> m_riverNear;
    std::vector<std::vector<std::pair<int, int>>> m_coast;  // per region: coastal land pixels
    std::vector<int> m_passCandidates;
    std::vector<int> m_islandOf, m_islandCx, m_islandCy, m_landmass;
    std::vector<uint8_t> m_islandNamed;
    std::unique_ptr<RoadPlanner> m_rp;
    int m_levelLeft[6] = {0, 0, 0, 0, 0, 0};
};

float Planner::Habit(int c) const {
    const float temp = m_t.temp[size_t(c)], moist = m_t.moist[size_t(c)];
    float h = Smooth(0.06f, 0.2f, temp) * (0.3f + moist) * (1 - 0.85f * m_t.mount[size_t(c)]);
    if (m_riverNear[size_t(c)]) h *= 1.9f;
    if (m_t.seaDistCells[size_t(c)] < 6) h *= 1.3f;
    return h;
}

void Planner::Prepare() {
    const size_t NC = size_t(kLW) * kLH;
    m_regionCells.assign(m_t.regions.size(), {});
    for (int j = 0; j < kLH; ++j)
        for (int i = 0; i < kLW; ++i) {
            const int c = Terrain::C(i, j);
            const int px = i * kCell + 2, py = j * kCell + 2;
            if (!LandCell(c) || !m_t.IsLand(px, py)) continue;
            if (px < 62 || px > 3207 || py < 197 || py > 3684) continue;
            m_regionCells[size_t(m_t.region[size_t(c)])].push_back(c);
            m_landCells.push_back(c);
        }
    // Cells within three cells of a river.
    m_riverNear.assign(NC, 0);
    for (int j = 0; j < kLH; ++j)
        for (int i = 0; i < kLW; ++i) {
            const int c = Terrain::C(i, j);
            if (m_t.ocean[size_t(c)] || m_t.lake[size_t(c)] || m_t.flow[size_t(c)] < 260) continue;
            for (int dj = -3; dj <= 3; ++dj)
                for (int di = -3; di <= 3; ++di) {
                    const int ii = i + di, jj = j + dj;
                    if (ii >= 0 && jj >= 0 && ii < kLW && jj < kLH) m_riverNear[size_t(Terrain::C(ii, jj))] = 1;
                }
        }
    // Coastal land pixels next to the sea, per region.
    m_coast.assign(m_t.regions.size(), {});
    for (int y = 197; y <= 3684; y += 2)
        for (int x = 62; x <= 3207; x += 2) {
            const size_t p = Terrain::P(x, y);
            if (m_t.water[p] != 0 || m_t.distWater[p] > 2.5f) continue;
            bool sea = false;
            for (int dy = -3; dy <= 3 && !sea; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    if (m_t.water[Terrain::P(x + dx, y + dy)] == 1) { sea = true; break; }
            if (!sea) continue;
            const int r = m_t.RegionAt(x, y);
            if (r >= 0) m_coast[size_t(r)].push_back({x, y});
        }
    // Land masses (for roads) and islands (for island names), 8-connected.
    m_landmass.assign(NC, -1);
    m_islandOf.assign(NC, -1);
    {
        std::vector<int> stack, members;
        int next = 0;
        for (size_t c0 = 0; c0 < NC; ++c0) {
            if (m_t.ocean[c0] || m_landmass[c0] >= 0) continue;
            members.clear();
            m_landmass[c0] = next;
            stack.push_back(int(c0));
            while (!stack.empty()) {
                const int c = stack.back();
                stack.pop_back();
                members.push_back(c);
                ForEachNeighbour(c % kLW, c / kLW, true, [&](int, int, int n) {
                    if (m_t.ocean[size_t(n)] || m_landmass[size_t(n)] >= 0) return;
                    m_landmass[size_t(n)] = next;
                    stack.push_back(n);
                });
            }
            if (members.size() >= 25 && members.size() <= 9000) {
                long long sx = 0, sy = 0;
                for (int c : members) { sx += c % kLW; sy += c / kLW; }
                const int isl = int(m_islandCx.size());
                m_islandCx.push_back(int(sx / (long long)members.size()) * kCell + 2);
                m_islandCy.push_back(int(sy / (long long)members.size()) * kCell + 2);
                m_islandNamed.push_back(0);
                for (int c : members) m_islandOf[size_t(c)] = isl;
            }
            ++next;
        }
    }
    // How populous each region is.
    static const std::map<std::string, float> kPop = {
        {"ice", 0.25f}, {"northwest", 0.8f}, {"northeast", 0.55f}, {"west", 1.1f}, {"heart", 1.3f},
        {"mountains", 0.8f}, {"steppe", 0.8f}, {"marches", 1.0f}, {"isles", 0.9f}, {"eastnorth", 1.0f},
        {"eastsouth", 1.15f}, {"desert", 0.75f}, {"southeast", 0.9f}};
    for (size_t r = 0; r < m_t.regions.size(); ++r) {
        const auto it = kPop.find(m_t.regions[r].key);
        m_regionPop.push_back((it == kPop.end() ? 1.0f : it->second) *
                              std::sqrt(float(m_regionCells[r].size()) + 1.0f));
    }
}

bool Planner::PixelOk(int px, int py, bool port, bool water) const {
    if (px < 61 || px > 3209 || py < 195 || py > 3686) return false;
    const size_t p = Terrain::P(px, py);
    if (water) return m_t.water[p] != 0 && m_t.distLand[p] >= 3;
    if (m_t.water[p] != 0) return false;
    // The marker square covers a few pixels: keep them on land.
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (m_t.water[Terrain::P(px + dx, py + dy)] != 0) return false;
    if (!port && m_t.distWater[p] < 3) return false;
    return true;
}

bool Planner::Fits(int px, int py, float spacing, int ignore, bool waterSite, bool fixed) const {
    for (size_t k = 0; k < m_sites.size(); ++k) {
        if (int(k) == ignore) continue;
        const Site& s = m_sites[k];
        if (s.water != waterSite && !(s.kind == K_REGION)) continue;
        const float need = fixed ? spacing : (s.kind == K_REGION ? 40.0f : 0.5f * (spacing + s.spacing));
        const float dx = float(px - s.px), dy = float(py - s.py);
        if (dx * dx + dy * dy < need * need) return false;
    }
    return true;
}

int Planner::Add(Site s) {
    if (s.region < 0) s.region = m_t.RegionAt(s.px, s.py);
    if (s.region >= 0) s.culture = m_t.regions[size_t(s.region)].culture;
    if (s.water || s.region < 0) s.culture = CultureNear(s.px, s.py);
    m_sites.push_back(s);
    --m_levelLeft[s.level];
    return int(m_sites.size()) - 1;
}

int Planner::CultureNear(int px, int py) const {
    const int ci = px / kCell, cj = py / kCell;
    for (int r = 0; r < 120; ++r)
        for (int dj = -r; dj <= r; ++dj)
            for (int di = -r; di <= r; ++di) {
                if (std::abs(di) != r && std::abs(dj) != r) continue;
                const int i = ci + di, j = cj + dj;
                if (i < 0 || j < 0 || i >= kLW || j >= kLH) continue;
                const int reg = m_t.region[size_t(Terrain::C(i, j))];
                if (reg >= 0) return m_t.regions[size_t(reg)].culture;
            }
    return kIsles;
}

int Planner::PickRegion(int kind) {
    float total = 0;
    std::vector<float> w(m_t.regions.size());
    for (size_t r = 0; r < w.size(); ++r) {
        w[r] = m_regionPop[r];
        if (kind == K_PORT && m_coast[r].empty()) w[r] = 0;
        if ((kind == K_MINE || kind == K_PASS) && std::string(m_t.regions[r].key) == "mountains") w[r] *= 3;
        total += w[r];
    }
    float u = float(m_rng.Uniform()) * total;
    for (size_t r = 0; r < w.size(); ++r) {
        if (u < w[r]) return int(r);
        u -= w[r];
    }
    return int(w.size()) - 1;
}

int Planner::Place(int kind, int type, int level, float spacing, int region, const std::function<bool(int)>& pred,
                   const std::function<float(int)>& score, int tries) {
    // Relax the spacing step by step if the land is crowded.
    for (int round = 0; round < 6; ++round) {
        const std::vector<int>& pool = region >= 0 ? m_regionCells[size_t(region)] : m_landCells;
        if (pool.empty()) return -1;
        float best = -1e30f;
        int bx = -1, by = -1;
        for (int k = 0; k < tries; ++k) {
            const int c = pool[size_t(m_rng.Next() % pool.size())];
            if (!pred(c)) continue;
            const int px = (c % kLW) * kCell + m_rng.Int(0, kCell - 1);
            const int py = (c / kLW) * kCell + m_rng.Int(0, kCell - 1);
            if (!PixelOk(px, py, false, false)) continue;
            if (!Fits(px, py, spacing)) continue;
            const float s = score(c) + 0.15f * float(m_rng.Uniform());
            if (s > best) { best = s; bx = px; by = py; }
        }
        if (bx >= 0) {
            Site s;
            s.kind = kind; s.type = type; s.level = level; s.px = bx; s.py = by; s.spacing = spacing;
            return Add(s);
        }
        spacing *= 0.75f;
        if (round >= 3) region = -1;
    }
    return -1;
}

int Planner::PlacePort(int kind, int level, float spacing, int region) {
    for (int round = 0; round < 8; ++round) {
        const int r = region >= 0 ? region : PickRegion(K_PORT);
        const auto& pool = m_coast[size_t(r)];
        if (pool.empty()) { region = -1; continue; }
        float best = -1e30f;
        int bx = -1, by = -1;
        for (int k = 0; k < 300; ++k) {
            const auto& q = pool[size_t(m_rng.Next() % pool.size())];
            if (!PixelOk(q.first, q.second, true, false) || !Fits(q.first, q.second, spacing)) continue;
            const int c = Terrain::C(q.first / kCell, q.second / kCell);
            // Sheltered water (a bay) and a river mouth make good harbours.
            float shelter = 0;
            for (int a = 0; a < 8; ++a) {
                static const int dx[8] = {1, 1, 0, -1, -1, -1, 0, 1}, dy[8] = {0, 1, 1, 1, 0, -1, -1, -1};
                const int x = q.first + dx[a] * 60, y = q.second + dy[a] * 60;
                if (x >= 0 && y >= 0 && x < kW && y < kH && m_t.water[Terrain::P(x, y)] == 0) shelter += 1;
            }
            const float s = Habit(c) + 0.08f * shelter + 0.3f * float(m_rng.Uniform());
            if (s > best) { best = s; bx = q.first; by = q.second; }
        }
        if (bx >= 0) {
            Site s;
            s.kind = kind; s.type = kPort; s.level = level; s.px = bx; s.py = by; s.spacing = spacing;
            return Add(s);
        }
        spacing *= 0.8f;
        if (round >= 2) region = -1;
    }
    return -1;
}

// Water names stand on open water: seas far from land, bays enclosed by it,
// straits between two shores, lakes at their middle.
int Planner::PlaceWater(int kind, int level) {
    auto rayLand = [&](int x, int y, int dx, int dy, int len) {
        for (int s = 8; s <= len; s += 4) {
            const int xx = x + dx * s, yy = y + dy * s;
            if (xx < 0 || yy < 0 || xx >= kW || yy >= kH) return 9999;
            if (m_t.water[Terrain::P(xx, yy)] == 0) return s;
        }
        return 9999;
    };
    static const int DX[8] = {1, 1, 0, -1, -1, -1, 0, 1}, DY[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    float spacing = kind == K_SEA ? 700.0f : (kind == K_BAY || kind == K_STRAIT ? 160.0f : 90.0f);
    for (int round = 0; round < 6; ++round) {
        float best = -1e30f;
        int bx = -1, by = -1;
        for (int k = 0; k < 1500; ++k) {
            const int x = m_rng.Int(70, 3200), y = m_rng.Int(205, 3676);
            const size_t p = Terrain::P(x, y);
            const bool lake = m_t.water[p] == 2;
            if (m_t.water[p] == 0 || (kind == K_LAKE) != lake) continue;
            if (!PixelOk(x, y, false, true) || !Fits(x, y, spacing, -1, true)) continue;
            const float dl = m_t.distLand[p];
            float s = 0;
            int hits = 0, near = 0;
            for (int a = 0; a < 8; ++a) {
                const int d = rayLand(x, y, DX[a], DY[a], 220);
                if (d < 220) ++hits;
                if (d < 70) ++near;
            }
            switch (kind) {
                case K_SEA: s = dl; break;
                case K_BAY: if (hits < 5 || dl < 18 || dl > 90) continue; s = hits + dl / 60; break;
                case K_STRAIT: {
                    bool across = false;
                    for (int a = 0; a < 4; ++a)
                        if (rayLand(x, y, DX[a], DY[a], 90) < 90 && rayLand(x, y, DX[a + 4], DY[a + 4], 90) < 90) across = true;
                    if (!across || dl < 12) continue;
                    s = 1 + hits * 0.1f;
                    break;
                }
                case K_COVE: if (near < 5 || dl < 5 || dl > 30) continue; s = near; break;
                case K_LAKE: s = dl; break;
                default: break;
            }
            s += 0.5f * float(m_rng.Uniform());
            if (s > best) { best = s; bx = x; by = y; }
        }
        if (bx >= 0) {
            Site st;
            st.kind = kind; st.type = kWater; st.level = level; st.px = bx; st.py = by; st.spacing = spacing;
            st.water = true;
            return Add(st);
        }
        spacing *= 0.7f;
    }
    return -1;
}

int Planner::PlaceFeature(int kind, int type, int level) {
    const Terrain& t = m_t;
    auto any = [](int) { return true; };
    const float sp = level <= 3 ? 45.0f : 28.0f;
    switch (kind) {
        case K_FOREST:
            return Place(kind, type, level, level <= 3 ? 160.0f : 60.0f, -1,
                         [&](int c) { return t.forest[size_t(c)] > 0.75f; },
                         [&](int c) { return t.forest[size_t(c)]; });
        case K_PEAK:
            return Place(kind, type, level, level <= 3 ? 120.0f : 50.0f, -1,
                         [&](int c) { return t.mount[size_t(c)] > 0.55f; },
                         [&](int c) { return t.elev[size_t(c)]; });
        case K_MARSH:
            return Place(kind, type, level, 90.0f, -1,
                         [&](int c) { return t.moist[size_t(c)] > 0.6f && t.elev[size_t(c)] < 0.07f && m_riverNear[size_t(c)]; },
                         [&](int c) { return t.moist[size_t(c)]; });
        case K_HILLS:
            return Place(kind, type, level, 120.0f, -1,
                         [&](int c) { return t.mount[size_t(c)] < 0.2f && t.elev[size_t(c)] > 0.12f; },
                         [&](int c) { return t.elev[size_t(c)]; });
        case K_DESERT:
            return Place(kind, type, level, 350.0f, -1,
                         [&](int c) { return t.temp[size_t(c)] > 0.72f && t.moist[size_t(c)] < 0.2f && t.mount[size_t(c)] < 0.1f; },
                         [&](int c) { return t.seaDistCells[size_t(c)] / 50.0f; });
        case K_GLACIER:
            return Place(kind, type, level, 200.0f, -1, [&](int c) { return t.temp[size_t(c)] < 0.02f; },
                         [&](int c) { return -t.temp[size_t(c)]; });
        case K_FALLS:
            return Place(kind, type, level, 60.0f, -1,
                         [&](int c) { return m_riverNear[size_t(c)] && t.mount[size_t(c)] > 0.15f; },
                         [&](int c) { return t.mount[size_t(c)]; });
        case K_STONES:
            return Place(kind, type, level, sp, -1, any, [&](int c) { return t.elev[size_t(c)]; });
        case K_ISLE: {
            // The middle of an island that has no name yet.
            for (int k = 0; k < 3000; ++k) {
                const int c = m_landCells[size_t(m_rng.Next() % m_landCells.size())];
                const int px = (c % kLW) * kCell + 2, py = (c / kLW) * kCell + 2;
                if (m_islandOf.empty()) break;
                const int isl = m_islandOf[size_t(c)];
                if (isl < 0 || m_islandNamed[size_t(isl)]) continue;
                const int cx = m_islandCx[size_t(isl)], cy = m_islandCy[size_t(isl)];
                int bx = -1, by = -1;
                for (int r = 0; r < 40 && bx < 0; ++r)
                    for (int dy = -r; dy <= r && bx < 0; ++dy)
                        for (int dx = -r; dx <= r; ++dx)
                            if (PixelOk(cx + dx, cy + dy, false, false) && Fits(cx + dx, cy + dy, 24.0f)) {
                                bx = cx + dx; by = cy + dy; break;
                            }
                (void)px; (void)py;
                if (bx < 0) { m_islandNamed[size_t(isl)] = 1; continue; }
                m_islandNamed[size_t(isl)] = 1;
                Site s;
                s.kind = kind; s.type = type; s.level = level; s.px = bx; s.py = by; s.spacing = 24;
                return Add(s);
            }
            return Place(K_HILLS, type, level, sp, -1, any, [&](int c) { return t.elev[size_t(c)]; });
        }
        default:
            return Place(kind, type, level, sp, -1, any, [](int) { return 0.0f; });
    }
}

void Planner::PlaceDistricts() {
    // Parents: capitals first, then the great cities and ports.
    std::vector<int> parents;
    for (int lv = 0; lv <= 2; ++lv)
        for (size_t k = 0; k < m_sites.size(); ++k) {
            const Site& s = m_sites[k];
            if (s.level == lv && (s.kind == K_CAPITAL || s.kind == K_CITY || (s.kind == K_PORT && lv <= 2)))
                parents.push_back(int(k));
        }
    std::vector<int> passes;  // which parents get a district in each pass
    for (int p : parents) passes.push_back(p);                     // everyone once
    for (int p : parents) if (m_sites[size_t(p)].level <= 1) passes.push_back(p);  // great ones twice
    for (int p : parents) if (m_sites[size_t(p)].kind == K_CAPITAL) passes.push_back(p);  // capitals thrice
    const int want = 54;
    int made = 0;
    for (size_t k = 0; k < passes.size() && made < want; ++k) {
        const int par = passes[k];
        const Site& ps = m_sites[size_t(par)];
        bool placed = false;
        for (int tries = 0; tries < 400 && !placed; ++tries) {
            const float ang = float(m_rng.Uniform(0, 6.2831853));
            // Direction from a fixed table through the angle's sector: no library trigonometry.
            static const float kC[16] = {1.f, 0.92388f, 0.70711f, 0.38268f, 0.f, -0.38268f, -0.70711f, -0.92388f,
                                         -1.f, -0.92388f, -0.70711f, -0.38268f, 0.f, 0.38268f, 0.70711f, 0.92388f};
            const int sector = int(ang / 6.2831853f * 16) & 15;
            const float dist = float(m_rng.Uniform(10, 26 + tries / 20));
            const int px = ps.px + int(kC[sector] * dist), py = ps.py + int(kC[(sector + 12) & 15] * dist);
            if (!PixelOk(px, py, true, false) || !Fits(px, py, 12.0f, -1, false, true)) continue;
            Site d;
            d.kind = K_DISTRICT; d.type = kCity; d.level = made < 40 ? 4 : 5;
            d.px = px; d.py = py; d.parent = par; d.spacing = 14;
            d.region = ps.region;
            // A ward on the water is the harbour; otherwise the quarter's use decides.
            bool coastal = false;
            for (int dy = -4; dy <= 4 && !coastal; ++dy)
                for (int dx = -4; dx <= 4; ++dx)
                    if (m_t.water[Terrain::P(px + dx, py + dy)] == 1) { coastal = true; break; }
            d.type = coastal ? kPort : kCity;
            Add(d);
            placed = true;
            ++made;
        }
    }
    if (made != want) {
        std::fprintf(stderr, "zerim-worldgen: only %d of %d city districts found room\n", made, want);
        std::exit(1);
    }
}

void Planner::BuildRoads(std::vector<Road>& roads) {
    m_rp.reset(new RoadPlanner(m_t));
    RoadPlanner& rp = *m_rp;
    std::vector<int> nodes;
    for (size_t k = 0; k < m_sites.size(); ++k) {
        const Site& s = m_sites[k];
        if (s.kind == K_CAPITAL || s.kind == K_CITY || s.kind == K_TOWN || (s.kind == K_PORT && s.level <= 3) ||
            (s.kind == K_FORT && s.level <= 2))
            nodes.push_back(int(k));
    }
    auto mass = [&](const Site& s) { return m_landmass[size_t(Terrain::C(s.px / kCell, s.py / kCell))]; };
    std::set<std::pair<int, int>> edges;
    for (int a : nodes) {
        const Site& sa = m_sites[size_t(a)];
        std::vector<std::pair<float, int>> near;
        for (int b : nodes) {
            if (a == b) continue;
            const Site& sb = m_sites[size_t(b)];
            if (mass(sa) != mass(sb)) continue;
            const float dx = float(sa.px - sb.px), dy = float(sa.py - sb.py);
            near.push_back({dx * dx + dy * dy, b});
        }
        std::sort(near.begin(), near.end());
        const int k = sa.level <= 2 ? 3 : 2;
        for (size_t i = 0; i < near.size() && int(i) < k; ++i) {
            if (near[i].first > 480.0f * 480.0f && i > 0) break;
            edges.insert({std::min(a, near[i].second), std::max(a, near[i].second)});
        }
    }
    std::vector<std::pair<float, std::pair<int, int>>> order;
    for (const auto& e : edges) {
        const Site& sa = m_sites[size_t(e.first)];
        const Site& sb = m_sites[size_t(e.second)];
        const float dx = float(sa.px - sb.px), dy = float(sa.py - sb.py);
        const float imp = float(std::max(sa.level, sb.level));
        order.push_back({imp * 10000 + std::sqrt(dx * dx + dy * dy), e});
    }
    std::sort(order.begin(), order.end());
    for (const auto& o : order) {
        const Site& sa = m_sites[size_t(o.second.first)];
        const Site& sb = m_sites[size_t(o.second.second)];
        const int rank = std::max(sa.level, sb.level) <= 2 ? 0 : 1;
        rp.Route(sa.px, sa.py, sb.px, sb.py, rank, roads);
    }
    // Pass candidates: the highest point of each mountain crossing.
    for (const auto& path : rp.Paths()) {
        int best = -1;
        for (size_t k = 0; k <= path.size(); ++k) {
            const bool in = k < path.size() && m_t.mount[size_t(path[k])] > 0.3f;
            if (in) {
                if (best < 0 || m_t.elev[size_t(path[k])] > m_t.elev[size_t(best)]) best = path[k];
            } else if (best >= 0) {
                m_passCandidates.push_back(best);
                best = -1;
            }
        }
    }
}

void Planner::SpurVillages(std::vector<Road>& roads) {
    for (const Site& s : m_sites) {
        if (!(s.kind == K_VILLAGE || (s.kind == K_PORT && s.level >= 4) || s.kind == K_MINE)) continue;
        m_rp->Spur(s.px, s.py, 26, roads);
    }
}

void Planner::PlacePasses(int count, int level, const std::vector<int>& candidates) {
    int made = 0;
    for (int c : candidates) {
        if (made >= count) break;
        const int px = (c % kLW) * kCell + 2, py = (c / kLW) * kCell + 2;
        if (!PixelOk(px, py, false, false) || !Fits(px, py, 60.0f)) continue;
        Site s;
        s.kind = K_PASS; s.type = kPass; s.level = level; s.px = px; s.py = py; s.spacing = 40;
        Add(s);
        ++made;
    }
    // Saddles of the ranges where no road crosses.
    const Terrain& t = m_t;
    auto saddle = [&](int c) {
        const int i = c % kLW, j = c / kLW, r = 7;
        if (i < r || j < r || i + r >= kLW || j + r >= kLH || t.mount[size_t(c)] < 0.4f) return false;
        const float e = t.elev[size_t(c)];
        const float ex1 = t.elev[size_t(c - r)], ex2 = t.elev[size_t(c + r)];
        const float ey1 = t.elev[size_t(c - r * kLW)], ey2 = t.elev[size_t(c + r * kLW)];
        return (ex1 > e && ex2 > e && ey1 < e && ey2 < e) || (ey1 > e && ey2 > e && ex1 < e && ex2 < e);
    };
    for (; made < count; ++made) {
        int k = Place(K_PASS, kPass, level, 60.0f, -1, saddle, [&](int c) { return t.mount[size_t(c)]; }, 3000);
        if (k < 0)
            k = Place(K_PASS, kPass, level, 40.0f, -1, [&](int c) { return t.mount[size_t(c)] > 0.45f; },
                      [&](int c) { return t.mount[size_t(c)]; }, 2000);
        if (k < 0) { std::fprintf(stderr, "zerim-worldgen: no room for a mountain pass\n"); std::exit(1); }
    }
}

void Planner::NameAll() {
    using P = std::vector<const char*>;
    static const P kSea = {"Sea of %s", "%s Sea", "The %s Deep", "%s Ocean"};
    static const P kBay = {"%s Bay", "Bay of %s", "Gulf of %s", "%s Sound", "%s Firth"};
    static const P kStrait = {"%s Strait", "Straits of %s", "%s Narrows", "%s Channel"};
    static const P kLake = {"Lake %s", "%s Mere", "%s Water", "Lake %s"};
    static const P kTarn = {"%s Tarn", "%s Pool", "%s Mere"};
    static const P kCove = {"%s Cove", "%s Inlet", "%s Lagoon", "%s Creek"};
    static const P kRange = {"%s Mountains", "The %s Range", "%s Peaks", "The %s Spine", "%s Heights"};
    static const P kForest = {"%s Forest", "The %s Woods", "%s Wood", "%s Weald"};
    static const P kWood = {"%s Wood", "%s Copse", "%s Grove", "%s Thicket"};
    static const P kPeak = {"Mount %s", "%s Peak", "%s Horn", "%s Spire", "%s Crag"};
    static const P kMarsh = {"%s Marsh", "%s Fen", "%s Mire", "%s Bog"};
    static const P kIsle = {"%s Isle", "Isle of %s", "%s Island", "%s Skerry"};
    static const P kHills = {"%s Hills", "%s Downs", "%s Heights", "%s Tor"};
    static const P kDesert = {"%s Sands", "%s Dunes", "The %s Waste", "%s Barrens"};
    static const P kGlacier = {"%s Glacier", "%s Icefield"};
    static const P kFalls = {"%s Falls", "%s Cascade"};
    static const P kStones = {"%s Stones", "%s Menhir", "%s Standing Stone", "%s Monolith"};
    static const P kDistrict = {"Old Town", "Harbour Ward", "Temple Hill", "Lower Market", "Upper Market",
                                "Castle Quarter", "North Gate", "South Gate", "East Gate", "West Gate",
                                "Weavers Row", "Salt Quay", "Lantern Street", "Bell Square", "Guild Ward",
                                "Tannery Lane", "Palace Ward", "Fishmarket", "Scholars Quarter", "Bridge End",
                                "Copper Row", "Mint Street", "Garden Ward", "Ropewalk", "Smiths Ward",
                                "Spice Market", "High Street", "Canal Ward", "Chapel Row", "Rookery"};
    Rng& r = m_names.rng();
    for (Site& s : m_sites) {
        if (s.kind == K_DISTRICT) continue;
        const char* pat = nullptr;
        switch (s.kind) {
            case K_REGION: pat = m_t.regions[size_t(s.region)].pattern; break;
            case K_SEA: pat = r.Pick(kSea); break;
            case K_BAY: pat = r.Pick(kBay); break;
            case K_STRAIT: pat = r.Pick(kStrait); break;
            case K_LAKE: pat = s.level <= 3 ? r.Pick(kLake) : r.Pick(kTarn); break;
            case K_COVE: pat = r.Pick(kCove); break;
            case K_RANGE: pat = r.Pick(kRange); break;
            case K_FOREST: pat = s.level <= 3 ? r.Pick(kForest) : r.Pick(kWood); break;
            case K_PEAK: pat = r.Pick(kPeak); break;
            case K_MARSH: pat = r.Pick(kMarsh); break;
            case K_ISLE: pat = r.Pick(kIsle); break;
            case K_HILLS: pat = r.Pick(kHills); break;
            case K_DESERT: pat = r.Pick(kDesert); break;
            case K_GLACIER: pat = r.Pick(kGlacier); break;
            case K_FALLS: pat = r.Pick(kFalls); break;
            case K_STONES: pat = r.Pick(kStones); break;
            default: break;
        }
        s.name = m_names.Name(s.culture, s.type, s.level, pat, &s.root);
    }
    // Districts: "City, Ward"; a harbour ward only where the water is.
    for (Site& s : m_sites) {
        if (s.kind != K_DISTRICT) continue;
        const std::string city = m_sites[size_t(s.parent)].name;
        for (int tries = 0; tries < 500; ++tries) {
            std::string ward = r.Pick(kDistrict);
            const bool harbour = ward == "Harbour Ward" || ward == "Salt Quay" || ward == "Fishmarket";
            if (harbour != (s.type == kPort) && tries < 400) continue;
            const std::string name = city + ", " + ward;
            if (name.size() > 39 || m_names.Taken(name)) continue;
            m_names.Take(name);
            s.name = name;
            if (ward == "Temple Hill" || ward == "Chapel Row") s.type = kTemple;
            if (ward == "Castle Quarter" || ward == "Palace Ward") s.type = kFortress;
            break;
        }
    }
}

// Twenty names occur more than once, as village names do: 14 twice, 4 three
// times and 2 four times, always within one culture, never at one spot.
void Planner::MakeDuplicates() {
    const int groups[kDupNames] = {4, 4, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
    std::vector<std::vector<int>> byCulture(kCultureCount);
    for (size_t k = 0; k < m_sites.size(); ++k) {
        const Site& s = m_sites[k];
        if (s.kind == K_VILLAGE && !s.anchor && s.level >= 3)
            byCulture[size_t(s.culture)].push_back(int(k));
    }
    for (auto& v : byCulture) m_rng.Shuffle(v);
    int culture = 0;
    for (int g = 0; g < kDupNames; ++g) {
        for (int tries = 0; tries < kCultureCount; ++tries) {
            culture = (culture + 1) % kCultureCount;
            if (int(byCulture[size_t(culture)].size()) >= groups[g] + 2) break;
        }
        auto& pool = byCulture[size_t(culture)];
        if (int(pool.size()) < groups[g]) { std::fprintf(stderr, "zerim-worldgen: too few villages\n"); std::exit(1); }
        const std::string name = m_sites[size_t(pool.back())].name;
        m_sites[size_t(pool.back())].anchor = true;  // keeps FixBytes off it
        pool.pop_back();
        for (int i = 1; i < groups[g]; ++i) {
            Site& s = m_sites[size_t(pool.back())];
            pool.pop_back();
            m_names.Release(s.name);
            s.name = name;
            s.anchor = true;
        }
    }
}

// Makes the binary table exactly as long as the original table (26,648 bytes):
// towns, villages and small sites take fuller forms of their names
// ("Kelwick" becomes "Kelwick Old Bridge") until the bytes add up.
void Planner::FixBytes() {
    using P = std::vector<const char*>;
    static const P kVillageForms = {"%s", "%s End", "%s Mill", "%s Farm", "%s Cross", "%s Green", "%s Wells",
                                    "%s Hollow", "%s Bridge", "%s Meadows", "%s Orchard", "%s Steading",
                                    "%s Crossing", "%s Old Mill", "%s Crossroads", "%s Old Bridge",
                                    "%s Market Cross", "%s on the Water", "%s under the Hill"};
    static const P kTownForms = {"%s", "%s Gate", "%s Ford", "%s Market", "%s Bridge", "%s Crossing",
                                 "%s Market Square", "%s upon the River"};
    static const P kPortForms = {"%s", "%s Quay", "%s Haven", "%s Wharf", "%s Harbour", "%s Landing",
                                 "%s Anchorage", "%s Fishing Harbour"};
    static const P kMineForms = {"%s Mine", "%s Pits", "%s Mines", "%s Quarry", "%s Iron Mine",
                                 "%s Copper Mine", "%s Silver Mine", "%s Salt Workings"};
    static const P kRuinForms = {"Old %s", "%s Ruins", "Ruins of %s", "Tomb of %s", "Ruins of Old %s",
                                 "Broken Towers of %s"};
    static const P kCaveForms = {"%s Den", "%s Cave", "%s Lair", "%s Deeps", "%s Grotto", "Caves of %s",
                                 "%s Caverns", "Cave of the %s Bats"};
    auto total = [&]() {
        long n = 2;
        for (const Site& s : m_sites) n += 14 + long(s.name.size());
        return n;
    };
    std::vector<int> pool;
    for (size_t k = 0; k < m_sites.size(); ++k) {
        const Site& s = m_sites[k];
        if ((s.kind == K_VILLAGE || s.kind == K_TOWN || (s.kind == K_PORT && s.level >= 3) || s.kind == K_RUIN ||
             s.kind == K_CAVE || s.kind == K_MINE) && !s.anchor && !s.root.empty())
            pool.push_back(int(k));
    }
    m_rng.Shuffle(pool);
    long diff = long(kTableBytes) - total();
    for (int round = 0; round < 6 && diff != 0; ++round) {
        for (int k : pool) {
            if (diff == 0) break;
            Site& s = m_sites[size_t(k)];
            const P& forms = s.kind == K_VILLAGE ? kVillageForms : s.kind == K_TOWN ? kTownForms
                           : s.kind == K_PORT ? kPortForms : s.kind == K_MINE ? kMineForms
                           : s.kind == K_RUIN ? kRuinForms : kCaveForms;
            // A random form that moves the length towards the target by at most
            // a few bytes, so no single long form takes over the map.
            std::vector<std::pair<std::string, long>> fits;
            for (const char* f : forms) {
                std::string name;
                for (const char* p = f; *p; ++p) {
                    if (p[0] == '%' && p[1] == 's') { name += s.root; ++p; } else { name += *p; }
                }
                const long step = long(name.size()) - long(s.name.size());
                if (name.size() > 39 || m_names.Taken(name)) continue;
                const long cap = round < 2 ? 9 : 40;
                if ((diff > 0 && step > 0 && step <= diff && step <= cap) || (diff < 0 && step < 0 && step >= diff))
                    fits.push_back({name, step});
            }
            std::string bestName;
            long bestStep = 0;
            if (!fits.empty()) {
                const auto& f = fits[size_t(m_rng.Next() % fits.size())];
                bestName = f.first;
                bestStep = f.second;
            }
            if (bestName.empty()) continue;
            m_names.Release(s.name);
            m_names.Take(bestName);
            s.name = bestName;
            diff -= bestStep;
        }
    }
}

void Planner::ToRecords(std::vector<PlaceRec>& out) {
    const Anchors& a = m_t.anchors;
    std::vector<size_t> order(m_sites.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = k;
    m_rng.Shuffle(order);
    for (size_t k : order) {
        const Site& s = m_sites[k];
        PlaceRec r;
        r.name = s.name;
        r.type = s.type;
        r.level = s.level;
        // Any world point that the viewer maps onto the chosen pixel.
        for (int tries = 0; tries < 50; ++tries) {
            r.x = -125000 + int((long long)s.px * 300000 / 3300) + m_rng.Int(-40, 40);
            if (WorldToPixelX(r.x) == s.px) break;
        }
        for (int tries = 0; tries < 50; ++tries) {
            r.y = 220000 - int((long long)s.py * 350000 / 3800) + m_rng.Int(-40, 40);
            if (WorldToPixelY(r.y) == s.py) break;
        }
        if (s.px == a.westX && s.py == a.westY && s.kind == K_FORT) r.x = kMinX;
        if (s.px == a.eastX && s.py == a.eastY && s.kind == K_TEMPLE) r.x = kMaxX;
        if (s.px == a.northX && s.py == a.northY && s.kind == K_CAVE) r.y = kMaxY;
        if (s.px == a.southX && s.py == a.southY && s.kind == K_RUIN) r.y = kMinY;
        out.push_back(r);
    }
}

std::vector<PlaceRec> Planner::Run(std::vector<Road>& roads) {
    for (int l = 0; l < 6; ++l) m_levelLeft[l] = kLevelCounts[l];
    const Terrain& t = m_t;
    auto any = [](int) { return true; };
    auto habit = [this](int c) { return Habit(c); };
    auto rnd = [](int) { return 0.0f; };
    auto fail = [](const char* what) {
        std::fprintf(stderr, "zerim-worldgen: could not place %s\n", what);
        std::exit(1);
    };
    auto must = [&](int k, const char* what) { if (k < 0) fail(what); };

    // The four places at the extreme coordinates.
    {
        const Anchors& a = t.anchors;
        const int kinds[4] = {K_FORT, K_TEMPLE, K_CAVE, K_RUIN};
        const int types[4] = {kFortress, kTemple, kCave, kRuin};
        const int xs[4] = {a.westX, a.eastX, a.northX, a.southX}, ys[4] = {a.westY, a.eastY, a.northY, a.southY};
        for (int k = 0; k < 4; ++k) {
            Site s;
            s.kind = kinds[k]; s.type = types[k]; s.level = 5; s.px = xs[k]; s.py = ys[k]; s.spacing = 30;
            s.anchor = true;
            Add(s);
        }
    }
    // Region names at the middle of each region's land.
    for (size_t r = 0; r < t.regions.size(); ++r) {
        const auto& cells = m_regionCells[r];
        double sx = 0, sy = 0;
        for (int c : cells) { sx += c % kLW; sy += c / kLW; }
        const int ci = int(sx / double(cells.size())), cj = int(sy / double(cells.size()));
        int best = -1;
        long bd = 1L << 60;
        for (int c : cells) {
            const long dx = c % kLW - ci, dy = c / kLW - cj;
            const long d = dx * dx + dy * dy;
            const int px = (c % kLW) * kCell + 2, py = (c / kLW) * kCell + 2;
            if (d < bd && PixelOk(px, py, false, false)) { bd = d; best = c; }
        }
        if (best < 0) fail("a region name");
        Site s;
        s.kind = K_REGION; s.type = kRegion; s.level = 0; s.region = int(r);
        s.px = (best % kLW) * kCell + 2; s.py = (best / kLW) * kCell + 2; s.spacing = 40;
        Add(s);
    }
    // Capitals near the heart of their regions, on good land.
    for (size_t r = 0; r < t.regions.size(); ++r) {
        if (!t.regions[r].hasCapital) continue;
        const Site& label = m_sites[m_sites.size() - t.regions.size() + r - 0];
        (void)label;
        int lx = 0, ly = 0;
        for (const Site& s : m_sites) if (s.kind == K_REGION && s.region == int(r)) { lx = s.px; ly = s.py; }
        const bool hills = std::string(t.regions[r].key) == "mountains";
        const int k = Place(K_CAPITAL, kCapital, 0, 200.0f, int(r), any, [&, lx, ly, hills](int c) {
            const float dx = float((c % kLW) * kCell - lx), dy = float((c / kLW) * kCell - ly);
            const float d = std::sqrt(dx * dx + dy * dy);
            const float h = hills ? 0.5f * t.mount[size_t(c)] + (m_riverNear[size_t(c)] ? 0.3f : 0.0f) : Habit(c);
            return h - d / 600;
        }, 1500);
        must(k, "a capital");
        m_sites[size_t(k)].region = int(r);
        m_sites[size_t(k)].culture = t.regions[r].culture;
    }
    // Level 1: five great cities and three great ports.
    for (int i = 0; i < 5; ++i) must(Place(K_CITY, kCity, 1, 170.0f, PickRegion(K_CITY), any, habit), "a city");
    for (int i = 0; i < 3; ++i) must(PlacePort(K_PORT, 1, 170.0f, PickRegion(K_PORT)), "a port");
    // Level 2.
    for (int i = 0; i < 8; ++i) must(Place(K_CITY, kCity, 2, 120.0f, PickRegion(K_CITY), any, habit), "a city");
    for (int i = 0; i < 4; ++i) must(PlacePort(K_PORT, 2, 120.0f, PickRegion(K_PORT)), "a port");
    auto border = [&](int c) {
        const int i = c % kLW, j = c / kLW, r = 14;
        const int me = t.region[size_t(c)];
        int other = 0;
        const int nb[4][2] = {{i - r, j}, {i + r, j}, {i, j - r}, {i, j + r}};
        for (const auto& n : nb)
            if (n[0] >= 0 && n[1] >= 0 && n[0] < kLW && n[1] < kLH) {
                const int rr = t.region[size_t(Terrain::C(n[0], n[1]))];
                if (rr >= 0 && rr != me) ++other;
            }
        return float(other) + 0.6f * t.mount[size_t(c)] + (t.seaDistCells[size_t(c)] < 3 ? 0.5f : 0.0f);
    };
    for (int i = 0; i < 3; ++i) must(Place(K_FORT, kFortress, 2, 120.0f, -1, any, border), "a fortress");
    for (int i = 0; i < 2; ++i)
        must(Place(K_TEMPLE, kTemple, 2, 120.0f, -1, any, [&](int c) { return t.elev[size_t(c)]; }), "a temple");
    for (int i = 0; i < 5; ++i) must(PlaceWater(K_SEA, 2), "a sea");
    // The two greatest mountain ranges.
    std::vector<std::pair<float, int>> ranges;
    for (size_t i = 0; i < t.rangeX.size(); ++i) ranges.push_back({-t.rangeSize[i], int(i)});
    std::sort(ranges.begin(), ranges.end());
    int rangeLevel2 = 0, rangeLevel3 = 0;
    for (const auto& rg : ranges) {
        const int level = rangeLevel2 < 2 ? 2 : 3;
        if (level == 3 && rangeLevel3 >= 4) break;
        const int cx = int(t.rangeX[size_t(rg.second)]), cy = int(t.rangeY[size_t(rg.second)]);
        int bx = -1, by = -1;
        for (int rr = 0; rr < 60 && bx < 0; rr += 2)
            for (int dy = -rr; dy <= rr && bx < 0; dy += 2)
                for (int dx = -rr; dx <= rr; dx += 2)
                    if (PixelOk(cx + dx, cy + dy, false, false) && Fits(cx + dx, cy + dy, 40.0f)) { bx = cx + dx; by = cy + dy; break; }
        if (bx < 0) continue;
        Site s;
        s.kind = K_RANGE; s.type = kLandmark; s.level = level; s.px = bx; s.py = by; s.spacing = 40;
        Add(s);
        (level == 2 ? rangeLevel2 : rangeLevel3)++;
    }
    if (rangeLevel2 < 2) fail("a mountain range");
    // Level 3: the towns and everything a traveller looks for.
    for (int i = 0; i < 100; ++i) must(Place(K_TOWN, kTown, 3, 70.0f, PickRegion(K_TOWN), any, habit), "a town");
    for (int i = 0; i < 40; ++i) must(PlacePort(K_PORT, 3, 70.0f, PickRegion(K_PORT)), "a port");
    for (int i = 0; i < 22; ++i) must(Place(K_FORT, kFortress, 3, 60.0f, PickRegion(K_FORT), any, border), "a fortress");
    for (int i = 0; i < 14; ++i)
        must(Place(K_TEMPLE, kTemple, 3, 55.0f, PickRegion(K_TEMPLE), any, [&](int c) { return t.elev[size_t(c)]; }), "a temple");
    for (int i = 0; i < 16; ++i)
        must(Place(K_RUIN, kRuin, 3, 55.0f, PickRegion(K_RUIN), any, [&](int c) { return 0.3f - Habit(c); }), "a ruin");
    auto minePred = [&](int c) { return t.mount[size_t(c)] > 0.15f && t.mount[size_t(c)] < 0.8f; };
    for (int i = 0; i < 8; ++i)
        must(Place(K_MINE, kMine, 3, 55.0f, -1, minePred, [&](int c) { return t.mount[size_t(c)]; }), "a mine");
    auto cavePred = [&](int c) { return t.mount[size_t(c)] > 0.1f || t.forest[size_t(c)] > 0.5f || t.seaDistCells[size_t(c)] < 3; };
    for (int i = 0; i < 7; ++i) must(Place(K_CAVE, kCave, 3, 55.0f, -1, cavePred, rnd), "a cave");
    for (int i = 0; i < 10; ++i) must(Place(K_VILLAGE, kVillage, 3, 50.0f, PickRegion(K_VILLAGE), any, habit), "a village");
    for (int i = 0; i < 8; ++i) must(PlaceWater(K_LAKE, 3), "a lake");
    for (int i = 0; i < 8; ++i) must(PlaceWater(K_BAY, 3), "a bay");
    for (int i = 0; i < 4; ++i) must(PlaceWater(K_STRAIT, 3), "a strait");
    {
        const int extraRanges = rangeLevel3;
        std::vector<int> kinds;
        for (int i = 0; i < 8; ++i) kinds.push_back(K_FOREST);
        for (int i = 0; i < 5; ++i) kinds.push_back(K_ISLE);
        for (int i = 0; i < 4; ++i) kinds.push_back(K_PEAK);
        for (int i = 0; i < 3; ++i) kinds.push_back(K_MARSH);
        for (int i = 0; i < 2; ++i) kinds.push_back(K_DESERT);
        for (int i = 0; i < 2; ++i) kinds.push_back(K_HILLS);
        for (int i = 0; i < 2; ++i) kinds.push_back(K_GLACIER);
        while (int(kinds.size()) + extraRanges < 30) kinds.push_back(K_PEAK);
        while (int(kinds.size()) + extraRanges > 30) kinds.pop_back();
        for (int kd : kinds) {
            int k = PlaceFeature(kd, kLandmark, 3);
            if (k < 0) k = PlaceFeature(K_HILLS, kLandmark, 3);
            if (k < 0) k = PlaceFeature(K_STONES, kLandmark, 3);
            must(k, "a landmark");
        }
    }
    // Roads between the settlements placed so far; passes where they cross ranges.
    BuildRoads(roads);
    PlacePasses(14, 3, m_passCandidates);
    {
        std::vector<int> rest(m_passCandidates);
        PlacePasses(8, 5, rest);
    }
    // Level 4 and 5: districts, villages and the small sites of the wilds.
    PlaceDistricts();
    for (int i = 0; i < 15; ++i) must(Place(K_VILLAGE, kVillage, 4, 40.0f, PickRegion(K_VILLAGE), any, habit), "a village");
    for (int i = 0; i < 6; ++i) must(Place(K_FORT, kFortress, 4, 40.0f, PickRegion(K_FORT), any, border), "a tower");
    for (int i = 0; i < 4; ++i) must(Place(K_TEMPLE, kTemple, 4, 40.0f, PickRegion(K_TEMPLE), any, rnd), "a temple");
    for (int i = 0; i < 4; ++i) must(Place(K_MINE, kMine, 4, 40.0f, -1, minePred, rnd), "a mine");
    for (int i = 0; i < 3; ++i) must(Place(K_CAVE, kCave, 4, 40.0f, -1, cavePred, rnd), "a cave");
    {
        const int kinds[5] = {K_PEAK, K_PEAK, K_PEAK, K_FOREST, K_FOREST};
        for (int kd : kinds) {
            int k = PlaceFeature(kd, kLandmark, 4);
            if (k < 0) k = PlaceFeature(K_STONES, kLandmark, 4);
            must(k, "a landmark");
        }
    }
    for (int i = 0; i < 210; ++i) must(Place(K_VILLAGE, kVillage, 5, 30.0f, PickRegion(K_VILLAGE), any, habit), "a village");
    for (int i = 0; i < 25; ++i) must(PlacePort(K_PORT, 5, 34.0f, PickRegion(K_PORT)), "a fishing port");
    for (int i = 0; i < 17; ++i) must(Place(K_FORT, kFortress, 5, 30.0f, PickRegion(K_FORT), any, border), "a tower");
    for (int i = 0; i < 27; ++i) must(Place(K_TEMPLE, kTemple, 5, 30.0f, PickRegion(K_TEMPLE), any, rnd), "a shrine");
    for (int i = 0; i < 39; ++i)
        must(Place(K_RUIN, kRuin, 5, 30.0f, PickRegion(K_RUIN), any, [&](int c) { return 0.3f - Habit(c); }), "a ruin");
    for (int i = 0; i < 25; ++i) must(Place(K_MINE, kMine, 5, 30.0f, -1, minePred, rnd), "a mine");
    for (int i = 0; i < 31; ++i) must(Place(K_CAVE, kCave, 5, 30.0f, -1, cavePred, rnd), "a cave");
    for (int i = 0; i < 6; ++i) must(PlaceWater(K_COVE, 5), "a cove");
    for (int i = 0; i < 5; ++i) {
        int k = PlaceWater(K_LAKE, 5);
        if (k < 0) k = PlaceWater(K_COVE, 5);
        must(k, "a tarn");
    }
    for (int i = 0; i < 3; ++i) must(PlaceWater(K_BAY, 5), "a small bay");
    {
        std::vector<int> kinds;
        for (int i = 0; i < 8; ++i) kinds.push_back(K_PEAK);
        for (int i = 0; i < 8; ++i) kinds.push_back(K_FOREST);
        for (int i = 0; i < 6; ++i) kinds.push_back(K_ISLE);
        for (int i = 0; i < 4; ++i) kinds.push_back(K_FALLS);
        for (int i = 0; i < 5; ++i) kinds.push_back(K_STONES);
        for (int i = 0; i < 3; ++i) kinds.push_back(K_HILLS);
        for (int i = 0; i < 2; ++i) kinds.push_back(K_MARSH);
        for (int kd : kinds) {
            int k = PlaceFeature(kd, kLandmark, 5);
            if (k < 0) k = PlaceFeature(K_STONES, kLandmark, 5);
            must(k, "a landmark");
        }
    }
    for (int l = 0; l < 6; ++l)
        if (m_levelLeft[l] != 0) {
            std::fprintf(stderr, "zerim-worldgen: plan for level %d is off by %d\n", l, m_levelLeft[l]);
            std::exit(1);
        }
    SpurVillages(roads);
    NameAll();
    MakeDuplicates();
    FixBytes();
    std::vector<PlaceRec> out;
    ToRecords(out);
    return out;
}

}  // namespace

int WorldToPixelX(int x) { return std::abs(MulDiv(3300, -125000 - x, 300000)); }
int WorldToPixelY(int y) { return std::abs(MulDiv(3800, 220000 - y, 350000)); }

std::vector<PlaceRec> PlanPlaces(const Rng& rng, const Terrain& t, std::vector<Road>& roads) {
    Planner p(rng, t);
    return p.Run(roads);
}

void CheckPlaces(const std::vector<PlaceRec>& places, const Terrain& t) {
    std::vector<std::string> errors;
    auto err = [&](const std::string& e) { if (errors.size() < 30) errors.push_back(e); };
    if (places.size() != size_t(kTotal)) err("record count " + std::to_string(places.size()));
    int levels[6] = {0, 0, 0, 0, 0, 0};
    std::map<int, int> types;
    std::map<std::string, std::vector<size_t>> byName;
    int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
    size_t bytes = 2;
    for (size_t i = 0; i < places.size(); ++i) {
        const PlaceRec& p = places[i];
        if (p.level < 0 || p.level > 5) err("level out of range: " + p.name); else ++levels[p.level];
        ++types[p.type];
        byName[p.name].push_back(i);
        bytes += 14 + p.name.size();
        minX = std::min(minX, p.x); maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y); maxY = std::max(maxY, p.y);
        if (p.name.size() < 3 || p.name.size() > 39) err("name length: " + p.name);
        for (char c : p.name) if (c < 0x20 || c > 0x7e) err("unprintable name: " + p.name);
        if (!p.name.empty() && (p.name.front() == ' ' || p.name.back() == ' ')) err("blank at the end: " + p.name);
        // Where it stands.
        const int px = WorldToPixelX(p.x), py = WorldToPixelY(p.y);
        if (px < 0 || py < 0 || px >= kW || py >= kH) { err("off the map: " + p.name); continue; }
        const size_t q = Terrain::P(px, py);
        if (p.type == kWater) {
            if (t.water[q] == 0) err("water name on land: " + p.name);
        } else {
            if (t.water[q] != 0) err("on the water: " + p.name);
        }
        if (p.type == kPort && p.name.find(',') == std::string::npos) {
            bool sea = false;
            for (int dy = -4; dy <= 4 && !sea; ++dy)
                for (int dx = -4; dx <= 4; ++dx)
                    if (t.water[Terrain::P(std::max(0, std::min(kW - 1, px + dx)), std::max(0, std::min(kH - 1, py + dy)))] == 1) { sea = true; break; }
            if (!sea) err("port away from the sea: " + p.name);
        }
        if (p.type == kPass && t.Sample(t.mount, px + 0.5f, py + 0.5f) < 0.25f) err("pass outside the mountains: " + p.name);
    }
    for (int l = 0; l < 6; ++l)
        if (levels[l] != kLevelCounts[l])
            err("level " + std::to_string(l) + " has " + std::to_string(levels[l]) + " records, not " + std::to_string(kLevelCounts[l]));
    std::set<int> want = {10, 11, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
    std::set<int> got;
    for (const auto& kv : types) got.insert(kv.first);
    if (got != want) err("type codes are not exactly 10, 11, 18..29");
    int dupNames = 0;
    for (const auto& kv : byName) {
        if (kv.second.size() == 1) continue;
        ++dupNames;
        if (kv.second.size() > 4) err("name used more than four times: " + kv.first);
        for (size_t a = 0; a < kv.second.size(); ++a)
            for (size_t b = a + 1; b < kv.second.size(); ++b) {
                const PlaceRec& pa = places[kv.second[a]];
                const PlaceRec& pb = places[kv.second[b]];
                if (pa.x == pb.x && pa.y == pb.y) err("same name at the same spot: " + kv.first);
            }
    }
    if (byName.size() != size_t(kDistinct)) err("distinct names: " + std::to_string(byName.size()));
    if (dupNames != kDupNames) err("names occurring more than once: " + std::to_string(dupNames));
    if (minX != kMinX || maxX != kMaxX) err("x range " + std::to_string(minX) + ".." + std::to_string(maxX));
    if (minY != kMinY || maxY != kMaxY) err("y range " + std::to_string(minY) + ".." + std::to_string(maxY));
    if (bytes != kTableBytes) err("binary table size " + std::to_string(bytes));
    std::printf("places: %zu records; levels %d/%d/%d/%d/%d/%d; %zu type codes; %zu distinct names, %d repeated;\n"
                "        x %d..%d, y %d..%d; binary table %zu bytes\n",
                places.size(), levels[0], levels[1], levels[2], levels[3], levels[4], levels[5], got.size(),
                byName.size(), dupNames, minX, maxX, minY, maxY, bytes);
    if (!errors.empty()) {
        for (const auto& e : errors) std::fprintf(stderr, "zerim-worldgen: place check failed: %s\n", e.c_str());
        std::exit(1);
    }
    std::printf("places: all checks passed\n");
}

}  // namespace worldmap
