// What only the HTML panel's engine can tell of a page: the tables of the
// document it reads from the page, before anything is laid out. A style
// sheet can change how elements close, and so nest tables deeper than the
// markup shows; and a table whose spacing runs into tens of millions of
// pixels overflows the layout's sums and keeps it busy for ever.
#pragma once
#include "PageBounds.h"

class QTextDocument;

// Spacing above this (in pixels) is refused: far above any real page, far
// below what overflows even with tables nested to the limit.
constexpr double kMaxTableSpacing = 10000;

// TooManyTables, HugeSpacing or None.
PageFault CheckDocumentTables(const QTextDocument& document, const PageLimits& limits);
