// Turns the text sources of the embedded tables into their binary blocks.
// Every check that keeps a block readable happens here: a name that would
// end its table early, a number too large for its field, a character that
// the table's encoding cannot hold.
#pragma once
#include "TsvTable.h"

#include <string>
#include <vector>

using TableBytes = std::vector<unsigned char>;

TableBytes CompilePlaces(const TsvTable& places);
// `tail` (may be null): records stored after the table's end, never read.
TableBytes CompileCharacters(const TsvTable& characters, const TsvTable* tail);
TableBytes CompileEffects(const TsvTable& effects);
TableBytes CompileSpells(const TsvTable& spells);
TableBytes CompileVendors(const TsvTable& vendors);
TableBytes CompileLocations(const TsvTable& locations);
// `scale`: the league and the speeds by name (lieue, marche-0..3, cheval-0..3);
// `roads`: a rank and "x,y x,y ..." points in world units per road.
TableBytes CompileRoads(const TsvTable& scale, const TsvTable& roads);

struct CompiledTable {
    std::string key;  // "RCDATA_133": the resource it becomes
    TableBytes bytes;
};

// Compiles every table source found in `sourceDir` (places.tsv, characters.tsv
// with characters-tail.tsv, effects.tsv, spells.tsv, vendors.tsv,
// locations.tsv). Throws TableError at the first fault, and when the folder
// holds none of them.
std::vector<CompiledTable> CompileDirectory(const std::string& sourceDir);
