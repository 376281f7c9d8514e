#include "shell/StartupClock.h"

#include <chrono>
#include <cstdlib>
#include <string>

namespace {
// Set during static initialisation, before any of the program's own code.
const auto g_start = std::chrono::steady_clock::now();
}  // namespace

double MillisecondsSinceStart() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_start).count();
}

ExitAfter ExitAfterFirstMap() {
    const char* value = std::getenv("ZERIM_EXIT_AFTER_FIRST_MAP");
    if (!value || !*value || std::string(value) == "0") return ExitAfter::Never;
    return std::string(value) == "full" ? ExitAfter::FullPicture : ExitAfter::FirstMap;
}
