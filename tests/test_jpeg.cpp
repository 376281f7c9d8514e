#include "JpegMaker.h"

#include "data/JpegDecoder.h"

#include <QtTest>

using namespace TestJpeg;

class TestJpegDecoder : public QObject {
    Q_OBJECT
private slots:
    void decodesPixels();
    void refused_data();
    void refused();
    void hugeSizeRefused();
    void truncatedStreamIsSafe();
};

void TestJpegDecoder::decodesPixels() {
    const auto jpeg = Quadrants(40, 30);
    JpegInfo info;
    QVERIFY(ReadJpegInfo(ByteBlock(jpeg), info));
    QCOMPARE(info.width, 40);
    QCOMPARE(info.height, 30);
    const int pitch = 40 * 4 + 8;  // rows may be padded
    std::vector<unsigned char> pixels(size_t(pitch) * 30, 0);
    QVERIFY(DecodeJpegBgrx(ByteBlock(jpeg), info, pixels.data(), pitch));
    const struct { int x, y, quadrant; } probes[] = {{5, 5, 0}, {34, 4, 1}, {3, 25, 2}, {36, 27, 3}};
    for (const auto& probe : probes) {
        const unsigned char* p = &pixels[size_t(probe.y) * pitch + size_t(probe.x) * 4];
        const Rgb want = kQuadrants[probe.quadrant];
        QVERIFY2(Near(p[2], want.r) && Near(p[1], want.g) && Near(p[0], want.b),
                 qPrintable(QString("quadrant %1").arg(probe.quadrant)));
    }
}

void TestJpegDecoder::refused_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("not a picture at all");
    QTest::newRow("marker only") << QByteArray("\xFF\xD8\xFF\xD9", 4);
    QTest::newRow("png signature") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
}

void TestJpegDecoder::refused() {
    QFETCH(QByteArray, bytes);
    JpegInfo info;
    QVERIFY(!ReadJpegInfo(ByteBlock(bytes.constData(), size_t(bytes.size())), info));
}

// A header that claims a gigantic picture is refused before any allocation.
void TestJpegDecoder::hugeSizeRefused() {
    auto jpeg = Quadrants(16, 16);
    bool patched = false;
    for (size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // start of frame: height, width at +5
            jpeg[i + 5] = jpeg[i + 6] = jpeg[i + 7] = jpeg[i + 8] = 0xFF;
            patched = true;
            break;
        }
    QVERIFY(patched);
    JpegInfo info;
    QVERIFY(!ReadJpegInfo(ByteBlock(jpeg), info));
}

void TestJpegDecoder::truncatedStreamIsSafe() {
    const auto jpeg = Quadrants(64, 64);
    for (size_t cut : {jpeg.size() / 3, jpeg.size() / 2, jpeg.size() - 3}) {
        const std::vector<unsigned char> part(jpeg.begin(), jpeg.begin() + long(cut));
        JpegInfo info;
        if (!ReadJpegInfo(ByteBlock(part), info)) continue;
        std::vector<unsigned char> pixels(size_t(info.width) * info.height * 4);
        DecodeJpegBgrx(ByteBlock(part), info, pixels.data(), info.width * 4);  // no crash
    }
}

QTEST_APPLESS_MAIN(TestJpegDecoder)
#include "test_jpeg.moc"
