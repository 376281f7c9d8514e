// What only the HTML panel's engine can tell of a page: the document it
// reads from the page, before anything is laid out. A style sheet can change
// how elements close and nest tables deeper than the markup shows, or make
// text unbreakable; a table whose spacing runs into tens of millions of
// pixels overflows the layout's sums and keeps it busy for ever; and text
// without a break opportunity costs the layout the square of its length
// (65,536 letters take half a second, 262,144 over seven).
#pragma once
#include "npc/PageBounds.h"

class QTextDocument;

// Spacing above this (in pixels) is refused: far above any real page, far
// below what overflows even with tables nested to the limit.
constexpr double kMaxTableSpacing = 10000;

// A change of character format inside unbroken text costs its layout about
// as much as this many letters.
constexpr int kFormatChangeCost = 6;

// TooManyTables, HugeSpacing, LongUnbrokenText or None.
PageFault CheckDocument(const QTextDocument& document, const PageLimits& limits);
