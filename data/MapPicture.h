// The map picture: decoded once from its JPEG resource and kept decoded;
// draws any part of itself stretched into a rectangle.
#pragma once
#include "ByteBlock.h"
#include "Geometry.h"

#include <QImage>

#include <vector>

class QPainter;

// Whole-picture mode: every draw scales the whole picture into the
// destination, ignoring the source. Set once at start-up.
extern bool g_bWholePicture;

class CMapPicture {
public:
    // Loads the JPG resource with this id (low 16 bits). False when the
    // resource is missing, and the current picture is kept; otherwise true,
    // even if the bytes do not decode, which leaves the picture empty.
    bool Load(unsigned int id);
    // Replaces the picture with the decoded bytes; always true, the picture
    // being empty when they do not decode.
    bool LoadFromBytes(ByteBlock bytes);

    bool IsEmpty() const { return m_image.isNull(); }
    CSize GetHimetricSize() const;
    CSize GetPixelSize() const;
    const QImage& Image() const { return m_image; }

    // Draws picture pixels `source` (top-down) stretched into `dest`, in the
    // painter's coordinates. The picture must not be empty. A reduced draw
    // reads from the halved copy just at or above the target scale, so the
    // map is never aliased.
    bool Render(QPainter& painter, const CRect& dest, const CRect& source) const;

    // The halved copies: level k is the picture at 1 / 2^k (level 0 is the
    // picture itself), down to about a hundred pixels.
    int LevelCount() const { return int(m_levels.size()); }
    const QImage& Level(int k) const { return m_levels[size_t(k)]; }

private:
    void BuildLevels();

    QImage m_image;  // RGB32, null while empty
    std::vector<QImage> m_levels;
};

// The picture at half its size, each pixel the mean of a 2 x 2 block (an odd
// last row or column is averaged with itself).
QImage HalveByAreaAverage(const QImage& image);
