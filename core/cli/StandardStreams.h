// Standard input, output and error closed by whoever started the program
// (`zerim --snapshot - >&-`). The first file the program or a library opens
// would take the closed number, and what is printed would land in it; so
// the numbers are held by /dev/null at start, opened so that a write to a
// closed output fails, and the modes say that the output was closed.
#pragma once
#include <string>

// Called first thing in main: holds every closed standard descriptor.
void HoldClosedStandardStreams();

// Whether standard output was closed at start.
bool StandardOutputWasClosed();

// Why printing failed: "écriture impossible sur la sortie standard", with
// the cause when it is known.
std::string StandardOutputFailure();
