// A window's first paint writes every page of its backing store: fresh
// memory, handed out one page fault at a time (about 3.5 us a page on a
// virtual machine, 7 ms for a 1920 x 1080 window: most of the first frame's
// cost). Made at the window's size as soon as the window is shown, the store
// has its pages prepared on a second thread, from its end, while the first
// frame is prepared and then painted from the top.
#pragma once
#include <thread>

class QWidget;

class CBackingPages {
public:
    CBackingPages() = default;
    CBackingPages(const CBackingPages&) = delete;
    CBackingPages& operator=(const CBackingPages&) = delete;
    ~CBackingPages();

    // `window`: a top-level window just shown. Does nothing where its store
    // is not an image in memory.
    void Prepare(QWidget& window);
    // Waits until the pages are prepared.
    void Wait();

private:
    std::thread m_thread;
};
