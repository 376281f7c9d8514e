// Writing the player's layer as JSON and GeoJSON, and the merge rule of an
// import. Reading is NotesImport.cpp.
#include "notes/NotesExchange.h"

#include "notes/IsoTime.h"
#include "notes/JsonReader.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace {

// A JSON string of `text`: always valid UTF-8 (a stray byte becomes
// U+FFFD), control characters escaped, the rest as it is.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    while (!text.empty()) {
        char32_t point = 0;
        const size_t length = Utf8SequenceAt(text, point);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            text.remove_prefix(1);
            continue;
        }
        switch (point) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (point < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(point));
                out += escape;
            } else {
                out.append(text.substr(0, length));
            }
        }
        text.remove_prefix(length);
    }
    return out + '"';
}

const char* Flag(bool value) { return value ? "true" : "false"; }

// Places then pins, each kind by id, whatever order the caller keeps.
std::vector<const CNoteItem*> InFileOrder(const CNoteItems& items, CNoteItem::Kind kind) {
    std::vector<const CNoteItem*> chosen;
    for (const CNoteItem& item : items)
        if (item.kind == kind) chosen.push_back(&item);
    std::sort(chosen.begin(), chosen.end(), [](const CNoteItem* a, const CNoteItem* b) { return a->id < b->id; });
    return chosen;
}

// One member per line at `indent`, separated by commas.
std::string Members(const std::vector<std::pair<std::string, std::string>>& members, const std::string& indent) {
    std::string out;
    for (size_t i = 0; i < members.size(); ++i)
        out += indent + Quoted(members[i].first) + ": " + members[i].second + (i + 1 < members.size() ? ",\n" : "\n");
    return out;
}

// "[]" or the objects one below the other, each member on a line.
std::string ObjectList(const std::vector<std::vector<std::pair<std::string, std::string>>>& objects,
                       const std::string& indent) {
    if (objects.empty()) return "[]";
    std::string out = "[\n";
    for (size_t i = 0; i < objects.size(); ++i)
        out += indent + "  {\n" + Members(objects[i], indent + "    ") + indent + "  }" +
               (i + 1 < objects.size() ? ",\n" : "\n");
    return out + indent + "]";
}

}  // namespace

std::string NotesToJson(const CNoteItems& items, int64_t exportedMs) {
    std::vector<std::vector<std::pair<std::string, std::string>>> places, pins;
    for (const CNoteItem* p : InFileOrder(items, CNoteItem::Kind::Place))
        places.push_back({{"name", Quoted(p->name)},
                          {"x", std::to_string(p->x)},
                          {"y", std::to_string(p->y)},
                          {"visited", Flag(p->visited)},
                          {"favourite", Flag(p->favourite)},
                          {"note", Quoted(p->note)},
                          {"updated", Quoted(IsoTimeUtc(p->updated))}});
    for (const CNoteItem* p : InFileOrder(items, CNoteItem::Kind::Pin))
        pins.push_back({{"id", Quoted(p->id)},
                        {"x", std::to_string(p->x)},
                        {"y", std::to_string(p->y)},
                        {"title", Quoted(p->name)},
                        {"note", Quoted(p->note)},
                        {"colour", Quoted(PinColourName(p->colour))},
                        {"updated", Quoted(IsoTimeUtc(p->updated))}});
    return "{\n" +
           Members({{"format", Quoted("zerim-notes")},
                    {"version", std::to_string(kNotesFormatVersion)},
                    {"exported", Quoted(IsoTimeUtc(exportedMs))},
                    {"places", ObjectList(places, "  ")},
                    {"pins", ObjectList(pins, "  ")}},
                   "  ") +
           "}\n";
}

std::string NotesToGeoJson(const CNoteItems& items) {
    std::string features;
    for (const CNoteItem::Kind kind : {CNoteItem::Kind::Place, CNoteItem::Kind::Pin}) {
        for (const CNoteItem* p : InFileOrder(items, kind)) {
            std::vector<std::pair<std::string, std::string>> properties = {
                {"kind", Quoted(kind == CNoteItem::Kind::Place ? "place" : "pin")},
                {"name", Quoted(p->name)},
                {"note", Quoted(p->note)}};
            if (kind == CNoteItem::Kind::Place) {
                properties.emplace_back("visited", Flag(p->visited));
                properties.emplace_back("favourite", Flag(p->favourite));
            } else {
                properties.emplace_back("colour", Quoted(PinColourName(p->colour)));
            }
            properties.emplace_back("updated", Quoted(IsoTimeUtc(p->updated)));
            if (!features.empty()) features += ",\n";
            features += "    {\n" +
                        Members({{"type", Quoted("Feature")},
                                 {"id", Quoted(p->id)},
                                 {"geometry", "{\"type\": \"Point\", \"coordinates\": [" + std::to_string(p->x) + ", " +
                                                  std::to_string(p->y) + "]}"},
                                 {"properties", "{\n" + Members(properties, "        ") + "      }"}},
                                "      ") +
                        "    }";
        }
    }
    // No "crs": GeoJSON's coordinates are longitude and latitude, ours are
    // the map picture's pixels, which the top-level properties say.
    return "{\n" +
           Members({{"type", Quoted("FeatureCollection")},
                    {"properties", "{\n" +
                                       Members({{"format", Quoted("zerim-notes-geojson")},
                                                {"version", std::to_string(kNotesFormatVersion)},
                                                {"coordinates", Quoted("map-pixels")},
                                                {"description", Quoted("Coordonnées en pixels de la carte : x vers "
                                                                       "la droite, y vers le bas, depuis le coin "
                                                                       "supérieur gauche de l'image.")}},
                                               "    ") +
                                       "  }"},
                    {"features", features.empty() ? "[]" : "[\n" + features + "\n  ]"}},
                   "  ") +
           "}\n";
}

CNotesMerge MergeNotes(const CNoteItems& current, const CNoteItems& incoming) {
    std::unordered_map<std::string, const CNoteItem*> byId;
    for (const CNoteItem& item : current) byId[item.id] = &item;
    std::unordered_map<std::string, size_t> putAt;  // an id given twice: the later one is merged over the first
    CNotesMerge merge;
    for (const CNoteItem& item : incoming) {
        const auto put = putAt.find(item.id);
        const CNoteItem* known = put != putAt.end() ? &merge.puts[put->second] : nullptr;
        if (!known) {
            const auto found = byId.find(item.id);
            if (found != byId.end()) known = found->second;
        }
        if (!known) {
            ++merge.added;
        } else if (item.updated > known->updated && item != *known) {
            ++merge.updated;
        } else {
            ++merge.skipped;
            continue;
        }
        if (put != putAt.end()) {
            merge.puts[put->second] = item;
        } else {
            putAt[item.id] = merge.puts.size();
            merge.puts.push_back(item);
        }
    }
    return merge;
}
