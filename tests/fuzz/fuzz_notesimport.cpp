// The notes import on any bytes: a refused file yields nothing and says
// why; a file read yields items that write back and read again to the very
// same items, with nothing left to mend, whose GeoJSON is JSON, and which
// merge over themselves as all skipped.
#include "notes/JsonReader.h"
#include "notes/NotesExchange.h"

#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CNotesBounds bounds{-20, -10, 3300, 3800};
    const CNotesReading reading = NotesFromJson(std::string(reinterpret_cast<const char*>(data), size), bounds);
    if (!reading.ok) {
        Require(!reading.error.empty() && reading.items.empty() && reading.cleaned.empty());
        return 0;
    }
    const std::string json = NotesToJson(reading.items, 0);
    const CNotesReading again = NotesFromJson(json, bounds);
    Require(again.ok && again.cleaned.empty() && again.items.size() == reading.items.size());
    for (const CNoteItem& item : reading.items) {
        bool found = false;  // the writer sorts by id within each kind
        for (const CNoteItem& other : again.items) found = found || other == item;
        Require(found);
    }
    Require(NotesToJson(again.items, 0) == json);
    Require(ReadJson(NotesToGeoJson(reading.items)).ok);
    const CNotesMerge merge = MergeNotes(reading.items, again.items);
    Require(merge.puts.empty() && merge.skipped == int(reading.items.size()));
    return 0;
}
