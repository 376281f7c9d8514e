// zerim-worldgen: makes every data source under res/ from one seed.
//   zerim-worldgen [--seed N] OUT_DIR
// The same seed always gives byte-identical files.
#include "World.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

constexpr unsigned long long kDefaultSeed = 20261207;

int main(int argc, char** argv) {
    unsigned long long seed = kDefaultSeed;
    std::string outDir;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (argv[i][0] != '-' && outDir.empty()) {
            outDir = argv[i];
        } else {
            std::cerr << "usage: zerim-worldgen [--seed N] OUT_DIR\n";
            return 1;
        }
    }
    if (outDir.empty()) {
        std::cerr << "usage: zerim-worldgen [--seed N] OUT_DIR\n";
        return 1;
    }
    std::filesystem::create_directories(outDir);
    const auto places = GenerateMapAndPlaces(seed, outDir);
    GenerateCharacters(seed, places, outDir);
    GenerateSpellTables(seed, places, outDir);
    GeneratePagesAndArt(seed, outDir);
    return 0;
}
