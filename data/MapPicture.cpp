#include "MapPicture.h"

#include "JpegDecoder.h"
#include "PictureGeometry.h"
#include "ResourceIds.h"
#include "ResourceStore.h"

#include <QPainter>

#include <algorithm>

bool g_bWholePicture = false;

bool CMapPicture::Load(unsigned int id) {
    const auto bytes = FindResource(ResType::Named(ResId::RT_JPG), int(id & 0xFFFF));
    if (!bytes) return false;
    return LoadFromBytes(*bytes);
}

bool CMapPicture::LoadFromBytes(ByteBlock bytes) {
    m_image = QImage();  // the old picture goes first, even if the new one fails
    m_levels.clear();
    JpegInfo info;
    if (!ReadJpegInfo(bytes, info)) return true;
    QImage image(info.width, info.height, QImage::Format_RGB32);
    if (image.isNull()) return true;  // out of memory
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is BGRX in memory on this platform");
    if (DecodeJpegBgrx(bytes, info, image.bits(), int(image.bytesPerLine()))) {
        m_image = std::move(image);
        BuildLevels();
    }
    return true;
}

void CMapPicture::BuildLevels() {
    m_levels = {m_image};
    while (std::min(m_levels.back().width(), m_levels.back().height()) >= 128)
        m_levels.push_back(HalveByAreaAverage(m_levels.back()));
}

QImage HalveByAreaAverage(const QImage& image) {
    const int w = image.width(), h = image.height();
    QImage half((w + 1) / 2, (h + 1) / 2, QImage::Format_RGB32);
    for (int y = 0; y < half.height(); ++y) {
        const auto* row0 = reinterpret_cast<const uchar*>(image.constScanLine(2 * y));
        const auto* row1 = reinterpret_cast<const uchar*>(image.constScanLine(std::min(2 * y + 1, h - 1)));
        auto* out = half.scanLine(y);
        for (int x = 0; x < half.width(); ++x) {
            const int x0 = 8 * x, x1 = 4 * std::min(2 * x + 1, w - 1);
            for (int c = 0; c < 4; ++c)
                out[4 * x + c] = uchar((row0[x0 + c] + row0[x1 + c] + row1[x0 + c] + row1[x1 + c] + 2) / 4);
        }
    }
    return half;
}

CSize CMapPicture::GetHimetricSize() const {
    if (IsEmpty()) return {};
    return HimetricFromPixels({m_image.width(), m_image.height()});
}

CSize CMapPicture::GetPixelSize() const { return PixelsFromHimetric(GetHimetricSize()); }

bool CMapPicture::Render(QPainter& painter, const CRect& dest, const CRect& source) const {
    if (IsEmpty()) return true;
    const CSize himetric = GetHimetricSize();
    const PixelRectF src = SourcePixels(RenderSource(himetric, source, g_bWholePicture), himetric,
                                        {m_image.width(), m_image.height()});
    if (src.width <= 0 || src.height <= 0) return true;
    // The smallest copy that still has at least one pixel per destination pixel.
    const double scale = std::min(dest.Width() / src.width, dest.Height() / src.height);
    int level = 0;
    while (level + 1 < LevelCount() && scale <= 1.0 / double(1 << (level + 1))) ++level;
    const double f = 1.0 / double(1 << level);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1.0);
    painter.drawImage(QRectF(dest.left, dest.top, dest.Width(), dest.Height()), Level(level),
                      QRectF(src.left * f, src.top * f, src.width * f, src.height * f));
    painter.restore();
    return true;
}
