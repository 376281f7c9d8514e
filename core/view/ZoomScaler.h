// Scales a picture of 32-bit pixels (four 8-bit channels) by bilinear
// interpolation, one rectangle of the result at a time. Every result pixel
// is worked out from its own position in the whole scaled picture alone, so
// a rectangle drawn on its own holds exactly the pixels the same place has
// when the whole picture is scaled at once: a view can keep parts of a
// zoomed picture and add others later without any seam or shift.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct PixelBlock {
    uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    ptrdiff_t stride = 0;  // pixels from one row to the next
};

class CZoomScaler {
public:
    // `source` scaled to `zoomedWidth` x `zoomedHeight` (fractional sizes
    // allowed); pixel centres map onto pixel centres, edges are repeated.
    CZoomScaler(const uint32_t* source, int width, int height, ptrdiff_t stride, double zoomedWidth,
                double zoomedHeight);

    // Fills `out` with the scaled picture's pixels from (left, top) on; the
    // fourth byte of each pixel is set to 255 (an opaque picture).
    void Scale(int left, int top, PixelBlock out);

private:
    struct Tap {
        int first;        // the first source pixel (the second is the next, or the same at the edge)
        uint32_t weight;  // of the second, in sixteenths
    };
    Tap TapAt(int position, double scale, int size) const;
    bool CopiesInside(int left, int top, PixelBlock out) const;
    void PlanColumns(int left, int width);
    void BlendRow(const uint32_t* row, uint16_t* out);
    void ScaleAcrossFirst(int top, PixelBlock out);
    void ScaleDownFirst(int top, PixelBlock out);
    void GatherPairs(const uint16_t* mixed, int firstColumn);

    const uint32_t* m_source;
    int m_width, m_height;
    ptrdiff_t m_stride;
    double m_scaleX, m_scaleY;  // source pixels per result pixel
    std::vector<Tap> m_columns, m_rows;
    // Kept between calls: the source rows blended across (or down), the
    // pixels under each column and their weights, by byte.
    std::vector<uint16_t> m_blended;
    std::vector<uint32_t> m_firsts, m_seconds;
    std::vector<uint64_t> m_firstsDown, m_secondsDown;
    std::vector<uint16_t> m_weightsA, m_weightsB;
};
