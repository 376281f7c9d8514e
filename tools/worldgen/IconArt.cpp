#include "IconArt.h"

#include "GenCommon.h"

#include <cstdio>

namespace wg2 {
namespace {

struct Pt {
    int x, y;
};
struct Colour {
    uint8_t r, g, b, a;
};
enum class Kind { Polygon, Disc, Ring, Line };
struct Shape {
    Kind kind;
    std::vector<Pt> pts;  // polygon corners, or the two ends of a line
    Pt c{0, 0};           // disc and ring centre
    int r = 0;            // disc and ring radius
    int w = 0;            // ring and line width (even)
    Colour col;
    bool clip = false;    // drawn only inside the map
    int minSize = 0;      // left out of icons smaller than this
};

// The map's three panels, folded like a leaflet.
const std::vector<std::vector<Pt>> kPanels = {
    {{20, 64}, {90, 46}, {90, 210}, {20, 228}},
    {{90, 46}, {166, 64}, {166, 228}, {90, 210}},
    {{166, 64}, {236, 46}, {236, 210}, {166, 228}},
};

std::vector<Shape> Shapes() {
    std::vector<Shape> s;
    auto poly = [&](std::vector<Pt> p, Colour c, bool clip = false, int minSize = 0) {
        Shape x{Kind::Polygon, std::move(p), {0, 0}, 0, 0, c, clip, minSize};
        s.push_back(x);
    };
    auto disc = [&](Pt c, int r, Colour col, int minSize = 0) { s.push_back({Kind::Disc, {}, c, r, 0, col, false, minSize}); };
    auto ring = [&](Pt c, int r, int w, Colour col, int minSize = 0) {
        s.push_back({Kind::Ring, {}, c, r, w, col, false, minSize});
    };
    auto line = [&](Pt a, Pt b, int w, Colour col, bool clip = false, int minSize = 0) {
        s.push_back({Kind::Line, {a, b}, {0, 0}, 0, w, col, clip, minSize});
    };
    const Colour parchment{236, 219, 166, 255}, fold{214, 192, 132, 255}, ink{92, 60, 30, 255};
    // the map
    poly(kPanels[0], parchment);
    poly(kPanels[1], fold);
    poly(kPanels[2], parchment);
    // sea, land and hills on it
    poly({{0, 150}, {40, 138}, {70, 160}, {92, 156}, {118, 190}, {126, 256}, {0, 256}}, {110, 168, 204, 255}, true);
    poly({{150, 40}, {256, 30}, {256, 140}, {226, 150}, {206, 128}, {178, 132}, {160, 108}, {150, 84}},
         {150, 186, 104, 255}, true);
    poly({{26, 70}, {70, 56}, {80, 96}, {54, 112}, {30, 104}}, {150, 186, 104, 255}, true, 32);
    poly({{186, 104}, {198, 82}, {210, 104}}, {120, 92, 60, 255}, true, 48);
    poly({{206, 100}, {220, 74}, {234, 100}}, {120, 92, 60, 255}, true, 48);
    // the road, dashed, to a cross
    const Colour road{176, 52, 40, 255};
    line({40, 188}, {52, 182}, 6, road, true, 48);
    line({64, 176}, {76, 170}, 6, road, true, 48);
    line({196, 176}, {208, 184}, 6, road, true, 48);
    line({214, 196}, {226, 206}, 4, road, true, 48);
    line({226, 196}, {214, 206}, 4, road, true, 48);
    // folds and border
    for (const auto& p : kPanels)
        for (size_t i = 0; i < p.size(); ++i) line(p[i], p[(i + 1) % p.size()], 6, ink);
    // the compass rose
    const Pt c{128, 136};
    disc(c, 62, {255, 250, 235, 225});
    ring(c, 62, 8, ink);
    ring(c, 46, 2, ink, 48);
    // diagonal points
    const Colour d1{168, 130, 84, 255}, d2{120, 88, 52, 255};
    poly({{128, 136}, {170, 94}, {138, 126}}, d1, false, 32);
    poly({{128, 136}, {170, 94}, {146, 136}}, d2, false, 32);
    poly({{128, 136}, {170, 178}, {146, 136}}, d1, false, 32);
    poly({{128, 136}, {170, 178}, {138, 146}}, d2, false, 32);
    poly({{128, 136}, {86, 178}, {118, 146}}, d1, false, 32);
    poly({{128, 136}, {86, 178}, {110, 136}}, d2, false, 32);
    poly({{128, 136}, {86, 94}, {110, 136}}, d1, false, 32);
    poly({{128, 136}, {86, 94}, {118, 126}}, d2, false, 32);
    // the four main points, each in a light and a dark half
    poly({{128, 52}, {112, 136}, {128, 136}}, {150, 28, 20, 255});
    poly({{128, 52}, {144, 136}, {128, 136}}, {222, 70, 52, 255});
    poly({{128, 220}, {112, 136}, {128, 136}}, {70, 96, 130, 255});
    poly({{128, 220}, {144, 136}, {128, 136}}, {32, 48, 76, 255});
    poly({{212, 136}, {128, 120}, {128, 136}}, {196, 196, 196, 255});
    poly({{212, 136}, {128, 152}, {128, 136}}, {120, 120, 120, 255});
    poly({{44, 136}, {128, 120}, {128, 136}}, {120, 120, 120, 255});
    poly({{44, 136}, {128, 152}, {128, 136}}, {196, 196, 196, 255});
    disc(c, 9, {250, 236, 190, 255});
    ring(c, 9, 4, ink, 32);
    return s;
}

// ---------------------------------------------------------------- raster
// A sample lies at integer coordinates (X, Y) on a grid k times finer than the
// design grid; all tests are exact integer arithmetic.

bool InPolygon(const std::vector<Pt>& p, int k, int64_t X, int64_t Y) {
    bool in = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        const int64_t x1 = int64_t(p[j].x) * k, y1 = int64_t(p[j].y) * k;
        const int64_t x2 = int64_t(p[i].x) * k, y2 = int64_t(p[i].y) * k;
        if ((y1 > Y) == (y2 > Y)) continue;
        // X < x1 + (Y - y1) * (x2 - x1) / (y2 - y1)
        const int64_t lhs = (X - x1) * (y2 - y1), rhs = (Y - y1) * (x2 - x1);
        if (y2 > y1 ? lhs < rhs : lhs > rhs) in = !in;
    }
    return in;
}

bool Covers(const Shape& s, int k, int64_t X, int64_t Y) {
    switch (s.kind) {
    case Kind::Polygon: return InPolygon(s.pts, k, X, Y);
    case Kind::Disc: {
        const int64_t dx = X - int64_t(s.c.x) * k, dy = Y - int64_t(s.c.y) * k, r = int64_t(s.r) * k;
        return dx * dx + dy * dy <= r * r;
    }
    case Kind::Ring: {
        const int64_t dx = X - int64_t(s.c.x) * k, dy = Y - int64_t(s.c.y) * k;
        const int64_t ro = int64_t(s.r + s.w / 2) * k, ri = int64_t(s.r - s.w / 2) * k, d2 = dx * dx + dy * dy;
        return d2 <= ro * ro && d2 >= ri * ri;
    }
    case Kind::Line: {
        const int64_t ax = int64_t(s.pts[0].x) * k, ay = int64_t(s.pts[0].y) * k;
        const int64_t bx = int64_t(s.pts[1].x) * k, by = int64_t(s.pts[1].y) * k;
        const int64_t h = int64_t(s.w / 2) * k, dx = bx - ax, dy = by - ay, px = X - ax, py = Y - ay;
        const int64_t t = px * dx + py * dy, len2 = dx * dx + dy * dy;
        if (t <= 0) return px * px + py * py <= h * h;
        if (t >= len2) return (X - bx) * (X - bx) + (Y - by) * (Y - by) <= h * h;
        const __int128 cross = __int128(px) * dy - __int128(py) * dx;
        return cross * cross <= __int128(h * h) * len2;
    }
    }
    return false;
}

// Clips a polygon to one convex panel (Sutherland-Hodgman) on a grid of
// hundredths, with integer arithmetic only. Returns hundredths.
std::vector<Pt> ClipToPanel(const std::vector<Pt>& poly, const std::vector<Pt>& panel) {
    std::vector<Pt> out;
    for (const Pt& p : poly) out.push_back({p.x * 100, p.y * 100});
    int64_t area = 0;  // orientation of the panel
    for (size_t i = 0; i < panel.size(); ++i) {
        const Pt& a = panel[i];
        const Pt& b = panel[(i + 1) % panel.size()];
        area += int64_t(a.x) * b.y - int64_t(b.x) * a.y;
    }
    const int64_t sign = area > 0 ? 1 : -1;
    for (size_t e = 0; e < panel.size() && !out.empty(); ++e) {
        const int64_t ax = panel[e].x * 100, ay = panel[e].y * 100;
        const int64_t bx = panel[(e + 1) % panel.size()].x * 100, by = panel[(e + 1) % panel.size()].y * 100;
        auto side = [&](const Pt& p) { return sign * ((bx - ax) * (p.y - ay) - (by - ay) * (p.x - ax)); };
        std::vector<Pt> in = out;
        out.clear();
        for (size_t i = 0; i < in.size(); ++i) {
            const Pt& cur = in[i];
            const Pt& prev = in[(i + in.size() - 1) % in.size()];
            const int64_t sc = side(cur), sp = side(prev);
            if ((sc >= 0) != (sp >= 0)) {  // the edge crosses: add the crossing point
                const int64_t num = sp, den = sp - sc;
                auto lerp = [&](int64_t a, int64_t b) {
                    const int64_t v = a * den + (b - a) * num;  // a + (b - a) * num / den, rounded
                    return int((v >= 0 ? v + den / 2 : v - den / 2) / den);
                };
                if (den < 0) {
                    const int64_t n2 = -num, d2 = -den;
                    auto lerp2 = [&](int64_t a, int64_t b) {
                        const int64_t v = a * d2 + (b - a) * n2;
                        return int((v >= 0 ? v + d2 / 2 : v - d2 / 2) / d2);
                    };
                    out.push_back({lerp2(prev.x, cur.x), lerp2(prev.y, cur.y)});
                } else {
                    out.push_back({lerp(prev.x, cur.x), lerp(prev.y, cur.y)});
                }
            }
            if (sc >= 0) out.push_back(cur);
        }
    }
    return out;
}

std::string Hundredths(int v) {
    char buf[32];
    const int a = v < 0 ? -v : v;
    if (a % 100 == 0) std::snprintf(buf, sizeof buf, "%s%d", v < 0 ? "-" : "", a / 100);
    else std::snprintf(buf, sizeof buf, "%s%d.%02d", v < 0 ? "-" : "", a / 100, a % 100);
    return buf;
}

std::string Hex(const Colour& c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

}  // namespace

std::vector<uint8_t> RenderIcon(int size) {
    if (256 % size != 0 && size != 48) Fail("icon size must divide 256 or be 48");
    const int S = size <= 48 ? 8 : 4;        // samples per pixel and axis
    const int64_t D = int64_t(size) * S * 2;  // sample grid resolution over the icon
    if (D % 256 != 0) Fail("icon sample grid does not fit the design grid");
    const int k = int(D / 256);
    std::vector<Shape> shapes;
    for (const auto& s : Shapes())
        if (size >= s.minSize) shapes.push_back(s);
    std::vector<uint8_t> out(size_t(size) * size_t(size) * 4);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            // premultiplied sums over the samples, colour * 255 scale
            int64_t sr = 0, sg = 0, sb = 0, sa = 0;
            for (int sy = 0; sy < S; ++sy) {
                for (int sx = 0; sx < S; ++sx) {
                    const int64_t X = int64_t(px * S + sx) * 2 + 1, Y = int64_t(py * S + sy) * 2 + 1;
                    bool inMap = false;
                    for (const auto& p : kPanels) inMap = inMap || InPolygon(p, k, X, Y);
                    int r = 0, g = 0, b = 0, a = 0;  // premultiplied, 0..255
                    for (const auto& s : shapes) {
                        if (s.clip && !inMap) continue;
                        if (!Covers(s, k, X, Y)) continue;
                        const int sa2 = s.col.a;
                        r = (s.col.r * sa2 + r * (255 - sa2) + 127) / 255;
                        g = (s.col.g * sa2 + g * (255 - sa2) + 127) / 255;
                        b = (s.col.b * sa2 + b * (255 - sa2) + 127) / 255;
                        a = (255 * sa2 + a * (255 - sa2) + 127) / 255;
                    }
                    sr += r;
                    sg += g;
                    sb += b;
                    sa += a;
                }
            }
            const int64_t n = int64_t(S) * S;
            uint8_t* o = &out[(size_t(py) * size_t(size) + size_t(px)) * 4];
            const int64_t A = (sa + n / 2) / n;
            o[3] = uint8_t(A);
            if (sa == 0) {
                o[0] = o[1] = o[2] = 0;
            } else {  // un-premultiply
                o[0] = uint8_t(std::min<int64_t>(255, (sr * 255 + sa / 2) / sa));
                o[1] = uint8_t(std::min<int64_t>(255, (sg * 255 + sa / 2) / sa));
                o[2] = uint8_t(std::min<int64_t>(255, (sb * 255 + sa / 2) / sa));
            }
        }
    }
    return out;
}

std::string IconSvg() {
    // No clip paths (small SVG renderers lack them): what lies on the map is
    // cut to the map's panels here.
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Sarvenhal: a folded map under a compass rose. Made by tools/worldgen. -->\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    auto points = [](const std::vector<Pt>& p, int scale) {
        std::string r;
        for (size_t i = 0; i < p.size(); ++i)
            r += (i ? " " : "") + Hundredths(p[i].x * (100 / scale)) + "," + Hundredths(p[i].y * (100 / scale));
        return r;
    };
    for (const auto& s : Shapes()) {
        char op[32];
        std::snprintf(op, sizeof op, " opacity=\"0.%03d\"", s.col.a * 1000 / 255);
        const std::string opacity = s.col.a == 255 ? "" : op;
        switch (s.kind) {
        case Kind::Polygon:
            if (!s.clip) {
                svg += "  <polygon points=\"" + points(s.pts, 1) + "\" fill=\"" + Hex(s.col) + "\" stroke=\"none\"" + opacity + "/>\n";
                break;
            }
            for (const auto& panel : kPanels) {
                const auto part = ClipToPanel(s.pts, panel);
                if (part.size() >= 3)
                    svg += "  <polygon points=\"" + points(part, 100) + "\" fill=\"" + Hex(s.col) + "\" stroke=\"none\"" + opacity + "/>\n";
            }
            break;
        case Kind::Disc:
            svg += "  <circle cx=\"" + std::to_string(s.c.x) + "\" cy=\"" + std::to_string(s.c.y) + "\" r=\"" +
                   std::to_string(s.r) + "\" fill=\"" + Hex(s.col) + "\" stroke=\"none\"" + opacity + "/>\n";
            break;
        case Kind::Ring:
            svg += "  <circle cx=\"" + std::to_string(s.c.x) + "\" cy=\"" + std::to_string(s.c.y) + "\" r=\"" +
                   std::to_string(s.r) + "\" fill=\"none\" stroke=\"" + Hex(s.col) + "\" stroke-width=\"" +
                   std::to_string(s.w) + "\"" + opacity + "/>\n";
            break;
        case Kind::Line:
            svg += "  <line x1=\"" + std::to_string(s.pts[0].x) + "\" y1=\"" + std::to_string(s.pts[0].y) + "\" x2=\"" +
                   std::to_string(s.pts[1].x) + "\" y2=\"" + std::to_string(s.pts[1].y) + "\" stroke=\"" + Hex(s.col) +
                   "\" stroke-width=\"" + std::to_string(s.w) + "\" stroke-linecap=\"round\"" + opacity + "/>\n";
            break;
        }
    }
    svg += "</svg>\n";
    return svg;
}

}  // namespace wg2
