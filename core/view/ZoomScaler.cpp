#include "view/ZoomScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// Positions between two source pixels are rounded to sixteenths, as fine as
// the eye tells apart and coarse enough for 16-bit arithmetic.
constexpr uint32_t kSteps = 16;
// Source rows to a result row from which blending down first is the faster
// order (measured: the two cost the same at about 1.4).
constexpr double kDownFirstFrom = 1.5;
// How many rows ahead the rows blended across are asked for.
constexpr int kRowsAhead = 2;
}  // namespace

// The row loops, compiled twice where the processor may have 256-bit
// vectors: the loader picks the version the processor runs (the integer sums
// are the same either way, so are the pixels). Twice the lanes made zoom
// steps about a third faster.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define ZERIM_ROW_LOOP __attribute__((target_clones("avx2", "default")))
#else
#define ZERIM_ROW_LOOP
#endif

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
ZERIM_ROW_LOOP void CZoomScaler::BlendRow(const uint32_t* row, uint16_t* out) {
    const size_t count = m_columns.size();
    const Tap* __restrict columns = m_columns.data();
    uint32_t* __restrict firsts = m_firsts.data();
    uint32_t* __restrict seconds = m_seconds.data();
    for (size_t x = 0; x < count; ++x) {
        firsts[x] = row[columns[x].first];
        seconds[x] = row[columns[x].first + (columns[x].weight ? 1 : 0)];
    }
    const uint8_t* a = reinterpret_cast<const uint8_t*>(m_firsts.data());
    const uint8_t* b = reinterpret_cast<const uint8_t*>(m_seconds.data());
    for (size_t i = 0; i < 4 * count; ++i) out[i] = uint16_t(a[i] * m_weightsA[i] + b[i] * m_weightsB[i]);
}

namespace {

// Asks for the source pixels `count` bytes from `from` on ahead of their
// use: a row's part is too short for the processor to see the stream
// before it ends, and each row starts on pages of its own.
void Prefetch(const void* from, size_t count) {
    const char* bytes = static_cast<const char*>(from);
    for (size_t offset = 0; offset < count; offset += 64) __builtin_prefetch(bytes + offset);
}

// Two blended rows mixed down to one row of result pixels, byte by byte.
// Sixteen bits hold a channel times kSteps squared: the sums stay in
// 16-bit lanes.
void BlendDown(const uint16_t* __restrict upper, const uint16_t* __restrict lower, uint16_t weight, size_t count,
               uint8_t* __restrict out) {
    const uint16_t wa = uint16_t(kSteps - weight), wb = weight;
    for (size_t i = 0; i < count; ++i)
        out[i] = uint8_t(uint16_t(upper[i] * wa + lower[i] * wb + kSteps * kSteps / 2) >> 8);
}

// The same with a weight for each lane: rows already blended down, mixed
// across.
void BlendDown(const uint16_t* __restrict a, const uint16_t* __restrict wa, const uint16_t* __restrict b,
               const uint16_t* __restrict wb, size_t count, uint8_t* __restrict out) {
    for (size_t i = 0; i < count; ++i) out[i] = uint8_t(uint16_t(a[i] * wa[i] + b[i] * wb[i] + kSteps * kSteps / 2) >> 8);
}

// Two source rows blended down, byte by byte: a channel times kSteps.
void MixRows(const uint8_t* __restrict upper, const uint8_t* __restrict lower, uint16_t weight, size_t count,
             uint16_t* __restrict out) {
    const uint16_t wa = uint16_t(kSteps - weight), wb = weight;
    for (size_t i = 0; i < count; ++i) out[i] = uint16_t(upper[i] * wa + lower[i] * wb);
}

}  // namespace

void CZoomScaler::Scale(int left, int top, PixelBlock out) {
    if (out.width <= 0 || out.height <= 0 || m_width <= 0 || m_height <= 0) return;
    if (CopiesInside(left, top, out)) return;
    PlanColumns(left, out.width);
    // Both orders give the same sums of the same products, so the same
    // pixels: a strong reduction reads many more source rows than it makes,
    // and blends each pair down before blending across.
    if (m_scaleY > kDownFirstFrom) ScaleDownFirst(top, out);
    else ScaleAcrossFirst(top, out);
    for (int y = 0; y < out.height; ++y) {
        uint32_t* pixels = out.pixels + ptrdiff_t(y) * out.stride;
        for (int x = 0; x < out.width; ++x) pixels[x] |= 0xFF000000u;  // opaque, whatever the source's fourth byte
    }
}

// At the source's own size every pixel centre falls on a source pixel's
// centre, whose value it takes: a rectangle inside the source is copied.
bool CZoomScaler::CopiesInside(int left, int top, PixelBlock out) const {
    const bool inside = left >= 0 && top >= 0 && left + out.width <= m_width && top + out.height <= m_height;
    if (m_scaleX != 1.0 || m_scaleY != 1.0 || !inside) return false;
    for (int y = 0; y < out.height; ++y) {
        const uint32_t* from = m_source + ptrdiff_t(top + y) * m_stride + left;
        uint32_t* pixels = out.pixels + ptrdiff_t(y) * out.stride;
        for (int x = 0; x < out.width; ++x) pixels[x] = from[x] | 0xFF000000u;
    }
    return true;
}

void CZoomScaler::PlanColumns(int left, int width) {
    m_columns.resize(size_t(width));
    m_weightsA.resize(4 * size_t(width)), m_weightsB.resize(4 * size_t(width));
    for (int x = 0; x < width; ++x) {
        const Tap tap = m_columns[size_t(x)] = TapAt(left + x, m_scaleX, m_width);
        std::fill_n(&m_weightsA[4 * size_t(x)], 4, uint16_t(kSteps - tap.weight));
        std::fill_n(&m_weightsB[4 * size_t(x)], 4, uint16_t(tap.weight));
    }
}

// Every source row the rectangle reads blended across once, then each
// result row mixed down from two of them.
ZERIM_ROW_LOOP void CZoomScaler::ScaleAcrossFirst(int top, PixelBlock out) {
    m_firsts.resize(size_t(out.width)), m_seconds.resize(size_t(out.width));
    m_rows.resize(size_t(out.height));
    for (int y = 0; y < out.height; ++y) m_rows[size_t(y)] = TapAt(top + y, m_scaleY, m_height);
    const int firstRow = m_rows.front().first;
    const int lastRow = std::min(m_height - 1, m_rows.back().first + 1);
    const size_t rowSize = size_t(out.width) * 4;
    m_blended.resize(size_t(lastRow - firstRow + 1) * rowSize);
    const int firstColumn = m_columns.front().first;
    const size_t readBytes = size_t(m_columns.back().first - firstColumn + 2) * 4;
    for (int r = firstRow; r <= lastRow; ++r) {
        if (r + kRowsAhead <= lastRow)
            Prefetch(m_source + ptrdiff_t(r + kRowsAhead) * m_stride + firstColumn, readBytes);
        BlendRow(m_source + ptrdiff_t(r) * m_stride, &m_blended[size_t(r - firstRow) * rowSize]);
    }
    for (int y = 0; y < out.height; ++y) {
        const Tap& tap = m_rows[size_t(y)];
        const uint16_t* upper = &m_blended[size_t(tap.first - firstRow) * rowSize];
        const uint16_t* lower = tap.weight ? upper + rowSize : upper;
        uint8_t* target = reinterpret_cast<uint8_t*>(out.pixels + ptrdiff_t(y) * out.stride);
        BlendDown(upper, lower, uint16_t(tap.weight), rowSize, target);
    }
}

// The two mixed pixels (four 16-bit channels) under each column, from the
// row blended down whose first pixel is source column `firstColumn`. Plain
// pointers: stores through the members' own would make the compiler load
// them again at every column.
void CZoomScaler::GatherPairs(const uint16_t* mixed, int firstColumn) {
    const Tap* __restrict columns = m_columns.data();
    uint64_t* __restrict firsts = m_firstsDown.data();
    uint64_t* __restrict seconds = m_secondsDown.data();
    const size_t count = m_columns.size();
    for (size_t x = 0; x < count; ++x) {
        const size_t first = size_t(columns[x].first - firstColumn);
        std::memcpy(&firsts[x], mixed + 4 * first, 8);
        std::memcpy(&seconds[x], mixed + 4 * (first + (columns[x].weight ? 1 : 0)), 8);
    }
}

// For each result row, its two source rows blended down over the columns
// the rectangle reads, then that one row blended across.
ZERIM_ROW_LOOP void CZoomScaler::ScaleDownFirst(int top, PixelBlock out) {
    const int firstColumn = m_columns.front().first;
    const int lastColumn = std::min(m_width - 1, m_columns.back().first + 1);
    const size_t span = size_t(lastColumn - firstColumn + 1) * 4;
    m_blended.resize(span);
    m_firstsDown.resize(size_t(out.width)), m_secondsDown.resize(size_t(out.width));
    for (int y = 0; y < out.height; ++y) {
        const Tap row = TapAt(top + y, m_scaleY, m_height);
        if (y + 1 < out.height) {
            const Tap next = TapAt(top + y + 1, m_scaleY, m_height);
            Prefetch(m_source + ptrdiff_t(next.first) * m_stride + firstColumn, span);
            if (next.weight) Prefetch(m_source + ptrdiff_t(next.first + 1) * m_stride + firstColumn, span);
        }
        const uint8_t* upper = reinterpret_cast<const uint8_t*>(m_source + ptrdiff_t(row.first) * m_stride + firstColumn);
        const uint8_t* lower = row.weight ? upper + m_stride * 4 : upper;
        MixRows(upper, lower, uint16_t(row.weight), span, m_blended.data());
        GatherPairs(m_blended.data(), firstColumn);
        uint8_t* target = reinterpret_cast<uint8_t*>(out.pixels + ptrdiff_t(y) * out.stride);
        BlendDown(reinterpret_cast<const uint16_t*>(m_firstsDown.data()), m_weightsA.data(),
                  reinterpret_cast<const uint16_t*>(m_secondsDown.data()), m_weightsB.data(), 4 * size_t(out.width),
                  target);
    }
}
