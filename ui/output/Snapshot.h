// --snapshot: the map drawn into a picture file (PNG, JPEG...), without any window: the map
// renderer paints what the view's client area of that size would show, on
// Qt's offscreen platform, so no display is needed.
#pragma once
#include "cli/SnapshotOptions.h"

#include <QImage>

#include <ostream>
#include <string>
#include <vector>

class CMapPicture;
class CNotesOnMap;
class CPlaceArray;
class IResourceStore;

// `args` start with "--snapshot"; `argv` is the process's, for Qt; the data
// comes from `store`. Returns the exit code, after a message on `err` when
// it is not 0: 2 for bad options or an unknown extension, 1 otherwise.
int RunSnapshot(const IResourceStore& store, const std::vector<std::string>& args, char** argv,
                std::ostream& err);

// The map area of `o.width` x `o.height` pixels after the steps the user
// would take in the window (zoom, centre, search, detail level), exactly as
// the view's client area of that size shows it. `found` is false when a
// search found nothing, which is told on `err`. The player's layer, when
// given, is drawn as the window draws it.
QImage RenderSnapshot(const SnapshotOptions& o, const CPlaceArray& places, const CMapPicture& picture,
                      std::ostream& err, bool& found, const CNotesOnMap* notes = nullptr);
