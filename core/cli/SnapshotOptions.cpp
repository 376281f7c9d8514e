#include "cli/SnapshotOptions.h"

#include "data/PlaceKinds.h"
#include "data/ShownText.h"
#include "data/WholeNumber.h"
#include "search/SearchQuery.h"
#include "view/ViewGeometry.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

// A whole decimal number in [low, high] of at most 11 characters, minus
// sign allowed, nothing around it.
bool ParseInt(const std::string& text, int low, int high, int& value) {
    const auto v = ParseWholeNumber(text, Minus::Allowed, 11);
    if (!v || *v < low || *v > high) return false;
    value = int(*v);
    return true;
}

bool ParsePair(const std::string& text, char separator, int low, int high, int& a, int& b) {
    const size_t cut = text.find(separator);
    return cut != std::string::npos && ParseInt(text.substr(0, cut), low, high, a) &&
           ParseInt(text.substr(cut + 1), low, high, b);
}

constexpr int kWorldLimit = 2000000000;

std::string KnownKindKeys() {
    std::string keys;
    for (const PlaceKind& kind : KnownPlaceKinds()) keys += (keys.empty() ? "" : ", ") + std::string(kind.key);
    return keys;
}

// "port,ville": each a kind's key, name or code.
bool ParseKinds(const std::string& text, std::vector<int32_t>& kinds, std::string& error) {
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string word = text.substr(start, comma - start);
        const auto kind = PlaceKindOfWord(word);
        if (!kind) {
            error = "--kinds : type de lieu inconnu : « " + ShownText(word) + " » ; types connus : " + KnownKindKeys() +
                    " (ou un code)";
            return false;
        }
        kinds.push_back(*kind);
        start = comma + 1;
    }
    return true;
}

bool ApplyOption(SnapshotOptions& o, const std::string& name, const std::string& value,
                 std::string& error) {
    int a = 0, b = 0;
    if (name == "--size") {
        if (!ParsePair(value, 'x', 1, kMaxSnapshotSide, a, b)) {
            error = "--size attend LARGEURxHAUTEUR, de 1 à " + std::to_string(kMaxSnapshotSide) +
                    " (par exemple 1024x768) : " + value;
            return false;
        }
        o.width = a, o.height = b;
    } else if (name == "--zoom") {
        if (!ParseInt(value, ViewGeometry::kMinZoom, ViewGeometry::kMaxZoom, a)) {
            error = "--zoom attend un pourcentage de " + std::to_string(ViewGeometry::kMinZoom) + " à " +
                    std::to_string(ViewGeometry::kMaxZoom) + " : " + value;
            return false;
        }
        o.zoom = a;
    } else if (name == "--center") {
        if (!ParsePair(value, ',', -kWorldLimit, kWorldLimit, a, b)) {
            error = "--center attend X,Y en coordonnées du monde (par exemple 12000,-3400) : " + value;
            return false;
        }
        o.centerX = a, o.centerY = b;
    } else if (name == "--find") {
        if (value.empty()) {
            error = "--find attend un texte";
            return false;
        }
        o.find = value;
    } else if (name == "--palette") {
        if (value != "adapted" && value != "usual") {
            error = "--palette attend adapted ou usual : " + value;
            return false;
        }
        o.look.adaptedColours = value == "adapted";
    } else if (name == "--level") {
        if (!ParseInt(value, 0, 5, a)) {
            error = "--level attend un niveau de détail de 0 à 5 : " + value;
            return false;
        }
        o.level = a;
    } else if (name == "--kinds") {
        std::vector<int32_t> kinds;
        if (!ParseKinds(value, kinds, error)) return false;
        o.shownKinds = std::move(kinds);
    } else {
        error = "option inconnue pour --snapshot : " + name + " (voir zerim --help)";
        return false;
    }
    return true;
}

// The options that take no value: each turns on a choice of look.
struct LookFlag {
    const char* name;
    bool MapLook::*choice;
};
constexpr LookFlag kLookFlags[] = {{"--declutter", &MapLook::declutter}, {"--symbols", &MapLook::symbols},
                                   {"--centred", &MapLook::centred}};

const LookFlag* LookFlagNamed(const std::string& name) {
    for (const LookFlag& flag : kLookFlags)
        if (name == flag.name) return &flag;
    return nullptr;
}

// Each extension the snapshot knows and the image format it stands for.
struct ExtensionFormat {
    const char* extension;
    const char* format;
};
constexpr ExtensionFormat kExtensions[] = {
    {"png", "png"}, {"jpg", "jpeg"}, {"jpeg", "jpeg"}, {"bmp", "bmp"}, {"webp", "webp"}};

std::string LowerExtension(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    const size_t dot = file.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = file.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

}  // namespace

std::string ImageFormatOf(const std::string& file) {
    const std::string extension = LowerExtension(file);
    for (const ExtensionFormat& e : kExtensions)
        if (extension == e.extension) return e.format;
    return {};
}

std::optional<std::string> SnapshotFormat(const std::string& file, const std::vector<std::string>& writable,
                                          std::string& error) {
    const auto canWrite = [&](const char* format) {
        return std::find(writable.begin(), writable.end(), format) != writable.end();
    };
    if (file == "-" && canWrite("png")) return std::string("png");
    const std::string format = ImageFormatOf(file);
    if (!format.empty() && canWrite(format.c_str())) return format;
    std::string known;
    for (const ExtensionFormat& e : kExtensions) {
        if (!canWrite(e.format)) continue;
        known += std::string(known.empty() ? "" : ", ") + "." + e.extension;
    }
    error = "--snapshot : le format de " + file + " ne se déduit pas de son extension ; formats possibles : " +
            known + " (ou - pour du PNG sur la sortie standard)";
    return std::nullopt;
}

bool IsSnapshotRequest(const std::vector<std::string>& args) {
    return !args.empty() && args[0] == "--snapshot";
}

std::optional<SnapshotOptions> ParseSnapshotOptions(const std::vector<std::string>& args,
                                                    std::string& error) {
    if (args.size() < 2 || args[1].empty() || (args[1][0] == '-' && args[1] != "-")) {
        error = "--snapshot attend un fichier image, par exemple : zerim --snapshot carte.png";
        return std::nullopt;
    }
    SnapshotOptions options;
    options.file = args[1];
    std::set<std::string> seen;
    for (size_t i = 2; i < args.size(); i += 2) {
        const std::string& name = args[i];
        if (!seen.insert(name).second) {
            error = name + " est donné deux fois";
            return std::nullopt;
        }
        if (const LookFlag* flag = LookFlagNamed(name)) {
            options.look.*(flag->choice) = true;
            --i;  // no value follows
            continue;
        }
        if (i + 1 >= args.size()) {
            error = name + " attend une valeur";
            return std::nullopt;
        }
        if (!ApplyOption(options, name, args[i + 1], error)) return std::nullopt;
    }
    return options;
}
