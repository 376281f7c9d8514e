#include "JpegMaker.h"
#include "data/FirstLook.h"
#include "data/JpegDecoder.h"

#include <QtTest>

#include <cstring>
#include <random>

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
    void noOtherPictureOfTheLengthSharesIt();
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
    const auto look = StoredFirstLook(ByteBlock(block), ByteBlock(jpeg), ByteBlock(jpeg));
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
    Bytes source = Picture();
    Bytes jpeg = source;
    Bytes block = MakeFirstLook(ByteBlock(jpeg));
    switch (change) {
    case 0: jpeg[jpeg.size() / 2] ^= 1; break;
    case 1: jpeg.push_back(0); break;
    case 2: block.pop_back(); break;
    case 3: block[0] ^= 0x20; break;
    case 4: block.clear(); break;
    case 5:
        source = TestJpeg::Quadrants(203, 117);
        block = MakeFirstLook(ByteBlock(source));
        break;
    }
    QVERIFY(!StoredFirstLook(ByteBlock(block), ByteBlock(source), ByteBlock(jpeg)));
}

void TestFirstLook::noFirstLookForABadPicture() {
    QVERIFY(MakeFirstLook(ByteBlock(TestJpeg::Cmyk(16, 16))).empty());  // refused
    Bytes cut = Picture();
    cut.resize(cut.size() / 2);  // decodes only in part
    QVERIFY(MakeFirstLook(ByteBlock(cut)).empty());
    QVERIFY(MakeFirstLook(ByteBlock()).empty());
}

namespace {

uint64_t Word(const Bytes& bytes, size_t index) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + index * 8, 8);
    return word;
}

// Another picture of the same length and the same 64-bit FNV-1a hash: the
// word at `index` changed, the next one chosen to bring the hash's state
// back to what it was.
Bytes ForgedTwin(const Bytes& jpeg, size_t index) {
    constexpr uint64_t kPrime = 0x100000001b3ULL;
    uint64_t state = 0xcbf29ce484222325ULL;
    for (size_t i = 0; i < index; ++i) state = (state ^ Word(jpeg, i)) * kPrime;
    const uint64_t original = (state ^ Word(jpeg, index)) * kPrime;
    const uint64_t changed = Word(jpeg, index) ^ 0x0101010101010101ULL;
    const uint64_t forged = (state ^ changed) * kPrime;
    const uint64_t next = Word(jpeg, index + 1) ^ forged ^ original;
    Bytes twin = jpeg;
    std::memcpy(twin.data() + index * 8, &changed, 8);
    std::memcpy(twin.data() + (index + 1) * 8, &next, 8);
    return twin;
}

}  // namespace

// A property over many pictures of the picture's length: the forged twin,
// then random changes of one to eight bytes anywhere, or of a whole run.
void TestFirstLook::noOtherPictureOfTheLengthSharesIt() {
    const Bytes& jpeg = Picture();
    const Bytes block = MakeFirstLook(ByteBlock(jpeg));
    const Bytes twin = ForgedTwin(jpeg, jpeg.size() / 16);
    QCOMPARE(HashBytes(ByteBlock(twin)), HashBytes(ByteBlock(jpeg)));  // the forgery holds
    QVERIFY(twin != jpeg);
    QVERIFY(!StoredFirstLook(ByteBlock(block), ByteBlock(jpeg), ByteBlock(twin)));
    QVERIFY(StoredFirstLook(ByteBlock(block), ByteBlock(jpeg), ByteBlock(Bytes(jpeg))));  // a copy of the bytes is the picture
    std::mt19937 random(28);
    for (int round = 0; round < 2000; ++round) {
        Bytes other = jpeg;
        const size_t at = random() % other.size();
        const size_t count = round % 2 ? 1 + random() % 8 : 1 + random() % 64;
        for (size_t i = at; i < std::min(other.size(), at + count); ++i) other[i] = uint8_t(random());
        if (other == jpeg) continue;
        QVERIFY2(!StoredFirstLook(ByteBlock(block), ByteBlock(jpeg), ByteBlock(other)),
                 qPrintable(QString::number(round)));
    }
}

QTEST_APPLESS_MAIN(TestFirstLook)
#include "test_firstlook.moc"
