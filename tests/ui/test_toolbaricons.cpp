// The tool bar's pictures on screens of every ratio: the 4-bit strip at
// 100%, the vector drawings of the same designs above it (here the whole
// program at 200%, as QT_SCALE_FACTOR=2 makes it), and a modder's strip at
// every ratio.
#include "startup/QuickStyle.h"
#include "mainwindow/MainFrame.h"
#include "res/QtResourceStore.h"
#include "mainwindow/ToolBarImages.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "cli/DataDirStore.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "data/SimpleBitmap.h"

#include <QBuffer>
#include <QMainWindow>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

// The embedded strip's button `i`, its light grey made transparent.
QImage StripButton(int i) {
    QFile file(QStringLiteral(":/zerim/BITMAP_%1").arg(ResId::IDR_MAINFRAME));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QImage strip = QImage::fromData(file.readAll(), "BMP").convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            if ((strip.pixel(x, y) & 0xFFFFFF) == 0xC0C0C0) strip.setPixel(x, y, 0);
    return strip.copy(16 * i, 0, 16, 15);
}

QImage Vector(int i, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(ToolBarVectorImage(i)).render(&painter);
    return image;
}

// The pixels alone, whatever ratio the picture was made for.
QImage Argb(const QImage& image) {
    QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    pixels.setDevicePixelRatio(1.0);
    return pixels;
}
QImage Argb(const QPixmap& pixmap) { return Argb(pixmap.toImage()); }

// Whether the opaque pixels of `icon` appear, exactly, somewhere in `shot`.
bool Shows(const QImage& shot, const QImage& icon) {
    for (int top = 0; top + icon.height() <= shot.height(); ++top)
        for (int left = 0; left + icon.width() <= shot.width(); ++left) {
            bool same = true;
            for (int y = 0; y < icon.height() && same; ++y)
                for (int x = 0; x < icon.width() && same; ++x)
                    if (qAlpha(icon.pixel(x, y)) == 255) same = icon.pixel(x, y) == shot.pixel(left + x, top + y);
            if (same) return true;
        }
    return false;
}

}  // namespace

class TestToolBarIcons : public QObject {
    Q_OBJECT
private slots:
    void picturesByRatio_data();
    void picturesByRatio();
    void modderStripAtEveryRatio();
    void toolBarAtTwoHundredPercent();
    void windowIconFromTheDrawing();
    void plainBitmapsAsQtReadsThem_data();
    void plainBitmapsAsQtReadsThem();
    void extensionArrowsAsTheStyleDrawsThem_data();
    void extensionArrowsAsTheStyleDrawsThem();
    void topToolBarsAsFusionDrawsThem_data();
    void topToolBarsAsFusionDrawsThem();
};

void TestToolBarIcons::picturesByRatio_data() {
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<bool>("vector");
    QTest::newRow("100%") << 1.0 << QSize(16, 15) << false;
    QTest::newRow("150%") << 1.5 << QSize(24, 23) << true;
    QTest::newRow("200%") << 2.0 << QSize(32, 30) << true;
    QTest::newRow("300%") << 3.0 << QSize(48, 45) << true;
}

void TestToolBarIcons::picturesByRatio() {
    QFETCH(qreal, ratio);
    QFETCH(QSize, pixels);
    QFETCH(bool, vector);
    const CQtResourceStore embedded;
    const QList<QIcon> icons = ToolBarImages(embedded);
    QCOMPARE(icons.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const QPixmap pixmap = icons[i].pixmap(QSize(16, 15), ratio);
        QCOMPARE(pixmap.size(), pixels);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        const QImage strip = Argb(StripButton(i).scaled(pixels));  // the strip blown up
        QCOMPARE(Argb(pixmap) == strip, !vector);
        if (vector) QCOMPARE(Argb(pixmap), Argb(Vector(i, pixels)));
    }
}

// A strip from a --data folder is the modder's own design: no drawing of
// ours replaces it, at any ratio.
void TestToolBarIcons::modderStripAtEveryRatio() {
    QImage strip(64, 15, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 0));
    QTemporaryDir dir;
    QVERIFY(strip.save(dir.filePath(QStringLiteral("BITMAP_%1").arg(ResId::IDR_MAINFRAME)), "BMP"));
    const CQtResourceStore embedded;
    CDataDirStore store(embedded);
    std::string error;
    QVERIFY2(store.LoadDirectory(dir.path().toStdString(), error), error.c_str());
    const QList<QIcon> icons = ToolBarImages(store);
    QCOMPARE(icons.size(), 4);
    for (qreal ratio : {1.0, 2.0}) {
        const QImage image = Argb(icons[0].pixmap(QSize(16, 15), ratio));
        QCOMPARE(image.size(), QSize(16, 15) * ratio);
        QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), qRgb(255, 0, 0));
    }
}

// The real main window at 200%: each tool bar button's icon is 32 x 30
// device pixels of the drawing, and that drawing is what the bar shows.
void TestToolBarIcons::toolBarAtTwoHundredPercent() {
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
    const CQtResourceStore embedded;
    CWorld world(embedded);
    CZerimApp app(world);
    CMainFrame frame(world, [&app] { return app.EnsureLoaded(); });
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto* bar = frame.findChild<QToolBar*>(QStringLiteral("toolbar"));
    QVERIFY(bar);
    const QImage shot = Argb(bar->grab());
    QCOMPARE(bar->actions().size(), 4);
    for (int i = 0; i < 4; ++i) {
        const QPixmap pixmap = bar->actions()[i]->icon().pixmap(bar->iconSize());
        QCOMPARE(pixmap.size(), QSize(32, 30));
        QCOMPARE(Argb(pixmap), Argb(Vector(i, {32, 30})));
        QVERIFY2(Shows(shot, Argb(Vector(i, {32, 30}))), qPrintable(QString::number(i)));
        QVERIFY(!Shows(shot, Argb(StripButton(i).scaled(32, 30))));
    }
}

// The window's icon: the small pictures, and the drawing for large sizes.
void TestToolBarIcons::windowIconFromTheDrawing() {
    const CQtResourceStore embedded;
    CWorld world(embedded);
    CZerimApp app(world);
    QVERIFY(app.InitInstance());
    QTRY_VERIFY(!QApplication::windowIcon().isNull());  // set once the map is on screen
    const QIcon icon = QApplication::windowIcon();
    // Small sizes are the pictures; large ones are drawn to size on demand.
    for (int size : {16, 48, 128, 256}) QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    for (int size : {16, 32, 48})
        QCOMPARE(Argb(icon.pixmap(QSize(size, size), 1.0)), Argb(QPixmap(QStringLiteral(":/icons/icon-%1.png").arg(size))));
    QCOMPARE(icon.pixmap(QSize(512, 512), 1.0).size(), QSize(512, 512));
    QImage drawing(256, 256, QImage::Format_ARGB32_Premultiplied);
    drawing.fill(Qt::transparent);
    QPainter painter(&drawing);
    QSvgRenderer(QStringLiteral(":/icons/icon.svg")).render(&painter);
    painter.end();
    QCOMPARE(Argb(icon.pixmap(QSize(256, 256), 1.0)), Argb(drawing));
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
}

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication qapp(argc, argv);
    TestToolBarIcons test;
    return QTest::qExec(&test, argc, argv);
}

void TestToolBarIcons::plainBitmapsAsQtReadsThem_data() {
    QTest::addColumn<QByteArray>("file");
    QFile own(QStringLiteral(":/zerim/BITMAP_%1").arg(ResId::IDR_MAINFRAME));
    QVERIFY(own.open(QIODevice::ReadOnly));
    QTest::newRow("the program's strip, 4 bits") << own.readAll();
    // Qt's own writing of a picture of odd width, in the formats it writes.
    QImage picture(37, 9, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x * 7, y * 29, (x * y) % 256));
    const struct { const char* name; QImage image; } written[] = {
        {"1 bit", picture.convertToFormat(QImage::Format_Mono)},
        {"8 bits", picture.convertToFormat(QImage::Format_Indexed8)},
        {"24 bits", picture},
    };
    for (const auto& w : written) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && w.image.save(&buffer, "BMP"));
        QTest::newRow(w.name) << bytes;
    }
}

// The bitmaps decoded without Qt's readers give Qt's pixels.
void TestToolBarIcons::plainBitmapsAsQtReadsThem() {
    QFETCH(QByteArray, file);
    const auto bitmap = DecodeSimpleBitmap(ByteBlock(file.constData(), size_t(file.size())));
    QVERIFY(bitmap);
    const QImage qt = QImage::fromData(file, "BMP").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(QSize(bitmap->width, bitmap->height), qt.size());
    for (int y = 0; y < qt.height(); ++y)
        for (int x = 0; x < qt.width(); ++x)
            QCOMPARE(bitmap->pixels[size_t(y * bitmap->width + x)], qt.pixel(x, y));
}

void TestToolBarIcons::extensionArrowsAsTheStyleDrawsThem_data() {
    QTest::addColumn<int>("arrow");
    QTest::addColumn<int>("size");
    for (int size : {8, 16, 32}) {
        QTest::addRow("across, %d", size) << int(QStyle::SP_ToolBarHorizontalExtensionButton) << size;
        QTest::addRow("down, %d", size) << int(QStyle::SP_ToolBarVerticalExtensionButton) << size;
    }
}

// The arrows read when first drawn are the style's own, at every size and at
// this test's 200%.
void TestToolBarIcons::extensionArrowsAsTheStyleDrawsThem() {
    QFETCH(int, arrow);
    QFETCH(int, size);
    const auto which = QStyle::StandardPixmap(arrow);
    std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("fusion")));
    CQuickStyle deferred(QStyleFactory::create(QStringLiteral("fusion")));
    const QIcon mine = deferred.standardIcon(which, nullptr, nullptr);
    const QIcon theirs = plain->standardIcon(which);
    QVERIFY(!theirs.isNull());
    QCOMPARE(mine.actualSize(QSize(size, size)), theirs.actualSize(QSize(size, size)));
    QCOMPARE(Argb(mine.pixmap(QSize(size, size))), Argb(theirs.pixmap(QSize(size, size))));
    QCOMPARE(Argb(mine.pixmap(QSize(size, size), QIcon::Disabled)), Argb(theirs.pixmap(QSize(size, size), QIcon::Disabled)));
}

void TestToolBarIcons::topToolBarsAsFusionDrawsThem_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("window");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("smooth");
    const std::pair<const char*, QStyleOptionToolBar::ToolBarPosition> lines[] = {
        {"first line", QStyleOptionToolBar::Beginning},
        {"middle line", QStyleOptionToolBar::Middle},
        {"last line", QStyleOptionToolBar::End},
        {"only line", QStyleOptionToolBar::OnlyOne}};
    for (const auto& [name, line] : lines)
        for (const QSize size : {QSize(1920, 37), QSize(53, 24)})
            QTest::addRow("%s, %dx%d", name, size.width(), size.height())
                << int(line) << size << QColor(239, 239, 239) << 1.0 << QPoint() << false;
    const int only = QStyleOptionToolBar::OnlyOne;
    QTest::newRow("dark window") << only << QSize(300, 30) << QColor(40, 44, 52) << 1.0 << QPoint() << false;
    QTest::newRow("painter moved") << only << QSize(300, 30) << QColor(239, 239, 239) << 1.0 << QPoint(7, 5) << false;
    // Left to Fusion: the lines are a device pixel thick.
    QTest::newRow("ratio 2") << only << QSize(300, 30) << QColor(239, 239, 239) << 2.0 << QPoint() << false;
    QTest::newRow("antialiased") << only << QSize(300, 30) << QColor(239, 239, 239) << 1.0 << QPoint() << true;
}

// A main window's top tool bar, drawn by the quick style over Fusion and by
// Fusion itself: the same pixels, whatever the bar's place among the lines
// of bars, its size, the window's colour and the painter.
void TestToolBarIcons::topToolBarsAsFusionDrawsThem() {
    QFETCH(int, line);
    QFETCH(QSize, size);
    QFETCH(QColor, window);
    QFETCH(qreal, ratio);
    QFETCH(QPoint, offset);
    QFETCH(bool, smooth);
    QMainWindow frame;
    auto* bar = new QToolBar;
    frame.addToolBar(Qt::TopToolBarArea, bar);
    QStyleOptionToolBar option;
    option.initFrom(bar);
    option.rect = QRect(QPoint(), size);
    option.state = QStyle::State_Horizontal | QStyle::State_Enabled;
    option.toolBarArea = Qt::TopToolBarArea;
    option.positionOfLine = QStyleOptionToolBar::ToolBarPosition(line);
    option.palette.setColor(QPalette::Window, window);
    auto draw = [&](const QStyle& style) {
        QImage image((size + QSize(offset.x(), offset.y()) * 2) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, smooth);
        painter.translate(offset);
        style.drawControl(QStyle::CE_ToolBar, &option, &painter, bar);
        return image;
    };
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    CQuickStyle quick(QStyleFactory::create(QStringLiteral("fusion")));
    const QImage expected = draw(*fusion);
    QVERIFY(expected.pixel(int(offset.x() * ratio), int(offset.y() * ratio)) != QColor(Qt::magenta).rgb());
    QVERIFY(draw(quick) == expected);
}

#include "test_toolbaricons.moc"
