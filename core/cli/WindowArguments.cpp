#include "cli/WindowArguments.h"

#include "links/ZerimLink.h"

#include <algorithm>
#include <array>

namespace {

// Options that QApplication and its platforms read, with a value word after
// them; and those that stand alone.
constexpr std::array<const char*, 17> kWithValue = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry", "-geometry",
    "-qwindowicon", "-icon", "-qwindowtitle", "-title", "-session", "-display", "-name", "-style",
    "-stylesheet", "-visual", "-ncols"};
constexpr std::array<const char*, 7> kAlone = {"-reverse", "-widgetcount", "-nograb", "-dograb",
                                               "-sync", "-cmap", "-testability"};
// Those also written "-name=value".
constexpr std::array<const char*, 3> kJoined = {"-style=", "-stylesheet=", "-qmljsdebugger="};

template <size_t N>
bool IsOneOf(const std::array<const char*, N>& names, const std::string& word) {
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return word == name; });
}

bool IsJoined(const std::string& word) {
    return std::any_of(kJoined.begin(), kJoined.end(), [&](const char* prefix) {
        const std::string p(prefix);
        return word.size() > p.size() && word.compare(0, p.size(), p) == 0;
    });
}

// Qt takes "--style" as "-style"; so do we.
std::string SingleDash(const std::string& word) {
    return word.size() > 2 && word[0] == '-' && word[1] == '-' ? word.substr(1) : word;
}

void Remember(WindowArguments& parsed, const std::string& name, const std::string& value) {
    if (name == "-platform") parsed.platform = value;
    if (name == "-display") parsed.display = value;
}

}  // namespace

std::optional<WindowArguments> ParseWindowArguments(const std::vector<std::string>& args, std::string& error) {
    WindowArguments parsed;
    bool filesOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const std::string name = SingleDash(word);
        if (word == "-" && !filesOnly) {
            continue;  // no standard input to read a map file from: ignored, as always
        } else if (!filesOnly && IsZerimLink(word)) {
            if (parsed.link) {
                error = "un seul lien à la fois (le second : " + word.substr(0, 60) + ")";
                return std::nullopt;
            }
            parsed.link = word;
        } else if (filesOnly || word.empty() || word[0] != '-') {
            if (!parsed.file)
                parsed.file = word;
            else
                parsed.extraFiles.push_back(word);
        } else if (word == "--") {
            filesOnly = true;
        } else if (IsOneOf(kAlone, name) || IsJoined(name)) {
            parsed.qtOptions.push_back(name);
        } else if (IsOneOf(kWithValue, name)) {
            if (i + 1 >= args.size()) {
                error = word + " attend une valeur (voir zerim --help)";
                return std::nullopt;
            }
            Remember(parsed, name, args[i + 1]);
            parsed.qtOptions.push_back(name);
            parsed.qtOptions.push_back(args[++i]);
        } else {
            error = "option inconnue ou mal employée : " + word + " (voir zerim --help)";
            return std::nullopt;
        }
    }
    return parsed;
}
