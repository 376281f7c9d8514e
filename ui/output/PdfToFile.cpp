#include "output/PdfToFile.h"

#include "output/SafeWriteQt.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>

bool PrintThrough(QPrinter& printer, const std::function<bool(QPaintDevice& device)>& paint, QString& error) {
    const QString file = printer.outputFileName();
    if (printer.outputFormat() != QPrinter::PdfFormat || file.isEmpty()) return paint(printer);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        if (!paint(writer)) return false;
    }
    QString reason;
    if (WriteFileSafely(file, pdf, reason)) return true;
    error = QString::fromUtf8("Impossible d'imprimer dans « %1 » : %2").arg(QDir::toNativeSeparators(file), reason);
    return false;
}
