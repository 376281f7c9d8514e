// The window-less modes over the world's links and names: who is found at a
// place (the place card as lines), and every name of one table. As the other
// data modes: UTF-8 lines on `out`, exit code 0, 1 with a message on `err`
// when nothing is there, 2 when the text given cannot be asked for.
#pragma once
#include <ostream>
#include <string>

class IResourceStore;

// For the first place called `place` (any case of A to Z): a line
// "personnage TAB name" for each character whose page links to a place of
// that name, then "marchand TAB vendor TAB location" for each vendor whose
// location does, in table order.
int PrintWhoIsAt(const IResourceStore& store, const std::string& place, std::ostream& out, std::ostream& err);

// Every name of `table` (places, characters, spells, effects or vendors),
// one a line, in table order.
int PrintTableNames(const IResourceStore& store, const std::string& table, std::ostream& out, std::ostream& err);
