// The player's layer as a file: JSON of our own schema (versioned; see
// README, "My map"), and GeoJSON (map pixels as coordinates) for other
// tools. Reading is hostile-input safe: bounded size and depth, every type
// checked, texts cleaned of markup-free control characters, coordinates
// bounded; a file refused says why, in French, and yields nothing.
#pragma once
#include "notes/NoteItem.h"

#include <cstdint>
#include <string>
#include <vector>

// The schema written by NotesToJson and the newest NotesFromJson reads.
constexpr int kNotesFormatVersion = 1;
// Larger files are refused before parsing.
constexpr size_t kNotesFileLimit = 64u << 20;

std::string NotesToJson(const CNoteItems& items, int64_t exportedMs);
// The items' coordinates as they are given: see InPicturePixels.
std::string NotesToGeoJson(const CNoteItems& items);
// The items with their world coordinates turned into pixels of a map
// picture of `width` x `height` at 100%, as the map draws them and as
// GeoJSON gives them to other tools.
CNoteItems InPicturePixels(CNoteItems items, int32_t width, int32_t height);

// The map's extent: coordinates outside it are refused.
struct CNotesBounds {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
};

struct CNotesReading {
    bool ok = false;
    std::string error;                  // why the file was refused (French)
    CNoteItems items;                   // when ok
    std::vector<std::string> cleaned;   // what was mended on the way (French), one line each
};
CNotesReading NotesFromJson(const std::string& text, const CNotesBounds& bounds);
// The world the map covers, as the program reads its files with.
CNotesBounds NotesWorldBounds();

// What an import does to the layer, item by item: newest edit wins.
struct CNotesMerge {
    CNoteItems puts;  // items to write (added or updated)
    int added = 0, updated = 0, skipped = 0;
};
CNotesMerge MergeNotes(const CNoteItems& current, const CNoteItems& incoming);
