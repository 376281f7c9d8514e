// Reading a notes file (NotesFromJson): the bounded JSON reader, then every
// field checked. A refusal names the field ("pins[3].x : nombre entier
// attendu"); a mend (a control character, an unknown colour, an id given
// twice) is one line of `cleaned`.
#include "notes/NotesExchange.h"

#include "notes/IsoTime.h"
#include "data/ShownText.h"
#include "notes/JsonReader.h"

#include <unordered_map>

namespace {

using Type = CJsonValue::Type;

bool IsPinId(const std::string& id) {
    if (id.size() != 36 || id.compare(0, 4, "pin:") != 0) return false;
    for (size_t i = 4; i < id.size(); ++i)
        if (!((id[i] >= '0' && id[i] <= '9') || (id[i] >= 'a' && id[i] <= 'f'))) return false;
    return true;
}

// Whether `text` holds a control character that MendControls mends: a
// byte scan, as most texts hold none (C1 characters are 0xC2 0x80-0x9F).
bool HasControls(const std::string& text, bool note) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && !(note && (c == '\n' || c == '\t'))) || c == 0x7F) return true;
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F) return true;
    }
    return false;
}

// Removes the control characters of `text` (C0, DEL, C1); a note keeps its
// line breaks and tabs, a carriage return becoming a line break, and a
// name's line breaks and tabs become spaces. Returns how many were mended.
int MendControls(std::string& text, bool note) {
    if (!HasControls(text, note)) return 0;
    std::string mended;
    int count = 0;
    std::string_view rest = text;
    while (!rest.empty()) {
        char32_t point = 0;
        const size_t length = Utf8SequenceAt(rest, point);  // the file was checked whole: never 0
        const std::string_view sequence = rest.substr(0, length ? length : 1);
        rest.remove_prefix(sequence.size());
        const bool control = point < 0x20 || (point >= 0x7F && point <= 0x9F);
        if (!control || (note && (point == '\n' || point == '\t'))) {
            mended += sequence;
            continue;
        }
        ++count;
        if (point == '\r' && note) {
            if (!rest.empty() && rest[0] == '\n') continue;  // "\r\n": the "\n" follows
            mended += '\n';
        } else if (point == '\n' || point == '\t' || point == '\r') {
            mended += ' ';
        }
    }
    text = std::move(mended);
    return count;
}

class CNotesImporter {
public:
    CNotesImporter(const CNotesBounds& bounds, CNotesReading& reading) : m_bounds(bounds), m_reading(reading) {}

    bool Read(const CJsonValue& root) {
        if (root.type != Type::Object) return Refuse("fichier", "objet JSON attendu");
        const CJsonValue* format = root.Member("format");
        if (!format || format->type != Type::String || format->text != "zerim-notes")
            return Refuse("format", "« zerim-notes » attendu, ce fichier n'est pas un export des notes de zerim");
        const CJsonValue* version = root.Member("version");
        if (!version || version->type != Type::Number || !version->whole || version->number < 1)
            return Refuse("version", "nombre entier positif attendu");
        if (version->number > kNotesFormatVersion)
            return Refuse("version " + std::to_string(version->number),
                          "ce fichier vient d'une version plus récente du programme, qui écrit un format que "
                          "celle-ci ne sait pas lire (jusqu'à la version " +
                              std::to_string(kNotesFormatVersion) + ")");
        return ReadList(root, "places", CNoteItem::Kind::Place) && ReadList(root, "pins", CNoteItem::Kind::Pin);
    }

private:
    bool Refuse(const std::string& where, const std::string& what) {
        m_reading.error = where + " : " + what;
        return false;
    }
    void Mend(const std::string& where, const std::string& what) { m_reading.cleaned.push_back(where + " : " + what); }

    // A member, or null when it is absent or null.
    static const CJsonValue* Field(const CJsonValue& object, const char* key) {
        const CJsonValue* value = object.Member(key);
        return value && value->type != Type::Null ? value : nullptr;
    }

    bool ReadList(const CJsonValue& root, const char* key, CNoteItem::Kind kind) {
        const CJsonValue* list = Field(root, key);
        if (!list) return true;
        if (list->type != Type::Array) return Refuse(key, "liste attendue");
        for (size_t i = 0; i < list->items.size(); ++i) {
            const std::string where = std::string(key) + "[" + std::to_string(i) + "]";
            const CJsonValue& value = list->items[i].second;
            if (value.type != Type::Object) return Refuse(where, "objet attendu");
            CNoteItem item;
            item.kind = kind;
            if (!(kind == CNoteItem::Kind::Place ? ReadPlace(value, where, item) : ReadPin(value, where, item)))
                return false;
            if (item.IsEmptyMark())
                Mend(where, "ni visité, ni favori, ni note : ignoré");
            else
                Keep(std::move(item), where);
        }
        return true;
    }

    bool ReadPlace(const CJsonValue& object, const std::string& where, CNoteItem& item) {
        if (!Text(object, where, "name", item.name, false, true)) return false;
        if (item.name.empty()) return Refuse(where + ".name", "nom du lieu attendu");
        if (!Position(object, where, item) || !Flag(object, where, "visited", item.visited) ||
            !Flag(object, where, "favourite", item.favourite) || !Text(object, where, "note", item.note, true) ||
            !Updated(object, where, item.updated))
            return false;
        item.id = PlaceKey(item.name, item.x, item.y);
        return true;
    }

    bool ReadPin(const CJsonValue& object, const std::string& where, CNoteItem& item) {
        std::string colour = PinColourName(PinColour::Blue);
        if (!Text(object, where, "id", item.id, false) || !Position(object, where, item) ||
            !Text(object, where, "title", item.name, false) || !Text(object, where, "note", item.note, true) ||
            !Text(object, where, "colour", colour, false) || !Updated(object, where, item.updated))
            return false;
        if (!IsPinId(item.id)) {
            if (!item.id.empty()) Mend(where + ".id", "identifiant d'épingle non valable, un nouveau est donné");
            item.id = NewPinId();
        }
        const auto named = PinColourNamed(colour);
        if (!named) Mend(where + ".colour", "couleur inconnue, l'épingle sera bleue");
        item.colour = named.value_or(PinColour::Blue);
        return true;
    }

    // A text field, absent or null meaning `out` as it is; its control
    // characters mended.
    bool Text(const CJsonValue& object, const std::string& where, const char* key, std::string& out, bool note,
              bool required = false) {
        const CJsonValue* value = Field(object, key);
        if (!value) return required ? Refuse(where + "." + key, "texte attendu") : true;
        if (value->type != Type::String) return Refuse(where + "." + key, "texte attendu");
        out = value->text;
        const int mended = MendControls(out, note);
        if (mended > 0)
            Mend(where + "." + key, mended == 1
                                        ? "1 caractère de contrôle retiré ou remplacé"
                                        : std::to_string(mended) + " caractères de contrôle retirés ou remplacés");
        return true;
    }

    bool Flag(const CJsonValue& object, const std::string& where, const char* key, bool& out) {
        const CJsonValue* value = Field(object, key);
        if (!value) return true;
        if (value->type != Type::Boolean) return Refuse(where + "." + key, "true ou false attendu");
        out = value->boolean;
        return true;
    }

    bool Coordinate(const CJsonValue& object, const std::string& where, const char* key, int32_t low, int32_t end,
                    int32_t& out) {
        const CJsonValue* value = Field(object, key);
        if (!value || value->type != Type::Number || !value->whole)
            return Refuse(where + "." + key, "nombre entier attendu");
        if (value->number < low || value->number >= end)
            return Refuse(where + "." + key, std::to_string(value->number) + " hors de la carte (de " +
                                                 std::to_string(low) + " à " + std::to_string(int64_t(end) - 1) + ")");
        out = int32_t(value->number);
        return true;
    }

    bool Position(const CJsonValue& object, const std::string& where, CNoteItem& item) {
        return Coordinate(object, where, "x", m_bounds.left, m_bounds.right, item.x) &&
               Coordinate(object, where, "y", m_bounds.top, m_bounds.bottom, item.y);
    }

    bool Updated(const CJsonValue& object, const std::string& where, int64_t& out) {
        const CJsonValue* value = Field(object, "updated");
        if (!value) return true;
        const auto time = value->type == Type::String ? ParseIsoTime(value->text) : std::nullopt;
        if (!time) return Refuse(where + ".updated", "date UTC attendue, comme « 2026-12-09T06:00:00.000Z »");
        out = *time;
        return true;
    }

    // An id given twice: the later item is kept, at the first one's place.
    void Keep(CNoteItem item, const std::string& where) {
        const auto [found, added] = m_index.emplace(item.id, m_reading.items.size());
        if (added) {
            m_where.push_back(where);
            m_reading.items.push_back(std::move(item));
            return;
        }
        Mend(where, "même identifiant que " + m_where[found->second] + ", le dernier est gardé");
        m_reading.items[found->second] = std::move(item);
    }

    const CNotesBounds& m_bounds;
    CNotesReading& m_reading;
    std::unordered_map<std::string, size_t> m_index;  // id -> index in items
    std::vector<std::string> m_where;                 // where each item was read
};

}  // namespace

CNotesReading NotesFromJson(const std::string& text, const CNotesBounds& bounds) {
    CNotesReading reading;
    CJsonLimits limits;
    limits.bytes = kNotesFileLimit;
    const CJsonReading json = ReadJson(text, limits);
    if (!json.ok) {
        reading.error = json.error;
        return reading;
    }
    if (!CNotesImporter(bounds, reading).Read(json.root)) {
        reading.items.clear();
        reading.cleaned.clear();
        return reading;
    }
    reading.ok = true;
    return reading;
}
