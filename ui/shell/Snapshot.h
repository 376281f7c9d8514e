// --snapshot: the map view rendered into a PNG file on Qt's offscreen
// platform, so no display is needed.
#pragma once
#include "cli/SnapshotOptions.h"

#include <ostream>
#include <string>
#include <vector>

// `args` start with "--snapshot"; `argv` is the process's, for the
// application object. Returns the exit code, after a message on `err`
// when it is 1.
int RunSnapshot(const std::vector<std::string>& args, char** argv, std::ostream& err);
