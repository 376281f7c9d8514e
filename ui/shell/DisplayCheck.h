// Whether a window can be opened at all, asked before the GUI starts, so
// that a session without a display gets a clear message instead of an abort.
#pragma once
#include <optional>
#include <string>

// False, with a message for the user, when no display can be reached: none
// is named, or the X server named does not answer or refuses us. `platform`
// and `display` are the -platform and -display options, when given; they
// win over QT_QPA_PLATFORM and DISPLAY, as they do for Qt.
bool DisplayAvailable(const std::optional<std::string>& platform, const std::optional<std::string>& display,
                      std::string& message);

// From here on a fatal error of the window system ends the process with a
// message and exit code 1 instead of a crash.
void InstallFatalHandler();
