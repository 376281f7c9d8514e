// The map view as a picture file or on paper: what the view shows (map,
// markers, labels, no scroll bars), drawn afresh through MapRenderer from the
// view's own geometry and places rather than grabbed from the screen.
#pragma once
#include <QImage>
#include <QString>

class CZerimView;
class QPrinter;

// What the view's map area shows, at its size, pixel for pixel.
QImage RenderView(CZerimView& view);

// Saves RenderView(view) to `path` as PNG or JPEG by its extension; the file
// is replaced whole or not at all. False with the reason, in French, in
// `error`; nothing is left at `path` then.
bool ExportView(CZerimView& view, const QString& path, QString& error);

// Names the document and turns the page to the view's shape (landscape for
// a wide view), before the print dialog, which can change it.
void SetUpPrinterForView(const CZerimView& view, QPrinter& printer);

// Prints what the view shows on one page of `printer`, fitted to the page,
// with the place names drawn as text at the printer's resolution. False with
// the reason in `error`.
bool PrintView(CZerimView& view, QPrinter& printer, QString& error);

// Prints `text` (plain, wrapped to the page, on as many pages as it takes),
// then the view on a page of its own as PrintView does.
bool PrintTextThenView(CZerimView& view, QPrinter& printer, const QString& text, QString& error);
