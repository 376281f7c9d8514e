// How the command-line modes speak on the error stream: one line, the
// program's name first. The exit codes follow grep's: 1 when nothing was
// found, 2 when the command itself is wrong or its input cannot be read.
#pragma once
#include <ostream>
#include <string>

namespace ExitCode {
constexpr int kSuccess = 0;
constexpr int kNotFound = 1;  // nothing found, an unknown name, damaged data, a failed write
constexpr int kUsage = 2;     // bad usage, a bad option value, unreadable input
}  // namespace ExitCode

// A line the run goes on after (a warning), or the message of a failure.
inline void Complain(std::ostream& err, const std::string& message) { err << "zerim: " << message << "\n"; }

// A failure that ends the run with "nothing found" (1).
inline int Fail(std::ostream& err, const std::string& message) {
    Complain(err, message);
    return ExitCode::kNotFound;
}

// A command that cannot be run as given (2).
inline int Misuse(std::ostream& err, const std::string& message) {
    Complain(err, message);
    return ExitCode::kUsage;
}
