// How a command-line mode fails: one line on the error stream, the
// program's name first, and the exit code 1.
#pragma once
#include <ostream>
#include <string>

inline int Fail(std::ostream& err, const std::string& message) {
    err << "zerim: " << message << "\n";
    return 1;
}
