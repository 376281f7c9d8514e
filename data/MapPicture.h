// The map picture: decoded once from its JPEG resource and kept decoded;
// draws any part of itself stretched into a rectangle.
#pragma once
#include "ByteBlock.h"
#include "Geometry.h"

#include <QImage>

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
    // painter's coordinates. The picture must not be empty.
    bool Render(QPainter& painter, const CRect& dest, const CRect& source) const;

private:
    QImage m_image;  // RGB32, null while empty
};
