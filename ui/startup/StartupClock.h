// Time since the program started, for the start-up benchmark: with
// ZERIM_EXIT_AFTER_FIRST_MAP=1, zerim prints how long it took to paint the
// map the first time, then quits; with ZERIM_EXIT_AFTER_FIRST_MAP=full it
// waits for the first paint from the full picture (for memory figures).
// With ZERIM_STARTUP_TRACE=1 it prints on standard error, once the first map
// is on screen, when each step of the start-up ended (see MarkStartup).
#pragma once

// Milliseconds since the process's static initialisation (before main).
double MillisecondsSinceStart();

enum class ExitAfter { Never, FirstMap, FullPicture, QuitAfterFullPicture };
// What the start-up benchmark asked for ("1", "full"); "quit" closes the
// window the ordinary way once the full picture is on screen, for the tests
// of platforms no tool can type into.
ExitAfter ExitAfterFirstMap();

// Notes that a step of the start-up has just ended, when tracing; `step` must
// be a literal. Cheap enough to leave in place: one test of a flag.
void MarkStartup(const char* step);
// Prints the steps noted so far, one a line: milliseconds since the process
// began, then since the step before. The process's beginning is its static
// initialisation, or the launch time given in ZERIM_LAUNCHED_AT (nanoseconds
// of CLOCK_MONOTONIC, as a launcher reads them just before it forks).
void PrintStartupTrace();
