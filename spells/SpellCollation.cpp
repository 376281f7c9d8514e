#include "SpellCollation.h"

#include <cstdint>
#include <vector>

namespace {

// Weights of the first level: symbols keep their byte value, digits and
// letters come after every symbol.
constexpr uint16_t kDigitWeight = 0x100;
constexpr uint16_t kLetterWeight = 0x200;

uint16_t Letter(char upper) { return uint16_t(kLetterWeight + uint8_t(upper)); }

// The capital of a Windows-1252 letter; other bytes come back unchanged.
uint8_t Capital(uint8_t c) {
    if (c >= 'a' && c <= 'z') return uint8_t(c - 'a' + 'A');
    // Lower-case letters of the upper half sit 0x20 above their capitals,
    // except the three pairs of the 0x80 row and ÿ.
    if (c >= 0xE0 && c != 0xF7 && c != 0xFF) return uint8_t(c - 0x20);
    if (c == 0x9A || c == 0x9C || c == 0x9E) return uint8_t(c - 0x10);
    if (c == 0xFF) return 0x9F;
    return c;
}

// The base letters of an accented capital (or of ß, ƒ, which have none);
// an empty string for a byte that is no such letter.
const char* AccentedBase(uint8_t capital) {
    switch (capital) {
    case 0x83: return "F";   // ƒ
    case 0x8A: return "S";   // Š
    case 0x8C: return "OE";  // Œ
    case 0x8E: return "Z";   // Ž
    case 0x9F: return "Y";   // Ÿ
    case 0xC6: return "AE";  // Æ
    case 0xC7: return "C";   // Ç
    case 0xD0: return "D";   // Ð
    case 0xD1: return "N";   // Ñ
    case 0xD8: return "O";   // Ø
    case 0xDD: return "Y";   // Ý
    case 0xDE: return "TH";  // Þ
    case 0xDF: return "SS";  // ß
    default: break;
    }
    if (capital >= 0xC0 && capital <= 0xC5) return "A";
    if (capital >= 0xC8 && capital <= 0xCB) return "E";
    if (capital >= 0xCC && capital <= 0xCF) return "I";
    if (capital >= 0xD2 && capital <= 0xD6) return "O";
    if (capital >= 0xD9 && capital <= 0xDC) return "U";
    return "";
}

void AppendUnits(uint8_t byte, SpellSortKey& out) {
    const auto push = [&out](uint16_t base, uint8_t accent) {
        out.bases.push_back(base);
        out.accents.push_back(accent);
    };
    const uint8_t c = Capital(byte);
    if (c >= 'A' && c <= 'Z') return push(Letter(char(c)), 0);
    if (c >= '0' && c <= '9') return push(uint16_t(kDigitWeight + c), 0);
    const char* base = AccentedBase(c);
    if (*base == '\0') return push(c, 0);
    // The capital's byte marks the accent, the same for both cases.
    for (; *base; ++base) push(Letter(*base), c);
}

}  // namespace

SpellSortKey MakeSpellSortKey(std::string_view name) {
    SpellSortKey key;
    key.bases.reserve(name.size());
    key.accents.reserve(name.size());
    for (char c : name) AppendUnits(uint8_t(c), key);
    return key;
}

int CompareSpellNames(std::string_view a, std::string_view b) {
    // Vectors compare element by element, a prefix first: a dictionary's
    // order, level by level.
    const SpellSortKey ka = MakeSpellSortKey(a), kb = MakeSpellSortKey(b);
    if (ka < kb) return -1;
    return kb < ka ? 1 : 0;
}
