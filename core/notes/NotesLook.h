// The player's notes read as they lie, for a mode that only looks at them
// (the one search's command line): unlike opening the store, this never
// makes the file or its folder, never migrates, checks, repairs, moves aside
// or restores it, and writes nothing into it.
#pragma once
#include "notes/NoteItem.h"

#include <string>

struct CNotesLook {
    CNoteItems items;     // places first then pins, each by id, as the store lists them
    std::string problem;  // why they could not be read, in French; empty when they were (or there are none)
};

// The items of the store at `path`; none, and no problem, when there is no
// file there. While a window has the file open (its write-ahead log and
// shared memory beside it), what that window wrote last is read too;
// otherwise the file is read as unchanging, so that SQLite makes no file
// beside it.
CNotesLook LookAtNotes(const std::string& path);
