// A label's image made in one pass from its name's coverage against the
// same label painted as the painter would: the name's dark copy blended at
// each of the eight offsets around it, then the name in its colour. The two
// differ at most by the painter's rounding, and only the inked part is kept,
// at its place in the label.
#include "render/LabelInk.h"

#include <QGuiApplication>
#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kHaloAlpha = 200;

QImage Transparent(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont FontOf(int pixels, bool bold) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QImage NameIn(QSize size, const QFont& font, const QString& name, const QColor& colour) {
    QImage image = Transparent(size);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPointF(2, 2 + QFontMetricsF(font).ascent()), name);
    return image;
}

QImage PaintedLabel(QSize size, const QFont& font, const QString& name, int shift, const QColor& colour) {
    const QImage dark = NameIn(size, font, name, QColor(0, 0, 0, kHaloAlpha));
    QImage label = Transparent(size);
    QPainter painter(&label);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx || dy) painter.drawImage(QPoint(dx * shift, dy * shift), dark);
    painter.drawImage(QPoint(0, 0), NameIn(size, font, name, colour));
    return label;
}

// The largest difference of any channel of any pixel.
int LargestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return largest;
}

}  // namespace

class TestLabelInk : public QObject {
    Q_OBJECT
private slots:
    void madeAsPainted_data();
    void madeAsPainted();
    void inkOfFindsEveryInkedPixel_data();
    void inkOfFindsEveryInkedPixel();
};

void TestLabelInk::madeAsPainted_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixels");  // the font's size
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("width");  // of the label: less than the name's cuts it
    const QColor white(255, 255, 255), green(0, 255, 0);
    QTest::newRow("white, one pixel") << "Orvane" << 13 << false << 1 << white << 80;
    QTest::newRow("green, bold") << "Dun-Carrow" << 13 << true << 1 << green << 110;
    QTest::newRow("two pixels, large font") << "Kelwick Abbey" << 26 << false << 2 << white << 220;
    QTest::newRow("bold, two pixels, green") << "Mmmmmm Wwww" << 26 << true << 2 << green << 240;
    QTest::newRow("cut at the label's right edge") << "Harrowgate Mill" << 13 << false << 1 << white << 40;
    QTest::newRow("accents and a thin letter")
        << QString::fromUtf8("Île d'Éstrac") << 15 << false << 1 << white << 120;
    QTest::newRow("three pixels") << "Vask" << 20 << false << 3 << white << 90;
    QTest::newRow("no ink: spaces") << "   " << 13 << false << 1 << white << 40;
}

void TestLabelInk::madeAsPainted() {
    QFETCH(QString, name);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(int, shift);
    QFETCH(QColor, colour);
    QFETCH(int, width);
    const QFont font = FontOf(pixels, bold);
    const QSize size(width, QFontMetrics(font).height() + 4);
    const QImage painted = PaintedLabel(size, font, name, shift, colour);

    const LabelInk ink = HaloedName(NameIn(size, font, name, Qt::white), shift, colour.rgba(), kHaloAlpha);
    QImage made = Transparent(size);
    if (!ink.image.isNull()) {
        QPainter painter(&made);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(ink.offset, ink.image);
    }
    QCOMPARE(ink.image.isNull(), name.trimmed().isEmpty());
    QVERIFY2(LargestDifference(made, painted) <= 2, qPrintable(QString::number(LargestDifference(made, painted))));
    // What was cut away held no ink.
    QCOMPARE(InkOf(painted, painted.rect()) | QRect(ink.offset, ink.image.size()), QRect(ink.offset, ink.image.size()));
}

void TestLabelInk::inkOfFindsEveryInkedPixel_data() {
    QTest::addColumn<QList<QPoint>>("inked");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("expected");
    const QRect whole(0, 0, 20, 10);
    QTest::newRow("none") << QList<QPoint>{} << whole << QRect();
    QTest::newRow("one pixel") << QList<QPoint>{{5, 4}} << whole << QRect(5, 4, 1, 1);
    QTest::newRow("the four corners") << QList<QPoint>{{0, 0}, {19, 0}, {0, 9}, {19, 9}} << whole << whole;
    QTest::newRow("last row, first column") << QList<QPoint>{{0, 9}, {7, 3}} << whole << QRect(0, 3, 8, 7);
    QTest::newRow("within an area")
        << QList<QPoint>{{1, 1}, {6, 5}, {18, 8}} << QRect(4, 2, 10, 5) << QRect(6, 5, 1, 1);
}

void TestLabelInk::inkOfFindsEveryInkedPixel() {
    QFETCH(QList<QPoint>, inked);
    QFETCH(QRect, area);
    QFETCH(QRect, expected);
    QImage image = Transparent({20, 10});
    for (const QPoint& p : inked) image.setPixel(p, qRgba(0, 0, 0, 1));  // the faintest ink
    QCOMPARE(InkOf(image, area), expected);
}

QTEST_MAIN(TestLabelInk)
#include "test_labelink.moc"
