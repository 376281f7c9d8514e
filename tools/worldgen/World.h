// What the stages of the world generator hand each other.
#pragma once
#include <string>
#include <vector>

// One named place, as it goes into res/places.tsv (table order = vector order).
struct PlaceRec {
    std::string name;  // printable ASCII, 3..39 bytes, no leading/trailing blank
    int type = 0;      // kind of place: 10, 11 or 18..29 (see res/README.md)
    int level = 0;     // detail level 0..5: 0 = great regions and capitals
    int x = 0;         // world x, -125000 (left edge of the map) .. 175000 (right)
    int y = 0;         // world y, 220000 (top edge) .. -130000 (bottom)
};

// Stage 1 (terrain, map picture, places): writes res/map.jpg and returns the
// places in table order; also writes res/places.tsv.
std::vector<PlaceRec> GenerateMapAndPlaces(unsigned long long seed, const std::string& outDir);

// Stage 2 (characters): writes res/characters.tsv and res/characters-tail.tsv.
void GenerateCharacters(unsigned long long seed, const std::vector<PlaceRec>& places,
                        const std::string& outDir);

// Stage 3 (spell finder): writes res/effects.tsv, res/spells.tsv,
// res/vendors.tsv and res/locations.tsv.
void GenerateSpellTables(unsigned long long seed, const std::vector<PlaceRec>& places,
                         const std::string& outDir);

// Stage 4 (pages and pictures): writes res/blank.html, res/about.html, the
// icons and the tool bar strip.
void GeneratePagesAndArt(unsigned long long seed, const std::string& outDir);
