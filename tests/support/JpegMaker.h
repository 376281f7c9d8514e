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

// Compresses packed pixels of the given format (as many bytes per pixel as
// the format has) at quality 100.
inline std::vector<unsigned char> Compress(const std::vector<unsigned char>& pixels, int width, int height,
                                           int pixelFormat, int subsampling = TJSAMP_444, int flags = 0) {
    tjhandle handle = tjInitCompress();
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    tjCompress2(handle, pixels.data(), width, 0, height, pixelFormat, &jpeg, &size, subsampling, 100, flags);
    std::vector<unsigned char> out(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

// Encodes a picture whose pixel (x, y) has the colour colourAt(x, y).
template <class ColourAt>
std::vector<unsigned char> Encode(int width, int height, ColourAt colourAt, int flags = 0) {
    std::vector<unsigned char> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y);
            unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    return Compress(rgb, width, height, TJPF_RGB, TJSAMP_444, flags);
}

inline std::vector<unsigned char> Quadrants(int width, int height) {
    return Encode(width, height, [=](int x, int y) {
        return kQuadrants[(y >= height / 2 ? 2 : 0) + (x >= width / 2 ? 1 : 0)];
    });
}

inline std::vector<unsigned char> Solid(int width, int height, Rgb colour) {
    return Encode(width, height, [=](int, int) { return colour; });
}

// A picture in print colours: four components (cyan, magenta, yellow, black).
inline std::vector<unsigned char> Cmyk(int width, int height) {
    return Compress(std::vector<unsigned char>(size_t(width) * height * 4, 0x40), width, height, TJPF_CMYK);
}

inline std::vector<unsigned char> Gray(int width, int height, uint8_t level) {
    return Compress(std::vector<unsigned char>(size_t(width) * height, level), width, height, TJPF_GRAY,
                    TJSAMP_GRAY);
}

using Bytes = std::vector<unsigned char>;

// Where the first marker of this type starts, or the size when there is none.
inline size_t FindMarker(const Bytes& jpeg, unsigned char type) {
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == type) return i;
    return jpeg.size();
}

// The start-of-frame header of a baseline or progressive picture: marker,
// length (2), precision, height (2), width (2), components.
inline size_t FrameHeader(const Bytes& jpeg) {
    for (unsigned char type : {0xC0, 0xC2})
        if (const size_t at = FindMarker(jpeg, type); at < jpeg.size()) return at;
    return jpeg.size();
}

// The same bytes with the frame header saying something else: another
// coding process (0xC3: lossless), sample precision or size.
inline Bytes WithFrameType(Bytes jpeg, unsigned char type) {
    jpeg[FrameHeader(jpeg) + 1] = type;
    return jpeg;
}
inline Bytes WithPrecision(Bytes jpeg, int bits) {
    jpeg[FrameHeader(jpeg) + 4] = uint8_t(bits);
    return jpeg;
}
inline Bytes WithSize(Bytes jpeg, int width, int height) {
    const size_t at = FrameHeader(jpeg);
    jpeg[at + 5] = uint8_t(height >> 8), jpeg[at + 6] = uint8_t(height);
    jpeg[at + 7] = uint8_t(width >> 8), jpeg[at + 8] = uint8_t(width);
    return jpeg;
}

// The first `size` bytes: a file cut short.
inline Bytes Cut(const Bytes& jpeg, size_t size) { return Bytes(jpeg.begin(), jpeg.begin() + long(size)); }
// Cut in the middle of the first scan's data.
inline Bytes CutInScan(const Bytes& jpeg) {
    const size_t scan = FindMarker(jpeg, 0xDA);
    return Cut(jpeg, scan + (jpeg.size() - scan) / 2);
}
// Everything before the first scan: tables and frame, no picture data.
inline Bytes HeaderOnly(const Bytes& jpeg) { return Cut(jpeg, FindMarker(jpeg, 0xDA)); }

// A progressive picture (ten scans) whose last scan comes `scans` times in
// all: the decoder goes through every one of them.
inline Bytes ManyScans(int width, int height, int scans) {
    const Bytes jpeg = Encode(width, height, [](int x, int y) { return Rgb{uint8_t(x * 7), uint8_t(y * 5), 90}; },
                              TJFLAG_PROGRESSIVE);
    size_t last = jpeg.size();
    for (size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) last = i;
    const Bytes scan(jpeg.begin() + long(last), jpeg.end() - 2);  // without the end marker
    Bytes out(jpeg.begin(), jpeg.end() - 2);
    for (int i = 1; i < scans; ++i) out.insert(out.end(), scan.begin(), scan.end());
    out.push_back(0xFF), out.push_back(0xD9);
    return out;
}

inline bool Near(int a, int b, int tolerance = 12) { return a - b <= tolerance && b - a <= tolerance; }

}  // namespace TestJpeg
