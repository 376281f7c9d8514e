#include "links/LinkSocket.h"

#include "links/ZerimLink.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A link cut one byte past the bound (so that it still reads as too long),
// then the line end that tells it came whole.
constexpr size_t kLinkBound = kMaxLinkBytes + 1;
constexpr size_t kMessageBound = kLinkBound + 1;

std::string FileNameSafe(std::string text) {
    for (char& c : text) {
        const bool plain =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!plain) c = '_';
    }
    return text.substr(0, 64);
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// A socket that belongs to this user: no other file is talked to.
bool IsOurSocket(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) && info.st_uid == getuid();
}

int ConnectTo(const std::string& path, int timeoutMs) {
    sockaddr_un address{};
    if (!FillAddress(path, address) || !IsOurSocket(path)) return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

bool PeerIsUs(int fd) {
#ifdef SO_PEERCRED
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
#else
    (void)fd;
    return true;  // the folder, the user's alone, keeps others out
#endif
}

}  // namespace

std::string DisplayKey(const DisplayNames& names) {
    const std::string platform = names.platform.value_or(names.qpaPlatform);
    const std::string x11 = names.display.value_or(names.x11Display);
    const std::string wayland = names.waylandDisplay.empty() ? "wayland-0" : names.waylandDisplay;
    if (StartsWith(platform, "wayland") || (platform.empty() && x11.empty())) return FileNameSafe("wayland-" + wayland);
    if (StartsWith(platform, "xcb") || platform.empty()) return FileNameSafe("x11-" + x11);
    // offscreen, minimal, vnc...: one per platform
    return FileNameSafe(platform.substr(0, platform.find(':')));
}

std::optional<std::string> LinkSocketPath(const char* runtimeDir, const std::string& displayKey, std::string& why) {
    if (!runtimeDir || !*runtimeDir || runtimeDir[0] != '/') {
        why = "XDG_RUNTIME_DIR n'est pas défini";
        return std::nullopt;
    }
    struct stat info {};
    if (stat(runtimeDir, &info) != 0 || !S_ISDIR(info.st_mode)) {
        why = std::string(runtimeDir) + " n'est pas un dossier";
        return std::nullopt;
    }
    if (info.st_uid != getuid() || (info.st_mode & 077) != 0) {
        why = std::string(runtimeDir) + " n'est pas un dossier à vous seul";
        return std::nullopt;
    }
    std::string path = std::string(runtimeDir) + "/zerim-" + displayKey + ".link";
    sockaddr_un address{};
    if (!FillAddress(path, address)) {
        why = "chemin trop long pour une socket : " + path;
        return std::nullopt;
    }
    return path;
}

HandOver HandLinkOver(const std::string& path, std::string_view link, int timeoutMs) {
    const int fd = ConnectTo(path, timeoutMs);
    if (fd < 0) return HandOver::NoWindow;
    char answer = 0;
    bool answered = WriteAll(fd, std::string(link.substr(0, kLinkBound)) + '\n') && shutdown(fd, SHUT_WR) == 0;
    if (answered) {
        ssize_t got;
        do got = recv(fd, &answer, 1, 0);
        while (got < 0 && errno == EINTR);
        answered = got == 1;
    }
    close(fd);
    return answered ? HandOver::Delivered : HandOver::NoAnswer;
}

CLinkListener::~CLinkListener() {
    if (m_fd < 0) return;
    close(m_fd);
    struct stat info {};
    if (lstat(m_path.c_str(), &info) == 0 && info.st_ino == m_inode) unlink(m_path.c_str());
}

bool CLinkListener::Listen(const std::string& path, std::string& error) {
    sockaddr_un address{};
    if (!FillAddress(path, address)) {
        error = "chemin trop long pour une socket : " + path;
        return false;
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
        const int other = IsOurSocket(path) ? ConnectTo(path, 500) : -1;
        if (other >= 0) {
            close(other);  // the peer reads an empty link, and ignores it
            error = "une autre fenêtre reçoit déjà les liens";
            return false;
        }
        unlink(path.c_str());  // stale: its window is gone
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // Owner-only from its creation: the folder is the user's alone already.
    const mode_t before = umask(0177);
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    umask(before);
    if (!bound || listen(fd, 8) != 0 || lstat(path.c_str(), &info) != 0) {
        error = std::strerror(errno);
        close(fd);
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_inode = info.st_ino;
    return true;
}

int CLinkListener::Accept() const {
    const int fd = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return -1;
    if (!PeerIsUs(fd)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool ReadLinkMessage(int fd, std::string& message) {
    char buffer[1024];
    while (message.size() < kMessageBound) {
        const size_t room = std::min(sizeof buffer, kMessageBound - message.size());
        const ssize_t got = recv(fd, buffer, room, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return false;
        if (got <= 0) {
            // The sender shut its side: whole if its line end came last, else
            // cut short (the sender died, or is not ours) and dropped.
            const bool whole = !message.empty() && message.back() == '\n';
            if (whole) message.pop_back();
            else message.clear();
            return true;
        }
        message.append(buffer, size_t(got));
    }
    // At the bound: the longest a sender writes, or more; read as too long.
    if (message.back() == '\n') message.pop_back();
    return true;
}

void AnswerAndClose(int fd) {
    const char answer = '1';
    (void)send(fd, &answer, 1, MSG_NOSIGNAL | MSG_DONTWAIT);
    close(fd);
}
