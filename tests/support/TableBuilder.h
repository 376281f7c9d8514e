// Builds small binary tables in the embedded formats, for tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace TestTables {

using Bytes = std::vector<unsigned char>;

inline void PutU16(Bytes& out, uint16_t v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t(v >> 8));
}

inline void PutI32(Bytes& out, int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(u >> shift));
}

struct Place {
    std::string name;  // written whole, zero bytes included
    uint16_t type, level;
    int32_t x, y;
};

inline void PutPlace(Bytes& out, const Place& p) {
    PutU16(out, uint16_t(p.name.size()));
    out.insert(out.end(), p.name.begin(), p.name.end());
    PutU16(out, p.type);
    PutU16(out, p.level);
    PutI32(out, p.x);
    PutI32(out, p.y);
}

// Records, then the terminating zero word.
inline Bytes PlaceTable(const std::vector<Place>& places) {
    Bytes out;
    for (const Place& p : places) PutPlace(out, p);
    PutU16(out, 0);
    return out;
}

inline Bytes Raw(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace TestTables
