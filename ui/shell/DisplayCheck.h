// Whether a window can be opened at all, asked before the GUI starts, so
// that a session without a display gets a clear message instead of an abort.
#pragma once
#include <string>

// False, with a message for the user, when no display can be reached.
bool DisplayAvailable(std::string& message);

// From here on a fatal error of the window system ends the process with a
// message and exit code 1 instead of a crash.
void InstallFatalHandler();
