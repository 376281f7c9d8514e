// The plain Windows bitmaps: a BMP file with an info header of 40 bytes or
// more, not compressed, 1, 4, 8, 24 or 32 bits a pixel, rows bottom-up or
// top-down. The tool bar's strip is one, and decoding it here keeps Qt's
// image readers (which load every image plug-in on first use) out of the
// start-up.
#pragma once
#include "data/ByteBlock.h"

#include <cstdint>
#include <optional>
#include <vector>

struct SimpleBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xFFRRGGBB, rows top to bottom
};

// Bitmaps up to this many pixels a side; a tool bar's strip is far smaller.
constexpr int kSimpleBitmapMaxSide = 4096;

// The picture, or nullopt for anything else: another format, compression,
// bit count or header, a size over the limit, a palette index past the
// palette, or bytes that end before the header says they do.
std::optional<SimpleBitmap> DecodeSimpleBitmap(ByteBlock bytes);
