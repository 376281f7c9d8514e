// Makes small JPEG files for tests: a picture of four solid quadrants.
#pragma once
#include <turbojpeg.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace TestJpeg {

struct Rgb {
    uint8_t r, g, b;
};

// Quadrants: top-left, top-right, bottom-left, bottom-right.
constexpr Rgb kQuadrants[4] = {{220, 30, 30}, {30, 200, 40}, {40, 60, 210}, {240, 240, 240}};

// Encodes a picture whose pixel (x, y) has the colour colourAt(x, y).
template <class ColourAt>
std::vector<unsigned char> Encode(int width, int height, ColourAt colourAt) {
    std::vector<unsigned char> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y);
            unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, rgb.data(), width, 0, height, TJPF_RGB, &jpeg, &size, TJSAMP_444, 100, 0);
    std::vector<unsigned char> out(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

inline std::vector<unsigned char> Quadrants(int width, int height) {
    return Encode(width, height, [=](int x, int y) {
        return kQuadrants[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
    });
}

inline std::vector<unsigned char> Solid(int width, int height, Rgb colour) {
    return Encode(width, height, [=](int, int) { return colour; });
}

inline bool Near(int a, int b, int tolerance = 12) { return a - b <= tolerance && b - a <= tolerance; }

}  // namespace TestJpeg
