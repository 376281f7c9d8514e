// How long the place cards take with the tables the program embeds: who is
// found at each place (the reverse links, made once a run), then every
// place's card. Prints the whole run's time (best of several), then hands
// over to Google Benchmark for each part.
#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "npc/PlaceCard.h"
#include "res/QtResourceStore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

const IResourceStore* g_store = nullptr;
const CPlaceArray* g_places = nullptr;

size_t EveryCard(const CLinkedWorld& world) {
    size_t bytes = 0;
    for (int place = 0; place < world.Places().GetSize(); ++place) bytes += BuildPlaceCard(world, place).size();
    return bytes;
}

// From the store to the last card, as a run that shows every card would.
double MillisecondsForAll() {
    const auto start = std::chrono::steady_clock::now();
    const CLinkedWorld world(*g_places, *g_store);
    benchmark::DoNotOptimize(EveryCard(world));
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(stop - start).count();
}

void ReportTotal() {
    constexpr int kRounds = 7;
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) best = std::min(best, MillisecondsForAll());
    const CLinkedWorld world(*g_places, *g_store);
    size_t characters = 0, vendors = 0;
    for (int place = 0; place < g_places->GetSize(); ++place) {
        characters += world.Links().CharactersAt(place).size();
        vendors += world.Links().VendorsAt(place).size();
    }
    std::printf("places: %d, characters: %d, vendors: %zu\n", g_places->GetSize(), world.Pages().Text().Count(),
                world.Vendors().size());
    std::printf("entries on all cards: %zu characters, %zu vendors\n", characters, vendors);
    std::printf("links and every card, best of %d: %.2f ms\n\n", kRounds, best);
}

void BM_ReverseLinks(benchmark::State& state) {
    for (auto _ : state) {
        CLinkedWorld world(*g_places, *g_store);
        benchmark::DoNotOptimize(world);
    }
}

void BM_EveryCard(benchmark::State& state) {
    const CLinkedWorld world(*g_places, *g_store);
    for (auto _ : state) benchmark::DoNotOptimize(EveryCard(world));
    state.SetItemsProcessed(state.iterations() * g_places->GetSize());
}

BENCHMARK(BM_ReverseLinks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryCard)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    static CQtResourceStore embedded;
    const auto placeBlock = FindRcData(embedded, ResId::IDR_PLACES);
    if (!placeBlock) {
        std::fprintf(stderr, "the place table is not embedded in this build (res/places.tsv)\n");
        return 2;
    }
    CPlaceList places;
    ParsePlaceTable(*placeBlock, places);
    g_store = &embedded;
    g_places = &places.Array();

    ReportTotal();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
