#include "startup/ProgramIcon.h"

#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const int kPictureSizes[] = {16, 32, 48};
const QString kDrawingFile = QStringLiteral(":/icons/icon.svg");

QString PictureFile(int size) { return QStringLiteral(":/icons/icon-%1.png").arg(size); }

// Draws a size only when a window asks for it: the drawing stays out of the
// start-up, where drawing five large sizes would cost more than the map.
class ProgramIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new ProgramIconEngine; }

    // What a window system may take all at once when the window shows (X11
    // does): up to 256, as the icon theme's largest picture.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int size : {16, 32, 48, 64, 128, 256}) sizes << QSize(size, size);
        return sizes;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal ratio) override {
        const QSize pixels = size * ratio;
        for (int side : kPictureSizes)
            if (pixels == QSize(side, side)) return QPixmap(PictureFile(side));
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        QSvgRenderer(kDrawingFile).render(&painter);
        painter.end();
        QPixmap drawn = QPixmap::fromImage(image);
        drawn.setDevicePixelRatio(ratio);
        return drawn;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
};

}  // namespace

QIcon ProgramIcon() {
    if (QFile::exists(kDrawingFile)) return QIcon(new ProgramIconEngine);
    QIcon pictures;  // a build without the embedded drawing
    for (int size : kPictureSizes) pictures.addFile(PictureFile(size));
    return pictures;
}
