// The window's end of the link hand-over (links/LinkSocket.h): once asked
// to listen, it takes each connection between events, reads it without
// blocking and never past a link's bound, answers, and hands the bytes to
// its owner, who parses them as any link. A connection that stays silent
// is dropped after a while, and only a few are read at once.
#pragma once
#include "links/LinkSocket.h"

#include <QObject>

#include <functional>
#include <string>

class QSocketNotifier;

class CLinkServer : public QObject {
public:
    // `arrived` gets each message, inside the event that read it.
    CLinkServer(std::function<void(const std::string&)> arrived, QObject* parent);

    // False, with the reason, when it cannot listen at `path` (another
    // window does).
    bool Listen(const std::string& path, std::string& error);

private:
    void AcceptWaiting();
    void Read(int fd);

    std::function<void(const std::string&)> m_arrived;
    CLinkListener m_listener;
    int m_reading = 0;  // connections being read
};
