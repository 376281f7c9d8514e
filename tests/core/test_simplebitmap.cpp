// The plain bitmaps decoded without an image library: every bit count and
// row order they may have, and every header or length that must send them
// to a fuller decoder instead of being read past.
#include "data/SimpleBitmap.h"

#include <QtTest>

namespace {

void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}
void PutU16(std::string& out, uint16_t v) { out += char(v & 0xFF), out += char(v >> 8); }

// How a test bitmap's header departs from a plain one.
struct Header {
    int width = 0, height = 0, bits = 0;
    uint32_t infoSize = 40, compression = 0, paletteUsed = 0;
    uint16_t planes = 1;
    char magic = 'M';
};

// A BMP file: the headers, the palette (0xRRGGBB each) and the pixel bytes
// (`rows`, hexadecimal, the stored order: bottom row first unless the height
// is negative).
std::string Bmp(const Header& h, const std::vector<uint32_t>& palette, const QByteArray& rows) {
    std::string info;
    PutU32(info, h.infoSize);
    PutU32(info, uint32_t(h.width));
    PutU32(info, uint32_t(h.height));
    PutU16(info, h.planes);
    PutU16(info, uint16_t(h.bits));
    PutU32(info, h.compression);
    for (int i = 0; i < 3; ++i) PutU32(info, 0);  // image size, resolutions
    PutU32(info, h.paletteUsed);
    PutU32(info, 0);
    info.resize(h.infoSize < 40 ? 40 : h.infoSize, '\0');
    for (uint32_t colour : palette) PutU32(info, colour);
    const QByteArray pixels = QByteArray::fromHex(rows);
    std::string file = "B";
    file += h.magic;
    PutU32(file, uint32_t(14 + info.size() + size_t(pixels.size())));
    PutU32(file, 0);
    PutU32(file, uint32_t(14 + info.size()));
    return file + info + pixels.toStdString();
}

QString Pixels(const std::optional<SimpleBitmap>& bitmap) {
    if (!bitmap) return "none";
    QStringList rows;
    for (int y = 0; y < bitmap->height; ++y) {
        QStringList row;
        for (int x = 0; x < bitmap->width; ++x)
            row << QString::number(bitmap->pixels[size_t(y * bitmap->width + x)] & 0xFFFFFF, 16);
        rows << row.join(',');
    }
    return QString("%1x%2:").arg(bitmap->width).arg(bitmap->height) + rows.join('/');
}

const std::vector<uint32_t> kFour{0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

}  // namespace

class TestSimpleBitmap : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
};

void TestSimpleBitmap::decodes_data() {
    QTest::addColumn<std::string>("file");
    QTest::addColumn<QString>("pixels");  // "none": left to a fuller decoder
    const auto row = [](const Header& h, const std::vector<uint32_t>& palette, const char* hex) {
        return Bmp(h, palette, hex);
    };
    // Decoded, top row first; 0xFF alpha everywhere.
    QTest::newRow("4 bits, bottom-up (the strip's kind)")
        << row({3, 2, 4, 40, 0, 4}, kFour, "12300000" "32100000") << "3x2:ff,ff00,ff0000/ff0000,ff00,ff";
    QTest::newRow("1 bit, a row of nine") << row({9, 1, 1}, {0x000000, 0xFFFFFF}, "A5800000")
                                          << "9x1:ffffff,0,ffffff,0,0,ffffff,0,ffffff,ffffff";
    QTest::newRow("8 bits, top-down") << row({2, -2, 8, 40, 0, 4}, kFour, "01000000" "02030000") << "2x2:ff0000,0/ff00,ff";
    QTest::newRow("24 bits, rows padded") << row({1, 2, 24}, {}, "0000ff00" "ff000000") << "1x2:ff/ff0000";
    QTest::newRow("32 bits, the fourth byte ignored") << row({2, 1, 32}, {}, "3322117f" "00ff0000")
                                                      << "2x1:112233,ff00";
    QTest::newRow("a larger header") << row({2, 1, 8, 124, 0, 4}, kFour, "03010000") << "2x1:ff,ff0000";
    QTest::newRow("a short palette, in range") << row({2, 1, 8, 40, 0, 2}, {0x123456, 0xABCDEF}, "01000000")
                                               << "2x1:abcdef,123456";
    // Refused.
    QTest::newRow("not BM") << row({2, 1, 8, 40, 0, 4, 1, 'A'}, kFour, "01000000") << "none";
    QTest::newRow("the old 12-byte header") << row({2, 1, 8, 12, 0, 4}, kFour, "01000000") << "none";
    QTest::newRow("two planes") << row({2, 1, 8, 40, 0, 4, 2}, kFour, "01000000") << "none";
    QTest::newRow("16 bits") << row({2, 1, 16}, {}, "00000000") << "none";
    QTest::newRow("run-length compressed") << row({2, 1, 8, 40, 1, 4}, kFour, "02010000") << "none";
    QTest::newRow("no width") << row({0, 1, 8, 40, 0, 4}, kFour, "00000000") << "none";
    QTest::newRow("no height") << row({1, 0, 8, 40, 0, 4}, kFour, "") << "none";
    QTest::newRow("wider than the limit") << row({kSimpleBitmapMaxSide + 1, 1, 1}, {0, 0}, "00") << "none";
    QTest::newRow("taller than the limit, top-down") << row({1, -kSimpleBitmapMaxSide - 1, 8, 40, 0, 4}, kFour, "00") << "none";
    QTest::newRow("the widest negative height") << row({1, INT32_MIN, 8, 40, 0, 4}, kFour, "00") << "none";
    QTest::newRow("a row short by its padding") << row({1, 2, 24}, {}, "0000ff00" "ff0000") << "none";
    QTest::newRow("palette cut") << row({2, 1, 8}, {0, 0}, "") << "none";
    QTest::newRow("more colours than bits") << row({2, 1, 1, 40, 0, 3}, {0, 0, 0}, "00000000") << "none";
    QTest::newRow("an index past the palette") << row({2, 1, 8, 40, 0, 2}, {0, 0}, "01020000") << "none";
    QTest::newRow("headers alone, cut") << Bmp({2, 1, 8, 40, 0, 4}, kFour, "01000000").substr(0, 53) << "none";
    QTest::newRow("nothing") << std::string() << "none";
}

void TestSimpleBitmap::decodes() {
    QFETCH(std::string, file);
    QFETCH(QString, pixels);
    QCOMPARE(Pixels(DecodeSimpleBitmap(ByteBlock(file))), pixels);
}

QTEST_GUILESS_MAIN(TestSimpleBitmap)
#include "test_simplebitmap.moc"
