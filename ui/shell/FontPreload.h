// The font configuration read on a thread of its own while Qt connects to
// the display: reading it (its XML files and caches) is the largest part of
// laying out the first text, which the loading notice does just after.
#pragma once
#include <thread>

class CFontPreload {
public:
    CFontPreload();
    // Waits for the reading, if it is still going on; the destructor too.
    void Wait();
    ~CFontPreload() { Wait(); }
    CFontPreload(const CFontPreload&) = delete;
    CFontPreload& operator=(const CFontPreload&) = delete;

private:
    std::thread m_thread;
};
