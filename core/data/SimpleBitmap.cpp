#include "data/SimpleBitmap.h"

#include <cstdlib>

namespace {

constexpr size_t kFileHeader = 14;
constexpr uint32_t kInfoHeader = 40;
constexpr uint32_t kUncompressed = 0;

uint32_t U32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Opaque(const unsigned char* bgr) { return 0xFF000000u | bgr[2] << 16 | bgr[1] << 8 | bgr[0]; }

struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bits = 0;
    uint32_t pixelOffset = 0;
    std::vector<uint32_t> palette;
};

bool ReadPalette(ByteBlock bytes, uint32_t headerSize, uint32_t used, Layout& layout) {
    if (layout.bits > 8) return true;  // direct colours; a palette there is only advice
    const uint32_t count = used ? used : 1u << layout.bits;
    if (count > 1u << layout.bits) return false;
    const uint64_t start = kFileHeader + uint64_t(headerSize);
    if (start + 4 * uint64_t(count) > bytes.size) return false;
    for (uint32_t i = 0; i < count; ++i) layout.palette.push_back(Opaque(bytes.data + start + 4 * i));
    return true;
}

std::optional<Layout> ReadLayout(ByteBlock bytes) {
    if (bytes.size < kFileHeader + kInfoHeader || bytes.data[0] != 'B' || bytes.data[1] != 'M') return std::nullopt;
    const unsigned char* info = bytes.data + kFileHeader;
    const uint32_t headerSize = U32(info);
    const int32_t width = int32_t(U32(info + 4));
    const int32_t height = int32_t(U32(info + 8));
    Layout layout;
    layout.bits = U16(info + 14);
    layout.pixelOffset = U32(bytes.data + 10);
    const bool knownBits = layout.bits == 1 || layout.bits == 4 || layout.bits == 8 || layout.bits == 24 ||
                           layout.bits == 32;
    if (headerSize < kInfoHeader || U16(info + 12) != 1 || !knownBits || U32(info + 16) != kUncompressed)
        return std::nullopt;
    if (width < 1 || width > kSimpleBitmapMaxSide || height == 0 || std::abs(int64_t(height)) > kSimpleBitmapMaxSide)
        return std::nullopt;
    layout.width = width;
    layout.height = int(std::abs(int64_t(height)));
    layout.topDown = height < 0;
    if (!ReadPalette(bytes, headerSize, U32(info + 32), layout)) return std::nullopt;
    return layout;
}

// One row's pixels; false on an index past the palette.
bool DecodeRow(const Layout& layout, const unsigned char* row, uint32_t* out) {
    if (layout.bits >= 24) {
        const int step = layout.bits / 8;
        for (int x = 0; x < layout.width; ++x) out[x] = Opaque(row + x * step);
        return true;
    }
    const int perByte = 8 / layout.bits;
    const unsigned mask = (1u << layout.bits) - 1;
    for (int x = 0; x < layout.width; ++x) {
        const int shift = 8 - layout.bits * (x % perByte + 1);
        const unsigned index = (row[x / perByte] >> shift) & mask;
        if (index >= layout.palette.size()) return false;
        out[x] = layout.palette[index];
    }
    return true;
}

}  // namespace

std::optional<SimpleBitmap> DecodeSimpleBitmap(ByteBlock bytes) {
    const auto layout = ReadLayout(bytes);
    if (!layout) return std::nullopt;
    // Rows are padded to whole 32-bit words.
    const uint64_t stride = (uint64_t(layout->width) * uint64_t(layout->bits) + 31) / 32 * 4;
    if (uint64_t(layout->pixelOffset) + stride * uint64_t(layout->height) > bytes.size) return std::nullopt;
    SimpleBitmap bitmap;
    bitmap.width = layout->width;
    bitmap.height = layout->height;
    bitmap.pixels.resize(size_t(bitmap.width) * size_t(bitmap.height));
    for (int y = 0; y < bitmap.height; ++y) {
        const int stored = layout->topDown ? y : bitmap.height - 1 - y;
        const unsigned char* row = bytes.data + layout->pixelOffset + stride * uint64_t(stored);
        if (!DecodeRow(*layout, row, bitmap.pixels.data() + size_t(y) * size_t(bitmap.width))) return std::nullopt;
    }
    return bitmap;
}
