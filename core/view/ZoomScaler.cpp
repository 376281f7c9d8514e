#include "view/ZoomScaler.h"

#include <algorithm>
#include <cmath>

namespace {
// Positions between two source pixels are rounded to sixteenths, as fine as
// the eye tells apart and coarse enough for 16-bit arithmetic.
constexpr uint32_t kSteps = 16;
}  // namespace

CZoomScaler::CZoomScaler(const uint32_t* source, int width, int height, ptrdiff_t stride, double zoomedWidth,
                         double zoomedHeight)
    : m_source(source), m_width(width), m_height(height), m_stride(stride),
      m_scaleX(width / zoomedWidth), m_scaleY(height / zoomedHeight) {}

// The two source pixels under result pixel `position` and the weight of the
// second, from the centre of the result pixel mapped into the source.
CZoomScaler::Tap CZoomScaler::TapAt(int position, double scale, int size) const {
    const double centre = (position + 0.5) * scale - 0.5;
    const double floor = std::floor(centre);
    int first = int(floor);
    uint32_t weight = uint32_t(std::lround((centre - floor) * kSteps));
    if (weight == kSteps) ++first, weight = 0;
    if (first < 0) first = 0, weight = 0;
    if (first >= size - 1) first = size - 1, weight = 0;
    return {first, weight};
}

// One source row blended across to the result's columns: four channels of
// 16 bits a pixel (a channel times kSteps). The two pixels under each column
// are gathered first, so that the blending runs over plain arrays.
void CZoomScaler::BlendRow(const uint32_t* row, uint16_t* out) {
    const size_t count = m_columns.size();
    for (size_t x = 0; x < count; ++x) {
        m_firsts[x] = row[m_columns[x].first];
        m_seconds[x] = row[m_columns[x].first + (m_columns[x].weight ? 1 : 0)];
    }
    const uint8_t* a = reinterpret_cast<const uint8_t*>(m_firsts.data());
    const uint8_t* b = reinterpret_cast<const uint8_t*>(m_seconds.data());
    for (size_t i = 0; i < 4 * count; ++i) out[i] = uint16_t(a[i] * m_weightsA[i] + b[i] * m_weightsB[i]);
}

namespace {

// Two blended rows mixed down to one row of result pixels, byte by byte.
// Sixteen bits hold a channel times kSteps squared: the sums stay in
// 16-bit lanes.
void BlendDown(const uint16_t* __restrict upper, const uint16_t* __restrict lower, uint16_t weight, size_t count,
               uint8_t* __restrict out) {
    const uint16_t wa = uint16_t(kSteps - weight), wb = weight;
    for (size_t i = 0; i < count; ++i)
        out[i] = uint8_t(uint16_t(upper[i] * wa + lower[i] * wb + kSteps * kSteps / 2) >> 8);
}

}  // namespace

void CZoomScaler::Scale(int left, int top, PixelBlock out) {
    if (out.width <= 0 || out.height <= 0 || m_width <= 0 || m_height <= 0) return;
    m_columns.resize(size_t(out.width));
    m_firsts.resize(size_t(out.width)), m_seconds.resize(size_t(out.width));
    m_weightsA.resize(4 * size_t(out.width)), m_weightsB.resize(4 * size_t(out.width));
    for (int x = 0; x < out.width; ++x) {
        const Tap tap = m_columns[size_t(x)] = TapAt(left + x, m_scaleX, m_width);
        std::fill_n(&m_weightsA[4 * size_t(x)], 4, uint16_t(kSteps - tap.weight));
        std::fill_n(&m_weightsB[4 * size_t(x)], 4, uint16_t(tap.weight));
    }
    m_rows.resize(size_t(out.height));
    for (int y = 0; y < out.height; ++y) m_rows[size_t(y)] = TapAt(top + y, m_scaleY, m_height);
    // Every source row the rectangle reads, blended across once.
    const int firstRow = m_rows.front().first;
    const int lastRow = std::min(m_height - 1, m_rows.back().first + 1);
    const size_t rowSize = size_t(out.width) * 4;
    m_blended.resize(size_t(lastRow - firstRow + 1) * rowSize);
    for (int r = firstRow; r <= lastRow; ++r)
        BlendRow(m_source + ptrdiff_t(r) * m_stride, &m_blended[size_t(r - firstRow) * rowSize]);
    for (int y = 0; y < out.height; ++y) {
        const Tap& tap = m_rows[size_t(y)];
        const uint16_t* upper = &m_blended[size_t(tap.first - firstRow) * rowSize];
        const uint16_t* lower = tap.weight ? upper + rowSize : upper;
        uint8_t* target = reinterpret_cast<uint8_t*>(out.pixels + ptrdiff_t(y) * out.stride);
        BlendDown(upper, lower, uint16_t(tap.weight), rowSize, target);
        uint32_t* pixels = out.pixels + ptrdiff_t(y) * out.stride;
        for (int x = 0; x < out.width; ++x) pixels[x] |= 0xFF000000u;  // opaque, whatever the source's fourth byte
    }
}
