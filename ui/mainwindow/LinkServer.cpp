#include "mainwindow/LinkServer.h"

#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <unistd.h>

namespace {
constexpr int kMaxReading = 8;
constexpr int kSilenceMs = 3000;  // a sender writes its link at once
}  // namespace

CLinkServer::CLinkServer(std::function<void(const std::string&)> arrived, QObject* parent)
    : QObject(parent), m_arrived(std::move(arrived)) {}

bool CLinkServer::Listen(const std::string& path, std::string& error) {
    if (!m_listener.Listen(path, error)) return false;
    auto* waiting = new QSocketNotifier(qintptr(m_listener.Fd()), QSocketNotifier::Read, this);
    connect(waiting, &QSocketNotifier::activated, this, &CLinkServer::AcceptWaiting);
    return true;
}

void CLinkServer::AcceptWaiting() {
    for (int fd; (fd = m_listener.Accept()) >= 0;) {
        if (m_reading >= kMaxReading) {
            close(fd);
            continue;
        }
        Read(fd);
    }
}

// One connection: read as its bytes come; the message, once whole, goes to
// the owner after the connection is answered and closed.
void CLinkServer::Read(int fd) {
    ++m_reading;
    auto* notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    auto message = std::make_shared<std::string>();
    const auto finish = [this, notifier, fd](bool answer) {
        notifier->setEnabled(false);
        notifier->deleteLater();
        if (answer)
            AnswerAndClose(fd);
        else
            close(fd);
        --m_reading;
    };
    connect(notifier, &QSocketNotifier::activated, this, [this, fd, message, finish] {
        if (!ReadLinkMessage(fd, *message)) return;
        finish(true);
        m_arrived(*message);
    });
    QTimer::singleShot(kSilenceMs, notifier, [notifier, finish] {
        if (notifier->isEnabled()) finish(false);
    });
}
