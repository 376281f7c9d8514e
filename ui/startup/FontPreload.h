// The font configuration read on a thread of its own while Qt connects to
// the display: reading it (its XML files and caches) is the largest part of
// laying out the first text, which the loading notice does just after.
// Then, once Qt is connected, the list of fonts that Qt's font database
// makes from it, on a thread again, while the main window is built: its
// first text (the loading notice's) waits for the list only if it is not
// ready yet.
#pragma once
#include <thread>

class CFontPreload {
public:
    CFontPreload();
    // Waits for the reading, if it is still going on; the destructor too.
    void Wait();
    // Once the application object exists: fills Qt's font database (whose
    // functions are safe from any thread). Wait() waits for it.
    void FillFontDatabase();
    ~CFontPreload() { Wait(); }
    CFontPreload(const CFontPreload&) = delete;
    CFontPreload& operator=(const CFontPreload&) = delete;

private:
    std::thread m_thread;
};
