#include "startup/StartupClock.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC on Linux
// Set during static initialisation, before any of the program's own code.
const auto g_start = Clock::now();
const bool g_tracing = [] {
    const char* value = std::getenv("ZERIM_STARTUP_TRACE");
    return value && *value && std::string(value) != "0";
}();
std::vector<std::pair<const char*, Clock::time_point>> g_steps;

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

// Where the trace counts from: the launcher's clock when it gave it.
Clock::time_point TraceOrigin() {
    const char* launched = std::getenv("ZERIM_LAUNCHED_AT");
    if (!launched || !*launched) return g_start;
    char* end = nullptr;
    const long long nanoseconds = std::strtoll(launched, &end, 10);
    if (*end || nanoseconds <= 0) return g_start;
    return Clock::time_point(std::chrono::nanoseconds(nanoseconds));
}
}  // namespace

double MillisecondsSinceStart() {
    return Milliseconds(Clock::now() - g_start);
}

ExitAfter ExitAfterFirstMap() {
    const char* value = std::getenv("ZERIM_EXIT_AFTER_FIRST_MAP");
    if (!value || !*value || std::string(value) == "0") return ExitAfter::Never;
    const std::string word(value);
    if (word == "quit") return ExitAfter::QuitAfterFullPicture;
    return word == "full" ? ExitAfter::FullPicture : ExitAfter::FirstMap;
}

void MarkStartup(const char* step) {
    if (g_tracing) g_steps.emplace_back(step, Clock::now());
}

void PrintStartupTrace() {
    if (!g_tracing || g_steps.empty()) return;
    const Clock::time_point origin = TraceOrigin();
    Clock::time_point previous = origin;
    std::fprintf(stderr, "%9.1f ms %7s  %s\n", Milliseconds(g_start - origin), "",
                 "programme chargé (initialisation statique)");
    for (const auto& [step, at] : g_steps) {
        std::fprintf(stderr, "%9.1f ms %+7.1f  %s\n", Milliseconds(at - origin), Milliseconds(at - previous), step);
        previous = at;
    }
    g_steps.clear();
}
