// How long the character finder takes to build a character's page, with the
// tables the program embeds. Prints the median and slowest page over every
// character, then hands over to Google Benchmark for the aggregate figures.
#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "npc/CharacterPage.h"
#include "res/QtResourceStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace {

struct Tables {
    CPlaceList places;
    ByteBlock characters;
};

Tables* g_tables = nullptr;

// --tables=DIR reads RCDATA_133 and RCDATA_134 from DIR instead of the
// embedded resources, for measuring other data.
std::optional<std::vector<unsigned char>> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void UseTablesFrom(const std::string& dir, CMemoryResourceStore& store) {
    for (const int id : {ResId::IDR_PLACES, ResId::IDR_CHARACTERS})
        if (auto bytes = ReadFile(dir + "/" + ResourceKey(ResType::Numeric(ResId::RT_RCDATA), id)))
            store.Add(ResType::Numeric(ResId::RT_RCDATA), id, std::move(*bytes));
}

double MicrosecondsFor(const CCharacterPages& pages, int ordinal) {
    const auto start = std::chrono::steady_clock::now();
    auto page = pages.Page(ordinal);
    benchmark::DoNotOptimize(page);
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(stop - start).count();
}

// Each page is timed alone, several times; its best time counts, so that a
// page is not blamed for a pause of the machine.
void ReportEveryPage(const CCharacterPages& pages) {
    constexpr int kRounds = 7;
    const int count = pages.Text().Count();
    std::vector<double> best(size_t(count), 1e300);
    for (int round = 0; round < kRounds; ++round)
        for (int ordinal = 0; ordinal < count; ++ordinal)
            best[size_t(ordinal)] = std::min(best[size_t(ordinal)], MicrosecondsFor(pages, ordinal));
    const auto slowest = std::max_element(best.begin(), best.end());
    const int slowestOrdinal = int(slowest - best.begin());
    std::vector<double> sorted = best;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    const long over = std::count_if(best.begin(), best.end(), [](double us) { return us >= 1000; });
    const auto record = *pages.Text().Record(slowestOrdinal);
    std::printf("pages: %d (places: %d), best of %d runs each\n", count, pages.PlaceCount(), kRounds);
    std::printf("median page: %.2f us\n", median);
    std::printf("slowest page: %.2f us, character %d \"%.*s\" (%zu + %zu bytes of text)\n", *slowest,
                slowestOrdinal, int(record.name.size()), record.name.data(),
                record.whereabouts.size(), record.notes.size());
    std::printf("pages at or over 1 ms: %ld\n\n", over);
}

// Opening the finder: the character text and the name indexes.
void BM_OpenFinder(benchmark::State& state) {
    for (auto _ : state) {
        CCharacterPages pages(g_tables->places, g_tables->characters);
        benchmark::DoNotOptimize(pages);
    }
}

void BM_EveryPage(benchmark::State& state) {
    const CCharacterPages pages(g_tables->places, g_tables->characters);
    const int count = pages.Text().Count();
    for (auto _ : state)
        for (int ordinal = 0; ordinal < count; ++ordinal) {
            auto page = pages.Page(ordinal);
            benchmark::DoNotOptimize(page);
        }
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_OpenFinder)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EveryPage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    static CQtResourceStore embedded;
    static CMemoryResourceStore fromFiles;
    const IResourceStore* store = &embedded;
    if (argc > 1 && std::strncmp(argv[1], "--tables=", 9) == 0) {
        UseTablesFrom(argv[1] + 9, fromFiles);
        store = &fromFiles;
        argv[1] = argv[0];  // Google Benchmark must not see the option
        --argc, ++argv;
    }
    Tables tables;
    const auto placeBlock = FindRcData(*store, ResId::IDR_PLACES);
    const auto characterBlock = FindRcData(*store, ResId::IDR_CHARACTERS);
    if (!placeBlock || !characterBlock) {
        std::fprintf(stderr, "the place or character table is not embedded in this build "
                             "(res/places.tsv, res/characters.tsv)\n");
        return 2;
    }
    ParsePlaceTable(*placeBlock, tables.places);
    tables.characters = *characterBlock;
    g_tables = &tables;

    ReportEveryPage(CCharacterPages(tables.places, tables.characters));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
