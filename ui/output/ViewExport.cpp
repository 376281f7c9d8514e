#include "output/ViewExport.h"

#include "cli/SnapshotOptions.h"
#include "render/MapRenderer.h"
#include "output/PdfToFile.h"
#include "output/SafeWriteQt.h"
#include "mapview/ZerimView.h"

#include <QApplication>
#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QPrinter>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>

namespace {

// The format the file name asks for, or an empty one for an extension the
// export does not write (it writes PNG and JPEG only).
QByteArray FormatOf(const QString& path) {
    const QByteArray format = QByteArray::fromStdString(ImageFormatOf(path.toStdString()));
    return format == "png" || format == "jpeg" ? format : QByteArray();
}

// A renderer of its own, so the view's caches (made for its screen) stay as
// they are; it draws exactly as the view's does.
MapRenderer RendererFor(CZerimView& view) {
    MapRenderer renderer(view.Geometry(), view.Places(), view.PlaceTable(), QApplication::font());
    renderer.SetWholePicture(view.Renderer().WholePicture());
    renderer.SetNotes(view.Notes());
    renderer.SetJourneys(&view.Journeys());
    renderer.SetLook(view.Look());
    return renderer;
}

QString CannotSave(const QString& path, const QString& reason) {
    return QString::fromUtf8("Impossible d'enregistrer « %1 » : %2").arg(path, reason);
}

// Encoded in memory, then written as every file the program writes is.
bool WriteImage(const QImage& image, const QString& path, const QByteArray& format, QString& error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (format == "jpeg") writer.setQuality(92);
    if (!writer.write(image)) {
        error = CannotSave(path, writer.errorString());
        return false;
    }
    QString reason;
    if (WriteFileSafely(path, bytes, reason)) return true;
    error = CannotSave(path, reason);
    return false;
}

// What the view shows, fitted to the painter's page and centred, its shape kept.
void PaintFitted(CZerimView& view, QPainter& painter) {
    const QSize size = view.viewport()->size();
    const QRect page = painter.viewport();
    const qreal scale = std::min(qreal(page.width()) / size.width(), qreal(page.height()) / size.height());
    painter.save();
    painter.translate((page.width() - size.width() * scale) / 2, (page.height() - size.height() * scale) / 2);
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), size));
    MapRenderer renderer = RendererFor(view);
    renderer.SetLabelsAsText(true);
    renderer.Paint(painter, {0, 0, size.width(), size.height()}, view.CurrentPicture());
    painter.restore();
}

// Plain text from the page's top, as many pages as it takes, each page's
// lines whole; the next page is begun after the last.
void PaintText(const QString& text, QPagedPaintDevice& device, QPainter& painter) {
    QTextDocument document;
    document.setDefaultFont(QFont(QApplication::font().family(), 11));
    document.documentLayout()->setPaintDevice(&device);
    document.setPlainText(text);
    const QRect page = painter.viewport();
    document.setPageSize(page.size());
    const int pages = std::max(document.pageCount(), 1);
    for (int i = 0; i < pages; ++i) {
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
        device.newPage();
    }
}

// `before`, when not empty, prints as text on pages of its own first.
bool PaintOnPage(CZerimView& view, QPaintDevice& device, const QString& before, QString& error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        error = QString::fromUtf8("L'impression n'a pas pu commencer.");
        return false;
    }
    if (!before.isEmpty()) PaintText(before, static_cast<QPagedPaintDevice&>(device), painter);
    PaintFitted(view, painter);
    if (painter.end()) return true;
    error = QString::fromUtf8("L'impression n'a pas pu se terminer.");
    return false;
}

}  // namespace

QImage RenderView(CZerimView& view) {
    const QSize size = view.viewport()->size();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::black);
    QPainter painter(&image);
    MapRenderer renderer = RendererFor(view);
    renderer.Paint(painter, {0, 0, size.width(), size.height()}, view.CurrentPicture());
    return image;
}

bool ExportView(CZerimView& view, const QString& path, QString& error) {
    const QByteArray format = FormatOf(path);
    if (format.isEmpty()) {
        error = CannotSave(path, QString::fromUtf8("le nom doit finir par .png, .jpg ou .jpeg"));
        return false;
    }
    const QImage image = RenderView(view);
    if (image.isNull()) {
        error = CannotSave(path, QString::fromUtf8("la vue est vide"));
        return false;
    }
    return WriteImage(image, path, format, error);
}

void SetUpPrinterForView(const CZerimView& view, QPrinter& printer) {
    printer.setDocName(QStringLiteral("Carte"));
    const QSize size = view.viewport()->size();
    printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

bool PrintView(CZerimView& view, QPrinter& printer, QString& error) {
    return PrintTextThenView(view, printer, {}, error);
}

bool PrintTextThenView(CZerimView& view, QPrinter& printer, const QString& text, QString& error) {
    if (view.viewport()->size().isEmpty()) {
        error = QString::fromUtf8("La vue est vide : rien à imprimer.");
        return false;
    }
    return PrintThrough(
        printer, [&](QPaintDevice& device) { return PaintOnPage(view, device, text, error); }, error);
}
