#include "notes/NoteItem.h"

#include <chrono>
#include <random>

namespace {

const char* const kPinColourNames[kPinColourCount] = {"bleu", "orange", "violet", "cyan", "rose"};

}  // namespace

const char* PinColourName(PinColour colour) {
    const int i = int(colour);
    return i >= 0 && i < kPinColourCount ? kPinColourNames[i] : kPinColourNames[0];
}

std::optional<PinColour> PinColourNamed(const std::string& name) {
    for (int i = 0; i < kPinColourCount; ++i)
        if (name == kPinColourNames[i]) return PinColour(i);
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
    thread_local std::random_device random;  // opened once: an import may make thousands
    std::string id = "pin:";
    for (int word = 0; word < 4; ++word) {
        uint32_t bits = random();  // 32 random bits: 8 digits
        for (int i = 0; i < 8; ++i, bits >>= 4) id += "0123456789abcdef"[bits & 15];
    }
    return id;
}

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}
