// The one reader of whole decimal numbers in the program's texts: resource
// ids, character ordinals, command-line values, table columns. Strict, so
// that what the user typed is what is read: digits only, after a minus sign
// where the caller allows one; no blank, no plus sign, nothing after.
#pragma once
#include <climits>
#include <cstddef>
#include <optional>
#include <string_view>

enum class Minus : bool { Refused, Allowed };

// The number `text` spells, or nothing when it spells none, is longer than
// `maxLength` characters (sign included: the fixed widths of some formats),
// or lies outside what a long long holds.
inline std::optional<long long> ParseWholeNumber(std::string_view text, Minus minus = Minus::Refused,
                                                 size_t maxLength = SIZE_MAX) {
    if (text.size() > maxLength) return std::nullopt;
    const bool negative = minus == Minus::Allowed && !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    // Counted towards the negative end, which has room for every magnitude.
    long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const int digit = c - '0';
        if (value < (LLONG_MIN + digit) / 10) return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative && value == LLONG_MIN) return std::nullopt;
    return negative ? value : -value;
}
