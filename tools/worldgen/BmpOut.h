// Writes a Windows BMP with a BITMAPINFOHEADER, 4 bits per pixel, a 16-colour
// palette, uncompressed, rows bottom-up and padded to 4 bytes.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wg2 {

struct Rgb {
    uint8_t r, g, b;
};

// `indices`: width * height palette indices (0..15), rows top to bottom.
std::vector<uint8_t> EncodeBmp4(int width, int height, const std::vector<uint8_t>& indices,
                                const std::array<Rgb, 16>& palette);

}  // namespace wg2
