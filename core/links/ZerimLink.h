// The program's links: a text of the scheme "zerim:" that names a place, a
// character, a spell or a view of the map, so that a chat, a wiki page or a
// note can open the program there.
//
//   zerim:place/NAME[?nth=K][&zoom=N]
//   zerim:character/NAME
//   zerim:spell/NAME
//   zerim:view?x=X&y=Y[&zoom=N]
//
// NAME is UTF-8, percent-encoded: the writer keeps the unreserved characters
// (A-Z a-z 0-9 - . _ ~) and writes every other byte as %XX; the reader takes
// either case of hex digits and also the characters themselves, but for
// "%", "?" and "#". K tells the K-th place of that exact name (from 1), where
// several share it. X and Y are the view's centre in world coordinates, N a
// zoom in percent within the map view's range. Parameters come in any order. The scheme and the kind are
// read in any letter case, and "zerim://" as "zerim:".
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct ZerimLink {
    enum class Kind { Place, Character, Spell, View };
    Kind kind = Kind::Place;
    std::string name;         // UTF-8; empty for a view
    std::optional<int> nth;   // a place's: which of the places called so
    std::optional<int> zoom;  // a place's or a view's
    int x = 0, y = 0;         // a view's centre

    bool operator==(const ZerimLink& other) const {
        return kind == other.kind && name == other.name && nth == other.nth && zoom == other.zoom && x == other.x &&
               y == other.y;
    }
};

// Longer links are refused before anything else is read: a link comes from
// outside the program (a browser, another process).
constexpr size_t kMaxLinkBytes = 4096;

// Whether `text` starts with the scheme: such an argument is a link, not a
// file to open.
bool IsZerimLink(std::string_view text);

// The link `text` spells, or nothing with the French reason in `error`.
std::optional<ZerimLink> ParseZerimLink(std::string_view text, std::string& error);

// The link's text, as ParseZerimLink reads it back.
std::string WriteZerimLink(const ZerimLink& link);

// The English word of a kind in a link, and its French name for messages.
const char* KindWord(ZerimLink::Kind kind);
const char* KindNoun(ZerimLink::Kind kind);
