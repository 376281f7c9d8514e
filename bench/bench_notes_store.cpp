// The player's layer at 100,000 items (half place marks, half pins, notes
// of every length): how long the store takes to open (the checks at open
// included) and to read every item, medians over several runs.
#include "notes/NoteStore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kItems = 100000;
constexpr int kRuns = 15;

CNoteItems MadeUpLayer() {
    std::mt19937 random(30);
    CNoteItems items;
    for (int i = 0; i < kItems; ++i) {
        CNoteItem item;
        item.x = int32_t(random() % 3300), item.y = int32_t(random() % 3800);
        item.name = "Lieu " + std::to_string(i);
        item.note = std::string(1 + random() % 120, 'n');
        item.updated = 1765000000000 + i;
        if (i % 2) {
            item.kind = CNoteItem::Kind::Place;
            item.id = PlaceKey(item.name, item.x, item.y);
            item.visited = i % 3 != 0, item.favourite = i % 7 == 0;
        } else {
            item.id = NewPinId();
            item.colour = static_cast<PinColour>(i % kPinColourCount);
        }
        items.push_back(item);
    }
    return items;
}

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    char folder[] = "/tmp/bench_notes_XXXXXX";
    if (!mkdtemp(folder)) return 2;
    const std::string path = std::string(folder) + "/notes.sqlite";
    {
        auto store = CNoteStore::Open(path).store;
        std::string error;
        const auto start = std::chrono::steady_clock::now();
        if (!store || !store->Apply(MadeUpLayer(), {}, false, error)) {
            std::fprintf(stderr, "cannot make the layer: %s\n", error.c_str());
            return 2;
        }
        std::printf("writing %d items in one transaction: %.1f ms\n", kItems,
                    Ms(std::chrono::steady_clock::now() - start));
    }
    struct stat st {};
    stat(path.c_str(), &st);
    std::printf("database: %.1f MB\n", double(st.st_size) / 1e6);

    std::vector<double> open, read;
    size_t count = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        auto opening = CNoteStore::Open(path);
        const auto opened = std::chrono::steady_clock::now();
        count = opening.store->Items().size();
        const auto stop = std::chrono::steady_clock::now();
        open.push_back(Ms(opened - start));
        read.push_back(Ms(stop - opened));
    }
    std::printf("items read: %zu\n", count);
    std::printf("open (integrity check, migration check), median of %d: %.1f ms, fastest %.1f ms (target < 100)\n",
                kRuns, Median(open), *std::min_element(open.begin(), open.end()));
    std::printf("read every item, median of %d: %.1f ms, fastest %.1f ms\n", kRuns, Median(read),
                *std::min_element(read.begin(), read.end()));
    unlink(path.c_str());
    rmdir(folder);
    return 0;
}
