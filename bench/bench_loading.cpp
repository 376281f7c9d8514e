// How loading grows with the size of the tables: the place table, the
// character finder's opening (character text and link indexes) and the spell
// tree, each at n and 10 x n records of made-up data. Loading is linear when
// ten times the records cost about ten times the time; after Google
// Benchmark's own figures, the ratio of each pair is printed against the goal
// of at most 12.
#include "data/PlaceTable.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "npc/CharacterPage.h"
#include "spells/EffectTree.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void PutU16(Bytes& out, unsigned v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

void PutText(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// Fixed-width names whose alphabetical order is the reverse of `index`'s
// order when `descending`: "Sort ZZZZ", "Sort ZZZY", ...
std::string Name(const char* prefix, int index, int count, bool descending) {
    int v = descending ? count - 1 - index : index;
    std::string letters(5, 'A');
    for (int i = 4; i >= 0; --i, v /= 26) letters[size_t(i)] = char('A' + v % 26);
    return std::string(prefix) + letters;
}

Bytes PlaceTable(int count) {
    Bytes out;
    for (int i = 0; i < count; ++i) {
        const std::string name = Name("Hamlet of ", i, count, false);
        PutU16(out, unsigned(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        PutU16(out, 20);
        PutU16(out, unsigned(i % 6));
        for (int word = 0; word < 4; ++word) PutU16(out, unsigned(i * 7 + word));  // x and y
    }
    PutU16(out, 0);
    return out;
}

Bytes CharacterTable(int count) {
    Bytes out;
    for (int i = 0; i < count; ++i) {
        PutText(out, Name("Wren ", i, count, false));
        PutText(out, "Stands by the well of Hamlet of AAAAB, most days.");
        PutText(out, i % 3 ? "Owes Wren AAAAC a debt." : "");
    }
    out.push_back(0);
    return out;
}

// `effects` effects; spell i is filed under effect i % effects, and spells
// come in descending alphabetical order, the worst case of one-by-one
// sorted insertion.
void AddSpellTables(CMemoryResourceStore& store, int spells, int effects) {
    Bytes effectBytes, spellBytes;
    for (int i = 0; i < effects; ++i) {
        PutText(effectBytes, Name("Effet ", i, effects, true));
        PutU16(effectBytes, unsigned(i));
    }
    for (int i = 0; i < spells; ++i) {
        PutText(spellBytes, Name("Sort ", i, spells, true));
        PutU16(spellBytes, unsigned(i % effects));
        PutU16(spellBytes, unsigned(i));
    }
    effectBytes.push_back(0);
    spellBytes.push_back(0);
    const auto rcdata = ResType::Numeric(ResId::RT_RCDATA);
    store.Add(rcdata, ResId::IDR_EFFECTS, std::move(effectBytes));
    store.Add(rcdata, ResId::IDR_SPELLS, std::move(spellBytes));
}

void BM_LoadPlaces(benchmark::State& state) {
    const Bytes table = PlaceTable(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();  // freeing is not loading
        auto places = std::make_unique<CPlaceList>();
        state.ResumeTiming();
        ParsePlaceTable(ByteBlock(table), *places);
        state.PauseTiming();
        places.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The character table's copy alone, as the finder makes it at each opening.
void BM_LoadCharacterText(benchmark::State& state) {
    const Bytes table = CharacterTable(int(state.range(0)));
    for (auto _ : state) {
        CCharacterText text{ByteBlock(table)};
        benchmark::DoNotOptimize(text);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole opening: the copy, then the name indexes that links are made from.
void BM_OpenCharacterFinder(benchmark::State& state) {
    const Bytes table = CharacterTable(int(state.range(0)));
    CPlaceArray noPlaces;
    for (auto _ : state) {
        CCharacterPages pages(noPlaces, ByteBlock(table));
        benchmark::DoNotOptimize(pages);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// range(1) is the number of effects, 0 for one effect per spell.
void BM_LoadSpellTree(benchmark::State& state) {
    const int spells = int(state.range(0));
    CMemoryResourceStore store;
    AddSpellTables(store, spells, state.range(1) ? int(state.range(1)) : spells);
    for (auto _ : state) {
        EffectTree tree = LoadEffectTree(store);
        benchmark::DoNotOptimize(tree);
    }
    state.SetItemsProcessed(state.iterations() * spells);
}

BENCHMARK(BM_LoadPlaces)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCharacterText)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCharacterFinder)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
// Under one effect: all spells sorted among themselves; one effect each: the
// flattening pass brings every spell to the root.
BENCHMARK(BM_LoadSpellTree)->Args({2000, 1})->Args({20000, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSpellTree)->Args({2000, 0})->Args({20000, 0})->Unit(benchmark::kMillisecond);

// Keeps the fastest time of every benchmark and, at the end, prints the
// ratio between each size and the size ten times smaller in its family, in
// wall-clock and in processor time (the latter suffers less when other
// programs share the machine).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            // Single runs, or the medians when only aggregates are shown.
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type != Run::RT_Iteration && !median)) continue;
            const auto& name = run.run_name;
            Times& best = m_best[name.function_name + Rest(name.args)][First(name.args)];
            best.real = std::min(best.real, run.GetAdjustedRealTime());
            best.cpu = std::min(best.cpu, run.GetAdjustedCPUTime());
        }
    }

    void Finalize() override {
        std::printf("\nten times the records (goal: at most 12 times the time)\n");
        for (const auto& [family, sizes] : m_best)
            for (const auto& [count, times] : sizes) {
                const auto smaller = sizes.find(count / 10);
                if (count % 10 != 0 || smaller == sizes.end()) continue;
                const double real = times.real / smaller->second.real;
                const double cpu = times.cpu / smaller->second.cpu;
                std::printf("%-26s %7ld -> %7ld: %8.2f -> %8.2f ms, x %5.2f (processor x %5.2f) %s\n",
                            family.c_str(), smaller->first, count, smaller->second.real, times.real,
                            real, cpu, std::min(real, cpu) <= 12 ? "ok" : "OVER");
            }
        ConsoleReporter::Finalize();
    }

private:
    struct Times {
        double real = 1e300, cpu = 1e300;
    };

    // "2000/1" -> 2000 and "/1": the record count, then what else tells the case.
    static long First(const std::string& args) { return std::stol(args); }
    static std::string Rest(const std::string& args) {
        const size_t slash = args.find('/');
        return slash == std::string::npos ? std::string() : args.substr(slash);
    }

    std::map<std::string, std::map<long, Times>> m_best;
};

}  // namespace

int main(int argc, char** argv) {
    // glibc raises its mmap threshold after the first free of a mapped block,
    // up to 32 MiB: a table under that size would then be copied into warm,
    // reused memory, a larger one into freshly mapped pages at every run,
    // and the ratio would compare the two. A fixed threshold maps every large
    // block afresh, as a first opening of a finder does.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
