// How the command-line modes speak on the error stream: one line, the
// program's name first; a failure adds the exit code 1.
#pragma once
#include <ostream>
#include <string>

// A line the run goes on after (a warning), or the message of a failure.
inline void Complain(std::ostream& err, const std::string& message) { err << "zerim: " << message << "\n"; }

inline int Fail(std::ostream& err, const std::string& message) {
    Complain(err, message);
    return 1;
}
