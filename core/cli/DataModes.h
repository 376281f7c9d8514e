// The window-less modes that read the program's data and print it: the
// place search, a character page, the vendors of a spell. Each reads the
// given resource store, writes UTF-8 lines to `out`, and returns the exit
// code: 0 when it found something, 1 with a message on `err` when it found
// nothing, 2 when the text it was given cannot be a name (empty, a bad #N).
#pragma once
#include "spells/SpellTables.h"

#include <ostream>
#include <string>
#include <vector>

class CPlace;
class IResourceStore;

// Places whose name holds `text` as the place bar finds them, in table order:
// "name TAB x TAB y TAB level" (world coordinates), one a line.
int PrintFoundPlaces(const IResourceStore& store, const std::string& text, std::ostream& out, std::ostream& err);

// The character finder's page for the first character called `who` (any
// letter case) or, for "#N", for the character with ordinal N (from 0).
int PrintCharacterPage(const IResourceStore& store, const std::string& who, std::ostream& out, std::ostream& err);

// The spell finder's vendor rows for the first spell called exactly `spell`,
// or else for the first whose name differs from it only in case and accents:
// "vendor TAB location", one a line, as the list shows them. A known spell
// that nobody sells gives no line and 0. A damaged vendor table (cut short,
// or a record running past its end) is reported on `err`; the rows read
// before the damage are printed, and finding none gives 1.
int PrintSpellVendors(const IResourceStore& store, const std::string& spell, std::ostream& out, std::ostream& err);

// A table text made fit for one output line: control bytes (a tab or a line
// end in a name would break the line's fields) become spaces, then the
// Windows-1252 text becomes UTF-8.
std::string LineText(const std::string& win1252);

// A place as one UTF-8 line without its end: "name TAB x TAB y", the world
// coordinates. The place search prints it followed by the level; the
// window copies it.
std::string PlaceLine(const CPlace& place);

// The spell called exactly `name` (UTF-8), else the first whose name is
// equal under the spell tree's order, where case and accents do not count.
std::vector<SpellRecord>::const_iterator FindSpell(const std::vector<SpellRecord>& spells, const std::string& name);
