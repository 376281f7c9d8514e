// The map drawn at the start-up zoom against an exact reference: the whole
// picture reduced to 20% by averaging every 5 x 5 block. Drawing from the
// halved copies must not alias: at least 40 dB PSNR, from the quick first
// decode and from the full one.
#include "ImageCompare.h"
#include "render/MapPicture.h"
#include "res/QtResourceStore.h"
#include "data/ResourceIds.h"

#include <QPainter>
#include <QtTest>

namespace {

QImage AreaAverage(const QImage& full, int factor) {
    QImage out(full.width() / factor, full.height() / factor, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int sum[3] = {};
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb p = full.pixel(x * factor + dx, y * factor + dy);
                    sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
                }
            const int n = factor * factor;
            out.setPixel(x, y, qRgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n));
        }
    return out;
}

QImage DrawAt20(const CMapPicture& picture) {
    const CSize size = picture.GetPixelSize();
    QImage target(size.cx / 5, size.cy / 5, QImage::Format_RGB32);
    QPainter painter(&target);
    picture.Render(painter, {0, 0, target.width(), target.height()}, {0, 0, size.cx, size.cy}, false);
    return target;
}

}  // namespace

class TestMapQuality : public QObject {
    Q_OBJECT
private slots:
    void startUpZoomIsNotAliased();
};

void TestMapQuality::startUpZoomIsNotAliased() {
    CQtResourceStore store;
    CMapPicture picture;
    QVERIFY(picture.LoadProgressively(store, ResId::IDR_MAP_PICTURE, nullptr));
    picture.WaitForFirstLook();
    const QImage quick = DrawAt20(picture);
    picture.FinishLoading();
    QVERIFY(!picture.Level(0).isNull());
    const QImage reference = AreaAverage(picture.Level(0), 5);
    const QImage full = DrawAt20(picture);
    const double quickDb = Psnr(quick, reference), fullDb = Psnr(full, reference);
    qInfo("PSNR at 20%%: %.1f dB from the first decode, %.1f dB from the full one", quickDb, fullDb);
    QVERIFY(quickDb >= 40.0);
    QVERIFY(fullDb >= 40.0);
}

QTEST_MAIN(TestMapQuality)
#include "test_map_quality.moc"
