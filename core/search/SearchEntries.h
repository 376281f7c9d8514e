// What the one search indexes: the world's places, characters, spells,
// effects and vendors, and the player's notes, each as entries of a
// CSearchIndex with the name and the "where" its hit shows.
#pragma once
#include "notes/NoteItem.h"

class CSearchIndex;
class CWorldData;

// The world's entries (see WorldSearch.h for what each shows); reads the
// tables of `world` now, loading its places if they are not yet.
void AddWorldEntries(CWorldData& world, CSearchIndex& index);

// One entry per item, its ref the item's index: found by its name (a pin's
// title, a place mark's place) and its note's text. Its hit's name is the
// pin's title, or the first line of a place mark's note (else its marks);
// its where is the place's name, or "épingle".
void AddNoteEntries(const CNoteItems& items, CSearchIndex& index);
