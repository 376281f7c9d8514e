// A bounded JSON reader for files that come from outside the program (an
// import of the player's notes): strict UTF-8 and strict JSON (RFC 8259),
// nesting and the number of values bounded, a key twice in one object
// refused. What it reads is a small tree; a file refused says where and why,
// in French, and yields nothing.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct CJsonValue {
    enum class Type : uint8_t { Null, Boolean, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    // A number is kept when it is a whole number that fits 64 bits (no
    // fraction, no exponent); any other number reads as not whole.
    bool whole = false;
    int64_t number = 0;
    std::string text;  // a string's UTF-8
    // An array's elements (empty keys) or an object's members, in file order.
    std::vector<std::pair<std::string, CJsonValue>> items;

    // An object's member, or null when there is none.
    const CJsonValue* Member(std::string_view key) const;
};

struct CJsonLimits {
    size_t bytes = 64u << 20;
    int depth = 32;             // arrays and objects inside one another
    size_t values = 2'000'000;  // every value, containers included
};

struct CJsonReading {
    bool ok = false;
    CJsonValue root;
    std::string error;  // "ligne 3, colonne 14 : « , » ou « ] » attendu"
};
CJsonReading ReadJson(std::string_view text, const CJsonLimits& limits = {});

void AppendUtf8(std::string& out, char32_t point);
