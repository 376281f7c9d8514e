// The program's string table: window titles, status-bar prompts and
// indicator names, in French, as UTF-8.
#pragma once
#include <string>

// The text of string `id`; an empty string when the table has no such entry
// (as loading a missing string gives an empty string on every platform).
std::string LoadString(int id);

// Whether the table has an entry `id`.
bool HasString(int id);

// The status-bar prompt of a command: the part before the first "\n".
std::string PromptOf(int id);
