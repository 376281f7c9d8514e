// The picture scaler: a part scaled on its own is exactly that part of the
// whole scaled at once, at any scale, edge or fractional size; and the
// values are those of bilinear interpolation between pixel centres.
#include "view/ZoomScaler.h"

#include <QtTest>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

struct Picture {
    int width, height;
    std::vector<uint32_t> pixels;
};

// Every pixel its own mixture, its fourth byte anything: a stale or shifted
// pixel shows, and so does a fourth byte not made opaque.
Picture Noise(int width, int height) {
    Picture p{width, height, std::vector<uint32_t>(size_t(width) * height)};
    uint32_t state = 12345;
    for (uint32_t& pixel : p.pixels) pixel = state = state * 1103515245u + 12345u;
    return p;
}

std::vector<uint32_t> Scaled(const Picture& p, double zoomedWidth, double zoomedHeight, QRect part) {
    CZoomScaler scaler(p.pixels.data(), p.width, p.height, p.width, zoomedWidth, zoomedHeight);
    std::vector<uint32_t> out(size_t(part.width()) * part.height());
    scaler.Scale(part.left(), part.top(), {out.data(), part.width(), part.height(), part.width()});
    return out;
}

}  // namespace

class TestZoomScaler : public QObject {
    Q_OBJECT
private slots:
    void partsEqualTheWhole_data();
    void partsEqualTheWhole();
    void valuesBetweenCentres();
    void sameSizeIsAnOpaqueCopy_data();
    void sameSizeIsAnOpaqueCopy();
    void pixelsAreTheWeightedSums_data();
    void pixelsAreTheWeightedSums();
};

void TestZoomScaler::partsEqualTheWhole_data() {
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QSizeF>("zoomed");
    QTest::addColumn<QRect>("part");
    QTest::newRow("enlarged 1.5, inside") << QSize(97, 61) << QSizeF(145.5, 91.5) << QRect(33, 20, 50, 41);
    QTest::newRow("enlarged 8, at the far edges") << QSize(40, 30) << QSizeF(320, 240) << QRect(250, 190, 70, 50);
    QTest::newRow("enlarged 16, one pixel") << QSize(40, 30) << QSizeF(640, 480) << QRect(317, 203, 1, 1);
    QTest::newRow("reduced to 0.6") << QSize(200, 150) << QSizeF(120, 90) << QRect(7, 11, 64, 33);
    QTest::newRow("fractional size, last column in part") << QSize(101, 77) << QSizeF(151.5, 115.5)
                                                          << QRect(100, 60, 52, 56);
    QTest::newRow("from the top left corner") << QSize(64, 64) << QSizeF(96, 96) << QRect(0, 0, 30, 30);
}

void TestZoomScaler::partsEqualTheWhole() {
    QFETCH(QSize, source);
    QFETCH(QSizeF, zoomed);
    QFETCH(QRect, part);
    const Picture picture = Noise(source.width(), source.height());
    const QRect all(0, 0, qCeil(zoomed.width()), qCeil(zoomed.height()));
    const std::vector<uint32_t> whole = Scaled(picture, zoomed.width(), zoomed.height(), all);
    const std::vector<uint32_t> alone = Scaled(picture, zoomed.width(), zoomed.height(), part);
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x) {
            const uint32_t expected = whole[size_t(part.top() + y) * all.width() + part.left() + x];
            QVERIFY2(alone[size_t(y) * part.width() + x] == expected, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
}

// Two pixels, black and white, made four: the centres of the new pixels fall
// a quarter and three quarters of the way, the outer ones on the edges.
void TestZoomScaler::valuesBetweenCentres() {
    const Picture picture{2, 1, {0xFF000000u, 0xFFFFFFFFu}};
    const std::vector<uint32_t> out = Scaled(picture, 4, 1, QRect(0, 0, 4, 1));
    const std::vector<uint32_t> expected{0xFF000000u, 0xFF404040u, 0xFFBFBFBFu, 0xFFFFFFFFu};
    QCOMPARE(out, expected);
}

void TestZoomScaler::sameSizeIsAnOpaqueCopy_data() {
    QTest::addColumn<QRect>("part");
    QTest::newRow("whole") << QRect(0, 0, 31, 17);
    QTest::newRow("inside") << QRect(5, 3, 20, 11);
    QTest::newRow("to the bottom right corner") << QRect(12, 9, 19, 8);
    QTest::newRow("one pixel") << QRect(30, 16, 1, 1);
}

void TestZoomScaler::sameSizeIsAnOpaqueCopy() {
    QFETCH(QRect, part);
    const Picture picture = Noise(31, 17);
    const std::vector<uint32_t> out = Scaled(picture, 31, 17, part);
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            QCOMPARE(out[size_t(y * part.width() + x)],
                     picture.pixels[size_t((part.top() + y) * 31 + part.left() + x)] | 0xFF000000u);
}

// Each result pixel against the bilinear sum written out plainly: the
// two source pixels under its centre each way, weighted in sixteenths,
// the four products summed and rounded once, whatever order the scaler
// blends in (reductions blend down first, the rest across first).
void TestZoomScaler::pixelsAreTheWeightedSums_data() {
    QTest::addColumn<QSizeF>("zoomed");
    QTest::newRow("reduced to 0.6") << QSizeF(36, 27);
    QTest::newRow("reduced to 0.3") << QSizeF(18, 13.5);
    QTest::newRow("reduced to 0.75") << QSizeF(45, 33.75);
    QTest::newRow("narrower, taller") << QSizeF(25, 70);
    QTest::newRow("wider, lower") << QSizeF(130, 20);
    QTest::newRow("enlarged 1.5") << QSizeF(90, 67.5);
}

void TestZoomScaler::pixelsAreTheWeightedSums() {
    QFETCH(QSizeF, zoomed);
    const Picture picture = Noise(60, 45);
    const QRect all(0, 0, qCeil(zoomed.width()), qCeil(zoomed.height()));
    const std::vector<uint32_t> out = Scaled(picture, zoomed.width(), zoomed.height(), all);
    // The source pixel under a result pixel's centre and the weight of the next.
    auto tap = [](int position, double scale, int size) {
        const double centre = (position + 0.5) * scale - 0.5;
        int first = int(std::floor(centre));
        int weight = int(std::lround((centre - first) * 16));
        if (weight == 16) ++first, weight = 0;
        if (first < 0) first = 0, weight = 0;
        if (first >= size - 1) first = size - 1, weight = 0;
        return std::pair{first, weight};
    };
    for (int y = 0; y < all.height(); ++y)
        for (int x = 0; x < all.width(); ++x) {
            const auto [column, wx] = tap(x, picture.width / zoomed.width(), picture.width);
            const auto [row, wy] = tap(y, picture.height / zoomed.height(), picture.height);
            auto at = [&](int dx, int dy) { return picture.pixels[size_t(row + dy) * picture.width + column + dx]; };
            uint32_t expected = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                auto channel = [&](int dx, int dy) { return int(at(dx, dy) >> shift & 0xFF); };
                const int sum = channel(0, 0) * (16 - wx) * (16 - wy) + channel(wx ? 1 : 0, 0) * wx * (16 - wy) +
                                channel(0, wy ? 1 : 0) * (16 - wx) * wy + channel(wx ? 1 : 0, wy ? 1 : 0) * wx * wy;
                expected |= uint32_t((sum + 128) >> 8) << shift;
            }
            QVERIFY2(out[size_t(y) * all.width() + x] == expected, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
}

QTEST_APPLESS_MAIN(TestZoomScaler)
#include "test_zoomscaler.moc"
