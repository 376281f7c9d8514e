#include "JpegMaker.h"
#include "data/FirstLook.h"
#include "data/JpegDecoder.h"

#include <QtTest>

#include <cstring>

// The first look made at build time stands for exactly the JPEG it came
// from: its pixels are the decoder's own at a quarter of the size, and any
// other bytes, or a damaged block, get nothing (the picture is then decoded).
class TestFirstLook : public QObject {
    Q_OBJECT
private slots:
    void pixelsAreTheDecodersOwn();
    void refused_data();
    void refused();
    void noFirstLookForABadPicture();
};

namespace {

using Bytes = std::vector<unsigned char>;

const Bytes& Picture() {
    static const Bytes jpeg = TestJpeg::Encode(203, 117, [](int x, int y) {
        return TestJpeg::Rgb{uint8_t(x * 7), uint8_t(y * 5), uint8_t((x ^ y) * 3)};
    });
    return jpeg;
}

}  // namespace

void TestFirstLook::pixelsAreTheDecodersOwn() {
    const Bytes& jpeg = Picture();
    const Bytes block = MakeFirstLook(ByteBlock(jpeg));
    const auto look = StoredFirstLook(ByteBlock(block), ByteBlock(jpeg));
    QVERIFY(look);
    JpegInfo info;
    QVERIFY(ReadJpegInfo(ByteBlock(jpeg), info));
    const JpegInfo quarter = ScaledInfo(info, kFirstLookDenominator);
    QCOMPARE(look->width, quarter.width);  // 51 x 30: sides rounded up
    QCOMPARE(look->height, quarter.height);
    Bytes decoded(size_t(quarter.width) * quarter.height * 4);
    QCOMPARE(DecodeJpegBgrxScaled(ByteBlock(jpeg), info, kFirstLookDenominator, decoded.data(), quarter.width * 4),
             JpegProblem::None);
    QCOMPARE(look->pitch, quarter.width * 4);
    QVERIFY(std::memcmp(look->pixels, decoded.data(), decoded.size()) == 0);
}

void TestFirstLook::refused_data() {
    QTest::addColumn<int>("change");
    // 0: another byte in the JPEG; 1: the JPEG one byte longer; 2: the block
    // cut short; 3: a damaged header; 4: an empty block; 5: another picture
    QTest::newRow("one JPEG byte differs") << 0;
    QTest::newRow("JPEG of another length") << 1;
    QTest::newRow("block cut short") << 2;
    QTest::newRow("damaged header") << 3;
    QTest::newRow("empty block") << 4;
    QTest::newRow("made for another picture") << 5;
}

void TestFirstLook::refused() {
    QFETCH(int, change);
    Bytes jpeg = Picture();
    Bytes block = MakeFirstLook(ByteBlock(jpeg));
    switch (change) {
    case 0: jpeg[jpeg.size() / 2] ^= 1; break;
    case 1: jpeg.push_back(0); break;
    case 2: block.pop_back(); break;
    case 3: block[0] ^= 0x20; break;
    case 4: block.clear(); break;
    case 5: block = MakeFirstLook(ByteBlock(TestJpeg::Quadrants(203, 117))); break;
    }
    QVERIFY(!StoredFirstLook(ByteBlock(block), ByteBlock(jpeg)));
}

void TestFirstLook::noFirstLookForABadPicture() {
    QVERIFY(MakeFirstLook(ByteBlock(TestJpeg::Cmyk(16, 16))).empty());  // refused
    Bytes cut = Picture();
    cut.resize(cut.size() / 2);  // decodes only in part
    QVERIFY(MakeFirstLook(ByteBlock(cut)).empty());
    QVERIFY(MakeFirstLook(ByteBlock()).empty());
}

QTEST_APPLESS_MAIN(TestFirstLook)
#include "test_firstlook.moc"
