// The tool bar's four button images, cut from the store's strip (BITMAP
// 128: 64 x 15 pixels, one 16 x 15 image a button). The strip's light grey
// is the background and becomes transparent. Empty without the strip.
#pragma once
#include <QIcon>
#include <QList>

class IResourceStore;

QList<QIcon> ToolBarImages(const IResourceStore& store);
