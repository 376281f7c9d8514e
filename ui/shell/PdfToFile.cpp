#include "shell/PdfToFile.h"

#include "cli/SafeWrite.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
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
    std::string reason;
    if (WriteFileSafely(QFile::encodeName(file).toStdString(), {pdf.constData(), size_t(pdf.size())}, reason))
        return true;
    error = QString::fromUtf8("Impossible d'imprimer dans « %1 » : %2")
                .arg(QDir::toNativeSeparators(file), QString::fromStdString(reason));
    return false;
}
