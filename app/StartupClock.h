// Time since the program started, for the start-up benchmark: with
// ZERIM_EXIT_AFTER_FIRST_MAP set, zerim prints how long it took to paint the
// map the first time, then quits.
#pragma once

// Milliseconds since the process's static initialisation (before main).
double MillisecondsSinceStart();

// Whether the start-up benchmark asked for an exit after the first map.
bool ExitAfterFirstMap();
