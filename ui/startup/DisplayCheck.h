// Whether a window can be opened at all, asked before the GUI starts, so
// that a session without a display gets a clear message instead of an abort.
#pragma once
#include <optional>
#include <string>

// False, with a message for the user, when no display is named. An X server
// that does not answer or refuses us is reported once Qt has tried it, by the
// handler InstallFatalHandler installs. `platform`
// and `display` are the -platform and -display options, when given; they
// win over QT_QPA_PLATFORM and DISPLAY, as they do for Qt.
bool DisplayAvailable(const std::optional<std::string>& platform, const std::optional<std::string>& display,
                      std::string& message);

// From here on a fatal error of the window system, or an X server that does
// not answer, ends the process with a message and exit code 1 instead of a
// crash.
void InstallFatalHandler();
