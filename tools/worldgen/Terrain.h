// The terrain of the world map: elevation, climate, rivers, lakes and regions.
// Coarse fields live on a grid of 4 x 4 picture pixels ("cells"); the
// elevation and the water mask also exist at full picture resolution.
#pragma once
#include "Rng.h"

#include <cstdint>
#include <vector>

namespace worldmap {

constexpr int kW = 3300;       // picture width in pixels
constexpr int kH = 3800;       // picture height in pixels
constexpr int kCell = 4;       // pixels per coarse cell
constexpr int kLW = kW / kCell;  // 825
constexpr int kLH = kH / kCell;  // 950

// A polyline in picture pixels with a value (width, flow) per vertex.
struct Polyline {
    std::vector<float> x, y, v;
};

// Name cultures: each region names its places in its own tongue (Names.cpp).
enum Culture { kNorth, kFrost, kWest, kHeart, kDwarf, kSteppe, kMarch, kIsles, kEastN, kEastS, kDesert, kSavanna,
               kCultureCount };

// A region of the world: where it is seeded and what culture names it.
struct RegionDef {
    const char* key;        // short id used in the code
    const char* pattern;    // region name pattern, %s = a root word of its culture
    int culture;            // index into the name cultures (Names.h)
    bool hasCapital;
    std::vector<float> sx, sy;  // seed polyline (one point or more), pixels
    float weight;           // > 1 claims more land
};

// Picture pixels of the four places that hold the extreme world coordinates.
struct Anchors {
    int westX, westY, eastX, eastY, northX, northY, southX, southY;
};

struct Terrain {
    // Coarse grid (kLW x kLH).
    std::vector<float> elev;    // sea level 0; below 0 is sea
    std::vector<float> mount;   // mountain factor 0..1
    std::vector<float> temp;    // 0 polar .. 1 tropical, with height
    std::vector<float> moist;   // 0 arid .. 1 wet
    std::vector<float> forest;  // 0..1 forest density
    std::vector<float> flow;    // accumulated run-off
    std::vector<int> down;      // downstream cell, -1 at the sea
    std::vector<uint8_t> lake;  // 1 = lake cell
    std::vector<uint8_t> ocean; // 1 = sea cell connected to the border
    std::vector<float> seaDistCells;  // distance to the ocean in cells
    std::vector<int8_t> region; // region index, -1 on water
    std::vector<Polyline> rivers;  // v = width in pixels
    std::vector<RegionDef> regions;
    std::vector<float> rangeX, rangeY, rangeSize;  // middle of each mountain range, and its size
    Anchors anchors{};

    // Full resolution (kW x kH).
    std::vector<float> E;          // elevation
    std::vector<uint8_t> water;    // 0 land, 1 sea, 2 lake
    std::vector<float> distWater;  // land: distance to the nearest water pixel
    std::vector<float> distLand;   // water: distance to the nearest land pixel
    std::vector<float> riverCov;   // 0..1 river coverage (painted river)

    static int C(int i, int j) { return j * kLW + i; }
    static size_t P(int x, int y) { return size_t(y) * kW + x; }
    // Coarse value at picture pixel (x, y), bilinear.
    float Sample(const std::vector<float>& f, float px, float py) const;
    bool IsLand(int px, int py) const {
        return px >= 0 && py >= 0 && px < kW && py < kH && water[P(px, py)] == 0;
    }
    int RegionAt(int px, int py) const {
        return region[C(px / kCell < kLW ? px / kCell : kLW - 1, py / kCell < kLH ? py / kCell : kLH - 1)];
    }
};

// Calls visit(ii, jj, n) for each cell of the 3 x 3 block around cell (i, j)
// that lies on the grid, row by row from the top left, n being its index;
// the centre itself only when `withCentre`.
template <class Visit>
void ForEachNeighbour(int i, int j, bool withCentre, Visit visit) {
    for (int dj = -1; dj <= 1; ++dj)
        for (int di = -1; di <= 1; ++di) {
            if (!withCentre && !di && !dj) continue;
            const int ii = i + di, jj = j + dj;
            if (ii < 0 || jj < 0 || ii >= kLW || jj >= kLH) continue;
            visit(ii, jj, Terrain::C(ii, jj));
        }
}

// Builds the whole terrain from the seed.
void BuildTerrain(const Rng& rng, Terrain& t);

}  // namespace worldmap
