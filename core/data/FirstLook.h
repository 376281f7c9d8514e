// The map picture's first look made when the program is built: the picture
// decoded at a quarter of its size by the program's own decoder, stored with
// the length and a hash of the JPEG it came from. The start-up draws it
// without decoding anything; it stands for exactly those JPEG bytes, compared
// byte for byte (a hash of 64 bits can be forged), and is ignored for any
// other picture (a --data folder's, a damaged one).
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
// tail byte by byte): ties a stored block to the build's own JPEG. Easily
// forged, so it never stands for a comparison of the bytes.
uint64_t HashBytes(ByteBlock bytes);

// The stored block for `jpeg`: a header, then the pixels. Empty when the
// JPEG is refused or does not decode cleanly: such a picture gets no first
// look, the program decodes it and reports it as ever.
std::vector<unsigned char> MakeFirstLook(ByteBlock jpeg);

// The pixels of `stored` when `jpeg` is, byte for byte, the picture `source`
// that the block was made from, and the block is whole; otherwise nothing.
// The same block of memory for both is not compared again.
std::optional<FirstLookPixels> StoredFirstLook(ByteBlock stored, ByteBlock source, ByteBlock jpeg);
