// What the window-less modes say of a table they read that is damaged or
// empty, in the words the place table's notice uses: "table des marchands
// incomplète ; 2 marchands lus", "table des sorts vide". A mode goes on with
// what could be read; the notice keeps a partial result from passing for a
// whole one.
#pragma once
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>

class IResourceStore;

// The notice for the RCDATA table `id` (characters, spells, effects or
// vendors) of `store`; nothing when it is whole and holds records, or is
// absent (each mode says so its own way).
std::optional<std::string> TableNotice(const IResourceStore& store, int id);

// Writes TableNotice for each of `ids` on `err`, as a warning. False when
// one was written.
bool WarnOfTables(const IResourceStore& store, std::initializer_list<int> ids, std::ostream& err);
