// The modes that run without a window: --version, --help, --dump. They read
// only the resource store and write to the given streams.
#pragma once
#include <ostream>
#include <string>
#include <vector>

struct CommandLineOutcome {
    bool handled = false;  // false: no such mode asked, start the window
    int exitCode = 0;
};

// `args` are the arguments after the program name.
CommandLineOutcome RunCommandLine(const std::vector<std::string>& args, std::ostream& out,
                                  std::ostream& err);

std::string HelpText();
