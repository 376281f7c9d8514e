// The tool bar's four button images, cut from the store's strip (BITMAP
// 128: 64 x 15 pixels, one 16 x 15 image a button). The strip's light grey
// is the background and becomes transparent. Empty without the strip.
//
// On a screen with more than one device pixel per logical pixel, the
// program's own strip gives way to vector drawings of the same four designs
// (res/toolbar-*.svg), rendered at the screen's resolution, so the buttons
// stay sharp at 150% or 200%. A strip from a --data folder is the modder's:
// it is used at every ratio.
#pragma once
#include <QIcon>
#include <QList>

class IResourceStore;

QList<QIcon> ToolBarImages(const IResourceStore& store);

// The vector drawing of button `index` (0 to 3), as embedded.
QString ToolBarVectorImage(int index);
