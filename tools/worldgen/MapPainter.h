// Paints the map picture from the terrain and the roads.
#pragma once
#include "Rng.h"
#include "Terrain.h"

#include <cstdint>
#include <vector>

namespace worldmap {

// A road as painted: rank 0 = highway, 1 = road, 2 = track.
struct Road {
    Polyline line;
    int rank = 1;
};

// Fills rgb (kW x kH x 3 bytes, top row first).
void PaintMap(const Rng& rng, const Terrain& t, const std::vector<Road>& roads, std::vector<uint8_t>& rgb);

}  // namespace worldmap
