#include "BmpOut.h"

namespace wg2 {

std::vector<uint8_t> EncodeBmp4(int width, int height, const std::vector<uint8_t>& indices,
                                const std::array<Rgb, 16>& palette) {
    const uint32_t rowBytes = ((uint32_t(width) * 4 + 31) / 32) * 4;
    const uint32_t imageBytes = rowBytes * uint32_t(height);
    const uint32_t offset = 14 + 40 + 16 * 4;
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        for (int s = 0; s < 32; s += 8) out.push_back(uint8_t(v >> s));
    };
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    u32(offset + imageBytes);
    u16(0);
    u16(0);
    u32(offset);
    // BITMAPINFOHEADER
    u32(40);
    u32(uint32_t(width));
    u32(uint32_t(height));  // positive: bottom-up
    u16(1);                 // planes
    u16(4);                 // bits per pixel
    u32(0);                 // BI_RGB
    u32(imageBytes);
    u32(0);                 // pixels per metre, x and y: unspecified
    u32(0);
    u32(16);                // colours used
    u32(0);                 // all important
    for (const Rgb& c : palette) {  // RGBQUAD: blue, green, red, reserved
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const uint8_t v = indices[size_t(y) * size_t(width) + size_t(x)] & 0x0F;
            row[size_t(x) / 2] |= (x % 2 == 0) ? uint8_t(v << 4) : v;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace wg2
