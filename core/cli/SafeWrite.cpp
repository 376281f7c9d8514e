#include "cli/SafeWrite.h"

#include "cli/SystemReason.h"

#include <cerrno>
#include <climits>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40;  // the kernel's own limit when it follows a path
// How long a reader at the other end of a FIFO or device may leave the
// stream full before the write gives up on it.
constexpr int kStalledReaderMs = 10000;

bool Failed(std::string& reason, int error) {
    reason = SystemReason(error);
    return false;
}

bool Refused(std::string& reason, const char* why) {
    reason = why;
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

// Waits until `fd` takes more bytes; false when its reader stalls.
bool WaitWritable(int fd, std::string& reason) {
    pollfd watch{fd, POLLOUT, 0};
    int ready;
    while ((ready = poll(&watch, 1, kStalledReaderMs)) < 0 && errno == EINTR) {}
    if (ready < 0) return Failed(reason, errno);
    return ready > 0 || Failed(reason, ETIMEDOUT);
}

// `fd` may be non-blocking (a stream): a full stream is waited for, within
// a bound.
bool WriteAll(int fd, std::string_view bytes, std::string& reason) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno == EAGAIN) {
            if (!WaitWritable(fd, reason)) return false;
            continue;
        }
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
// replace it with. Opened without blocking: a FIFO that nobody reads is
// refused at once instead of holding the program until someone does.
bool WriteIntoStream(const std::string& path, const struct stat& st, std::string_view bytes, std::string& reason) {
    if (S_ISSOCK(st.st_mode)) return Refused(reason, "c'est un socket, pas un fichier");
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0 && errno == ENXIO && S_ISFIFO(st.st_mode)) return Refused(reason, "aucun programme ne lit ce FIFO");
    if (fd < 0) return Failed(reason, errno);
    if (!WriteAll(fd, bytes, reason)) {
        close(fd);
        return false;
    }
    return CloseChecked(fd, reason);
}

// The longest name a folder takes; a file system that does not say gets
// the usual limit.
size_t NameMax(const std::string& directory) {
    const long max = pathconf(directory.c_str(), _PC_NAME_MAX);
    return max > 0 ? size_t(max) : size_t(NAME_MAX);
}

// ".NAME.PID.N", with NAME shortened so that the whole stays within the
// folder's limit: a name the user may give must not fail for its
// temporary's sake. O_EXCL keeps it unique whatever is cut.
std::string TemporaryName(const std::string& path, unsigned counter) {
    const std::string directory = DirectoryOf(path);
    const std::string suffix = "." + std::to_string(getpid()) + "." + std::to_string(counter);
    const size_t limit = NameMax(directory);
    std::string name = NameOf(path);
    if (1 + name.size() + suffix.size() > limit) name.resize(limit > 1 + suffix.size() ? limit - 1 - suffix.size() : 0);
    return directory + "/." + name + suffix;
}

// A new file beside `path`, created with the permissions a plain create
// would give; `name` receives its path.
int CreateTemporary(const std::string& path, std::string& name, std::string& reason) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = TemporaryName(path, counter++);
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

// The shell's rule for an existing file: no write permission, no write
// (root's included, and a read-only disk's). Opening it without truncating
// changes nothing.
bool MayWrite(const std::string& path, std::string& reason) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return Failed(reason, errno);
    close(fd);
    return true;
}

bool ReplaceWhole(const std::string& path, bool exists, std::string_view bytes, std::string& reason) {
    if (exists && !MayWrite(path, reason)) return false;
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
    if (exists && !S_ISREG(st.st_mode)) return WriteIntoStream(target, st, bytes, reason);
    return ReplaceWhole(target, exists, bytes, reason);
}
