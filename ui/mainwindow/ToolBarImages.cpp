#include "mainwindow/ToolBarImages.h"

#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/SimpleBitmap.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <cstring>

namespace {

const QSize kButtonImage(16, 15);

// The strip's picture up to a button's logical size; above it (a screen at
// more than 100%, where Qt asks for the size times the ratio) the vector
// drawing, rendered at the size asked.
class ButtonIconEngine : public QIconEngine {
public:
    ButtonIconEngine(QPixmap strip, QString vector) : m_strip(std::move(strip)), m_vector(std::move(vector)) {}

    QIconEngine* clone() const override { return new ButtonIconEngine(m_strip, m_vector); }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap pixmap = Drawn(size);
        if (mode == QIcon::Normal || mode == QIcon::Active) return pixmap;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }

    // `size` is in device pixels already; QIcon sets the ratio.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override {
        return pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return kButtonImage.scaled(size, Qt::KeepAspectRatio).boundedTo(size);
    }

private:
    QPixmap Drawn(const QSize& size) const {
        const QSize fitted = kButtonImage.scaled(size, Qt::KeepAspectRatio);
        const bool finer = fitted.width() > kButtonImage.width() && !m_vector.isEmpty();
        if (!finer) return m_strip.scaled(fitted, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QImage image(fitted, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QSvgRenderer(m_vector).render(&painter);
        return QPixmap::fromImage(image);
    }

    QPixmap m_strip;
    QString m_vector;
};

// True when the store's strip is the one the program embeds.
bool IsOwnStrip(ByteBlock strip) {
    QFile own(QStringLiteral(":/zerim/BITMAP_%1").arg(ResId::IDR_MAINFRAME));
    if (!own.open(QIODevice::ReadOnly)) return false;
    return own.readAll() == QByteArray::fromRawData(reinterpret_cast<const char*>(strip.data), qsizetype(strip.size));
}

// The strip's pixels: a plain bitmap (the program's own strip is one) decoded
// here, without Qt's image readers; anything else by Qt.
QImage StripPixels(ByteBlock strip) {
    const auto bitmap = DecodeSimpleBitmap(strip);
    if (!bitmap) return QImage::fromData(strip.data, int(strip.size), "BMP").convertToFormat(QImage::Format_ARGB32);
    QImage image(bitmap->width, bitmap->height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    const size_t rowBytes = size_t(bitmap->width) * sizeof(uint32_t);
    for (int y = 0; y < bitmap->height; ++y)
        std::memcpy(image.scanLine(y), bitmap->pixels.data() + size_t(y) * size_t(bitmap->width), rowBytes);
    return image;
}

QImage TransparentStrip(ByteBlock strip) {
    QImage image = StripPixels(strip);
    if (image.isNull() || image.width() < 64 || image.height() < 15) return {};
    const QRgb background = qRgb(192, 192, 192);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (background & 0xFFFFFF)) image.setPixel(x, y, 0);
    return image;
}

}  // namespace

QString ToolBarVectorImage(int index) {
    static const char* const kNames[4] = {"zoom-in", "zoom-out", "characters", "spells"};
    return QStringLiteral(":/icons/toolbar-%1.svg").arg(QLatin1String(kNames[index]));
}

QList<QIcon> ToolBarImages(const IResourceStore& store) {
    const auto strip = store.Find(ResType::Numeric(ResId::RT_BITMAP), ResId::IDR_MAINFRAME);
    if (!strip) return {};
    const QImage image = TransparentStrip(*strip);
    if (image.isNull()) return {};
    const bool own = IsOwnStrip(*strip);
    QList<QIcon> icons;
    for (int i = 0; i < 4; ++i) {
        const QPixmap button = QPixmap::fromImage(image.copy(16 * i, 0, 16, 15));
        icons << QIcon(new ButtonIconEngine(button, own ? ToolBarVectorImage(i) : QString()));
    }
    return icons;
}
