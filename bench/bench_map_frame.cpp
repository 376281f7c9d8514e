// Paints whole frames of the map through the map renderer with the real
// data, every place visible (detail 5), at a range of zooms, against a
// memcpy of a frame of the same size in the same run. Prints the median time
// of each and the ratio: at 1920 x 1080, then at 3840 x 2160 and at
// 1920 x 1080 points on a screen of device pixel ratio 2; then frames of a pan.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_map_frame
#include "render/MapRenderer.h"
#include "shell/QtResourceStore.h"
#include "shell/World.h"
#include "view/FixedPictureHost.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRounds = 41;

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

// A frame of `width` x `height` device pixels at `ratio`, at every zoom.
void MeasureFrames(CWorld& world, int width, int height, qreal ratio) {
    const CSize picture = world.Picture().GetPixelSize();
    CFixedPictureHost host(picture);
    ViewGeometry geometry(host);
    CPlaceOverlay overlay(geometry, host);
    const int w = int(width / ratio), h = int(height / ratio);  // the client area, in points
    geometry.Resize({w, h}, 0);
    geometry.SetDetailOverride(5);
    MapRenderer renderer(geometry, overlay, world.Places(), QGuiApplication::font());

    QImage target(width, height, QImage::Format_RGB32);
    target.setDevicePixelRatio(ratio);
    std::vector<unsigned char> from(size_t(width) * height * 4, 7), to(from.size());
    const double copy = MedianMs([&] { std::memcpy(to.data(), from.data(), from.size()); });
    std::printf("\n%dx%d pixels, device pixel ratio %g; memcpy of a frame: %.3f ms\n%6s %10s %8s\n", width, height,
                ratio, copy, "zoom", "median ms", "ratio");
    for (int zoom : {10, 20, 33, 50, 100, 150, 200, 800, 1600}) {
        geometry.SetZoom(zoom);
        geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
        const double paint = MedianMs([&] {
            QPainter painter(&target);
            renderer.Paint(painter, {0, 0, w, h}, &world.Picture());
        });
        std::printf("%6d %10.3f %8.1f\n", zoom, paint, paint / copy);
    }
}

// A middle-button pan at 1920 x 1080: every frame the view moves by 24 x 16
// pixels, as a quick drag does between two frames, and is painted whole, as
// the view repaints it.
void MeasurePan(CWorld& world) {
    const CSize picture = world.Picture().GetPixelSize();
    CFixedPictureHost host(picture);
    ViewGeometry geometry(host);
    CPlaceOverlay overlay(geometry, host);
    geometry.Resize({1920, 1080}, 0);
    geometry.SetDetailOverride(5);
    MapRenderer renderer(geometry, overlay, world.Places(), QGuiApplication::font());
    QImage target(1920, 1080, QImage::Format_RGB32);
    std::printf("\npan, 1920x1080, 24 x 16 pixels a frame\n%6s %10s\n", "zoom", "median ms");
    for (int zoom : {20, 100, 200, 800}) {
        geometry.SetZoom(zoom);
        geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
        const CPoint start = geometry.GetScrollOffset();
        int step = 0;
        const double paint = MedianMs([&] {
            const int back = (step++ % 20) - 10;  // to and fro, inside the picture
            geometry.ScrollTo({start.x + 24 * back, start.y + 16 * back});
            QPainter painter(&target);
            renderer.Paint(painter, {0, 0, 1920, 1080}, &world.Picture());
        });
        std::printf("%6d %10.3f\n", zoom, paint);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication qapp(argc, argv);
    static CQtResourceStore embedded;
    CWorld world(embedded);
    world.Load(nullptr);
    world.Picture().FinishLoading();
    std::printf("%d places, picture %dx%d\n", world.Places().GetSize(), world.Picture().GetPixelSize().cx,
                world.Picture().GetPixelSize().cy);
    MeasureFrames(world, 1920, 1080, 1.0);
    MeasureFrames(world, 3840, 2160, 1.0);
    MeasureFrames(world, 3840, 2160, 2.0);
    MeasurePan(world);
    return 0;
}
