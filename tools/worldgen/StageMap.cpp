// Stage 1 of the world generator: terrain, places, roads, the map picture.
#include "World.h"

#include "JpegOut.h"
#include "MapPainter.h"
#include "Places.h"
#include "Terrain.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace worldmap;

namespace {
void DebugCoarse(const std::vector<float>& f, float lo, float hi, const char* path) {
    FILE* fp = std::fopen(path, "wb");
    std::fprintf(fp, "P5 %d %d 255\n", kLW, kLH);
    for (float v : f) {
        float u = (v - lo) / (hi - lo);
        u = u < 0 ? 0 : (u > 1 ? 1 : u);
        std::fputc(int(u * 255), fp);
    }
    std::fclose(fp);
}
// A picture point in world units, the places' coordinates.
long PixelToWorldX(float px) { return std::lround(-125000.0 + double(px) * 300000.0 / 3300.0); }
long PixelToWorldY(float py) { return std::lround(220000.0 - double(py) * 350000.0 / 3800.0); }

FILE* OpenSource(const std::string& path) {
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) { std::fprintf(stderr, "zerim-worldgen: cannot write %s\n", path.c_str()); std::exit(1); }
    return fp;
}

// res/roads.tsv: each road as its rank (1 highway, 2 road, 3 track) and its
// points in world units; res/scale.tsv: the league and the travel speeds.
void WriteRoadTables(const std::vector<Road>& roads, const std::string& outDir) {
    FILE* fp = OpenSource(outDir + "/roads.tsv");
    std::fprintf(fp, "rank\tpoints\n");
    size_t points = 0;
    for (const Road& road : roads) {
        std::fprintf(fp, "%d\t", road.rank + 1);
        const std::vector<float>& x = road.line.x;
        const std::vector<float>& y = road.line.y;
        for (size_t k = 0; k < x.size(); ++k) {
            // A point in line with both neighbours adds nothing to the way.
            if (k > 0 && k + 1 < x.size() && (x[k] - x[k - 1]) * (y[k + 1] - y[k]) == (y[k] - y[k - 1]) * (x[k + 1] - x[k]))
                continue;
            std::fprintf(fp, "%s%ld,%ld", k ? " " : "", PixelToWorldX(x[k]), PixelToWorldY(y[k]));
            ++points;
        }
        std::fprintf(fp, "\n");
    }
    std::fclose(fp);
    std::printf("roads.tsv: %zu roads, %zu points\n", roads.size(), points);
    // Speeds in hundredths of a league an hour: off road, then ranks 1 to 3.
    fp = OpenSource(outDir + "/scale.tsv");
    std::fprintf(fp, "name\tvalue\nlieue\t1000\n");
    const int walk[4] = {55, 125, 115, 95}, ride[4] = {90, 300, 260, 170};
    for (int r = 0; r < 4; ++r) std::fprintf(fp, "marche-%d\t%d\n", r, walk[r]);
    for (int r = 0; r < 4; ++r) std::fprintf(fp, "cheval-%d\t%d\n", r, ride[r]);
    std::fclose(fp);
}
}  // namespace

std::vector<PlaceRec> GenerateMapAndPlaces(unsigned long long seed, const std::string& outDir) {
    (void)outDir;
    Rng rng(seed);
    Rng mapRng = rng.Fork("map");
    Terrain terrain;
    BuildTerrain(mapRng, terrain);
    if (std::getenv("WORLDMAP_DEBUG")) {
        DebugCoarse(terrain.elev, -0.3f, 1.0f, "/tmp/wg/elev.pgm");
        std::vector<float> land(terrain.elev.size());
        for (size_t i = 0; i < land.size(); ++i) land[i] = terrain.elev[i] > 0 ? 0.5f + terrain.elev[i] : 0.2f;
        DebugCoarse(land, 0, 1.2f, "/tmp/wg/land.pgm");
        DebugCoarse(terrain.moist, 0, 1, "/tmp/wg/moist.pgm");
        DebugCoarse(terrain.temp, 0, 1, "/tmp/wg/temp.pgm");
        DebugCoarse(terrain.forest, 0, 1, "/tmp/wg/forest.pgm");
        FILE* fp = std::fopen("/tmp/wg/regions.ppm", "wb");
        std::fprintf(fp, "P6 %d %d 255\n", kLW, kLH);
        for (int j = 0; j < kLH; ++j)
            for (int i = 0; i < kLW; ++i) {
                const int c = Terrain::C(i, j);
                const int r = terrain.region[c];
                const int x = i * kCell + 2, y = j * kCell + 2;
                int R = 40, G = 60, B = 120;
                if (terrain.water[Terrain::P(x, y)] == 2) { R = 80; G = 140; B = 255; }
                else if (r >= 0 && terrain.water[Terrain::P(x, y)] == 0) {
                    R = 60 + (r * 97) % 180; G = 60 + (r * 53) % 180; B = 60 + (r * 151) % 180;
                    const float sh = 0.7f + 0.5f * terrain.elev[c];
                    R = int(R * sh) > 255 ? 255 : int(R * sh); G = int(G * sh) > 255 ? 255 : int(G * sh); B = int(B * sh) > 255 ? 255 : int(B * sh);
                }
                std::fputc(R, fp); std::fputc(G, fp); std::fputc(B, fp);
            }
        std::fclose(fp);
        std::printf("rivers %zu\n", terrain.rivers.size());
    }
    std::vector<Road> roads;
    std::vector<PlaceRec> places = PlanPlaces(mapRng, terrain, roads);
    {
        // res/places.tsv: UTF-8 (plain ASCII here), LF line ends, table order.
        const std::string path = outDir + "/places.tsv";
        FILE* fp = std::fopen(path.c_str(), "wb");
        if (!fp) { std::fprintf(stderr, "zerim-worldgen: cannot write %s\n", path.c_str()); std::exit(1); }
        std::fprintf(fp, "name\ttype\tlevel\tx\ty\n");
        for (const PlaceRec& p : places) std::fprintf(fp, "%s\t%d\t%d\t%d\t%d\n", p.name.c_str(), p.type, p.level, p.x, p.y);
        std::fclose(fp);
    }
    CheckPlaces(places, terrain);
    WriteRoadTables(roads, outDir);
    std::vector<uint8_t> rgb;
    PaintMap(mapRng.Fork("paint"), terrain, roads, rgb);
    int q = 0;
    const size_t bytes = WriteMapJpeg(rgb, kW, kH, outDir + "/map.jpg", 1800000, 2800000, &q);
    std::printf("map.jpg: %zu bytes, quality %d\n", bytes, q);
    return places;
}
