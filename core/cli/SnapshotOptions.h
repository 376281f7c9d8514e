// The options of --snapshot: what to render and where to write it.
#pragma once
#include "view/MapLook.h"

#include <optional>
#include <string>
#include <vector>

struct SnapshotOptions {
    std::string file;              // the picture to write; "-": PNG on standard output
    int width = 1024, height = 768;  // the view's client size
    int zoom = 20;                 // percent, as the view's title shows it
    std::optional<int> centerX, centerY;  // world coordinates to centre on
    std::optional<std::string> find;      // a place search, as the place bar makes it
    std::optional<int> level;             // the detail slider's level
    MapLook look;                         // the Affichage menu's choices
    // --kinds: the only kinds (type codes) shown; the others present in
    // the place table are hidden (see KindsHiddenBeside).
    std::optional<std::vector<int32_t>> shownKinds;
};

// Largest side accepted: a snapshot is held whole in memory.
constexpr int kMaxSnapshotSide = 8192;

bool IsSnapshotRequest(const std::vector<std::string>& args);

// Reads "--snapshot FILE [--size WxH] [--zoom Z] [--center X,Y] [--find TEXT]
// [--level N] [--palette adapted|usual] [--declutter] [--symbols]
// [--kinds KEY,KEY...]". Nothing, with the reason in `error`, for a missing
// or repeated value, an unknown option, a number out of range or a kind of
// place this world does not name.
std::optional<SnapshotOptions> ParseSnapshotOptions(const std::vector<std::string>& args,
                                                    std::string& error);

// The image format `file`'s extension stands for, in Qt's spelling ("png",
// "jpeg", "bmp", "webp"), case aside; empty for another extension or none.
std::string ImageFormatOf(const std::string& file);

// The image format that `file`'s extension asks for, in Qt's spelling
// ("png", "jpeg", "bmp", "webp"), case aside; "png" for "-" (standard
// output). `writable` are the formats that can be written here (Qt's image
// plugins vary). Nothing, with a message naming the formats, for another
// extension or none.
std::optional<std::string> SnapshotFormat(const std::string& file, const std::vector<std::string>& writable,
                                          std::string& error);
