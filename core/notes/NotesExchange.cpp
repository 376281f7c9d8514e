// Writing the player's layer as JSON and GeoJSON, and the merge rule of an
// import. Reading is NotesImport.cpp.
#include "notes/NotesExchange.h"

#include "view/ViewGeometry.h"

#include "notes/IsoTime.h"
#include "data/ShownText.h"
#include "notes/JsonReader.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace {

using Kind = CNoteItem::Kind;

// Appends `text` as a JSON string: always valid UTF-8 (a stray byte becomes
// U+FFFD), control characters escaped, the rest as it is.
void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    while (!text.empty()) {
        size_t plain = 0;  // a run of printable ASCII goes in whole
        while (plain < text.size() && text[plain] >= 0x20 && text[plain] < 0x7F && text[plain] != '"' &&
               text[plain] != '\\')
            ++plain;
        out.append(text.substr(0, plain));
        text.remove_prefix(plain);
        if (text.empty()) break;
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
    out += '"';
}

// Members are written one a line, each after its indent; `Member` opens a
// member, the caller appends its value, and the next member's comma comes
// with it.
class CJsonLines {
public:
    std::string out;

    void Member(std::string_view indent, const char* key, bool first = false) {
        if (!first) out += ",\n";
        out += indent;
        out += '"';
        out += key;
        out += "\": ";
    }
    void Text(std::string_view indent, const char* key, std::string_view value, bool first = false) {
        Member(indent, key, first);
        AppendQuoted(out, value);
    }
    void Number(std::string_view indent, const char* key, int64_t value, bool first = false) {
        Member(indent, key, first);
        out += std::to_string(value);
    }
    void Flag(std::string_view indent, const char* key, bool value) {
        Member(indent, key);
        out += value ? "true" : "false";
    }
};

// Places then pins, each kind by id, whatever order the caller keeps.
std::vector<const CNoteItem*> InFileOrder(const CNoteItems& items, Kind kind) {
    std::vector<const CNoteItem*> chosen;
    for (const CNoteItem& item : items)
        if (item.kind == kind) chosen.push_back(&item);
    std::sort(chosen.begin(), chosen.end(), [](const CNoteItem* a, const CNoteItem* b) { return a->id < b->id; });
    return chosen;
}

// "[]", or the items' objects one below the other at `indent` (inside a
// list at `indent` less two).
void AppendList(CJsonLines& json, const CNoteItems& items, Kind kind) {
    const auto chosen = InFileOrder(items, kind);
    if (chosen.empty()) {
        json.out += "[]";
        return;
    }
    constexpr std::string_view in = "      ";
    json.out += "[\n";
    for (const CNoteItem* p : chosen) {
        json.out += p == chosen.front() ? "    {\n" : ",\n    {\n";
        if (kind == Kind::Place) {
            json.Text(in, "name", p->name, true);
        } else {
            json.Text(in, "id", p->id, true);
        }
        json.Number(in, "x", p->x);
        json.Number(in, "y", p->y);
        if (kind == Kind::Place) {
            json.Flag(in, "visited", p->visited);
            json.Flag(in, "favourite", p->favourite);
        } else {
            json.Text(in, "title", p->name);
        }
        json.Text(in, "note", p->note);
        if (kind == Kind::Pin) json.Text(in, "colour", PinColourName(p->colour));
        json.Text(in, "updated", IsoTimeUtc(p->updated));
        json.out += "\n    }";
    }
    json.out += "\n  ]";
}

void AppendFeature(CJsonLines& json, const CNoteItem& p) {
    constexpr std::string_view in = "      ", inner = "        ";
    json.out += "    {\n";
    json.Text(in, "type", "Feature", true);
    json.Text(in, "id", p.id);
    json.Member(in, "geometry");
    json.out += "{\"type\": \"Point\", \"coordinates\": [" + std::to_string(p.x) + ", " + std::to_string(p.y) + "]}";
    json.Member(in, "properties");
    json.out += "{\n";
    json.Text(inner, "kind", p.kind == Kind::Place ? "place" : "pin", true);
    json.Text(inner, "name", p.name);
    json.Text(inner, "note", p.note);
    if (p.kind == Kind::Place) {
        json.Flag(inner, "visited", p.visited);
        json.Flag(inner, "favourite", p.favourite);
    } else {
        json.Text(inner, "colour", PinColourName(p.colour));
    }
    json.Text(inner, "updated", IsoTimeUtc(p.updated));
    json.out += "\n      }\n    }";
}

}  // namespace

std::string NotesToJson(const CNoteItems& items, int64_t exportedMs) {
    constexpr std::string_view in = "  ";
    CJsonLines json;
    json.out = "{\n";
    json.Text(in, "format", "zerim-notes", true);
    json.Number(in, "version", kNotesFormatVersion);
    json.Text(in, "exported", IsoTimeUtc(exportedMs));
    json.Member(in, "places");
    AppendList(json, items, Kind::Place);
    json.Member(in, "pins");
    AppendList(json, items, Kind::Pin);
    json.out += "\n}\n";
    return std::move(json.out);
}

std::string NotesToGeoJson(const CNoteItems& items) {
    constexpr std::string_view in = "  ", inner = "    ";
    CJsonLines json;
    json.out = "{\n";
    json.Text(in, "type", "FeatureCollection", true);
    // No "crs": GeoJSON's coordinates are longitude and latitude, ours are
    // the map picture's pixels, which the collection's properties say.
    json.Member(in, "properties");
    json.out += "{\n";
    json.Text(inner, "format", "zerim-notes-geojson", true);
    json.Number(inner, "version", kNotesFormatVersion);
    json.Text(inner, "coordinates", "map-pixels");
    json.Text(inner, "description",
              "Coordonnées en pixels de la carte : x vers la droite, y vers le bas, depuis le coin supérieur "
              "gauche de l'image.");
    json.out += "\n  }";
    json.Member(in, "features");
    bool first = true;
    for (const Kind kind : {Kind::Place, Kind::Pin}) {
        for (const CNoteItem* p : InFileOrder(items, kind)) {
            json.out += first ? "[\n" : ",\n";
            first = false;
            AppendFeature(json, *p);
        }
    }
    json.out += first ? "[]" : "\n  ]";
    json.out += "\n}\n";
    return std::move(json.out);
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

CNoteItems InPicturePixels(CNoteItems items, int32_t width, int32_t height) {
    for (CNoteItem& item : items) {
        const CPoint pixel = ViewGeometry::WorldToPixels({item.x, item.y}, {width, height});
        item.x = pixel.x;
        item.y = pixel.y;
    }
    return items;
}

CNotesBounds NotesWorldBounds() {
    const CRect span = ViewGeometry::WorldSpan();
    return {span.left, span.top, span.right, span.bottom};
}
