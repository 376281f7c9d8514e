// Time since the program started, for the start-up benchmark: with
// ZERIM_EXIT_AFTER_FIRST_MAP=1, zerim prints how long it took to paint the
// map the first time, then quits; with ZERIM_EXIT_AFTER_FIRST_MAP=full it
// waits for the first paint from the full picture (for memory figures).
#pragma once

// Milliseconds since the process's static initialisation (before main).
double MillisecondsSinceStart();

enum class ExitAfter { Never, FirstMap, FullPicture };
// What the start-up benchmark asked for.
ExitAfter ExitAfterFirstMap();
