#include "npc/HtmlEntity.h"

#include <utility>

namespace {

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool MayBeEntityText(std::string_view text) {
    for (const char c : text) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alnum && c != '#' && c != '+') return false;
    }
    return true;
}

// "&#...;" as the engine reads the number: one optional "+", in hexadecimal
// an optional "0x" after it, then at least one digit and nothing else.
Entity ResolveNumber(std::string_view digits) {
    int base = 10;
    if (!digits.empty() && (digits[0] == 'x' || digits[0] == 'X')) {
        digits.remove_prefix(1);
        base = 16;
    }
    if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
    if (base == 16 && digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.remove_prefix(2);
    if (digits.empty()) return {EntityKind::AsWritten};
    unsigned value = 0;  // at most seven digits: no overflow
    for (const char c : digits) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return {EntityKind::AsWritten};
        value = value * unsigned(base) + unsigned(digit);
    }
    if (value < 0x80) return {EntityKind::Ascii, char(value)};
    return {EntityKind::Other};
}

}  // namespace

Entity ResolveEntity(std::string_view text) {
    if (text.empty() || !MayBeEntityText(text)) return {EntityKind::AsWritten};
    static const std::pair<std::string_view, char> kNamed[] = {
        {"amp", '&'}, {"AMP", '&'}, {"lt", '<'}, {"LT", '<'}, {"gt", '>'}, {"GT", '>'},
        {"quot", '"'}, {"QUOT", '"'}, {"apos", '\''}, {"percnt", '%'}};
    for (const auto& [name, c] : kNamed)
        if (text == name) return {EntityKind::Ascii, c};
    // Another name is a character beyond ASCII or stays as written: either
    // way no element's name.
    if (text[0] != '#') return {EntityKind::Other};
    return ResolveNumber(text.substr(1));
}
