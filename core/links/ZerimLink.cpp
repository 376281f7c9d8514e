#include "links/ZerimLink.h"

#include "links/PercentCoding.h"

#include "data/ShownText.h"
#include "data/WholeNumber.h"
#include "view/ViewGeometry.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kScheme = "zerim:";
// As far as the snapshot's centre goes: the view's arithmetic holds there.
constexpr long long kWorldLimit = 2000000000;
// Far more places than a world holds share no name.
constexpr long long kMaxNth = 1000000;
// What a message quotes of the link: enough to recognise it.
constexpr size_t kQuotedBytes = 60;

struct KindName {
    ZerimLink::Kind kind;
    const char* word;  // in the link
    const char* noun;  // in messages
};
constexpr KindName kKinds[] = {
    {ZerimLink::Kind::Place, "place", "lieu"},
    {ZerimLink::Kind::Character, "character", "NPC"},
    {ZerimLink::Kind::Spell, "spell", "sort"},
    {ZerimLink::Kind::View, "view", "vue"},
};

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Quoted(std::string_view text) {
    const bool cut = text.size() > kQuotedBytes;
    return "« " + ShownText(text.substr(0, kQuotedBytes)) + (cut ? "…" : "") + " »";
}

bool IsControl(char32_t point) { return point < 0x20 || (point >= 0x7F && point < 0xA0); }

// Why a decoded name cannot be one: not UTF-8, or a control character
// (a NUL would cut it short, a line end would break a title or a line).
std::string NameProblem(std::string_view name) {
    while (!name.empty()) {
        char32_t point = 0;
        const size_t length = Utf8SequenceAt(name, point);
        if (length == 0) return "le nom n'est pas du texte UTF-8";
        if (IsControl(point)) return "le nom contient un caractère de contrôle";
        name.remove_prefix(length);
    }
    return {};
}

std::optional<ZerimLink::Kind> KindOf(std::string_view word) {
    for (const KindName& k : kKinds)
        if (SameLetters(word, k.word)) return k.kind;
    return std::nullopt;
}

bool ReadName(std::string_view encoded, ZerimLink& link, std::string& error) {
    if (encoded.empty()) {
        error = std::string("le lien de ") + KindNoun(link.kind) + " n'a pas de nom";
        return false;
    }
    const auto decoded = PercentDecode(encoded);
    if (!decoded) {
        error = "codage %XX invalide dans le nom : " + Quoted(encoded);
        return false;
    }
    error = NameProblem(*decoded);
    if (!error.empty()) return false;
    link.name = *decoded;
    return true;
}

bool ReadNumber(std::string_view key, std::string_view value, long long low, long long high, int& number,
                std::string& error) {
    const auto read = ParseWholeNumber(value, low < 0 ? Minus::Allowed : Minus::Refused, 11);
    if (!read || *read < low || *read > high) {
        error = std::string(key) + " invalide : " + Quoted(value) + " (un nombre entier de " + std::to_string(low) +
                " à " + std::to_string(high) + ")";
        return false;
    }
    number = int(*read);
    return true;
}

// Where a parameter of `link` goes, if it has one of that key: zoom for a
// place or a view, nth for a place, x and y for a view.
std::optional<int>* ParameterOf(ZerimLink& link, std::string_view key, std::optional<int>& x, std::optional<int>& y) {
    const bool view = link.kind == ZerimLink::Kind::View, place = link.kind == ZerimLink::Kind::Place;
    if (key == "zoom" && (view || place)) return &link.zoom;
    if (key == "nth" && place) return &link.nth;
    if (key == "x" && view) return &x;
    if (key == "y" && view) return &y;
    return nullptr;
}

void Limits(std::string_view key, long long& low, long long& high) {
    if (key == "zoom")
        low = ViewGeometry::kMinZoom, high = ViewGeometry::kMaxZoom;
    else if (key == "nth")
        low = 1, high = kMaxNth;
    else
        low = -kWorldLimit, high = kWorldLimit;
}

// The parameters after "?", each once.
bool ReadQuery(std::string_view query, ZerimLink& link, std::optional<int>& x, std::optional<int>& y,
               std::string& error) {
    if (!query.empty() && link.kind != ZerimLink::Kind::Place && link.kind != ZerimLink::Kind::View) {
        error = std::string("un lien de ") + KindNoun(link.kind) + " ne prend pas de paramètre";
        return false;
    }
    while (!query.empty()) {
        const size_t amp = query.find('&');
        const std::string_view part = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        const size_t equals = part.find('=');
        const std::string_view key = part.substr(0, equals);
        const std::string_view value = equals == std::string_view::npos ? std::string_view() : part.substr(equals + 1);
        std::optional<int>* parameter = ParameterOf(link, key, x, y);
        if (!parameter) {
            error = "paramètre inconnu : " + Quoted(part);
            return false;
        }
        if (parameter->has_value()) {
            error = "paramètre donné deux fois : " + std::string(key);
            return false;
        }
        long long low = 0, high = 0;
        Limits(key, low, high);
        int number = 0;
        if (!ReadNumber(key, value, low, high, number, error)) return false;
        *parameter = number;
    }
    return true;
}

// The characters a link never holds as they are: controls (a link is one
// line) and "#", which would start a fragment.
std::string RawProblem(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return "le lien contient un caractère de contrôle";
        if (c == '#') return "le lien contient « # » (écrit %23 dans un nom)";
    }
    return {};
}

}  // namespace

const char* KindWord(ZerimLink::Kind kind) {
    for (const KindName& k : kKinds)
        if (k.kind == kind) return k.word;
    return "";
}

const char* KindNoun(ZerimLink::Kind kind) {
    for (const KindName& k : kKinds)
        if (k.kind == kind) return k.noun;
    return "";
}

bool IsZerimLink(std::string_view text) { return SameLetters(text.substr(0, kScheme.size()), kScheme); }

std::optional<ZerimLink> ParseZerimLink(std::string_view text, std::string& error) {
    if (text.size() > kMaxLinkBytes) {
        error = "le lien dépasse " + std::to_string(kMaxLinkBytes) + " octets";
        return std::nullopt;
    }
    if (!IsZerimLink(text)) {
        error = "un lien commence par zerim: : " + Quoted(text);
        return std::nullopt;
    }
    error = RawProblem(text);
    if (!error.empty()) return std::nullopt;
    text.remove_prefix(kScheme.size());
    if (text.substr(0, 2) == "//") text.remove_prefix(2);
    const size_t question = text.find('?');
    const std::string_view path = text.substr(0, question);
    const std::string_view query = question == std::string_view::npos ? std::string_view() : text.substr(question + 1);
    const size_t slash = path.find('/');
    ZerimLink link;
    const auto kind = KindOf(path.substr(0, slash));
    if (!kind) {
        error = "genre de lien inconnu : " + Quoted(path.substr(0, slash)) + " (place, character, spell ou view)";
        return std::nullopt;
    }
    link.kind = *kind;
    std::optional<int> x, y;
    if (link.kind == ZerimLink::Kind::View) {
        if (slash != std::string_view::npos) {
            error = "un lien de vue n'a pas de nom : zerim:view?x=X&y=Y&zoom=N";
            return std::nullopt;
        }
    } else if (!ReadName(slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1), link, error)) {
        return std::nullopt;
    }
    if (!ReadQuery(query, link, x, y, error)) return std::nullopt;
    if (link.kind == ZerimLink::Kind::View) {
        if (!x || !y) {
            error = "un lien de vue donne son centre : zerim:view?x=X&y=Y&zoom=N";
            return std::nullopt;
        }
        link.x = *x, link.y = *y;
    }
    error.clear();
    return link;
}

std::string WriteZerimLink(const ZerimLink& link) {
    std::string text = std::string(kScheme) + KindWord(link.kind);
    if (link.kind == ZerimLink::Kind::View) {
        text += "?x=" + std::to_string(link.x) + "&y=" + std::to_string(link.y);
        if (link.zoom) text += "&zoom=" + std::to_string(*link.zoom);
        return text;
    }
    text += '/' + PercentEncode(link.name);
    char separator = '?';
    for (const auto& [key, value] : {std::pair{"nth", link.nth}, std::pair{"zoom", link.zoom}}) {
        if (!value) continue;
        text += separator + std::string(key) + '=' + std::to_string(*value);
        separator = '&';
    }
    return text;
}
