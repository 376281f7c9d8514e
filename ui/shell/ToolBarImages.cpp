#include "shell/ToolBarImages.h"

#include "data/ResourceIds.h"
#include "data/ResourceStore.h"

#include <QImage>
#include <QPixmap>

QList<QIcon> ToolBarImages(const IResourceStore& store) {
    const auto strip = store.Find(ResType::Numeric(ResId::RT_BITMAP), ResId::IDR_MAINFRAME);
    if (!strip) return {};
    QImage image = QImage::fromData(strip->data, int(strip->size), "BMP");
    if (image.isNull() || image.width() < 64 || image.height() < 15) return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = qRgb(192, 192, 192);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (background & 0xFFFFFF)) image.setPixel(x, y, 0);
    QList<QIcon> icons;
    for (int i = 0; i < 4; ++i) icons << QIcon(QPixmap::fromImage(image.copy(16 * i, 0, 16, 15)));
    return icons;
}
