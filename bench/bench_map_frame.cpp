// Paints whole frames of the map through the map renderer with the real
// data, every place visible (detail 5), at a range of zooms, against a
// memcpy of a frame of the same size in the same run. Prints the median time
// of each, its ratio to the memcpy and the first frame at that zoom (before
// any cache holds it): at 1920 x 1080, then at 3840 x 2160 and at
// 1920 x 1080 points on a screen of device pixel ratio 2. Then runs of 200
// frames at 1920 x 1080, each painted whole as the view repaints it: a pan
// (the view moves by a tenth of its width or height a frame, round a
// square, as a drag does) and zoom steps (the tool bar's steps up and down
// about a point, as Ctrl+wheel takes them), with median, slowest and the
// count of frames over 16 ms.
// "pins" times a frame with 1,000 and 10,000 of the player's pins in view;
// "legibility" the placement of every label apart, and frames with labels
// apart and with the adapted colours against the usual ones; "ring" a frame
// with the keyboard's focus ring on a place in view, and "symbols" a frame
// with a symbol per kind, each against the same frame without, in turn.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_map_frame
//        [frames|pan|zoom|labels|pins|legibility|ring|symbols|one RATIO ZOOM [WIDTH HEIGHT]]
#include "notes/NotesOnMap.h"
#include "render/MapRenderer.h"
#include "res/QtResourceStore.h"
#include "render/World.h"
#include "view/FixedPictureHost.h"
#include "view/LabelPlacement.h"

#include "BenchTiming.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 41;
constexpr int kRunFrames = 200;

// The view of the benchmarks: a renderer over a fixed picture, every place
// visible, painting `width` x `height` device pixels at `ratio`.
struct Scene {
    Scene(CWorld& world, int width, int height, qreal ratio)
        : world(world), host(world.Picture().GetPixelSize()), client{int(width / ratio), int(height / ratio)},
          target(width, height, QImage::Format_RGB32) {
        geometry.Resize(client, 0);
        geometry.SetDetailOverride(5);
        target.setDevicePixelRatio(ratio);
    }
    void Paint() {
        QPainter painter(&target);
        renderer.Paint(painter, {0, 0, client.cx, client.cy}, &world.Picture());
    }
    CWorld& world;
    CFixedPictureHost host;
    ViewGeometry geometry{host};
    CPlaceOverlay overlay{geometry, host};
    MapRenderer renderer{geometry, overlay, world.Places(), QGuiApplication::font()};
    CSize client;
    QImage target;
};

// A frame of `width` x `height` device pixels at `ratio`, at every zoom.
void MeasureFrames(CWorld& world, int width, int height, qreal ratio) {
    Scene scene(world, width, height, ratio);
    std::vector<unsigned char> from(size_t(width) * height * 4, 7), to(from.size());
    std::vector<double> copies;
    for (int i = 0; i < kRounds; ++i) copies.push_back(TimeMs([&] { std::memcpy(to.data(), from.data(), from.size()); }));
    const double copy = Median(copies);
    std::printf("\n%dx%d pixels, device pixel ratio %g; memcpy of a frame: %.3f ms\n%6s %10s %8s %10s\n", width,
                height, ratio, copy, "zoom", "median ms", "ratio", "first ms");
    const CSize picture = world.Picture().GetPixelSize();
    for (int zoom : {10, 20, 33, 50, 100, 150, 200, 800, 1600}) {
        scene.geometry.SetZoom(zoom);
        scene.geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
        const double first = TimeMs([&] { scene.Paint(); });
        std::vector<double> times;
        for (int i = 0; i < kRounds; ++i) times.push_back(TimeMs([&] { scene.Paint(); }));
        const double paint = Median(times);
        std::printf("%6d %10.3f %8.1f %10.3f\n", zoom, paint, paint / copy, first);
    }
}

// One frame of 1920 x 1080 points at `ratio` (or of `width` x `height`
// device pixels), at `zoom`, painted 301 times: the median and the fastest,
// steadier than a median alone on a busy machine, for comparing two builds.
void MeasureOneFrame(CWorld& world, qreal ratio, int zoom, int width = 0, int height = 0) {
    if (width <= 0 || height <= 0) width = int(1920 * ratio), height = int(1080 * ratio);
    Scene scene(world, width, height, ratio);
    const CSize picture = world.Picture().GetPixelSize();
    scene.geometry.SetZoom(zoom);
    scene.geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
    scene.Paint();
    std::vector<double> times;
    for (int i = 0; i < 301; ++i) times.push_back(TimeMs([&] { scene.Paint(); }));
    std::printf("%dx%d, ratio %g, zoom %d: median %.3f ms, fastest %.3f ms\n", width, height, ratio, zoom,
                Median(times), *std::min_element(times.begin(), times.end()));
}

// With, for a run of zoom steps, the zoom of its slowest frame.
void PrintRun(const char* what, const std::vector<double>& times, const std::vector<int>& zooms = {}) {
    const long over = std::count_if(times.begin(), times.end(), [](double t) { return t > 16.0; });
    const auto slowest = std::max_element(times.begin(), times.end());
    std::printf("%-28s %10.3f %10.3f %8ld", what, Median(times), *slowest, over);
    if (!zooms.empty()) std::printf("  (slowest at %d%%)", zooms[size_t(slowest - times.begin())]);
    std::printf("\n");
}

// The offset of frame `i` of a pan round a square, a tenth of the view a
// frame: ten frames right, ten down, ten left, ten up, and again.
CPoint PanOffset(int i, CSize client) {
    const int leg = (i / 10) % 4, step = i % 10 + 1;
    const int dx = client.cx / 10, dy = client.cy / 10;
    switch (leg) {
    case 0: return {step * dx, 0};
    case 1: return {10 * dx, step * dy};
    case 2: return {(10 - step) * dx, 10 * dy};
    default: return {0, (10 - step) * dy};
    }
}

void MeasurePans(CWorld& world) {
    std::printf("\npan, 1920x1080, a tenth of the view a frame, %d frames painted whole\n%-28s %10s %10s %8s\n",
                kRunFrames, "zoom", "median ms", "max ms", "> 16 ms");
    const CSize picture = world.Picture().GetPixelSize();
    for (int zoom : {50, 75, 100, 150, 200, 800, 1600}) {
        Scene scene(world, 1920, 1080, 1.0);
        scene.geometry.SetZoom(zoom);
        scene.geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
        const CPoint corner = scene.geometry.GetScrollOffset();
        const CPoint start{corner.x - scene.client.cx / 2, corner.y - scene.client.cy / 2};
        scene.Paint();
        std::vector<double> times;
        for (int i = 0; i < kRunFrames; ++i) {
            const CPoint offset = PanOffset(i, scene.client);
            scene.geometry.ScrollTo({start.x + offset.x, start.y + offset.y});
            times.push_back(TimeMs([&] { scene.Paint(); }));
        }
        PrintRun(std::to_string(zoom).c_str(), times);
    }
}

// Zoom steps about a point of the map, as Ctrl+wheel takes them: in to the
// top zoom, out to the bottom one, and again. Each ratio's first run starts
// as the program is once its start-up is over: every label measured and
// made ahead between events; its second run is the same renderer again. At
// ratio 1 a run with labels measured but made only as shown (as before they
// were made ahead) comes first.
void MeasureZoomSteps(CWorld& world) {
    std::printf("\nzoom steps, 1920x1080, about a point, %d frames painted whole, then again\n%-28s %10s %10s %8s\n",
                kRunFrames, "", "median ms", "max ms", "> 16 ms");
    struct Run {
        qreal ratio;
        bool fresh, ahead;
        const char* what;
    };
    const Run runs[] = {{1.0, true, false, "ratio 1, labels as shown"},
                        {1.0, true, true, "ratio 1, after start-up"},
                        {1.0, false, true, "ratio 1, again"},
                        {2.0, true, true, "ratio 2, after start-up"},
                        {2.0, false, true, "ratio 2, again"}};
    std::unique_ptr<Scene> kept;
    for (const Run& run : runs) {
        if (run.fresh) {
            kept = std::make_unique<Scene>(world, int(1920 * run.ratio), int(1080 * run.ratio), run.ratio);
            kept->renderer.MeasureLabels();  // as the program does once its first map is on screen
            if (run.ahead)
                while (kept->renderer.MakeLabelsAhead(run.ratio, 48, SIZE_MAX)) {
                }
        }
        Scene& scene = *kept;
        const CSize picture = world.Picture().GetPixelSize();
        scene.geometry.SetZoom(100);
        scene.geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
        const int x = scene.client.cx / 3, y = scene.client.cy / 2;
        scene.Paint();
        bool in = true;
        std::vector<double> times;
        std::vector<int> zooms;
        for (int i = 0; i < kRunFrames; ++i) {
            const int next = scene.geometry.NextZoom(in);
            if (next == scene.geometry.Zoom() || next > 1600 || next < 10) in = !in;
            scene.geometry.ZoomKeepingPoint(x, y, scene.geometry.NextZoom(in));
            zooms.push_back(scene.geometry.Zoom());
            times.push_back(TimeMs([&] { scene.Paint(); }));
        }
        PrintRun(run.what, times, zooms);
    }
}

// Every label measured and its image made at once, as the first look at
// the whole map makes them: a fresh renderer each round, at zoom 10 where every place is
// in view.
void MeasureLabelMaking(CWorld& world) {
    std::printf("\nevery label measured and its image made, all places in view\n%-28s %10s %10s %10s\n", "",
                "median ms", "per label us", "images KB");
    const CSize picture = world.Picture().GetPixelSize();
    for (const qreal ratio : {1.0, 2.0}) {
        std::vector<double> times;
        size_t bytes = 0;
        for (int i = 0; i < 15; ++i) {
            Scene scene(world, int(1920 * ratio), int(1080 * ratio), ratio);
            scene.geometry.SetZoom(10);
            scene.geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
            const CRect whole{0, 0, scene.client.cx, scene.client.cy};
            times.push_back(TimeMs([&] { scene.renderer.PrepareLabels(whole, ratio); }));
            bytes = scene.renderer.LabelBytes();
        }
        const double median = Median(times);
        std::printf("%-28s %10.3f %10.2f %10zu\n", ratio == 1.0 ? "ratio 1" : "ratio 2", median,
                    1000 * median / world.Places().GetSize(), bytes / 1024);
    }
}

// One frame with the player's layer: 100,000 pins, `inView` of them in the
// view, against the same frame without any (301 paints each, as "one").
void MeasurePins(CWorld& world, int zoom, int inView) {
    Scene scene(world, 1920, 1080, 1.0);
    const CSize picture = world.Picture().GetPixelSize();
    scene.geometry.SetZoom(zoom);
    scene.geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
    const CPoint scroll = scene.geometry.GetScrollOffset();
    const CPoint topLeft = scene.geometry.MapToWorld(scroll);
    const CPoint bottomRight = scene.geometry.MapToWorld({scroll.x + scene.client.cx, scroll.y + scene.client.cy});
    const CRect world_ = ViewGeometry::WorldSpan();
    std::mt19937 random(7);
    CNoteItems items;
    for (int i = 0; i < 100000; ++i) {
        CNoteItem pin;
        pin.kind = CNoteItem::Kind::Pin;
        pin.id = "pin:" + std::to_string(i);
        pin.name = "Épingle " + std::to_string(i % 500);
        pin.colour = PinColour(i % kPinColourCount);
        const CRect view{topLeft.x, bottomRight.y, bottomRight.x, topLeft.y};
        const bool shown = i % (100000 / inView) == 0;
        const CRect area = shown ? view : world_;
        do {  // the others anywhere out of the view
            pin.x = std::uniform_int_distribution<int>(area.left, area.right - 1)(random);
            pin.y = std::uniform_int_distribution<int>(area.top, area.bottom - 1)(random);
        } while (!shown && pin.x >= view.left && pin.x < view.right && pin.y >= view.top && pin.y < view.bottom);
        items.push_back(pin);
    }
    CNotesOnMap notes;
    notes.Update(items, world.Places());
    for (const bool with : {false, true, false, true}) {
        scene.renderer.SetNotes(with ? &notes : nullptr);
        scene.Paint();
        std::vector<double> times;
        for (int i = 0; i < 301; ++i) times.push_back(TimeMs([&] { scene.Paint(); }));
        std::printf("zoom %d, %6d pins in view: median %.3f ms, fastest %.3f ms\n", zoom, with ? inView : 0,
                    Median(times), *std::min_element(times.begin(), times.end()));
    }
}

// The labels placed apart: the placement of every label (all 863 shown, at
// zooms where they crowd and where they do not), then frames with labels
// apart and with the adapted colours, each interleaved with the usual frame
// of the same view, after the first frame at that zoom (which places them).
void MeasureLegibility(CWorld& world) {
    const CSize picture = world.Picture().GetPixelSize();
    std::printf("\nevery label placed apart, all %d places shown\n%6s %10s %10s\n", world.Places().GetSize(), "zoom",
                "median ms", "left out");
    for (int zoom : {10, 20, 50, 100, 200}) {
        Scene scene(world, 1920, 1080, 1.0);
        scene.geometry.SetZoom(zoom);
        scene.renderer.MeasureLabels();
        std::vector<LabelToPlace> labels;
        for (int i = 0; i < world.Places().GetSize(); ++i) {
            const CPlace& place = *world.Places()[i];
            CRect marker, label;
            scene.overlay.GetPlaceRects(place, scene.renderer.LabelSizes().Of(i), marker, label);
            labels.push_back({marker, {label.Width(), label.Height()}, false, place.m_nLevel});
        }
        std::vector<CRect> placed;
        std::vector<double> times;
        for (int i = 0; i < kRounds; ++i) times.push_back(TimeMs([&] { placed = PlaceLabels(labels); }));
        const long out = std::count_if(placed.begin(), placed.end(), [](const CRect& r) { return r.IsRectEmpty(); });
        std::printf("%6d %10.3f %10ld\n", zoom, Median(times), out);
    }
    std::printf(
        "\nframes, 1920x1080, every place shown, each after the usual frame of the same view\n"
        "%6s %-22s %10s %10s %10s %10s\n",
        "zoom", "look", "usual ms", "look ms", "diff ms", "first ms");
    MapLook apart, adapted;
    apart.declutter = true;
    adapted.adaptedColours = true;
    const std::pair<const char*, MapLook> looks[] = {{"labels apart", apart}, {"adapted colours", adapted}};
    for (int zoom : {20, 50, 100, 200}) {
        for (const auto& [name, look] : looks) {
            Scene usual(world, 1920, 1080, 1.0), other(world, 1920, 1080, 1.0);
            other.renderer.SetLook(look);
            for (Scene* scene : {&usual, &other}) {
                scene->geometry.SetZoom(zoom);
                scene->geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
                scene->overlay.SearchPlaces(world.Places(), "holm");  // found places: rings and their names
                scene->geometry.SetZoom(zoom);
                scene->geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
            }
            usual.Paint();
            const double first = TimeMs([&] { other.Paint(); });
            std::vector<double> plain, with;
            for (int i = 0; i < kRounds; ++i) {
                plain.push_back(TimeMs([&] { usual.Paint(); }));
                with.push_back(TimeMs([&] { other.Paint(); }));
            }
            std::printf("%6d %-22s %10.3f %10.3f %10.3f %10.3f\n", zoom, name, Median(plain), Median(with),
                        Median(with) - Median(plain), first);
        }
    }
}

// The place nearest the middle of the view.
const CPlace* NearestToMiddle(CWorld& world, const ViewGeometry& geometry) {
    const CPoint middle = geometry.ClientCentre();
    const CPlace* nearest = nullptr;
    int64_t best = INT64_MAX;
    for (const CPlace* place : world.Places()) {
        const CPoint at = geometry.WorldToMap({place->m_x, place->m_y});
        const int64_t dx = at.x - middle.x, dy = at.y - middle.y;
        if (dx * dx + dy * dy < best) best = dx * dx + dy * dy, nearest = place;
    }
    return nearest;
}

// One frame at the middle of the picture without and with a choice, in
// turn (301 paints each, as "one"); `choose(scene, on)` makes the choice.
void MeasureInTurn(CWorld& world, qreal ratio, int zoom, const char* off, const char* on,
                   const std::function<void(Scene&, bool)>& choose) {
    Scene scene(world, int(1920 * ratio), int(1080 * ratio), ratio);
    const CSize picture = world.Picture().GetPixelSize();
    scene.geometry.SetZoom(zoom);
    scene.geometry.CenterOn(picture.cx / 2, picture.cy / 2, true);
    for (const bool with : {false, true, false, true}) {
        choose(scene, with);
        scene.Paint();
        std::vector<double> times;
        for (int i = 0; i < 301; ++i) times.push_back(TimeMs([&] { scene.Paint(); }));
        std::printf("ratio %g, zoom %4d, %-12s median %.3f ms, fastest %.3f ms\n", ratio, zoom, with ? on : off,
                    Median(times), *std::min_element(times.begin(), times.end()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication qapp(argc, argv);
    const std::string only = argc > 1 ? argv[1] : "";
    static CQtResourceStore embedded;
    CWorld world(embedded);
    world.Load(nullptr);
    world.Picture().FinishLoading();
    std::printf("%d places, picture %dx%d\n", world.Places().GetSize(), world.Picture().GetPixelSize().cx,
                world.Picture().GetPixelSize().cy);
    if (only.empty() || only == "frames") {
        MeasureFrames(world, 1920, 1080, 1.0);
        MeasureFrames(world, 3840, 2160, 1.0);
        MeasureFrames(world, 3840, 2160, 2.0);
    }
    if (only == "one" && argc >= 4)
        MeasureOneFrame(world, std::atof(argv[2]), std::atoi(argv[3]), argc > 5 ? std::atoi(argv[4]) : 0,
                        argc > 5 ? std::atoi(argv[5]) : 0);
    if (only == "pins")
        for (int inView : {1000, 10000})
            for (int zoom : {100, 200}) MeasurePins(world, zoom, inView);
    if (only == "ring")
        for (const qreal ratio : {1.0, 2.0})
            for (int zoom : {20, 100, 800})
                MeasureInTurn(world, ratio, zoom, "no ring:", "focus ring:", [&](Scene& scene, bool on) {
                    scene.renderer.SetFocusRing(on ? NearestToMiddle(world, scene.geometry) : nullptr);
                });
    if (only == "symbols")
        for (const qreal ratio : {1.0, 2.0})
            for (int zoom : {20, 100, 200})
                MeasureInTurn(world, ratio, zoom, "squares:", "symbols:", [](Scene& scene, bool on) {
                    MapLook look;
                    look.symbols = on;
                    scene.renderer.SetLook(look);
                });
    if (only.empty() || only == "pan") MeasurePans(world);
    if (only.empty() || only == "zoom") MeasureZoomSteps(world);
    if (only.empty() || only == "labels") MeasureLabelMaking(world);
    if (only.empty() || only == "legibility") MeasureLegibility(world);
    return 0;
}
