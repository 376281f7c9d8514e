#include "view/UpperCase.h"

unsigned char CapitalOf1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à..þ, not ÷
    switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
    }
}

std::string UpperCase1252(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = char(CapitalOf1252(static_cast<unsigned char>(c)));
    return out;
}
