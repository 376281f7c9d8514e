#include "startup/ZerimDoc.h"

#include "cli/SystemReason.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Opened without blocking: a FIFO that nobody writes would otherwise hold
// the program in open() before its window ever shows.
bool CZerimDoc::OnOpenDocument(const QString& path, QString& error) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat st {};
    const int failure = fd < 0 ? errno : fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
    if (fd >= 0) close(fd);  // read nothing: the map is the same
    if (failure == 0) return true;
    error = QString::fromStdString(SystemReason(failure));
    return false;
}
