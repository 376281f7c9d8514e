#include "MapPicture.h"

#include "JpegDecoder.h"
#include "PictureGeometry.h"
#include "ResourceIds.h"
#include "ResourceStore.h"

#include <QPainter>

bool g_bWholePicture = false;

bool CMapPicture::Load(unsigned int id) {
    const auto bytes = FindResource(ResType::Named(ResId::RT_JPG), int(id & 0xFFFF));
    if (!bytes) return false;
    return LoadFromBytes(*bytes);
}

bool CMapPicture::LoadFromBytes(ByteBlock bytes) {
    m_image = QImage();  // the old picture goes first, even if the new one fails
    JpegInfo info;
    if (!ReadJpegInfo(bytes, info)) return true;
    QImage image(info.width, info.height, QImage::Format_RGB32);
    if (image.isNull()) return true;  // out of memory
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "RGB32 is BGRX in memory on this platform");
    if (DecodeJpegBgrx(bytes, info, image.bits(), int(image.bytesPerLine())))
        m_image = std::move(image);
    return true;
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
    painter.drawImage(QRectF(dest.left, dest.top, dest.Width(), dest.Height()), m_image,
                      QRectF(src.left, src.top, src.width, src.height));
    return true;
}
