// How the player chose to see the map, beyond its usual look: every choice
// is off by default, so that the map looks as it always has until asked.
// The window's Affichage menu and --snapshot's options set the same values,
// so a picture made from the command line shows what the window shows.
#pragma once
#include <cstdint>
#include <vector>

struct MapLook {
    // A small shape per kind of place instead of the red squares.
    bool symbols = false;
    // Colours that eyes with a colour deficiency still tell apart, and a
    // ring around found places, a cue that is not a colour.
    bool adaptedColours = false;
    // Labels placed so that none hides another or a marker.
    bool declutter = false;
    // A picture smaller than the view sits in its middle on a neutral ground.
    bool centred = false;
    // The kinds of places (type codes) hidden, sorted; found places show
    // whatever their kind.
    std::vector<int32_t> hiddenKinds;

    bool operator==(const MapLook& other) const {
        return symbols == other.symbols && adaptedColours == other.adaptedColours && declutter == other.declutter &&
               centred == other.centred && hiddenKinds == other.hiddenKinds;
    }
    bool operator!=(const MapLook& other) const { return !(*this == other); }
};
