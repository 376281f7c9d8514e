#include "render/LabelInk.h"

#include <algorithm>
#include <vector>

namespace {

// a * b / 255, rounded as the raster painter rounds it.
inline int Mul255(int a, int b) {
    const int t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

// What the outline lets through at every pixel of `out`. A dark copy of
// coverage a lets 1 - haloAlpha * a / 255^2 of what lies under it through;
// blended one over another, the eight copies let through the product of
// theirs. That product is the 3 x 3 product round the pixel (every `shift`
// pixels) over the pixel's own factor, and a 3 x 3 product is a product of
// three along each column, then three of those along the row: a few
// multiplications a pixel whatever the name.
class Outline {
public:
    Outline(const QImage& name, const QRect& out, int shift, int haloAlpha)
        : m_shift(shift), m_width(out.width() + 2 * shift),
          m_passes(size_t(m_width) * size_t(out.height() + 2 * shift)) {
        const float darkness = float(haloAlpha) / (255.0f * 255.0f);
        const QRect padded = out.adjusted(-shift, -shift, shift, shift);
        std::fill(m_passes.begin(), m_passes.end(), 1.0f);  // beyond the name, nothing covered
        const QRect covered = padded & name.rect();
        for (int nameY = covered.top(); nameY <= covered.bottom(); ++nameY) {
            const auto* from = reinterpret_cast<const QRgb*>(name.constScanLine(nameY)) + covered.left();
            float* to = &m_passes[size_t(nameY - padded.top()) * size_t(m_width) +
                                  size_t(covered.left() - padded.left())];
            for (int x = 0; x < covered.width(); ++x) to[x] = 1.0f - darkness * float(qAlpha(from[x]));
        }
        m_columns.resize(size_t(m_width) * size_t(out.height()));
        for (int y = 0; y < out.height(); ++y) {
            const float* above = &m_passes[size_t(y) * size_t(m_width)];
            const float* at = above + size_t(shift) * size_t(m_width);
            const float* below = at + size_t(shift) * size_t(m_width);
            float* column = &m_columns[size_t(y) * size_t(m_width)];
            for (int x = 0; x < m_width; ++x) column[x] = above[x] * at[x] * below[x];
        }
    }
    // What the outline lets through at (x, y) of `out`: 1 where no copy
    // falls, down to (1 - haloAlpha / 255)^8.
    void Row(int y, float* through) const {
        const float* column = &m_columns[size_t(y) * size_t(m_width)];
        const float* own = &m_passes[size_t(y + m_shift) * size_t(m_width) + size_t(m_shift)];
        const int width = m_width - 2 * m_shift;
        for (int x = 0; x < width; ++x)
            through[x] = column[x] * column[x + m_shift] * column[x + 2 * m_shift] / own[x];
    }

private:
    int m_shift, m_width;
    std::vector<float> m_passes;   // each pixel's own factor, `shift` beyond `out` on every side
    std::vector<float> m_columns;  // the products along the columns, for the rows of `out`
};

}  // namespace

QRect InkOf(const QImage& image, const QRect& area) {
    int top = area.bottom() + 1, bottom = -1, left = area.right() + 1, right = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = area.left();
        while (first <= area.right() && qAlpha(row[first]) == 0) ++first;
        if (first > area.right()) continue;
        int last = area.right();
        while (qAlpha(row[last]) == 0) --last;
        top = std::min(top, y), bottom = y;
        left = std::min(left, first), right = std::max(right, last);
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

LabelInk HaloedName(const QImage& name, int shift, QRgb text, int haloAlpha) {
    const QRect whole = name.rect();
    const QRect ink = InkOf(name, whole);
    if (ink.isEmpty()) return {};
    // The copies reach `shift` pixels beyond the name's ink, within the label.
    const QRect out = ink.adjusted(-shift, -shift, shift, shift) & whole;
    const Outline outline(name, out, shift, haloAlpha);
    QImage image(out.size(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};  // out of memory: the label goes without
    std::vector<float> through(size_t(out.width()));
    for (int y = 0; y < out.height(); ++y) {
        outline.Row(y, through.data());
        const auto* own = reinterpret_cast<const QRgb*>(name.constScanLine(out.top() + y)) + out.left();
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            // The name over the outline: its coverage of its colour, and
            // of the dark under it what it leaves.
            const int a = qAlpha(own[x]);
            const int alpha = a + int(float(255 - a) * (1.0f - through[x]) + 0.5f);
            row[x] = qRgba(Mul255(qRed(text), a), Mul255(qGreen(text), a), Mul255(qBlue(text), a), alpha);
        }
    }
    return {image, out.topLeft()};
}
