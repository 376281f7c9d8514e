// The place table as the window reads it, for the modes without a window,
// which say on standard error what the window shows in its status bar.
#pragma once
#include <ostream>

class CPlaceArray;
class CWorldData;

// Loads `world`'s places and gives them: a table cut short gives the places
// before the cut and a word on `err`; a missing table gives none, and a word.
const CPlaceArray& LoadPlacesSaying(CWorldData& world, std::ostream& err);
