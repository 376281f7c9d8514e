// Paints whole 1920 x 1080 frames of the map view with the real data, every
// place visible (detail 5), at a range of zooms, against a memcpy of a frame
// of the same size in the same run. Prints the median time of each and the
// ratio. Run: QT_QPA_PLATFORM=offscreen build/bench/bench_map_frame
#include "shell/MainFrame.h"
#include "shell/ZerimApp.h"
#include "shell/QtResourceStore.h"
#include "view/ZerimView.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kRounds = 41;

template <class Work>
double MedianMs(Work work) {
    std::vector<double> times;
    work();  // warm: label images, caches
    for (int i = 0; i < kRounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
    return times[kRounds / 2];
}

// Sizes the view so that its client area is exactly one frame.
void SizeForFrame(CZerimView& view) {
    view.resize(kWidth, kHeight);
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        const QSize client = view.viewport()->size();
        view.resize(view.width() + kWidth - client.width(), view.height() + kHeight - client.height());
    }
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    static CQtResourceStore embedded;
    SetResources(&embedded);
    CZerimApp app;
    CMainFrame frame;
    App().m_picture.FinishLoading();
    CZerimView& view = *frame.View();
    frame.show();
    SizeForFrame(view);
    view.SetDetailLevel(5);
    std::printf("client area %dx%d, %d places, picture %dx%d\n", view.viewport()->width(),
                view.viewport()->height(), App().m_places.GetSize(), App().m_picture.GetPixelSize().cx,
                App().m_picture.GetPixelSize().cy);

    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    std::vector<unsigned char> from(size_t(kWidth) * kHeight * 4, 7), to(from.size());
    const double copy = MedianMs([&] { std::memcpy(to.data(), from.data(), from.size()); });
    std::printf("memcpy of a frame: %.3f ms\n\n%6s %10s %8s\n", copy, "zoom", "median ms", "ratio");

    for (int zoom : {10, 20, 33, 50, 100, 150, 200, 800, 1600}) {
        view.SetZoom(zoom);
        const CSize picture = App().m_picture.GetPixelSize();
        view.Geometry().CenterOn(picture.cx / 2, picture.cy / 2, true);
        const double paint = MedianMs([&] { view.viewport()->render(&target); });
        std::printf("%6d %10.3f %8.1f\n", zoom, paint, paint / copy);
    }
    return 0;
}
