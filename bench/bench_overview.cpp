// The overview map beside the map view, with the real data: what it adds to
// a frame of the view. First the overview's own repaint as the view moves
// (its picture kept, the view's frame drawn over it; median and slowest of
// 301), and the repaint after a resize, which draws its picture again
// (median of 9). Then frames of the view at 1280 x 800 as a pan repaints
// it (a tenth of the view a frame, round a square), with the overview
// shown and hidden in turn, 20 runs of 40 frames each way interleaved:
// median and slowest of each, and the difference of the medians.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_overview
#include "mapview/OverviewMap.h"
#include "mapview/ZerimView.h"
#include "render/MapPicture.h"
#include "render/World.h"
#include "res/QtResourceStore.h"

#include "BenchTiming.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepaints = 301;
constexpr int kRuns = 20;
constexpr int kRunFrames = 40;

// The scroll positions of a pan round a square, a tenth of the view a step.
std::vector<QPoint> PanPath(const CZerimView& view, int steps) {
    const QSize page = view.viewport()->size();
    const int dx = page.width() / 10, dy = page.height() / 10;
    const QPoint start(2000, 2000);
    std::vector<QPoint> path;
    for (int i = 0; i < steps; ++i) {
        const int side = (i / 10) % 4, k = i % 10;
        const QPoint step = side == 0   ? QPoint(dx, 0)
                            : side == 1 ? QPoint(0, dy)
                            : side == 2 ? QPoint(-dx, 0)
                                        : QPoint(0, -dy);
        const QPoint corner = side == 0   ? start
                              : side == 1 ? start + QPoint(10 * dx, 0)
                              : side == 2 ? start + QPoint(10 * dx, 10 * dy)
                                          : start + QPoint(0, 10 * dy);
        path.push_back(corner + step * k);
    }
    return path;
}

void ScrollTo(CZerimView& view, QPoint p) {
    view.horizontalScrollBar()->setValue(p.x());
    view.verticalScrollBar()->setValue(p.y());
}

void Print(const char* what, std::vector<double> times) {
    const double slowest = *std::max_element(times.begin(), times.end());
    std::printf("%-44s median %7.3f ms  slowest %7.3f ms  (%zu)\n", what, Median(times), slowest, times.size());
}

void MeasureOverviewRepaint(CZerimView& view, COverviewMap& overview) {
    std::vector<double> times;
    const std::vector<QPoint> path = PanPath(view, kRepaints);
    for (const QPoint& p : path) {
        ScrollTo(view, p);
        times.push_back(TimeMs([&] { overview.repaint(); }));
    }
    Print("overview repaint as the view moves", times);
    std::vector<double> refits;
    for (int i = 0; i < 9; ++i) {
        refits.push_back(TimeMs([&] {
            overview.resize(i % 2 ? QSize(240, 270) : QSize(260, 290));
            overview.repaint();
        }));
        QApplication::processEvents();
    }
    Print("overview repaint after a resize (re-fit)", refits);
}

void MeasureFrames(CZerimView& view, COverviewMap& overview) {
    std::vector<double> with, without;
    const std::vector<QPoint> path = PanPath(view, kRunFrames);
    for (int run = 0; run < kRuns; ++run) {
        for (bool shown : {run % 2 == 0, run % 2 != 0}) {
            overview.setVisible(shown);
            QApplication::processEvents();
            for (const QPoint& p : path) {
                const double ms = TimeMs([&] {
                    ScrollTo(view, p);
                    view.viewport()->repaint();
                    QApplication::processEvents();  // the overview's repaint, when shown
                });
                (shown ? with : without).push_back(ms);
            }
        }
    }
    Print("view frame, overview hidden", without);
    Print("view frame, overview shown", with);
    std::printf("difference of the medians: %+.3f ms\n", Median(with) - Median(without));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    static CQtResourceStore embedded;
    CWorld world(embedded);
    world.Load(nullptr);
    world.Picture().FinishLoading();
    CZerimView view(world.Places(), [&world] { return &world.Picture(); });
    view.resize(1280, 800);
    view.show();
    view.SetZoom(100);
    // Inside a window, as in its dock: a child takes a new size at once.
    QWidget dock;
    dock.resize(300, 300);
    COverviewMap overview(view, &dock);
    overview.resize(240, 270);
    dock.show();
    QApplication::processEvents();
    std::printf("%d places, picture %dx%d, view %dx%d, overview %dx%d\n", world.Places().GetSize(),
                world.Picture().GetPixelSize().cx, world.Picture().GetPixelSize().cy, view.viewport()->width(),
                view.viewport()->height(), overview.width(), overview.height());
    MeasureOverviewRepaint(view, overview);
    MeasureFrames(view, overview);
    return 0;
}
