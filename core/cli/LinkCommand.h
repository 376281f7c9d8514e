// `zerim --link KIND NAME`: the program's link to a place, a character or
// a spell, for wikis and scripts.
#pragma once
#include <ostream>
#include <string>
#include <vector>

class IResourceStore;

// `args` are the mode's words, "--link" first. Prints the link of the entry
// NAME stands for (written with the table's own spelling of it) and gives
// 0; 1 with a message on `err` when no entry has that name; 2 when the
// words are not a kind and a name.
int PrintLinkOf(const std::vector<std::string>& args, const IResourceStore& store, std::ostream& out,
                std::ostream& err);
