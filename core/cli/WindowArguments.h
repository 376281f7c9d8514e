// The command line of the window mode: Qt's standard options (-style X,
// -platform X, -geometry G, -reverse...), a link to show, "--", and the one
// file that must open. Read here, before Qt starts, so that a wrong option
// is a clear error and Qt sees only what it understands.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct WindowArguments {
    std::optional<std::string> file;   // the file named on the command line
    std::optional<std::string> link;   // a zerim: link to show, read before "--"
    std::vector<std::string> extraFiles;  // files named after it, which the window does not open
    std::vector<std::string> qtOptions;  // for QApplication, in their order, values included
    std::optional<std::string> platform;  // -platform's value
    std::optional<std::string> display;   // -display's value
};

// `args` are the arguments after the program name, --data taken out.
// Nothing, with the reason in `error`, for an option that is neither Qt's
// nor the program's, one of Qt's that lacks its value, or a second link. A
// word that starts with "zerim:" is a link (see links/ZerimLink.h), but
// after "--", where every word is a file name; the first file is the one
// opened, the others are listed in `extraFiles` for the caller to warn of.
std::optional<WindowArguments> ParseWindowArguments(const std::vector<std::string>& args, std::string& error);
