#include "cli/BoundedRead.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

BoundedRead Failure(std::string reason) {
    BoundedRead result;
    result.reason = std::move(reason);
    return result;
}

BoundedRead TooLarge() {
    BoundedRead result;
    result.status = BoundedReadStatus::TooLarge;
    return result;
}

// Reads until the end of the file or `limit` bytes, whichever comes first.
// The first buffer holds the announced size and one byte more, so a file
// that keeps its word is read without a second allocation.
bool ReadUpTo(int fd, size_t limit, size_t announced, std::vector<unsigned char>& bytes) {
    constexpr size_t kChunk = 64 * 1024;
    size_t total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total >= limit) break;
            const size_t wanted = std::max({total * 2, announced + 1, kChunk});
            bytes.resize(std::min(limit, wanted));
        }
        const ssize_t n = read(fd, bytes.data() + total, bytes.size() - total);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        total += size_t(n);
    }
    bytes.resize(total);
    return true;
}

}  // namespace

BoundedRead ReadFileBounded(const std::string& path, size_t maxBytes) {
    // Look before opening: opening a device or a FIFO may block or act.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return Failure(std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return Failure("ce n'est pas un fichier ordinaire");
    if (uint64_t(info.st_size) > maxBytes) return TooLarge();

    // The name may have been given to something else in between: open
    // without blocking and look again at what was opened.
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0) return Failure(std::strerror(errno));
    if (fstat(file.get(), &info) != 0) return Failure(std::strerror(errno));
    if (!S_ISREG(info.st_mode)) return Failure("ce n'est pas un fichier ordinaire");
    if (uint64_t(info.st_size) > maxBytes) return TooLarge();

    BoundedRead result;
    if (!ReadUpTo(file.get(), maxBytes + 1, size_t(info.st_size), result.bytes))
        return Failure(std::strerror(errno));
    if (result.bytes.size() > maxBytes) return TooLarge();
    result.status = BoundedReadStatus::Read;
    return result;
}
