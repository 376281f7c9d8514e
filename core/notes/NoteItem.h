// One item of the player's own layer over the map: a mark on a place
// (visited, favourite, a note) or a pin dropped anywhere (a title, a note,
// a colour). Both live in one list so that undo, import and the notes
// panel treat them alike.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The few colours a pin may take; none is the places' red or the found
// places' green. Stored and exported by their French names.
enum class PinColour { Blue, Orange, Violet, Cyan, Pink };
constexpr int kPinColourCount = 5;
// "bleu", "orange", "violet", "cyan", "rose".
const char* PinColourName(PinColour colour);
std::optional<PinColour> PinColourNamed(const std::string& name);

struct CNoteItem {
    enum class Kind { Place, Pin };
    Kind kind = Kind::Pin;
    // A pin's id is made once (NewPinId) and never changes; a place mark's
    // is made from the place's name and position (PlaceKey), so that it
    // finds its place again after the data changes, and a mark whose place
    // is gone is still kept (and drawn where the place was).
    std::string id;
    std::string name;  // the place's name, or the pin's title; UTF-8
    int32_t x = 0;     // world coordinates, as the places have them
    int32_t y = 0;
    bool visited = false;    // places only
    bool favourite = false;  // places only
    std::string note;        // plain text, several lines; UTF-8
    PinColour colour = PinColour::Blue;  // pins only
    int64_t updated = 0;     // milliseconds since 1970 (UTC), of the last edit

    // A place mark that says nothing any more (not visited, not a
    // favourite, no note) is removed rather than kept.
    bool IsEmptyMark() const { return kind == Kind::Place && !visited && !favourite && note.empty(); }
    bool operator==(const CNoteItem& o) const;
    bool operator!=(const CNoteItem& o) const { return !(*this == o); }
};

using CNoteItems = std::vector<CNoteItem>;

// "place:X,Y:NAME", the id of a place's mark.
std::string PlaceKey(const std::string& nameUtf8, int32_t x, int32_t y);
// "pin:" and 32 random hex digits.
std::string NewPinId();
// Now, in milliseconds since 1970.
int64_t NowMs();
