// Why a file could not be read or written, in the user's words (French):
// the system's own texts follow the C locale and name no cause a user knows.
#pragma once
#include <string>

// The reason for the error number `error` (an errno value): the common
// causes in French, any other in the system's words.
std::string SystemReason(int error);
