// Decoding the map picture's JPEG bytes with libjpeg-turbo, straight into a
// caller's pixel buffer (no intermediate copy of a 50 MB picture).
#pragma once
#include "ByteBlock.h"

#include <cstdint>

struct JpegInfo {
    int width = 0;
    int height = 0;
};

// Pictures larger than this are refused rather than allocated: the bytes may
// come from outside the program and claim any size. The side limit also
// keeps the map view's arithmetic within 32 bits at its highest zoom.
constexpr int64_t kMaxJpegPixels = int64_t(1) << 28;  // 268 megapixels
constexpr int kMaxJpegSide = 16384;

// The picture's size, if the bytes start a JPEG that libjpeg-turbo accepts
// and that is not larger than kMaxJpegPixels.
bool ReadJpegInfo(ByteBlock bytes, JpegInfo& info);

// Decodes to 32-bit pixels, blue, green, red, then a padding byte (the
// memory order of a little-endian 0xffRRGGBB). `pitch` is the byte length of
// one row of `pixels`; the buffer holds info.height rows. Returns false when
// the data cannot be decoded; the buffer's content is then unspecified.
bool DecodeJpegBgrx(ByteBlock bytes, const JpegInfo& info, unsigned char* pixels, int pitch);

// The size of the picture decoded at 1 / `denominator` (2, 4 or 8): each side
// divided and rounded up, as the decoder's DCT scaling gives it.
JpegInfo ScaledInfo(const JpegInfo& info, int denominator);
// Decodes straight to 1 / `denominator` of the size, at a fraction of the
// work of a full decode; `pixels` holds ScaledInfo(info, denominator).
bool DecodeJpegBgrxScaled(ByteBlock bytes, const JpegInfo& info, int denominator,
                          unsigned char* pixels, int pitch);
