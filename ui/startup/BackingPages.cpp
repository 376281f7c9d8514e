#include "startup/BackingPages.h"

#include "render/WholePages.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <QWindow>

#include <cstdint>

#include <sys/mman.h>

namespace {

// Pages are prepared in steps of this size, from the end: the painter comes
// from the start, and what it reaches first it faults in itself.
constexpr uintptr_t kStep = 256 * 1024;

// Every whole page of [begin, end), last step first; stops where the system
// refuses (a kernel without the request: nothing is lost).
void PreparePages(uintptr_t begin, uintptr_t end) {
    while (end > begin) {
        const uintptr_t start = end - begin > kStep ? end - kStep : begin;
        if (madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE) != 0) return;
        end = start;
    }
}

}  // namespace

CBackingPages::~CBackingPages() { Wait(); }

void CBackingPages::Wait() {
    if (m_thread.joinable()) m_thread.join();
}

void CBackingPages::Prepare(QWidget& window) {
    // Only the stores of X11 and the offscreen platform are plain images that
    // may be asked for outside a paint (Wayland's ends the program there).
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("offscreen")) return;
    QBackingStore* store = window.backingStore();
    const QWindow* handle = window.windowHandle();
    if (!store || !handle) return;
    // The store the first paint will use: the window's size is its
    // platform window's (a geometry asked for on the command line reaches
    // the widget only with the next events).
    store->resize(handle->size());
    const auto* image = dynamic_cast<const QImage*>(store->paintDevice());
    if (!image || image->isNull()) return;
    const WholePages pages = WholePages::Of(image->constBits(), size_t(image->sizeInBytes()));
    if (pages.Empty()) return;
    Wait();
    m_thread = std::thread(PreparePages, pages.begin, pages.end);
}
