// Comparing two pictures of the same size, for the map quality tests.
#pragma once
#include <QImage>

#include <cmath>

// Peak signal-to-noise ratio in decibels over the three colour channels;
// infinite for identical pictures.
inline double Psnr(const QImage& a, const QImage& b) {
    double squared = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d[3] = {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)};
            for (int v : d) squared += double(v) * v;
        }
    if (squared == 0) return INFINITY;
    return 10.0 * std::log10(255.0 * 255.0 * 3.0 * a.width() * a.height() / squared);
}
