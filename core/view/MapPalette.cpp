#include "view/MapPalette.h"

namespace {

// By MapColour. The usual colours are the map's own: pure red squares,
// white names, green for what was found.
constexpr Rgb kUsual[kMapColourCount] = {
    {255, 0, 0},    {255, 255, 255}, {0, 255, 0},    {120, 255, 140}, {255, 215, 0},   {255, 245, 160},
    {40, 120, 255}, {255, 150, 20},  {180, 80, 255}, {0, 220, 230},   {255, 110, 190}, {160, 160, 160},
};

// Okabe and Ito's colours where they fit: vermillion squares, yellow for
// what was found, bluish green checks, and pins in blue, orange, sky blue
// and reddish purple. Their violet is a deep one, and the lost mark a dark
// grey: a lighter violet or grey would be taken for the blue or the pink
// pins by a red-green deficient eye. The test of the palette checks every
// pair that has to be told apart.
constexpr Rgb kAdapted[kMapColourCount] = {
    {213, 94, 0},  {255, 255, 255}, {240, 228, 66}, {0, 158, 115},  {255, 215, 0},   {255, 245, 160},
    {0, 114, 178}, {230, 159, 0},   {80, 16, 128},  {86, 180, 233}, {204, 121, 167}, {100, 100, 100},
};

}  // namespace

Rgb ColourOf(MapColour role, bool adapted) {
    const int index = int(role);
    if (index < 0 || index >= kMapColourCount) return kUsual[0];
    return adapted ? kAdapted[index] : kUsual[index];
}

MapColour PinColourRole(PinColour colour) {
    const int index = int(colour);
    if (index < 0 || index >= kPinColourCount) return MapColour::PinBlue;
    return MapColour(int(MapColour::PinBlue) + index);
}
