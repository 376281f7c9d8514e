#include "spells/SpellCollation.h"

#include <cstdint>
#include <string>

#include "view/UpperCase.h"

namespace {

// Weights of the first level: symbols keep their byte value, digits and
// letters come after every symbol.
constexpr uint16_t kDigitWeight = 0x100;
constexpr uint16_t kLetterWeight = 0x200;

uint16_t Letter(char upper) { return uint16_t(kLetterWeight + uint8_t(upper)); }

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

// A key under construction: the first level's weights and, apart, the
// second level's marks.
struct KeyParts {
    std::string bases, accents;
};

void AppendUnits(uint8_t byte, KeyParts& out) {
    const auto push = [&out](uint16_t base, uint8_t accent) {
        // Weights are stored one above their value, big-endian, so that no
        // weight is two zero bytes: those end the first level, and a name
        // that is the start of another sorts first.
        const unsigned stored = base + 1u;
        out.bases += char(stored >> 8);
        out.bases += char(stored & 0xFF);
        out.accents += char(accent);
    };
    const uint8_t c = CapitalOf1252(byte);
    if (c >= 'A' && c <= 'Z') return push(Letter(char(c)), 0);
    if (c >= '0' && c <= '9') return push(uint16_t(kDigitWeight + c), 0);
    const char* base = AccentedBase(c);
    if (*base == '\0') return push(c, 0);
    // The capital's byte marks the accent, the same for both cases.
    for (; *base; ++base) push(Letter(*base), c);
}

KeyParts MakeKeyParts(std::string_view name) {
    KeyParts parts;
    parts.bases.reserve(3 * name.size() + 2);
    for (char c : name) AppendUnits(uint8_t(c), parts);
    return parts;
}

}  // namespace

SpellSortKey MakeSpellSortKey(std::string_view name) {
    KeyParts parts = MakeKeyParts(name);
    // The accents count only where the base letters tie, which is where
    // the two keys reach them.
    parts.bases.append(2, '\0');
    parts.bases += parts.accents;
    return SpellSortKey{std::move(parts.bases)};
}

int CompareSpellNames(std::string_view a, std::string_view b) {
    const int order = MakeSpellSortKey(a).bytes.compare(MakeSpellSortKey(b).bytes);
    return (order > 0) - (order < 0);
}

bool SameBaseLetters(std::string_view a, std::string_view b) {
    return MakeKeyParts(a).bases == MakeKeyParts(b).bases;
}

const char* BaseLetters1252(unsigned char byte) {
    // One capital of each plain letter, for the bytes that are their own base.
    static const char kPlain[26][2] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                       "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    const uint8_t c = CapitalOf1252(byte);
    if (c >= 'A' && c <= 'Z') return kPlain[c - 'A'];
    const char* base = AccentedBase(c);
    return *base ? base : nullptr;
}
