// The player's layer from the command line: --notes-list prints it,
// --notes-export writes it as JSON (GeoJSON for a .geojson file) to a file
// or standard output, --notes-import merges a JSON file into it (newest
// edit winning) or, with --replace, replaces it after a backup. They use
// the same store as the window ($ZERIM_NOTES_DB or the data folder).
#pragma once
#include <ostream>

class IResourceStore;
#include <string>
#include <vector>

// Whether `args` (after the program name) ask for a notes mode.
bool IsNotesMode(const std::vector<std::string>& args);
// Runs it on the layer at `path`, over the world of `store` (whose map
// picture gives GeoJSON its pixels); the exit code.
int RunNotesMode(const std::vector<std::string>& args, const std::string& path, const IResourceStore& store,
                 std::ostream& out, std::ostream& err);
