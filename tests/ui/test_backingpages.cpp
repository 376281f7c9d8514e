// The first frame's backing store, its pages prepared ahead of the paint:
// every whole page ends in memory, the store is the one the window paints
// into, and what it paints is unchanged.
#include "render/WholePages.h"
#include "startup/BackingPages.h"

#include <QBackingStore>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The share of the whole pages of `image`'s pixels that are in memory.
double InMemory(const QImage& image) {
    const WholePages pages = WholePages::Of(image.constBits(), size_t(image.sizeInBytes()));
    if (pages.Empty()) return -1;
    std::vector<unsigned char> resident(pages.Size() / size_t(sysconf(_SC_PAGESIZE)));
    if (mincore(pages.Start(), pages.Size(), resident.data()) != 0) return -1;
    size_t in = 0;
    for (unsigned char r : resident) in += r & 1;
    return double(in) / double(resident.size());
}

// Whether this kernel prepares pages on request (Linux 5.14 and later).
bool KernelPreparesPages() {
    const size_t size = size_t(sysconf(_SC_PAGESIZE));
    void* page = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED) return false;
    const bool prepared = madvise(page, size, MADV_POPULATE_WRITE) == 0;
    munmap(page, size);
    return prepared;
}

class Painted : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::darkCyan);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Sarvenhal"));
    }
};

}  // namespace

class TestBackingPages : public QObject {
    Q_OBJECT
private slots:
    void pagesPreparedBeforeThePaint();
};

void TestBackingPages::pagesPreparedBeforeThePaint() {
    if (!KernelPreparesPages()) QSKIP("this kernel does not prepare pages on request: the store is left as it is");
    Painted window;
    window.resize(1500, 1100);
    window.show();
    QBackingStore* store = window.backingStore();
    QVERIFY(store && window.windowHandle());
    // The store as Prepare makes it: fresh memory, mostly not in memory yet.
    store->resize(window.windowHandle()->size());
    const auto* image = dynamic_cast<const QImage*>(store->paintDevice());
    QVERIFY(image && !image->isNull());
    const QImage* prepared = image;
    QVERIFY2(InMemory(*image) < 0.5, "a fresh store already in memory: nothing to measure");

    CBackingPages pages;
    pages.Prepare(window);
    pages.Wait();
    QCOMPARE(store->paintDevice(), static_cast<const QPaintDevice*>(prepared));  // the same store
    QCOMPARE(InMemory(*image), 1.0);

    // The paint is the window's own, as without the preparation.
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Painted plain;
    plain.resize(window.size());
    QCOMPARE(window.grab().toImage(), plain.grab().toImage());
}

QTEST_MAIN(TestBackingPages)
#include "test_backingpages.moc"
