// The place table: what each place is, where it stands, what it is called.
#pragma once
#include "MapPainter.h"
#include "Rng.h"
#include "Terrain.h"
#include "World.h"

#include <vector>

namespace worldmap {

// Type codes of res/places.tsv (documented in res/README.md).
enum PlaceType {
    kRegion = 10, kCapital = 11, kCity = 18, kTown = 19, kVillage = 20, kPort = 21, kFortress = 22,
    kTemple = 23, kRuin = 24, kPass = 25, kMine = 26, kCave = 27, kWater = 28, kLandmark = 29,
};

// Places all 863 records on the terrain, routes the roads between them and
// names them. Records come back in table order.
std::vector<PlaceRec> PlanPlaces(const Rng& rng, const Terrain& t, std::vector<Road>& roads);

// Picture pixel where the viewer marks a world point at zoom 100 (the viewer's
// WorldToMap with a 3300 x 3800 picture).
int WorldToPixelX(int x);
int WorldToPixelY(int y);

// Checks every figure of the place table and that each place stands where its
// kind makes sense; prints the figures; aborts the program on any failure.
void CheckPlaces(const std::vector<PlaceRec>& places, const Terrain& t);

}  // namespace worldmap
