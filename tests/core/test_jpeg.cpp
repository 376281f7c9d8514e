#include "JpegMaker.h"

#include "data/JpegDecoder.h"
#include "data/JpegScans.h"

#include <QtTest>

using namespace TestJpeg;

Q_DECLARE_METATYPE(JpegProblem)

class TestJpegDecoder : public QObject {
    Q_OBJECT
private slots:
    void decodesPixels();
    void refused_data();
    void refused();
    void hugeSizeRefused();
    void truncatedStreamIsSafe();
    void problems_data();
    void problems();
    void cutStreamKeepsWhatWasDecoded();
    void scansCounted_data();
    void scansCounted();
    void decoderStopsAtTheScanLimit();
};

void TestJpegDecoder::decodesPixels() {
    const auto jpeg = Quadrants(40, 30);
    JpegInfo info;
    QVERIFY(ReadJpegInfo(ByteBlock(jpeg), info));
    QCOMPARE(info.width, 40);
    QCOMPARE(info.height, 30);
    const int pitch = 40 * 4 + 8;  // rows may be padded
    std::vector<unsigned char> pixels(size_t(pitch) * 30, 0);
    QCOMPARE(DecodeJpegBgrx(ByteBlock(jpeg), info, pixels.data(), pitch), JpegProblem::None);
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

namespace {
QByteArray Held(const Bytes& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
}

// What the program's load finds in these bytes: the header's verdict, else
// the decode's, at full size and at the quarter size of the first look.
JpegProblem ProblemOf(const QByteArray& bytes, int denominator) {
    const ByteBlock block(reinterpret_cast<const unsigned char*>(bytes.constData()), size_t(bytes.size()));
    JpegInfo info;
    const JpegProblem header = InspectJpeg(block, info);
    if (header != JpegProblem::None) return header;
    const JpegInfo scaled = ScaledInfo(info, denominator);
    std::vector<unsigned char> pixels(size_t(scaled.width) * scaled.height * 4);
    return DecodeJpegBgrxScaled(block, info, denominator, pixels.data(), scaled.width * 4);
}
}  // namespace

// One row per kind of picture the program may be given. 12- and 16-bit
// samples and lossless coding cannot be written by this library: those rows
// change a baseline file's frame header, which is where the decoder refuses.
void TestJpegDecoder::problems_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<JpegProblem>("expected");
    const Bytes colour = Quadrants(64, 48);
    QTest::newRow("baseline colour") << Held(colour) << JpegProblem::None;
    QTest::newRow("grayscale") << Held(Gray(40, 30, 200)) << JpegProblem::None;
    QTest::newRow("progressive") << Held(Encode(40, 30, [](int, int) { return Rgb{9, 99, 199}; }, TJFLAG_PROGRESSIVE))
                                 << JpegProblem::None;
    QTest::newRow("empty") << QByteArray() << JpegProblem::Empty;
    QTest::newRow("text") << QByteArray("not a picture at all") << JpegProblem::NotJpeg;
    QTest::newRow("start and end markers only") << QByteArray("\xFF\xD8\xFF\xD9", 4) << JpegProblem::HeaderOnly;
    QTest::newRow("header only") << Held(HeaderOnly(colour)) << JpegProblem::HeaderOnly;
    QTest::newRow("zero height") << Held(WithSize(colour, 64, 0)) << JpegProblem::ZeroSize;
    QTest::newRow("zero width") << Held(WithSize(colour, 0, 48)) << JpegProblem::ZeroSize;
    QTest::newRow("65535 x 65535") << Held(WithSize(colour, 65535, 65535)) << JpegProblem::TooLarge;
    QTest::newRow("cmyk") << Held(Cmyk(32, 32)) << JpegProblem::Cmyk;
    QTest::newRow("12-bit samples") << Held(WithPrecision(colour, 12)) << JpegProblem::Precision;
    QTest::newRow("16-bit samples") << Held(WithPrecision(colour, 16)) << JpegProblem::Precision;
    QTest::newRow("lossless") << Held(WithFrameType(colour, 0xC3)) << JpegProblem::Process;
    QTest::newRow("600 scans") << Held(ManyScans(64, 48, 600)) << JpegProblem::TooManyScans;
    QTest::newRow("cut short") << Held(CutInScan(colour)) << JpegProblem::Truncated;
    QTest::newRow("fewer rows than it claims") << Held(WithSize(Solid(16, 16, {9, 9, 9}), 64, 512))
                                               << JpegProblem::Truncated;
    Bytes stray = colour;
    stray.insert(stray.end() - 2, {0x12, 0x34, 0x56});
    QTest::newRow("stray bytes before the end") << Held(stray) << JpegProblem::Corrupt;
}

void TestJpegDecoder::problems() {
    QFETCH(QByteArray, bytes);
    QFETCH(JpegProblem, expected);
    QCOMPARE(ProblemOf(bytes, 1), expected);
    QCOMPARE(ProblemOf(bytes, 4), expected);
    QCOMPARE(JpegProblemText(expected).empty(), expected == JpegProblem::None);
}

// A file cut in the middle still gives its top half; the rest is filled.
void TestJpegDecoder::cutStreamKeepsWhatWasDecoded() {
    const Bytes jpeg = Quadrants(64, 64);
    const Bytes part = CutInScan(jpeg);
    JpegInfo info;
    QCOMPARE(InspectJpeg(ByteBlock(part), info), JpegProblem::None);
    std::vector<unsigned char> pixels(64 * 64 * 4, 0);
    QCOMPARE(DecodeJpegBgrx(ByteBlock(part), info, pixels.data(), 64 * 4), JpegProblem::Truncated);
    const unsigned char* topLeft = &pixels[(4 * 64 + 4) * 4];
    const Rgb want = kQuadrants[0];
    QVERIFY(Near(topLeft[2], want.r) && Near(topLeft[1], want.g) && Near(topLeft[0], want.b));
}

void TestJpegDecoder::scansCounted_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("scans");
    const auto varied = [](int x, int y) { return Rgb{uint8_t(x * 37), uint8_t(y * 11), uint8_t(x ^ y)}; };
    QTest::newRow("baseline, stuffed bytes in its data") << Held(Encode(64, 64, varied)) << 500 << 1;
    QTest::newRow("progressive colour") << Held(Encode(64, 64, varied, TJFLAG_PROGRESSIVE)) << 500 << 10;
    QTest::newRow("progressive grey") << Held(Compress(Bytes(64 * 64, 99), 64, 64, TJPF_GRAY, TJSAMP_GRAY,
                                                       TJFLAG_PROGRESSIVE)) << 500 << 6;
    QTest::newRow("nine, then 600 of the last, counted to the end") << Held(ManyScans(32, 32, 600)) << 1000 << 609;
    QTest::newRow("600 scans, counted past the limit") << Held(ManyScans(32, 32, 600)) << 500 << 501;
    QTest::newRow("header only") << Held(HeaderOnly(Quadrants(16, 16))) << 500 << 0;
    QTest::newRow("cut in the length of a segment") << Held(Cut(Quadrants(16, 16), 5)) << 500 << 0;
}

void TestJpegDecoder::scansCounted() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(int, scans);
    const Bytes copy(bytes.begin(), bytes.end());
    QCOMPARE(CountJpegScans(ByteBlock(copy), limit), scans);
}

// Should the count miss scans, the decoder still stops past 500 of them.
void TestJpegDecoder::decoderStopsAtTheScanLimit() {
    const Bytes jpeg = ManyScans(64, 48, 600);
    std::vector<unsigned char> pixels(64 * 48 * 4);
    QCOMPARE(DecodeJpegBgrx(ByteBlock(jpeg), {64, 48}, pixels.data(), 64 * 4), JpegProblem::TooManyScans);
}

QTEST_APPLESS_MAIN(TestJpegDecoder)
#include "test_jpeg.moc"
