// The map picture's first look made when the program is built: the picture
// decoded at a quarter of its size by the program's own decoder, stored with
// the length and a hash of the JPEG it came from. The start-up draws it
// without decoding anything; it stands for exactly those JPEG bytes and is
// ignored for any other picture (a --data folder's, a damaged one).
#pragma once
#include "data/ByteBlock.h"

#include <cstdint>
#include <optional>
#include <vector>

// The first look's scale: what the start-up zoom draws from.
constexpr int kFirstLookDenominator = 4;

// Blue, green, red, padding bytes, as DecodeJpegBgrxScaled writes them.
struct FirstLookPixels {
    const unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;  // bytes from one row to the next
};

// A 64-bit hash of the bytes (FNV-1a over little-endian 8-byte words, the
// tail byte by byte): tells one JPEG from another at memory speed.
uint64_t HashBytes(ByteBlock bytes);

// The stored block for `jpeg`: a header, then the pixels. Empty when the
// JPEG is refused or does not decode cleanly: such a picture gets no first
// look, the program decodes it and reports it as ever.
std::vector<unsigned char> MakeFirstLook(ByteBlock jpeg);

// The pixels of `stored` when it was made from exactly these JPEG bytes and
// is whole; otherwise nothing.
std::optional<FirstLookPixels> StoredFirstLook(ByteBlock stored, ByteBlock jpeg);
