// The colours of what the map draws over its picture, by what each stands
// for: the usual colours, and the adapted ones (after Okabe and Ito's
// palette) that eyes with a red-green or blue-yellow deficiency still tell
// apart. Plain RGB values, so that the core can check them without Qt.
#pragma once
#include "notes/NoteItem.h"

#include <cstdint>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

enum class MapColour {
    Marker,      // a place's square
    Label,       // a place's name, and a pin's title
    FoundLabel,  // the name of a place found, and the ring around its marker
    Visited,     // the check over a visited place
    Favourite,   // the star beside a favourite
    Note,        // the tab under a noted place
    PinBlue,     // the pins' heads, in PinColour's order
    PinOrange,
    PinViolet,
    PinCyan,
    PinPink,
    LostPin,  // the mark of a place the data no longer has
};
constexpr int kMapColourCount = int(MapColour::LostPin) + 1;

Rgb ColourOf(MapColour role, bool adapted);
MapColour PinColourRole(PinColour colour);
