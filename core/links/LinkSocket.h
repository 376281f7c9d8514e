// The hand-over of a link to the window already open: one window per user
// and display listens on a socket in the user's runtime folder, and a
// second `zerim LINK` gives it the link and ends. The folder must be the
// user's alone (a folder of theirs, closed to others), so that no other
// user can reach the socket, or place one there for us to talk to.
//
// The exchange: the second process connects, writes the link's bytes (at
// most kMaxLinkBytes + 1 of them, so that a longer one still reads as too
// long) and a line end, and shuts its side; the window reads no more than
// that, answers one byte and closes. A message cut short (no line end
// before the end) is dropped; what arrives whole is parsed as any link.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// What names the display a window opens on, as Qt will choose it: the
// -platform option, else QT_QPA_PLATFORM; the X display (-display, else
// DISPLAY) or the Wayland one (WAYLAND_DISPLAY).
struct DisplayNames {
    std::optional<std::string> platform, display;         // the options, when given
    std::string qpaPlatform, x11Display, waylandDisplay;  // the environment
};

// A short key for the display, fit for a file name: "x11-_0", "wayland-0",
// "offscreen".
std::string DisplayKey(const DisplayNames& names);

// The socket of `displayKey` in `runtimeDir`; nothing, with the reason,
// when the folder is not set, not a folder, not the user's or open to
// others, or the path too long for a socket.
std::optional<std::string> LinkSocketPath(const char* runtimeDir, const std::string& displayKey, std::string& why);

enum class HandOver {
    Delivered,  // the window took the link
    NoWindow,   // nobody listens (or a stale socket): open a window
    NoAnswer,   // something listens but did not answer in time
};

// Gives `link` (cut at kMaxLinkBytes + 1 bytes) to the window listening at
// `path`, waiting at most `timeoutMs` for it to answer.
HandOver HandLinkOver(const std::string& path, std::string_view link, int timeoutMs = 2000);

// The listening side, non-blocking: the window watches Fd() and accepts.
class CLinkListener {
public:
    CLinkListener() = default;
    CLinkListener(const CLinkListener&) = delete;
    CLinkListener& operator=(const CLinkListener&) = delete;
    // Removes the socket if it is still the one it made.
    ~CLinkListener();

    // Listens at `path`, owner-only. A socket there that nobody answers
    // (left by a window that crashed) is replaced; one that answers is
    // left alone and false returned, with the reason.
    bool Listen(const std::string& path, std::string& error);
    int Fd() const { return m_fd; }
    // A connection from a process of the same user, non-blocking; -1 when
    // none is waiting or it came from another user.
    int Accept() const;

private:
    int m_fd = -1;
    std::string m_path;
    unsigned long m_inode = 0;
};

// Reads what `fd` has (non-blocking) into `message`, never past the bound;
// true once the message is done: the link, without its line end, when the
// sender shut its side; empty when it was cut short or the connection
// failed; past the bound, what was read.
bool ReadLinkMessage(int fd, std::string& message);

// The answer that tells the sender its link was taken; then closes `fd`.
void AnswerAndClose(int fd);
