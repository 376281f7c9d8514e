// Decoding the map picture's JPEG bytes with libjpeg-turbo, straight into a
// caller's pixel buffer (no intermediate copy of a 50 MB picture).
#pragma once
#include "data/ByteBlock.h"
#include "data/JpegProblem.h"

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

// Reads the picture's size from the header. None when the bytes start a JPEG
// that the decoder takes (8-bit samples, grey or colour, not larger than
// kMaxJpegPixels); otherwise why the picture is refused.
JpegProblem InspectJpeg(ByteBlock bytes, JpegInfo& info);
// Whether InspectJpeg finds no problem.
bool ReadJpegInfo(ByteBlock bytes, JpegInfo& info);

// Decodes to 32-bit pixels, blue, green, red, then a padding byte (the
// memory order of a little-endian 0xffRRGGBB). `pitch` is the byte length of
// one row of `pixels`; the buffer holds info.height rows. Returns None for a
// clean decode; a refusal (IsRefusal) leaves the buffer's content
// unspecified; a fault (a stream that ends early, damaged data) still fills
// the whole buffer, with what could be decoded.
JpegProblem DecodeJpegBgrx(ByteBlock bytes, const JpegInfo& info, unsigned char* pixels, int pitch);

// The size of the picture decoded at 1 / `denominator` (2, 4 or 8): each side
// divided and rounded up, as the decoder's DCT scaling gives it.
JpegInfo ScaledInfo(const JpegInfo& info, int denominator);
// Decodes straight to 1 / `denominator` of the size, at a fraction of the
// work of a full decode; `pixels` holds ScaledInfo(info, denominator).
JpegProblem DecodeJpegBgrxScaled(ByteBlock bytes, const JpegInfo& info, int denominator,
                                 unsigned char* pixels, int pitch);
