// What the HTML panel's engine makes of "&text;" inside a tag: it reads up
// to ";" within nine characters, resolves a name of its table or a number,
// and leaves anything else as written. Only the entities that stand for
// ASCII are resolved here: the elements that matter have ASCII names, and a
// name with any other character is no element's.
#pragma once
#include <string_view>

enum class EntityKind { AsWritten, Ascii, Other };

struct Entity {
    EntityKind kind;
    char ascii = 0;  // for Ascii
};

// `text` lies between "&" and ";".
Entity ResolveEntity(std::string_view text);
