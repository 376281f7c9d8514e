#include "cli/SafeWrite.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;  // the kernel's own limit when it follows a path

bool Failed(std::string& reason, int error) {
    reason = std::strerror(error);
    return false;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadLink(const std::string& link, size_t size, std::string& target, std::string& reason) {
    std::vector<char> buffer(size + 1);
    const ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) return Failed(reason, errno);
    if (size_t(length) > size) return Failed(reason, EAGAIN);  // the link changed meanwhile
    target.assign(buffer.data(), size_t(length));
    return true;
}

// Follows symbolic links to the path they finally name, which may not
// exist yet (a new file).
bool ResolveLinks(std::string& path, std::string& reason) {
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0) return errno == ENOENT || Failed(reason, errno);
        if (!S_ISLNK(st.st_mode)) return true;
        std::string target;
        // Some file systems report no size for a link: room for any path.
        const size_t size = st.st_size > 0 ? size_t(st.st_size) : 4096;
        if (!ReadLink(path, size, target, reason)) return false;
        if (target.empty()) return Failed(reason, ENOENT);
        path = target[0] == '/' ? target : DirectoryOf(path) + "/" + target;
    }
    return Failed(reason, ELOOP);
}

bool WriteAll(int fd, std::string_view bytes, std::string& reason) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return Failed(reason, errno);
        if (written == 0) return Failed(reason, EIO);
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

bool CloseChecked(int fd, std::string& reason) {
    return close(fd) == 0 || Failed(reason, errno);
}

// A device or a FIFO takes the bytes as they come; there is nothing to
// replace it with.
bool WriteIntoStream(const std::string& path, std::string_view bytes, std::string& reason) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return Failed(reason, errno);
    if (!WriteAll(fd, bytes, reason)) {
        close(fd);
        return false;
    }
    return CloseChecked(fd, reason);
}

// A new file beside `path`, created with the permissions a plain create
// would give; `name` receives its path.
int CreateTemporary(const std::string& path, std::string& name, std::string& reason) {
    static unsigned counter = 0;
    const std::string stem = DirectoryOf(path) + "/." + NameOf(path) + "." + std::to_string(getpid()) + ".";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(counter++);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) break;
    }
    Failed(reason, errno);
    return -1;
}

bool FillTemporary(int fd, const std::string& path, std::string_view bytes, std::string& reason) {
    struct stat old {};
    if (stat(path.c_str(), &old) == 0 && fchmod(fd, old.st_mode & 07777) != 0) return Failed(reason, errno);
    // Renamed only once it is on disk: a crash leaves the old file or the new.
    return WriteAll(fd, bytes, reason) && (fsync(fd) == 0 || Failed(reason, errno));
}

bool ReplaceWhole(const std::string& path, std::string_view bytes, std::string& reason) {
    std::string temporary;
    const int fd = CreateTemporary(path, temporary, reason);
    if (fd < 0) return false;
    bool written = FillTemporary(fd, path, bytes, reason);
    written = CloseChecked(fd, reason) && written;
    if (written && rename(temporary.c_str(), path.c_str()) == 0) return true;
    if (written) Failed(reason, errno);
    unlink(temporary.c_str());
    return false;
}

}  // namespace

bool WriteFileSafely(const std::string& path, std::string_view bytes, std::string& reason) {
    std::string target = path;
    if (!ResolveLinks(target, reason)) return false;
    struct stat st {};
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return WriteIntoStream(target, bytes, reason);
    return ReplaceWhole(target, bytes, reason);
}
