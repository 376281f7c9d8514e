// Terrain: a designed layout of continents and mountain ranges, roughened by
// seeded noise; rain carried by westerly winds; rivers from a priority flood.
#include "Terrain.h"

#include "MapNoise.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <queue>

namespace worldmap {
namespace {

struct Chain {
    std::vector<float> x, y, r;  // polyline with a radius per vertex
    float strength = 1;
};

// Distance from (px, py) to a polyline, and the radius interpolated there.
void ChainDist(const Chain& c, float px, float py, float& bestF) {
    const size_t n = c.x.size();
    if (n == 1) {
        const float dx = px - c.x[0], dy = py - c.y[0];
        const float d = std::sqrt(dx * dx + dy * dy);
        bestF = std::max(bestF, 1.0f - d / c.r[0]);
        return;
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        const float ax = c.x[i], ay = c.y[i], bx = c.x[i + 1], by = c.y[i + 1];
        const float vx = bx - ax, vy = by - ay;
        float t = ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy);
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        const float dx = px - (ax + t * vx), dy = py - (ay + t * vy);
        const float d = std::sqrt(dx * dx + dy * dy);
        const float r = c.r[i] + t * (c.r[i + 1] - c.r[i]);
        bestF = std::max(bestF, 1.0f - d / r);
    }
}

Chain MakeChain(Rng& rng, std::initializer_list<float> xyr, float jitter, float strength = 1) {
    Chain c;
    c.strength = strength;
    const float* p = xyr.begin();
    for (size_t i = 0; i + 2 < xyr.size() + 0; i += 3) {
        c.x.push_back(p[i] + float(rng.Uniform(-jitter, jitter)));
        c.y.push_back(p[i + 1] + float(rng.Uniform(-jitter, jitter)));
        c.r.push_back(p[i + 2] * float(rng.Uniform(0.92, 1.08)));
    }
    return c;
}

// Separable Catmull-Rom upsampling of a coarse field to full resolution.
void Upsample(const std::vector<float>& src, std::vector<float>& dst) {
    std::vector<float> rows(size_t(kLH) * kW);
    std::vector<int> xi(kW);
    std::vector<float> xw(size_t(kW) * 4);
    for (int x = 0; x < kW; ++x) {
        const float u = (x + 0.5f) / kCell - 0.5f;
        const int i = int(std::floor(u));
        const float t = u - i;
        xi[x] = i;
        const float t2 = t * t, t3 = t2 * t;
        xw[x * 4 + 0] = -0.5f * t3 + t2 - 0.5f * t;
        xw[x * 4 + 1] = 1.5f * t3 - 2.5f * t2 + 1;
        xw[x * 4 + 2] = -1.5f * t3 + 2 * t2 + 0.5f * t;
        xw[x * 4 + 3] = 0.5f * t3 - 0.5f * t2;
    }
    auto cl = [](int v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); };
    for (int j = 0; j < kLH; ++j) {
        const float* s = &src[size_t(j) * kLW];
        float* d = &rows[size_t(j) * kW];
        for (int x = 0; x < kW; ++x) {
            const int i = xi[x];
            d[x] = xw[x * 4] * s[cl(i - 1, kLW)] + xw[x * 4 + 1] * s[cl(i, kLW)] +
                   xw[x * 4 + 2] * s[cl(i + 1, kLW)] + xw[x * 4 + 3] * s[cl(i + 2, kLW)];
        }
    }
    dst.assign(size_t(kW) * kH, 0);
    for (int y = 0; y < kH; ++y) {
        const float u = (y + 0.5f) / kCell - 0.5f;
        const int j = int(std::floor(u));
        const float t = u - j;
        const float t2 = t * t, t3 = t2 * t;
        const float w0 = -0.5f * t3 + t2 - 0.5f * t, w1 = 1.5f * t3 - 2.5f * t2 + 1,
                    w2 = -1.5f * t3 + 2 * t2 + 0.5f * t, w3 = 0.5f * t3 - 0.5f * t2;
        const float* r0 = &rows[size_t(cl(j - 1, kLH)) * kW];
        const float* r1 = &rows[size_t(cl(j, kLH)) * kW];
        const float* r2 = &rows[size_t(cl(j + 1, kLH)) * kW];
        const float* r3 = &rows[size_t(cl(j + 2, kLH)) * kW];
        float* d = &dst[size_t(y) * kW];
        for (int x = 0; x < kW; ++x) d[x] = w0 * r0[x] + w1 * r1[x] + w2 * r2[x] + w3 * r3[x];
    }
}

// Box blur, separable, radius r, repeated passes approximate a Gaussian.
void BlurCoarse(std::vector<float>& f, int r, int passes) {
    std::vector<float> tmp(f.size());
    for (int p = 0; p < passes; ++p) {
        for (int j = 0; j < kLH; ++j) {
            for (int i = 0; i < kLW; ++i) {
                float s = 0;
                int n = 0;
                for (int k = -r; k <= r; ++k) {
                    const int ii = i + k;
                    if (ii < 0 || ii >= kLW) continue;
                    s += f[Terrain::C(ii, j)];
                    ++n;
                }
                tmp[Terrain::C(i, j)] = s / n;
            }
        }
        for (int j = 0; j < kLH; ++j) {
            for (int i = 0; i < kLW; ++i) {
                float s = 0;
                int n = 0;
                for (int k = -r; k <= r; ++k) {
                    const int jj = j + k;
                    if (jj < 0 || jj >= kLH) continue;
                    s += tmp[Terrain::C(i, jj)];
                    ++n;
                }
                f[Terrain::C(i, j)] = s / n;
            }
        }
    }
}

// Two-pass chamfer distance (1, sqrt 2) to the nearest pixel where src is false.
void Chamfer(const std::vector<uint8_t>& inside, std::vector<float>& dist) {
    const float kBig = 1e9f, kD = 1.41421356f;
    dist.assign(inside.size(), 0);
    for (size_t i = 0; i < inside.size(); ++i) dist[i] = inside[i] ? kBig : 0;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            float& d = dist[Terrain::P(x, y)];
            if (d == 0) continue;
            if (x > 0) d = std::min(d, dist[Terrain::P(x - 1, y)] + 1);
            if (y > 0) {
                d = std::min(d, dist[Terrain::P(x, y - 1)] + 1);
                if (x > 0) d = std::min(d, dist[Terrain::P(x - 1, y - 1)] + kD);
                if (x + 1 < kW) d = std::min(d, dist[Terrain::P(x + 1, y - 1)] + kD);
            }
        }
    }
    for (int y = kH - 1; y >= 0; --y) {
        for (int x = kW - 1; x >= 0; --x) {
            float& d = dist[Terrain::P(x, y)];
            if (d == 0) continue;
            if (x + 1 < kW) d = std::min(d, dist[Terrain::P(x + 1, y)] + 1);
            if (y + 1 < kH) {
                d = std::min(d, dist[Terrain::P(x, y + 1)] + 1);
                if (x + 1 < kW) d = std::min(d, dist[Terrain::P(x + 1, y + 1)] + kD);
                if (x > 0) d = std::min(d, dist[Terrain::P(x - 1, y + 1)] + kD);
            }
        }
    }
}

// Labels 4-connected components of pixels where mask == value; returns sizes.
std::vector<int> Components(const std::vector<uint8_t>& mask, uint8_t value, std::vector<int>& label) {
    label.assign(mask.size(), -1);
    std::vector<int> sizes;
    std::vector<int> stack;
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const size_t p = Terrain::P(x, y);
            if (mask[p] != value || label[p] >= 0) continue;
            const int id = int(sizes.size());
            int count = 0;
            label[p] = id;
            stack.push_back(int(p));
            while (!stack.empty()) {
                const int q = stack.back();
                stack.pop_back();
                ++count;
                const int qx = q % kW, qy = q / kW;
                const int nx[4] = {qx - 1, qx + 1, qx, qx};
                const int ny[4] = {qy, qy, qy - 1, qy + 1};
                for (int k = 0; k < 4; ++k) {
                    if (nx[k] < 0 || ny[k] < 0 || nx[k] >= kW || ny[k] >= kH) continue;
                    const size_t r = Terrain::P(nx[k], ny[k]);
                    if (mask[r] != value || label[r] >= 0) continue;
                    label[r] = id;
                    stack.push_back(int(r));
                }
            }
            sizes.push_back(count);
        }
    }
    return sizes;
}

float PointSegDist(float px, float py, float ax, float ay, float bx, float by, float& t) {
    const float vx = bx - ax, vy = by - ay;
    const float len2 = vx * vx + vy * vy;
    t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const float dx = px - (ax + t * vx), dy = py - (ay + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}


// Ocean, priority flood, climate, run-off, lakes and rivers on the coarse grid.
void BuildWaterAndClimate(const Rng& seedRng, Terrain& t) {
    const size_t NC = size_t(kLW) * kLH;
    std::vector<float>& e = t.elev;
    // The ocean: sea cells connected to the map's border.
    std::vector<uint8_t> ocean(NC, 0);
    std::vector<int> stack;
    for (int i = 0; i < kLW; ++i) { stack.push_back(Terrain::C(i, 0)); stack.push_back(Terrain::C(i, kLH - 1)); }
    for (int j = 0; j < kLH; ++j) { stack.push_back(Terrain::C(0, j)); stack.push_back(Terrain::C(kLW - 1, j)); }
    while (!stack.empty()) {
        const int c = stack.back();
        stack.pop_back();
        if (ocean[c] || e[c] >= 0) continue;
        ocean[c] = 1;
        const int i = c % kLW, j = c / kLW;
        if (i > 0) stack.push_back(c - 1);
        if (i + 1 < kLW) stack.push_back(c + 1);
        if (j > 0) stack.push_back(c - kLW);
        if (j + 1 < kLH) stack.push_back(c + kLW);
    }
    // Inland hollows below sea level are land that will fill with lakes.
    for (size_t c = 0; c < NC; ++c)
        if (!ocean[c] && e[c] < 0.005f) e[c] = 0.005f;

    // Priority flood from the ocean: every land cell drains to the sea.
    struct Item { float h; int c; };
    auto cmp = [](const Item& a, const Item& b) { return a.h > b.h || (a.h == b.h && a.c > b.c); };
    std::priority_queue<Item, std::vector<Item>, decltype(cmp)> pq(cmp);
    std::vector<float> filled(e);
    std::vector<uint8_t> done(NC, 0);
    t.down.assign(NC, -1);
    std::vector<int> order;
    order.reserve(NC);
    for (size_t c = 0; c < NC; ++c) {
        if (!ocean[c]) continue;
        const int i = int(c) % kLW, j = int(c) / kLW;
        bool coast = false;
        for (int dj = -1; dj <= 1 && !coast; ++dj)
            for (int di = -1; di <= 1; ++di) {
                const int ii = i + di, jj = j + dj;
                if (ii < 0 || jj < 0 || ii >= kLW || jj >= kLH) continue;
                if (!ocean[Terrain::C(ii, jj)]) { coast = true; break; }
            }
        done[c] = 1;
        if (coast) pq.push({0.0f, int(c)});
    }
    while (!pq.empty()) {
        const Item it = pq.top();
        pq.pop();
        if (!ocean[it.c]) order.push_back(it.c);
        ForEachNeighbour(it.c % kLW, it.c / kLW, false, [&](int, int, int n) {
            if (done[n]) return;
            done[n] = 1;
            filled[n] = std::max(e[n], filled[it.c] + 1e-5f);
            t.down[n] = ocean[it.c] ? -1 : it.c;
            if (ocean[it.c]) t.down[n] = it.c;
            pq.push({filled[n], n});
        });
    }

    // Distance (cells) to the ocean, for coastal humidity.
    std::vector<float> seaDist(NC, 1e9f);
    for (size_t c = 0; c < NC; ++c) if (ocean[c]) seaDist[c] = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int jj = 0; jj < kLH; ++jj)
            for (int ii = 0; ii < kLW; ++ii) {
                const int i = pass ? kLW - 1 - ii : ii, j = pass ? kLH - 1 - jj : jj;
                const int s = pass ? -1 : 1;
                float& d = seaDist[Terrain::C(i, j)];
                if (i - s >= 0 && i - s < kLW) d = std::min(d, seaDist[Terrain::C(i - s, j)] + 1);
                if (j - s >= 0 && j - s < kLH) d = std::min(d, seaDist[Terrain::C(i, j - s)] + 1);
            }
    }

    // Climate. Temperature falls towards the top (north) and with height;
    // westerly winds drop their rain on the windward slopes.
    GradNoise nT(seedRng.Fork("temp")), nM(seedRng.Fork("moist"));
    t.temp.assign(NC, 0);
    t.moist.assign(NC, 0);
    std::vector<float> es(e);
    for (float& v : es) v = std::max(0.0f, v);
    BlurCoarse(es, 5, 2);
    // Westerlies in the north and middle, trade winds from the east in the south.
    std::vector<float> fromWest(NC, 0), fromEast(NC, 0);
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<float>& out = pass ? fromEast : fromWest;
        for (int j = 0; j < kLH; ++j) {
            float carrier = 1.0f;
            for (int k = 0; k < kLW; ++k) {
                const int i = pass ? kLW - 1 - k : k;
                const int c = Terrain::C(i, j);
                if (ocean[c]) {
                    carrier += (1 - carrier) * 0.03f;
                    out[c] = carrier;
                    continue;
                }
                const int pi = pass ? i + 1 : i - 1;
                const float prev = pi >= 0 && pi < kLW ? es[Terrain::C(pi, j)] : es[c];
                const float uplift = std::max(0.0f, es[c] - prev - 0.005f) * 6;
                const float rain = carrier * (0.0009f + uplift * 0.9f);
                carrier = std::max(0.0f, carrier - rain);
                out[c] = carrier * 0.8f + std::min(1.0f, uplift * 20) * carrier * 0.4f;
            }
        }
    }
    for (int j = 0; j < kLH; ++j)
        for (int i = 0; i < kLW; ++i) {
            const int c = Terrain::C(i, j);
            const float px = i * kCell + 2.0f, py = j * kCell + 2.0f;
            const float lat = Clamp01((py - 120) / (kH - 260));
            t.temp[c] = lat - 0.55f * std::max(0.0f, e[c] - 0.16f) + 0.05f * nT.Fbm(px / 400, py / 400, 3);
            const float trade = Smooth(0.6f, 0.72f, lat);
            t.moist[c] = fromWest[c] * (1 - trade) + fromEast[c] * trade;
        }
    BlurCoarse(t.moist, 9, 3);
    // Coastal air, blurred so the distance steps leave no straight edges.
    std::vector<float> coastAir(NC);
    for (size_t c = 0; c < NC; ++c) coastAir[c] = Smooth(34.0f, 0.0f, seaDist[c]);
    BlurCoarse(coastAir, 8, 3);
    for (int j = 0; j < kLH; ++j)
        for (int i = 0; i < kLW; ++i) {
            const int c = Terrain::C(i, j);
            const float px = i * kCell + 2.0f, py = j * kCell + 2.0f;
            const float lat = Clamp01((py - 120) / (kH - 260));
            float m = t.moist[c];
            m += 0.22f * coastAir[c];  // coastal air
            m *= 1 - 0.55f * Smooth(0.62f, 0.82f, lat);  // the dry south
            m = std::max(m, 0.2f * (1 - Smooth(0.55f, 0.7f, lat)));  // steppe, never desert, in the middle
            m *= 1 - 0.25f * Smooth(0.1f, 0.0f, lat);     // cold dry air at the pole
            m += 0.14f * nM.Fbm(px / 500, py / 500, 4);
            t.moist[c] = Clamp01(m);
        }

    // Run-off.
    t.flow.assign(NC, 0);
    for (size_t c = 0; c < NC; ++c) if (!ocean[c]) t.flow[c] = 0.15f + t.moist[c];
    for (size_t k = order.size(); k-- > 0;) {
        const int c = order[k];
        const int d = t.down[c];
        if (d >= 0 && !ocean[d]) t.flow[d] += t.flow[c];
    }

    // Lakes: hollows that filled deep enough and wide enough.
    t.lake.assign(NC, 0);
    {
        std::vector<uint8_t> cand(NC, 0);
        for (size_t c = 0; c < NC; ++c) cand[c] = !ocean[c] && filled[c] - e[c] > 0.006f;
        std::vector<int> lab(NC, -1), members;
        for (size_t c0 = 0; c0 < NC; ++c0) {
            if (!cand[c0] || lab[c0] >= 0) continue;
            members.clear();
            stack.push_back(int(c0));
            lab[c0] = 1;
            float maxDepth = 0;
            while (!stack.empty()) {
                const int c = stack.back();
                stack.pop_back();
                members.push_back(c);
                maxDepth = std::max(maxDepth, filled[c] - e[c]);
                const int i = c % kLW, j = c / kLW;
                const int nb[4] = {i > 0 ? c - 1 : -1, i + 1 < kLW ? c + 1 : -1, j > 0 ? c - kLW : -1,
                                   j + 1 < kLH ? c + kLW : -1};
                for (int n : nb)
                    if (n >= 0 && cand[n] && lab[n] < 0) { lab[n] = 1; stack.push_back(n); }
            }
            if (members.size() >= 40 && maxDepth > 0.015f)
                for (int c : members) t.lake[c] = 1;
        }
    }
    t.ocean = ocean;
    t.seaDistCells = seaDist;

    // Rivers: cells with enough run-off, traced from their sources.
    const float kRiver = 260;
    std::vector<uint8_t> isRiver(NC, 0), hasUp(NC, 0);
    for (size_t c = 0; c < NC; ++c) isRiver[c] = !ocean[c] && !t.lake[c] && t.flow[c] >= kRiver;
    for (size_t c = 0; c < NC; ++c) {
        if (!isRiver[c]) continue;
        const int d = t.down[c];
        if (d >= 0 && isRiver[d]) hasUp[d] = 1;
    }
    std::vector<int> owner(NC, -1);
    std::vector<int> sources;
    for (size_t c = 0; c < NC; ++c) if (isRiver[c] && !hasUp[c]) sources.push_back(int(c));
    // Longest rivers first, so the main stems are whole lines.
    std::vector<int> mouthFlow(sources.size());
    for (size_t k = 0; k < sources.size(); ++k) {
        int c = sources[k], len = 0;
        while (c >= 0 && isRiver[c] && len < 100000) { c = t.down[c]; ++len; }
        mouthFlow[k] = len;
    }
    std::vector<size_t> idx(sources.size());
    for (size_t k = 0; k < idx.size(); ++k) idx[k] = k;
    std::stable_sort(idx.begin(), idx.end(), [&](size_t a, size_t b) { return mouthFlow[a] > mouthFlow[b]; });
    GradNoise nMeander(seedRng.Fork("meander"));
    std::vector<int> joinRiver;
    std::vector<float> joinX, joinY;
    for (size_t k : idx) {
        int c = sources[k];
        Polyline pl;
        const int rid = int(t.rivers.size());
        // A river leaving a lake starts at the lake's shore.
        ForEachNeighbour(c % kLW, c / kLW, true, [&](int ii, int jj, int n) {
            if (t.lake[n] && t.down[n] == c && pl.x.empty()) {
                pl.x.push_back(ii * kCell + 2.0f);
                pl.y.push_back(jj * kCell + 2.0f);
                pl.v.push_back(t.flow[c]);
            }
        });
        int joined = -1;
        while (true) {
            pl.x.push_back((c % kLW) * kCell + 2.0f);
            pl.y.push_back((c / kLW) * kCell + 2.0f);
            pl.v.push_back(t.flow[c]);
            if (owner[c] >= 0) { joined = owner[c]; break; }
            if (ocean[c] || t.lake[c]) break;
            owner[c] = rid;
            const int d = t.down[c];
            if (d < 0) break;
            c = d;
        }
        if (pl.x.size() < 4) continue;
        t.rivers.push_back(pl);
        joinRiver.push_back(joined);
    }
    // Smooth each river: thin out the cell steps, round with Chaikin, meander.
    for (Polyline& pl : t.rivers) {
        Polyline s;
        for (size_t k = 0; k < pl.x.size(); ++k) {
            if (k % 2 && k + 1 != pl.x.size()) continue;
            s.x.push_back(pl.x[k]); s.y.push_back(pl.y[k]); s.v.push_back(pl.v[k]);
        }
        for (int it = 0; it < 3; ++it) {
            Polyline n;
            n.x.push_back(s.x[0]); n.y.push_back(s.y[0]); n.v.push_back(s.v[0]);
            for (size_t k = 0; k + 1 < s.x.size(); ++k) {
                n.x.push_back(0.75f * s.x[k] + 0.25f * s.x[k + 1]);
                n.y.push_back(0.75f * s.y[k] + 0.25f * s.y[k + 1]);
                n.v.push_back(0.75f * s.v[k] + 0.25f * s.v[k + 1]);
                n.x.push_back(0.25f * s.x[k] + 0.75f * s.x[k + 1]);
                n.y.push_back(0.25f * s.y[k] + 0.75f * s.y[k + 1]);
                n.v.push_back(0.25f * s.v[k] + 0.75f * s.v[k + 1]);
            }
            n.x.push_back(s.x.back()); n.y.push_back(s.y.back()); n.v.push_back(s.v.back());
            s = n;
        }
        // Meander: displace sideways by smooth noise along the course.
        for (size_t k = 1; k + 1 < s.x.size(); ++k) {
            const float dx = s.x[k + 1] - s.x[k - 1], dy = s.y[k + 1] - s.y[k - 1];
            const float len = std::sqrt(dx * dx + dy * dy) + 1e-6f;
            const float off = 2.2f * nMeander(s.x[k] / 23, s.y[k] / 23);
            s.x[k] += -dy / len * off;
            s.y[k] += dx / len * off;
        }
        // Width in pixels from the run-off.
        for (float& v : s.v) v = std::min(6.5f, 1.3f + 0.75f * std::sqrt(v / kRiver - 0.7f > 0 ? v / kRiver - 0.7f : 0));
        pl = s;
    }
    // Tributaries end exactly on the river they join.
    for (size_t r = 0; r < t.rivers.size(); ++r) {
        const int j = joinRiver[r];
        if (j < 0 || j >= int(t.rivers.size())) continue;
        Polyline& pl = t.rivers[r];
        const Polyline& m = t.rivers[size_t(j)];
        float best = 1e9f; size_t bk = 0;
        for (size_t k = 0; k < m.x.size(); ++k) {
            const float dx = m.x[k] - pl.x.back(), dy = m.y[k] - pl.y.back();
            if (dx * dx + dy * dy < best) { best = dx * dx + dy * dy; bk = k; }
        }
        pl.x.back() = m.x[bk];
        pl.y.back() = m.y[bk];
    }

    // Forest density from climate.
    GradNoise nF(seedRng.Fork("forest"));
    t.forest.assign(NC, 0);
    for (int j = 0; j < kLH; ++j)
        for (int i = 0; i < kLW; ++i) {
            const int c = Terrain::C(i, j);
            if (ocean[c] || t.lake[c]) continue;
            const float px = i * kCell + 2.0f, py = j * kCell + 2.0f;
            const float n = nF.Fbm(px / 260, py / 260, 4);
            float f = Smooth(0.40f, 0.62f, t.moist[c] + 0.28f * n);
            f *= Smooth(0.07f, 0.13f, t.temp[c]);
            f *= 1 - 0.85f * Smooth(0.3f, 0.7f, t.mount[c]);
            t.forest[c] = f;
        }
}

// Regions: nearest seed polyline (scaled by the region's weight), warped.
void BuildRegions(const Rng& seedRng, Terrain& t) {
    Rng r = seedRng.Fork("regions");
    auto J = [&r](float v) { return v + float(r.Uniform(-25, 25)); };
    t.regions = {
        {"ice", "%s Icefields", kNorth, false, {J(1250), J(1950)}, {J(290), J(300)}, 1.0f},
        {"northwest", "%s", kNorth, true, {J(620)}, {J(460)}, 1.0f},
        {"northeast", "%s Tundra", kFrost, false, {J(2600)}, {J(480)}, 1.0f},
        {"west", "%s", kWest, true, {J(600)}, {J(1150)}, 1.0f},
        {"heart", "%s", kHeart, true, {J(720)}, {J(1900)}, 1.05f},
        {"mountains", "%s Holds", kDwarf, true, {1060, 1000, 1080, 1000}, {980, 1350, 1750, 2100}, 0.5f},
        {"steppe", "%s Steppe", kSteppe, true, {J(1420)}, {J(1450)}, 1.0f},
        {"marches", "The %s Marches", kMarch, false, {J(1300)}, {J(2260)}, 0.95f},
        {"isles", "%s Isles", kIsles, true, {J(210)}, {J(1850)}, 0.85f},
        {"eastnorth", "%s", kEastN, true, {J(2600)}, {J(1250)}, 1.0f},
        {"eastsouth", "%s", kEastS, true, {J(2720)}, {J(2150)}, 1.0f},
        {"desert", "%s Desert", kDesert, true, {J(800), J(1850)}, {J(3150), J(3300)}, 1.0f},
        {"southeast", "%s", kSavanna, true, {J(2650)}, {J(3080)}, 1.0f},
    };
    GradNoise wx(seedRng.Fork("region-warp-x")), wy(seedRng.Fork("region-warp-y"));
    const size_t NC = size_t(kLW) * kLH;
    t.region.assign(NC, -1);
    for (int j = 0; j < kLH; ++j)
        for (int i = 0; i < kLW; ++i) {
            const int c = Terrain::C(i, j);
            if (t.ocean[c]) continue;
            const float px = i * kCell + 2.0f, py = j * kCell + 2.0f;
            const float qx = px + 120 * wx.Fbm(px / 500, py / 500, 4), qy = py + 120 * wy.Fbm(px / 500, py / 500, 4);
            float best = 1e30f;
            int bi = 0;
            for (size_t k = 0; k < t.regions.size(); ++k) {
                const RegionDef& rd = t.regions[k];
                float d = 1e30f;
                if (rd.sx.size() == 1) {
                    d = std::sqrt((qx - rd.sx[0]) * (qx - rd.sx[0]) + (qy - rd.sy[0]) * (qy - rd.sy[0]));
                } else {
                    for (size_t s = 0; s + 1 < rd.sx.size(); ++s) {
                        float tt;
                        d = std::min(d, PointSegDist(qx, qy, rd.sx[s], rd.sy[s], rd.sx[s + 1], rd.sy[s + 1], tt));
                    }
                }
                d /= rd.weight;
                if (d < best) { best = d; bi = int(k); }
            }
            t.region[c] = int8_t(bi);
        }
}

// Full-resolution elevation, water mask and distance fields.
void BuildFullRes(const Rng& seedRng, Terrain& t) {
    Upsample(t.elev, t.E);
    std::vector<float> mountUp;
    Upsample(t.mount, mountUp);
    GradNoise nD(seedRng.Fork("detail")), nR(seedRng.Fork("detail-ridge"));
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const size_t p = Terrain::P(x, y);
            float& e = t.E[p];
            if (e < -0.25f) continue;
            e += 0.03f * nD.Fbm(x / 60.0f, y / 60.0f, 4, 0.55f);
            const float m = mountUp[p];
            if (m > 0.02f) e += m * 0.22f * (nR.Ridged(x / 38.0f, y / 38.0f, 3, 0.5f) - 0.45f);
        }
    }
    // Land under the four extreme places.
    const Anchors& a = t.anchors;
    const int ax[4] = {a.westX, a.eastX, a.northX, a.southX}, ay[4] = {a.westY, a.eastY, a.northY, a.southY};
    for (int k = 0; k < 4; ++k)
        for (int dy = -12; dy <= 12; ++dy)
            for (int dx = -12; dx <= 12; ++dx)
                if (dx * dx + dy * dy <= 144) {
                    const size_t p = Terrain::P(ax[k] + dx, ay[k] + dy);
                    t.E[p] = std::max(t.E[p], 0.02f);
                }
    // Water mask: sea where below sea level, without specks and puddles.
    std::vector<uint8_t> wet(size_t(kW) * kH);
    for (size_t p = 0; p < wet.size(); ++p) wet[p] = t.E[p] < 0;
    std::vector<int> label;
    std::vector<int> sizes = Components(wet, 1, label);
    std::vector<uint8_t> touches(sizes.size(), 0);
    for (int x = 0; x < kW; ++x) {
        if (label[Terrain::P(x, 0)] >= 0) touches[size_t(label[Terrain::P(x, 0)])] = 1;
        if (label[Terrain::P(x, kH - 1)] >= 0) touches[size_t(label[Terrain::P(x, kH - 1)])] = 1;
    }
    for (int y = 0; y < kH; ++y) {
        if (label[Terrain::P(0, y)] >= 0) touches[size_t(label[Terrain::P(0, y)])] = 1;
        if (label[Terrain::P(kW - 1, y)] >= 0) touches[size_t(label[Terrain::P(kW - 1, y)])] = 1;
    }
    for (size_t p = 0; p < wet.size(); ++p) {
        if (!wet[p]) continue;
        const size_t l = size_t(label[p]);
        if (!touches[l] && sizes[l] < 40000) { wet[p] = 0; t.E[p] = 0.004f; }
    }
    sizes = Components(wet, 0, label);
    for (size_t p = 0; p < wet.size(); ++p)
        if (!wet[p] && sizes[size_t(label[p])] < 60) { wet[p] = 1; t.E[p] = -0.01f; }
    // Lakes, with soft shores from the blurred coarse lake cells.
    std::vector<float> lk(t.lake.size());
    for (size_t c = 0; c < lk.size(); ++c) lk[c] = t.lake[c] ? 1.0f : 0.0f;
    BlurCoarse(lk, 1, 1);
    std::vector<float> lkUp;
    Upsample(lk, lkUp);
    GradNoise nL(seedRng.Fork("lake-shore"));
    t.water.assign(wet.size(), 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const size_t p = Terrain::P(x, y);
            if (wet[p]) { t.water[p] = 1; continue; }
            if (lkUp[p] > 0.2f && lkUp[p] - 0.5f + 0.18f * nL.Fbm(x / 30.0f, y / 30.0f, 3) > 0) t.water[p] = 2;
        }
    std::vector<uint8_t> landMask(wet.size()), waterMask(wet.size());
    for (size_t p = 0; p < wet.size(); ++p) { landMask[p] = t.water[p] == 0; waterMask[p] = t.water[p] != 0; }
    Chamfer(landMask, t.distWater);
    Chamfer(waterMask, t.distLand);
}

}  // namespace

float Terrain::Sample(const std::vector<float>& f, float px, float py) const {
    float u = px / kCell - 0.5f, v = py / kCell - 0.5f;
    u = std::max(0.0f, std::min(u, float(kLW - 1) - 0.001f));
    v = std::max(0.0f, std::min(v, float(kLH - 1) - 0.001f));
    const int i = int(u), j = int(v);
    const float fu = u - i, fv = v - j;
    const float a = f[C(i, j)] + fu * (f[C(i + 1, j)] - f[C(i, j)]);
    const float b = f[C(i, j + 1)] + fu * (f[C(i + 1, j + 1)] - f[C(i, j + 1)]);
    return a + fv * (b - a);
}

void BuildTerrain(const Rng& seedRng, Terrain& t) {
    Rng lay = seedRng.Fork("layout");
    const float J = 35;
    // Continents and islands: chains of (x, y, radius) in picture pixels.
    std::vector<Chain> land = {
        // The northern lands, glaciated in the middle.
        MakeChain(lay, {150, 470, 130, 480, 390, 220, 900, 400, 250, 1350, 330, 250, 1700, 300, 240,
                        2100, 380, 250, 2550, 430, 240, 2950, 520, 200, 3200, 650, 110}, J),
        // The western continent.
        MakeChain(lay, {560, 930, 250, 680, 1280, 360, 820, 1720, 400, 960, 2120, 360, 1120, 2420, 230}, J),
        MakeChain(lay, {1180, 1120, 300, 1400, 1450, 340, 1500, 1850, 300, 1370, 2250, 260}, J),
        // The eastern continent.
        MakeChain(lay, {2280, 960, 210, 2560, 1160, 320, 2760, 1520, 340, 2830, 1920, 320, 2690, 2260, 270,
                        2480, 2460, 190}, J),
        MakeChain(lay, {2850, 1480, 200, 3080, 1500, 130}, J * 0.5f),
        // The southern continent, hot and dry.
        MakeChain(lay, {430, 2960, 190, 840, 3100, 310, 1350, 3250, 370, 1900, 3300, 370, 2450, 3200, 340,
                        2880, 3000, 250, 3100, 2820, 140}, J),
        MakeChain(lay, {1950, 3350, 250, 2000, 3570, 170}, J * 0.5f),
        // Western isles.
        MakeChain(lay, {240, 1480, 105}, J), MakeChain(lay, {170, 1830, 125}, J),
        MakeChain(lay, {280, 2140, 95}, J), MakeChain(lay, {360, 1690, 60}, J),
        MakeChain(lay, {130, 2370, 55}, J),
        // Islands of the inner seas and the far corners.
        MakeChain(lay, {1860, 1250, 85}, J), MakeChain(lay, {1950, 2020, 110}, J),
        MakeChain(lay, {2150, 2660, 90}, J), MakeChain(lay, {620, 2620, 95}, J),
        MakeChain(lay, {3060, 3420, 105}, J), MakeChain(lay, {2980, 820, 75}, J),
        MakeChain(lay, {3150, 2350, 70}, J), MakeChain(lay, {400, 3450, 80}, J),
    };
    // Peninsulas and bays along the big coasts, so no continent is a plain blob.
    std::vector<Chain> bays;
    const size_t bigChains = 7;
    for (size_t ci = 0; ci < bigChains; ++ci) {
        const Chain base = land[ci];
        const int count = int(base.x.size()) * 2 + 1;
        for (int k = 0; k < count; ++k) {
            const size_t seg = size_t(lay.Int(0, int(base.x.size()) - 2 < 0 ? 0 : int(base.x.size()) - 2));
            const size_t seg2 = std::min(seg + 1, base.x.size() - 1);
            const float tt = float(lay.Uniform());
            const float cx = base.x[seg] + tt * (base.x[seg2] - base.x[seg]);
            const float cy = base.y[seg] + tt * (base.y[seg2] - base.y[seg]);
            const float r = base.r[seg] + tt * (base.r[seg2] - base.r[seg]);
            float dx = base.y[seg2] - base.y[seg], dy = -(base.x[seg2] - base.x[seg]);
            float len = std::sqrt(dx * dx + dy * dy);
            if (len < 1) { dx = 1; dy = 0; len = 1; }
            dx /= len; dy /= len;
            if (lay.Chance(0.5)) { dx = -dx; dy = -dy; }
            // Tilt the direction a little.
            const float tilt = float(lay.Uniform(-0.6, 0.6));
            const float ex = dx - tilt * dy, ey = dy + tilt * dx;
            Chain c;
            if (lay.Chance(0.55)) {  // a peninsula
                const float w = float(lay.Uniform(80, 170));
                const float reach = r * float(lay.Uniform(0.95, 1.35));
                c.x = {cx + ex * r * 0.5f, cx + ex * reach};
                c.y = {cy + ey * r * 0.5f, cy + ey * reach};
                c.r = {w, w * 0.7f};
                land.push_back(c);
            } else {  // a bay
                const float w = float(lay.Uniform(70, 150));
                c.x = {cx + ex * r * 1.3f, cx + ex * r * float(lay.Uniform(0.45, 0.8))};
                c.y = {cy + ey * r * 1.3f, cy + ey * r * float(lay.Uniform(0.45, 0.8))};
                c.r = {w, w * 0.6f};
                bays.push_back(c);
            }
        }
    }
    // Mountain ranges: (x, y, half width), and a strength.
    std::vector<Chain> ranges = {
        MakeChain(lay, {1060, 980, 85, 1000, 1350, 110, 1080, 1750, 120, 1000, 2100, 100, 880, 2350, 65}, 25),
        MakeChain(lay, {380, 430, 75, 800, 380, 95, 1250, 420, 85}, 25),
        MakeChain(lay, {1500, 250, 70, 1800, 280, 80}, 20, 0.8f),
        MakeChain(lay, {2100, 440, 85, 2600, 500, 100, 2950, 590, 65}, 25),
        MakeChain(lay, {2450, 1040, 75, 2650, 1400, 105, 2780, 1800, 105, 2660, 2200, 75}, 25),
        MakeChain(lay, {880, 3040, 65, 1250, 3120, 85, 1600, 3070, 75}, 25),
        MakeChain(lay, {2480, 3100, 75, 2800, 2910, 65}, 25, 0.85f),
        MakeChain(lay, {480, 1180, 60, 590, 1500, 55}, 25, 0.45f),
        MakeChain(lay, {1350, 1300, 50, 1480, 1650, 45}, 25, 0.4f),
        MakeChain(lay, {170, 1830, 45}, 10, 0.7f),
        MakeChain(lay, {2900, 2350, 60, 2750, 2500, 50}, 20, 0.5f),
    };

    for (const Chain& c : ranges) {
        const size_t mid = c.x.size() / 2;
        float len = 0;
        for (size_t k = 0; k + 1 < c.x.size(); ++k)
            len += std::sqrt((c.x[k + 1] - c.x[k]) * (c.x[k + 1] - c.x[k]) + (c.y[k + 1] - c.y[k]) * (c.y[k + 1] - c.y[k]));
        const float mx = c.x.size() % 2 ? c.x[mid] : 0.5f * (c.x[mid - 1] + c.x[mid]);
        const float my = c.y.size() % 2 ? c.y[mid] : 0.5f * (c.y[mid - 1] + c.y[mid]);
        t.rangeX.push_back(mx);
        t.rangeY.push_back(my);
        t.rangeSize.push_back((len + c.r[0] * 2) * c.strength);
    }
    // The places with the extreme coordinates, and land under them.
    Anchors& a = t.anchors;
    a.westX = 60, a.westY = 1840 + lay.Int(-60, 60);
    a.eastX = 3210, a.eastY = 1500 + lay.Int(-40, 40);
    a.northX = 1600 + lay.Int(-150, 150), a.northY = 194;
    a.southX = 2000 + lay.Int(-60, 60), a.southY = 3687;
    const float anchorBump[4][3] = {{float(a.westX + 45), float(a.westY), 75.0f},
                                    {float(a.eastX - 40), float(a.eastY), 80.0f},
                                    {float(a.northX), float(a.northY + 55), 90.0f},
                                    {float(a.southX), float(a.southY - 50), 85.0f}};

    GradNoise nWarpX(seedRng.Fork("warp-x")), nWarpY(seedRng.Fork("warp-y"));
    GradNoise nBase(seedRng.Fork("base")), nHill(seedRng.Fork("hills")), nRidge(seedRng.Fork("ridges"));
    GradNoise nClim(seedRng.Fork("climate"));

    const size_t NC = size_t(kLW) * kLH;
    t.elev.assign(NC, 0);
    t.mount.assign(NC, 0);
    for (int j = 0; j < kLH; ++j) {
        for (int i = 0; i < kLW; ++i) {
            const float px = i * kCell + 2.0f, py = j * kCell + 2.0f;
            const float wx = px + 230 * nWarpX.Fbm(px / 700, py / 700, 4);
            const float wy = py + 230 * nWarpY.Fbm(px / 700, py / 700, 4);
            float P = -10;
            for (const Chain& c : land) ChainDist(c, wx, wy, P);
            float B = -10;
            for (const Chain& c : bays) ChainDist(c, wx, wy, B);
            if (B > 0) P -= 1.4f * B;
            float h = 0.8f * P + 0.55f * nBase.Fbm(wx / 420, wy / 420, 6, 0.5f) +
                      0.45f * nHill.Fbm(wx / 1200 + 40, wy / 1200, 3) - 0.04f;
            for (const auto& b : anchorBump) {
                const float dx = px - b[0], dy = py - b[1];
                const float f = 1 - std::sqrt(dx * dx + dy * dy) / b[2];
                if (f > 0) h = std::max(h, 0.35f * f + 0.02f);
            }
            // Mountains, with their own lighter warp so ranges bend.
            const float mx = px + 60 * nWarpY.Fbm(px / 300, py / 300, 2);
            const float my = py + 60 * nWarpX.Fbm(px / 300, py / 300, 2);
            float m = 0;
            for (const Chain& c : ranges) {
                float f = -10;
                ChainDist(c, mx, my, f);
                if (f > 0) m = std::max(m, Smooth(0.0f, 0.8f, f) * c.strength);
            }
            const float landF = Smooth(0.0f, 0.18f, h);
            m *= landF;
            const float ridge = nRidge.Ridged(px / 180, py / 180, 5, 0.55f);
            const float hills = 0.16f * (0.5f + 0.5f * nHill.Fbm(px / 220, py / 220, 4)) * landF;
            float e;
            if (h < 0) {
                e = h * 0.7f;
            } else {
                e = 0.02f + Smooth(0.0f, 0.9f, h) * 0.16f + hills + m * m * (0.1f + 0.9f * ridge) * 1.1f;
            }
            t.elev[Terrain::C(i, j)] = e;
            t.mount[Terrain::C(i, j)] = m;
        }
    }
    BuildWaterAndClimate(seedRng, t);
    BuildRegions(seedRng, t);
    BuildFullRes(seedRng, t);
}

}  // namespace worldmap
