// The painter: climate colours, relief shading, shallow water and wave lines,
// stamped trees, rivers and roads, and a parchment finish.
#include "MapPainter.h"

#include "MapNoise.h"

#include <algorithm>
#include <cmath>

namespace worldmap {
namespace {

struct Col { float r, g, b; };
Col Mix(Col a, Col b, float t) { return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t)}; }
Col Scale(Col a, float s) { return {a.r * s, a.g * s, a.b * s}; }

// Land colour by temperature (rows) and moisture (columns).
const float kPalT[8] = {0.0f, 0.07f, 0.16f, 0.32f, 0.48f, 0.64f, 0.80f, 1.0f};
const Col kPal[8][4] = {
    {{228, 232, 234}, {228, 232, 234}, {226, 231, 234}, {224, 230, 234}},
    {{196, 192, 170}, {184, 186, 162}, {170, 178, 154}, {160, 172, 150}},
    {{192, 182, 142}, {170, 172, 128}, {142, 160, 112}, {124, 148, 102}},
    {{180, 180, 122}, {170, 176, 110}, {150, 168, 98}, {128, 158, 90}},
    {{190, 184, 120}, {178, 180, 106}, {154, 170, 94}, {124, 156, 84}},
    {{210, 194, 132}, {192, 184, 110}, {162, 170, 94}, {122, 152, 80}},
    {{232, 208, 156}, {206, 190, 120}, {170, 168, 96}, {114, 148, 76}},
    {{238, 214, 164}, {224, 200, 142}, {180, 172, 104}, {106, 142, 72}},
};

Col Biome(float t, float m) {
    t = Clamp01(t);
    m = Clamp01(m) * 3;
    int r = 0;
    while (r < 6 && t > kPalT[r + 1]) ++r;
    const float ft = (t - kPalT[r]) / (kPalT[r + 1] - kPalT[r]);
    const int c = std::min(2, int(m));
    const float fm = m - c;
    const Col a = Mix(kPal[r][c], kPal[r][c + 1], fm);
    const Col b = Mix(kPal[r + 1][c], kPal[r + 1][c + 1], fm);
    return Mix(a, b, Clamp01(ft));
}

struct Canvas {
    std::vector<float> r, g, b;
    Canvas() : r(size_t(kW) * kH), g(size_t(kW) * kH), b(size_t(kW) * kH) {}
    void Blend(size_t p, Col c, float a) {
        r[p] += (c.r - r[p]) * a;
        g[p] += (c.g - g[p]) * a;
        b[p] += (c.b - b[p]) * a;
    }
};

// Stamps a soft-edged disc.
void Disc(Canvas& cv, float cx, float cy, float rad, Col c, float alpha) {
    const int x0 = std::max(0, int(cx - rad - 1)), x1 = std::min(kW - 1, int(cx + rad + 1));
    const int y0 = std::max(0, int(cy - rad - 1)), y1 = std::min(kH - 1, int(cy + rad + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            const float d = std::sqrt(dx * dx + dy * dy);
            const float a = Clamp01(rad - d + 0.5f) * alpha;
            if (a > 0) cv.Blend(Terrain::P(x, y), c, a);
        }
}

// Draws a polyline with per-vertex width into a coverage layer (max blend).
void StrokeCoverage(std::vector<float>& cov, const Polyline& pl, float widthScale, float dashOn, float dashOff) {
    float arc = 0;
    for (size_t k = 0; k + 1 < pl.x.size(); ++k) {
        const float ax = pl.x[k], ay = pl.y[k], bx = pl.x[k + 1], by = pl.y[k + 1];
        const float wa = pl.v[k] * widthScale * 0.5f, wb = pl.v[k + 1] * widthScale * 0.5f;
        const float vx = bx - ax, vy = by - ay;
        const float len2 = vx * vx + vy * vy, len = std::sqrt(len2);
        const float wm = std::max(wa, wb) + 1.5f;
        const int x0 = std::max(0, int(std::min(ax, bx) - wm)), x1 = std::min(kW - 1, int(std::max(ax, bx) + wm));
        const int y0 = std::max(0, int(std::min(ay, by) - wm)), y1 = std::min(kH - 1, int(std::max(ay, by) + wm));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const float px = x + 0.5f, py = y + 0.5f;
                float t = len2 > 0 ? ((px - ax) * vx + (py - ay) * vy) / len2 : 0;
                t = t < 0 ? 0 : (t > 1 ? 1 : t);
                const float dx = px - (ax + t * vx), dy = py - (ay + t * vy);
                const float d = std::sqrt(dx * dx + dy * dy);
                const float w = wa + t * (wb - wa);
                float c = Clamp01(w - d + 0.5f);
                if (c <= 0) continue;
                if (dashOn > 0) {
                    const float s = arc + t * len;
                    const float ph = s - std::floor(s / (dashOn + dashOff)) * (dashOn + dashOff);
                    if (ph > dashOn) continue;
                }
                float& dst = cov[Terrain::P(x, y)];
                if (c > dst) dst = c;
            }
        arc += len;
    }
}

}  // namespace

void PaintMap(const Rng& rng, const Terrain& t, const std::vector<Road>& roads, std::vector<uint8_t>& rgb) {
    Canvas cv;
    GradNoise nPaper(rng.Fork("paper")), nMottle(rng.Fork("mottle")), nSnow(rng.Fork("snow"));
    GradNoise nIce(rng.Fork("sea-ice")), nGrain(rng.Fork("grain")), nDune(rng.Fork("dunes"));
    const Col kRock{150, 138, 122}, kSnow{242, 244, 246}, kForestGround{104, 128, 80};
    const Col kSand{226, 210, 166};
    const Col kShallow{172, 204, 198}, kMid{122, 166, 180}, kDeep{80, 122, 156};
    const Col kLake{132, 178, 190};
    const Col kCoast{72, 62, 50};
    // Light from the upper left (north-west), as map readers expect.
    const float Lx = -0.55f, Ly = -0.55f, Lz = 0.63f;

    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const size_t p = Terrain::P(x, y);
            const float fx = x + 0.5f, fy = y + 0.5f;
            const uint8_t w = t.water[p];
            const float paper = nPaper.Fbm(x / 240.0f, y / 240.0f, 3);
            Col c;
            if (w == 0) {
                const float temp = t.Sample(t.temp, fx, fy);
                const float moist = t.Sample(t.moist, fx, fy);
                const float mu = t.Sample(t.mount, fx, fy);
                const float forest = t.Sample(t.forest, fx, fy);
                const float e = t.E[p];
                const float mott = nMottle.Fbm(x / 90.0f, y / 90.0f, 3);
                c = Biome(temp + 0.02f * mott, moist + 0.06f * mott);
                c = Mix(c, kForestGround, 0.55f * forest);
                const float rock = Smooth(0.25f, 0.65f, mu) * Smooth(0.2f, 0.5f, e);
                c = Mix(c, kRock, 0.8f * rock);
                // Snow on cold heights and in the polar north.
                const float sn = nSnow.Fbm(x / 40.0f, y / 40.0f, 3);
                const float snow = Smooth(0.05f, -0.03f, temp + 0.04f * sn);
                c = Mix(c, kSnow, snow);
                // Dunes and gravel in the hot dry lands.
                const float dry = Smooth(0.62f, 0.78f, temp) * Smooth(0.3f, 0.12f, moist) * (1 - Smooth(0.1f, 0.4f, mu));
                if (dry > 0) {
                    const float dune = nDune.Ridged(x / 26.0f + 0.4f * nDune(x / 300.0f, y / 300.0f) * 6, y / 9.0f, 2, 0.4f);
                    const float field = Smooth(-0.1f, 0.35f, nDune.Fbm(x / 400.0f + 7, y / 400.0f, 3));
                    c = Scale(c, 1 + dry * field * 0.10f * (dune - 0.45f));
                    const float reg = Smooth(0.0f, 0.5f, nDune.Fbm(x / 180.0f - 3, y / 180.0f, 4));
                    c = Mix(c, Col{196, 168, 128}, dry * 0.35f * reg);
                }
                // Warm beaches.
                const float dw = t.distWater[p];
                if (dw < 4 && temp > 0.35f) c = Mix(c, kSand, 0.5f * Clamp01((4 - dw) / 3) * Smooth(0.35f, 0.5f, temp));
                // Relief: fine and broad hill shading.
                const int xm = std::max(0, x - 1), xp = std::min(kW - 1, x + 1);
                const int ym = std::max(0, y - 1), yp = std::min(kH - 1, y + 1);
                float dx = (t.E[Terrain::P(xp, y)] - t.E[Terrain::P(xm, y)]) * 0.5f;
                float dy = (t.E[Terrain::P(x, yp)] - t.E[Terrain::P(x, ym)]) * 0.5f;
                const float Z = 26.0f;
                float nx = -dx * Z, ny = -dy * Z, nz = 1;
                float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
                float sh = (nx * Lx + ny * Ly + nz * Lz) / nl;
                const int xm4 = std::max(0, x - 5), xp4 = std::min(kW - 1, x + 5);
                const int ym4 = std::max(0, y - 5), yp4 = std::min(kH - 1, y + 5);
                dx = (t.E[Terrain::P(xp4, y)] - t.E[Terrain::P(xm4, y)]) / 10;
                dy = (t.E[Terrain::P(x, yp4)] - t.E[Terrain::P(x, ym4)]) / 10;
                const float zb = 170.0f * (1 - 0.65f * Smooth(0.1f, 0.6f, mu));
                nx = -dx * zb; ny = -dy * zb; nz = 1;
                nl = std::sqrt(nx * nx + ny * ny + nz * nz);
                const float sh2 = (nx * Lx + ny * Ly + nz * Lz) / nl;
                float shade = 1 + 0.75f * (sh - Lz) + 0.55f * (sh2 - Lz);
                shade = std::max(0.45f, std::min(1.35f, shade));
                c = Scale(c, shade);
                c = Scale(c, 1 + 0.035f * paper);
            } else if (w == 1) {
                const float depth = -t.E[p];
                const float dl = t.distLand[p];
                c = Mix(kShallow, kMid, Smooth(0.0f, 0.10f, depth));
                c = Mix(c, kDeep, Smooth(0.12f, 0.55f, depth + 0.03f * paper));
                c = Mix(c, kShallow, 0.45f * Clamp01(1 - dl / 18));
                // Wave lines along the coasts.
                const float lines[3] = {6, 13, 22};
                const float alphas[3] = {0.30f, 0.20f, 0.12f};
                for (int k = 0; k < 3; ++k) {
                    const float a = Clamp01(1 - std::fabs(dl - lines[k]) / 0.9f) * alphas[k];
                    if (a > 0) c = Mix(c, Col{70, 110, 130}, a);
                }
                // Drift ice in the far north.
                const float ice = Smooth(330.0f, 120.0f, fy);
                if (ice > 0) {
                    const float n = nIce.Fbm(x / 35.0f, y / 35.0f, 4) + 0.55f * ice - 0.35f;
                    if (n > 0) c = Mix(c, Col{232, 240, 244}, Clamp01(n * 12) * 0.9f);
                }
                c = Scale(c, 1 + 0.05f * paper);
            } else {
                const float dl = t.distLand[p];
                c = Mix(kShallow, kLake, Smooth(0.0f, 8.0f, dl));
                const float a = Clamp01(1 - std::fabs(dl - 4) / 0.8f) * 0.22f;
                c = Mix(c, Col{70, 110, 130}, a);
            }
            // Coast outline on both sides of the shore.
            if (w == 0 && t.distWater[p] <= 1.5f) c = Mix(c, kCoast, t.distWater[p] <= 1 ? 0.75f : 0.35f);
            if (w != 0 && t.distLand[p] <= 1.0f) c = Mix(c, kCoast, 0.35f);
            cv.r[p] = c.r;
            cv.g[p] = c.g;
            cv.b[p] = c.b;
        }
    }

    // Rivers: a coverage layer, painted on land and over lake shores.
    std::vector<float> cov(size_t(kW) * kH, 0);
    for (const Polyline& pl : t.rivers) StrokeCoverage(cov, pl, 1.0f, 0, 0);
    const Col kRiver{84, 130, 165};

    // Trees, stamped top to bottom so the nearer ones overlap.
    Rng tr = rng.Fork("trees");
    GradNoise nClear(rng.Fork("clearings"));
    const int kStep = 6;
    for (int gy = 0; gy < kH; gy += kStep) {
        for (int gx = 0; gx < kW; gx += kStep) {
            const float cx = gx + float(tr.Uniform(0, kStep)), cy = gy + float(tr.Uniform(0, kStep));
            const float u = float(tr.Uniform());
            const float sz = float(tr.Uniform(0.85, 1.2));
            const float tone = float(tr.Uniform(-1, 1));
            const int ix = int(cx), iy = int(cy);
            if (ix < 2 || iy < 2 || ix >= kW - 2 || iy >= kH - 2) continue;
            const size_t p = Terrain::P(ix, iy);
            if (t.water[p] != 0 || t.distWater[p] < 3 || cov[p] > 0) continue;
            float f = t.Sample(t.forest, cx, cy);
            f *= Smooth(-0.15f, 0.2f, nClear.Fbm(cx / 90, cy / 90, 4));
            if (u >= f * 1.1f) continue;
            const float temp = t.Sample(t.temp, cx, cy);
            const bool conifer = temp < 0.26f + 0.06f * tone;
            Disc(cv, cx + 1.6f, cy + 1.6f, 3.2f * sz, Col{60, 70, 45}, 0.30f);
            if (conifer) {
                // A small pointed crown: a stack of shrinking discs.
                const Col dark{58 + 8 * tone, 92 + 8 * tone, 66};
                Disc(cv, cx, cy + 1.0f, 2.6f * sz, dark, 0.95f);
                Disc(cv, cx, cy - 1.4f, 1.9f * sz, dark, 0.95f);
                Disc(cv, cx, cy - 3.4f, 1.1f * sz, dark, 0.95f);
                Disc(cv, cx - 0.8f, cy - 1.0f, 0.9f * sz, Col{96, 130, 92}, 0.7f);
            } else {
                const Col crown{78 + 10 * tone, 112 + 10 * tone, 62 + 4 * tone};
                Disc(cv, cx, cy, 3.1f * sz, crown, 0.95f);
                Disc(cv, cx - 0.9f, cy - 0.9f, 1.6f * sz, Col{crown.r + 34, crown.g + 34, crown.b + 20}, 0.75f);
            }
        }
    }

    for (size_t p = 0; p < cov.size(); ++p)
        if (cov[p] > 0 && t.water[p] != 1) cv.Blend(p, kRiver, cov[p] * 0.95f);

    // Roads: dashed lines, wider for highways.
    std::vector<float> rc(size_t(kW) * kH, 0);
    for (const Road& r : roads) {
        const float width = r.rank == 0 ? 2.2f : (r.rank == 1 ? 1.6f : 1.1f);
        Polyline pl = r.line;
        pl.v.assign(pl.x.size(), width);
        StrokeCoverage(rc, pl, 1.0f, r.rank == 2 ? 2.5f : 7.0f, r.rank == 2 ? 3.0f : 3.5f);
    }
    const Col kRoad{128, 74, 48};
    for (size_t p = 0; p < rc.size(); ++p)
        if (rc[p] > 0 && t.water[p] == 0) cv.Blend(p, kRoad, rc[p] * 0.85f);

    // Parchment: warm tint, grain, darker edges.
    rgb.assign(size_t(kW) * kH * 3, 0);
    for (int y = 0; y < kH; ++y) {
        const float vy = std::fabs(y - kH * 0.5f) / (kH * 0.5f);
        for (int x = 0; x < kW; ++x) {
            const size_t p = Terrain::P(x, y);
            const float vx = std::fabs(x - kW * 0.5f) / (kW * 0.5f);
            const float edge = std::max(vx, vy);
            const float vig = 1 - 0.16f * Smooth(0.82f, 1.0f, edge);
            const float grain = 1 + 0.018f * nGrain(x / 2.3f, y / 2.3f);
            Col c{cv.r[p], cv.g[p], cv.b[p]};
            c = Mix(c, Col{236, 222, 188}, 0.07f);
            c = Scale(c, vig * grain);
            rgb[p * 3 + 0] = uint8_t(std::max(0.0f, std::min(255.0f, c.r + 0.5f)));
            rgb[p * 3 + 1] = uint8_t(std::max(0.0f, std::min(255.0f, c.g + 0.5f)));
            rgb[p * 3 + 2] = uint8_t(std::max(0.0f, std::min(255.0f, c.b + 0.5f)));
        }
    }
}

}  // namespace worldmap
