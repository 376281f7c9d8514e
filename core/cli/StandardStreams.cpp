#include "cli/StandardStreams.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {
bool g_outputClosed = false;

bool IsClosed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }
}  // namespace

void HoldClosedStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (!IsClosed(fd)) continue;
        if (fd == STDOUT_FILENO) g_outputClosed = true;
        // Read-only, so that a write to output or error fails, never lands.
        const int held = open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (held >= 0 && held != fd) {
            dup2(held, fd);
            close(held);
        }
    }
}

bool StandardOutputWasClosed() { return g_outputClosed; }

std::string StandardOutputFailure() {
    std::string message = "écriture impossible sur la sortie standard";
    if (g_outputClosed) message += " : elle est fermée (>&-)";
    return message;
}
