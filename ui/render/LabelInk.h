// A label's image from its name's coverage: the name in its colour over a
// dark outline made of the name copied at the eight offsets around it, as a
// painter blending those copies one by one and then the name would make it,
// in one pass over the pixels and with the name laid out once.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

// The part of a label that has ink, and where it sits in the label.
struct LabelInk {
    QImage image;  // null for a name with no ink
    QPoint offset;
};

// The smallest rectangle within `area` of `image` (premultiplied 32-bit)
// holding every pixel that is not wholly transparent; empty when none is.
QRect InkOf(const QImage& image, const QRect& area);

// `name`: the name drawn opaque on a transparent premultiplied image, its
// alpha being the name's coverage; the label is `name`'s whole extent. The
// name takes the opaque colour `text`; the outline is black of alpha
// `haloAlpha`, its copies `shift` pixels away.
LabelInk HaloedName(const QImage& name, int shift, QRgb text, int haloAlpha);
