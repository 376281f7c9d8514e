// zerim --search TEXT: the one search without a window. One line per hit,
// ranked as the window's field ranks them: the kind in one word, the name
// and where it is, tab-separated, UTF-8. The player's notes are searched
// too when their store exists, read without being made or changed.
#pragma once
#include <ostream>
#include <string>

class IResourceStore;

// 0 with the hits; 1 with a French message on `err` when nothing matches;
// 2 when the text holds nothing to search for (no letter or digit, or a
// kind filter alone). `notesPath` is the notes store's file.
int PrintSearchHits(const IResourceStore& store, const std::string& notesPath, const std::string& text,
                    std::ostream& out, std::ostream& err);
