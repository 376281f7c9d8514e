#include "notes/NoteItem.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace {

// In the order of the enumeration.
const char* const kColourNames[kPinColourCount] = {"bleu", "orange", "violet", "cyan", "rose"};

}  // namespace

const char* PinColourName(PinColour colour) {
    const int index = static_cast<int>(colour);
    return index >= 0 && index < kPinColourCount ? kColourNames[index] : kColourNames[0];
}

std::optional<PinColour> PinColourNamed(const std::string& name) {
    for (int index = 0; index < kPinColourCount; ++index)
        if (name == kColourNames[index]) return static_cast<PinColour>(index);
    return std::nullopt;
}

bool CNoteItem::operator==(const CNoteItem& o) const {
    return kind == o.kind && id == o.id && name == o.name && x == o.x && y == o.y && visited == o.visited &&
           favourite == o.favourite && note == o.note && colour == o.colour && updated == o.updated;
}

std::string PlaceKey(const std::string& nameUtf8, int32_t x, int32_t y) {
    return "place:" + std::to_string(x) + "," + std::to_string(y) + ":" + nameUtf8;
}

std::string NewPinId() {
    // 128 random bits: two programs open at once, or an import from another
    // machine, never make the same id.
    thread_local std::random_device random;  // made once: opening the source costs more than the id
    std::string id = "pin:";
    char digits[9];
    for (int word = 0; word < 4; ++word) {
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(random()));
        id += digits;
    }
    return id;
}

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}
