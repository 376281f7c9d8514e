// Saving the map view as a picture and printing it: the file holds exactly
// what the view shows, in the format its name asks for, or nothing at all;
// the printed page keeps the place names as text.
#include "JpegMaker.h"
#include "TableBuilder.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MainFrame.h"
#include "startup/SettingsFile.h"
#include "output/ViewExport.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "mapview/ZerimView.h"

#include <QImageReader>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "MainWindowFixture.h"
#include "WriteTargets.h"

class TestViewExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void pngIsWhatTheViewShows_data();
    void pngIsWhatTheViewShows();
    void jpegByExtension_data();
    void jpegByExtension();
    void failuresLeaveNoFile_data();
    void failuresLeaveNoFile();
    void printKeepsNamesAsText();
    void textPrintsBeforeTheMap();
    void printedStopIsWhole();
    void pageFollowsTheView_data();
    void pageFollowsTheView();
    void exportTargets_data() { WriteTargets::AddRows(); }
    void exportTargets();
    void printTargets_data() { WriteTargets::AddRows(); }
    void printTargets();
    void settingsTargets_data() { WriteTargets::AddRows(); }
    void settingsTargets();

private:
    CZerimView* View() const { return m_frame->View(); }
    void ShowOrvane(int zoom, bool found);

    QTemporaryDir m_dir;
    CMemoryResourceStore m_store;
    std::unique_ptr<CWorld> m_world;
    std::unique_ptr<CZerimApp> m_app;
    CMainFrame* m_frame = nullptr;
};

void TestViewExport::initTestCase() {
    QVERIFY(m_dir.isValid());
    // A picture whose every region differs, so that a shifted copy shows.
    m_store.Add(ResType::Named("JPG"), ResId::IDR_MAP_PICTURE, TestJpeg::Encode(3300, 3800, [](int x, int y) {
                    return TestJpeg::Rgb{(unsigned char)(x / 7 % 256), (unsigned char)(y / 5 % 256), 200};
                }));
    m_store.Add(ResType::Numeric(ResId::RT_RCDATA), ResId::IDR_PLACES,
                TestTables::PlaceTable({
                    {"Orvane", 10, 0, 0, 0},
                    {"Kelwick", 21, 1, -50000, 150000},
                    {"Ash Ford", 19, 3, 30000, -20000},
                }));
    QVERIFY(OpenMainWindow(m_store, {900, 700}, m_world, m_app, m_frame));
}

void TestViewExport::cleanupTestCase() {
    CloseMainWindow(m_world, m_app, m_frame);
}

// Orvane, at the world's origin, in the middle of the view, all places shown.
void TestViewExport::ShowOrvane(int zoom, bool found) {
    View()->SetZoom(zoom);
    View()->SetDetailLevel(5);
    const CPoint map = View()->Geometry().WorldToMap({0, 0});
    View()->Geometry().CenterOn(map.x, map.y, true);
    View()->SearchPlaces(found ? QStringLiteral("Orvane") : QString());
}

void TestViewExport::pngIsWhatTheViewShows_data() {
    QTest::addColumn<int>("zoom");
    QTest::addColumn<bool>("found");
    QTest::addColumn<bool>("adapted");  // adapted colours and labels apart
    QTest::newRow("reduced") << 20 << false << false;
    QTest::newRow("reduced, a place found") << 35 << true << false;
    QTest::newRow("actual size") << 100 << false << false;
    QTest::newRow("enlarged, a place found") << 300 << true << false;
    QTest::newRow("a place found, adapted colours, labels apart") << 35 << true << true;
}

void TestViewExport::pngIsWhatTheViewShows() {
    QFETCH(int, zoom);
    QFETCH(bool, found);
    QFETCH(bool, adapted);
    MapLook look;
    look.adaptedColours = look.declutter = adapted;
    View()->SetLook(look);
    ShowOrvane(zoom, found);
    const QString path = m_dir.filePath(QStringLiteral("vue.png"));
    QString error;
    QVERIFY2(ExportView(*View(), path, error), qPrintable(error));
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage saved = reader.read().convertToFormat(QImage::Format_RGB32);
    const QImage screen = View()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(saved.size(), View()->viewport()->size());
    QCOMPARE(saved, screen);
    QCOMPARE(saved, RenderView(*View()));
}

void TestViewExport::jpegByExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow(".jpg") << "vue.jpg";
    QTest::newRow(".JPEG") << "VUE.JPEG";
}

void TestViewExport::jpegByExtension() {
    QFETCH(QString, name);
    ShowOrvane(100, false);
    const QString path = m_dir.filePath(name);
    QString error;
    QVERIFY2(ExportView(*View(), path, error), qPrintable(error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(3) == QByteArray("\xFF\xD8\xFF"));  // a JPEG stream, whatever the name
    QCOMPARE(QImageReader(path).size(), View()->viewport()->size());
}

void TestViewExport::failuresLeaveNoFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("existedBefore");
    QTest::newRow("no such folder") << "absent/vue.png" << false;
    QTest::newRow("unknown extension") << "vue.bmp" << false;
    QTest::newRow("no extension") << "vue" << false;
    QTest::newRow("unknown extension, old file kept") << "old.gif" << true;
    QTest::newRow("a folder by that name") << "folder.png" << true;
}

void TestViewExport::failuresLeaveNoFile() {
    QFETCH(QString, name);
    QFETCH(bool, existedBefore);
    const QString path = m_dir.filePath(name);
    if (name == "folder.png") QVERIFY(QDir(m_dir.path()).mkpath(name));
    else if (existedBefore) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    }
    const QStringList before = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QString error;
    QVERIFY(!ExportView(*View(), path, error));
    QVERIFY2(error.contains(path), qPrintable(error));  // says which file, and why
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    if (existedBefore && name != "folder.png") {
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
    }
}

// The names are text in the PDF (pdftotext reads them back), not pixels of a
// scaled picture.
void TestViewExport::printKeepsNamesAsText() {
    ShowOrvane(100, true);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext is missing: run scripts/deps.sh");
    const QString path = m_dir.filePath(QStringLiteral("carte.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QString error;
    QVERIFY2(PrintView(*View(), printer, error), qPrintable(error));
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == QByteArray("%PDF-"));
    QProcess reader;
    reader.start(pdftotext, {path, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(30000));
    QCOMPARE(reader.exitCode(), 0);
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Orvane")) && text.contains(QStringLiteral("Ash Ford")), qPrintable(text));
}

// A text (the shopping list) prints on pages of its own, as many as it
// takes, then the map on the last page.
void TestViewExport::textPrintsBeforeTheMap() {
    ShowOrvane(100, true);
    const QString path = m_dir.filePath(QStringLiteral("liste.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QString text = QString::fromUtf8("Liste d'achats, première ligne\n");
    for (int i = 2; i <= 150; ++i) text += QStringLiteral("ligne %1\n").arg(i);
    QString error;
    QVERIFY2(PrintTextThenView(*View(), printer, text, error), qPrintable(error));
    QProcess reader;
    reader.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {path, QStringLiteral("-")});
    QVERIFY(reader.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split('\f');
    if (pages.last().trimmed().isEmpty()) pages.removeLast();
    QVERIFY2(pages.size() >= 3, qPrintable(pages.join("|")));
    QVERIFY(pages.first().contains(QString::fromUtf8("Liste d'achats, première ligne")));
    QVERIFY(pages[pages.size() - 2].contains(QStringLiteral("ligne 150")));
    QVERIFY(pages.last().contains(QStringLiteral("Orvane")) && !pages.first().contains(QStringLiteral("Orvane")));
}

// A tour's stop prints as the whole disc the screen shows: its number once
// grew to the printer's resolution and buried it in white.
void TestViewExport::printedStopIsWhole() {
    ShowOrvane(100, false);
    const CPoint world = View()->WorldAt({50, 50});
    View()->SetJourney(JourneyPart::Tour, {{}, {{{world.x, world.y}, JourneyMarkStyle::Stop, "1"}}});
    const QString path = m_dir.filePath(QStringLiteral("etape.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    QString error;
    const bool printed = PrintView(*View(), printer, error);
    View()->SetJourney(JourneyPart::Tour, {});
    QVERIFY2(printed, qPrintable(error));
    QProcess raster;
    raster.start(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
                 {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-singlefile"), path,
                  m_dir.filePath(QStringLiteral("etape"))});
    QVERIFY(raster.waitForFinished(30000) && raster.exitCode() == 0);
    const QImage page(m_dir.filePath(QStringLiteral("etape.png")));
    QVERIFY(!page.isNull());
    // Where the view's point lands on the page: fitted and centred in the
    // printable part, at 100 pixels an inch.
    const QRectF paper = printer.pageLayout().paintRect(QPageLayout::Inch);
    const QRectF printable(paper.topLeft() * 100, paper.size() * 100);
    const QSize view = View()->viewport()->size();
    const qreal scale = std::min(printable.width() / view.width(), printable.height() / view.height());
    const CPoint map = View()->Geometry().WorldToMap(world);
    const CPoint scroll = View()->Geometry().GetScrollOffset();
    const QPointF centre(printable.left() + (printable.width() - view.width() * scale) / 2 + (map.x - scroll.x) * scale,
                         printable.top() + (printable.height() - view.height() * scale) / 2 + (map.y - scroll.y) * scale);
    // Either side of the narrow "1", within the disc's 10 pixels.
    for (const qreal degrees : {-22.5, 0.0, 22.5, 157.5, 180.0, 202.5}) {
        const qreal angle = qDegreesToRadians(degrees), reach = 6 * scale;
        const QColor c = page.pixelColor((centre + QPointF(reach * std::cos(angle), reach * std::sin(angle))).toPoint());
        QVERIFY2(std::abs(c.red() - 0x00) < 40 && std::abs(c.green() - 0x72) < 40 && std::abs(c.blue() - 0xb2) < 40,
                 qPrintable(QStringLiteral("%1°: %2").arg(degrees).arg(c.name())));
    }
}

// The page turns to the view's shape, in the print dialog and the preview,
// which shows the one page that prints.
void TestViewExport::pageFollowsTheView_data() {
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::newRow("wide") << QSize(900, 400) << QPageLayout::Landscape;
    QTest::newRow("tall") << QSize(480, 760) << QPageLayout::Portrait;
}

void TestViewExport::pageFollowsTheView() {
    QFETCH(QSize, window);
    QFETCH(QPageLayout::Orientation, orientation);
    m_frame->resize(window);
    QTRY_COMPARE(m_frame->size(), window);
    QPrinter printer;
    SetUpPrinterForView(*View(), printer);
    QCOMPARE(printer.pageLayout().orientation(), orientation);
    int pages = -1;
    QPageLayout::Orientation previewed = QPageLayout::Portrait;
    QTimer::singleShot(100, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!preview) return;
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        pages = widget ? widget->pageCount() : -1;
        previewed = widget ? widget->orientation() : previewed;
        preview->reject();
    });
    m_frame->Command(ExtraCommand::PrintPreview)->trigger();
    QCOMPARE(pages, 1);
    QCOMPARE(previewed, orientation);
    m_frame->resize(900, 700);
}

// The table every writer runs (WriteTargets.h), on export, print to a PDF
// file and the settings file. The view is small on the page: its picture
// fits a FIFO's buffer.
void TestViewExport::exportTargets() {
    ShowOrvane(10, false);
    WriteTargets::Check(
        [this](const QString& path) {
            QString error;
            const bool ok = ExportView(*View(), path, error);
            return WriteTargets::Outcome{ok, error};
        },
        [this](const QByteArray& bytes) { return QImage::fromData(bytes, "PNG").size() == View()->viewport()->size(); });
}

void TestViewExport::printTargets() {
    ShowOrvane(10, false);
    WriteTargets::Check(
        [this](const QString& path) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            QString error;
            const bool ok = PrintView(*View(), printer, error);
            return WriteTargets::Outcome{ok, error};
        },
        [](const QByteArray& bytes) { return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF"); });
}

void TestViewExport::settingsTargets() {
    WriteTargets::Check(
        [](const QString& path) {
            SettingsFile file(path);
            file.Values().setValue(QStringLiteral("view/zoom"), 150);
            QString error;
            const bool ok = file.Save(error);
            return WriteTargets::Outcome{ok, error};
        },
        [](const QByteArray& bytes) { return bytes.contains("zoom=150"); });
}

QTEST_MAIN(TestViewExport)
#include "test_viewexport.moc"
