// The map's colours as eyes with a colour deficiency see them: every pair of
// colours that says something different on the map must stay apart under
// normal vision, protanopia, deuteranopia and tritanopia.
//
// Simulation: Machado, Oliveira and Fernandes, "A Physiologically-based Model
// for Simulation of Color Vision Deficiency", IEEE TVCG 15(6), 2009, their
// matrices for severity 1.0, applied to linear RGB (sRGB's transfer curve
// undone, the result clipped to the gamut).
// Difference: CIEDE2000 (Sharma, Wu and Dalal, Color Research and
// Application 30(1), 2005) between the CIELAB values (D65) of the simulated
// colours.
#include "view/MapPalette.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;
enum Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
const Matrix kVisions[] = {
    {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
    {{{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}},
    {{{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}},
    {{{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}},
};

// The least CIEDE2000 difference two colours of the map must keep. A
// difference of about 1 is just noticeable between large patches side by
// side; the map's colours are thin (a one-pixel outline, a name, a head
// of 8 pixels) over a busy picture, never side by side, and small targets
// need several times the difference that large ones do (Carter and
// Silverstein, "Size matters", JSID 18(1), 2010): ten times it. Okabe
// and Ito's own nearest colours keep about 11 for the three deficiencies.
constexpr double kApart = 10.0;

struct Lab {
    double L, a, b;
};

double Linear(uint8_t c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

Lab Seen(Rgb colour, Vision vision) {
    const double in[3] = {Linear(colour.r), Linear(colour.g), Linear(colour.b)};
    double s[3];
    for (int i = 0; i < 3; ++i) {
        const auto& row = kVisions[vision][size_t(i)];
        s[i] = std::clamp(row[0] * in[0] + row[1] * in[1] + row[2] * in[2], 0.0, 1.0);
    }
    const double x = (0.4124564 * s[0] + 0.3575761 * s[1] + 0.1804375 * s[2]) / 0.95047;
    const double y = 0.2126729 * s[0] + 0.7151522 * s[1] + 0.0721750 * s[2];
    const double z = (0.0193339 * s[0] + 0.1191920 * s[1] + 0.9503041 * s[2]) / 1.08883;
    const auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Degrees(double radians) { return radians * 180 / M_PI; }
double Radians(double degrees) { return degrees * M_PI / 180; }
double Pow7Ratio(double c) { return std::sqrt(std::pow(c, 7) / (std::pow(c, 7) + std::pow(25.0, 7))); }

double DeltaE2000(const Lab& p, const Lab& q) {
    const double g = 0.5 * (1 - Pow7Ratio((std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2));
    const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    const double c1 = std::hypot(a1, p.b), c2 = std::hypot(a2, q.b);
    const auto hue = [](double b, double a) {
        return a == 0 && b == 0 ? 0.0 : std::fmod(Degrees(std::atan2(b, a)) + 360, 360);
    };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    double dh = c1 * c2 == 0 ? 0 : h2 - h1;
    if (dh > 180)
        dh -= 360;
    else if (dh < -180)
        dh += 360;
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(Radians(dh / 2));
    const double meanL = (p.L + q.L) / 2, meanC = (c1 + c2) / 2;
    double meanH = h1 + h2;
    if (c1 * c2 != 0) meanH = std::abs(h1 - h2) > 180 ? (meanH < 360 ? meanH + 360 : meanH - 360) / 2 : meanH / 2;
    const double t = 1 - 0.17 * std::cos(Radians(meanH - 30)) + 0.24 * std::cos(Radians(2 * meanH)) +
                     0.32 * std::cos(Radians(3 * meanH + 6)) - 0.20 * std::cos(Radians(4 * meanH - 63));
    const double sl = 1 + 0.015 * std::pow(meanL - 50, 2) / std::sqrt(20 + std::pow(meanL - 50, 2));
    const double sc = 1 + 0.045 * meanC, sh = 1 + 0.015 * meanC * t;
    const double rt = -std::sin(Radians(60 * std::exp(-std::pow((meanH - 275) / 25, 2)))) * 2 * Pow7Ratio(meanC);
    const double l = (q.L - p.L) / sl, c = (c2 - c1) / sc, h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

using Pair = std::pair<MapColour, MapColour>;

// What meets on the map: a place's square, its name and the marks over it;
// the pins, among the squares and the found names, each its own colour.
std::vector<Pair> PairsToTellApart() {
    using C = MapColour;
    const C places[] = {C::Marker, C::Label, C::FoundLabel, C::Visited};
    const C pins[] = {C::PinBlue, C::PinOrange, C::PinViolet, C::PinCyan, C::PinPink, C::LostPin};
    std::vector<Pair> pairs;
    for (size_t i = 0; i < std::size(places); ++i)
        for (size_t j = i + 1; j < std::size(places); ++j) pairs.push_back({places[i], places[j]});
    for (size_t i = 0; i < std::size(pins); ++i) {
        pairs.push_back({C::Marker, pins[i]});
        pairs.push_back({C::FoundLabel, pins[i]});
        if (pins[i] != C::LostPin) pairs.push_back({C::Label, pins[i]});  // two greys, a name and a dot
        for (size_t j = i + 1; j < std::size(pins); ++j) pairs.push_back({pins[i], pins[j]});
    }
    return pairs;
}

double Difference(const Pair& pair, bool adapted, Vision vision) {
    return DeltaE2000(Seen(ColourOf(pair.first, adapted), vision), Seen(ColourOf(pair.second, adapted), vision));
}

}  // namespace

Q_DECLARE_METATYPE(MapColour)

class TestMapPalette : public QObject {
    Q_OBJECT
private slots:
    void colourDifference_data();
    void colourDifference();
    void adaptedStaysApart_data();
    void adaptedStaysApart();
    void usualFails_data();
    void usualFails();
};

// Sharma, Wu and Dalal's own test pairs, so that the check's measure is
// CIEDE2000 and not something near it.
void TestMapPalette::colourDifference_data() {
    QTest::addColumn<double>("L1");
    QTest::addColumn<double>("a1");
    QTest::addColumn<double>("b1");
    QTest::addColumn<double>("L2");
    QTest::addColumn<double>("a2");
    QTest::addColumn<double>("b2");
    QTest::addColumn<double>("expected");
    QTest::newRow("blue, hue apart") << 50.0 << 2.6772 << -79.7751 << 50.0 << 0.0 << -82.7485 << 2.0425;
    QTest::newRow("grey to green") << 50.0 << 0.0 << 0.0 << 50.0 << -1.0 << 2.0 << 2.3669;
    QTest::newRow("lightness and hue") << 50.0 << 2.5 << 0.0 << 73.0 << 25.0 << -18.0 << 27.1492;
    QTest::newRow("greens") << 60.2574 << -34.0099 << 36.2677 << 60.4626 << -34.1751 << 39.4387 << 1.2644;
}

void TestMapPalette::colourDifference() {
    QFETCH(double, L1);
    QFETCH(double, a1);
    QFETCH(double, b1);
    QFETCH(double, L2);
    QFETCH(double, a2);
    QFETCH(double, b2);
    QFETCH(double, expected);
    QVERIFY(std::abs(DeltaE2000({L1, a1, b1}, {L2, a2, b2}) - expected) < 1e-4);
    QVERIFY(std::abs(DeltaE2000({L2, a2, b2}, {L1, a1, b1}) - expected) < 1e-4);
}

void TestMapPalette::adaptedStaysApart_data() {
    QTest::addColumn<int>("vision");
    QTest::newRow("normal vision") << int(Normal);
    QTest::newRow("protanopia") << int(Protanopia);
    QTest::newRow("deuteranopia") << int(Deuteranopia);
    QTest::newRow("tritanopia") << int(Tritanopia);
}

void TestMapPalette::adaptedStaysApart() {
    QFETCH(int, vision);
    for (const Pair& pair : PairsToTellApart()) {
        const double difference = Difference(pair, true, Vision(vision));
        QVERIFY2(
            difference >= kApart,
            qPrintable(QString("colours %1 and %2: %3").arg(int(pair.first)).arg(int(pair.second)).arg(difference)));
    }
}

// The check can fail: the usual colours lose these pairs. (Pure red and
// pure green keep a difference of lightness for a deuteranope, about 19,
// so the found name's green against the red square is not among them.)
void TestMapPalette::usualFails_data() {
    QTest::addColumn<int>("vision");
    QTest::addColumn<MapColour>("first");
    QTest::addColumn<MapColour>("second");
    QTest::newRow("found name and visited check, tritanopia")
        << int(Tritanopia) << MapColour::FoundLabel << MapColour::Visited;
    QTest::newRow("blue and violet pins, protanopia") << int(Protanopia) << MapColour::PinBlue << MapColour::PinViolet;
    QTest::newRow("found name and orange pin, deuteranopia")
        << int(Deuteranopia) << MapColour::FoundLabel << MapColour::PinOrange;
}

void TestMapPalette::usualFails() {
    QFETCH(int, vision);
    QFETCH(MapColour, first);
    QFETCH(MapColour, second);
    QVERIFY(Difference({first, second}, false, Vision(vision)) < kApart);
    QVERIFY(Difference({first, second}, true, Vision(vision)) >= kApart);
}

QTEST_APPLESS_MAIN(TestMapPalette)
#include "test_mappalette.moc"
