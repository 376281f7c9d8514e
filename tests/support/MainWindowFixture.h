// The main window as the program builds it (the world over a store, the
// application object, the window), for the widget tests that drive it.
#pragma once
#include "mainwindow/MainFrame.h"
#include "render/World.h"
#include "mainwindow/ZerimApp.h"
#include "mapview/ZerimView.h"

#include <QtTest>

#include <memory>

// Builds and shows the window at `size`; false when it never got exposed.
inline bool OpenMainWindow(const IResourceStore& store, QSize size, std::unique_ptr<CWorld>& world,
                           std::unique_ptr<CZerimApp>& app, CMainFrame*& frame) {
    world = std::make_unique<CWorld>(store);
    app = std::make_unique<CZerimApp>(*world);
    frame = new CMainFrame(*world, [application = app.get()] { return application->EnsureLoaded(); });
    frame->resize(size);
    frame->show();
    return QTest::qWaitForWindowExposed(frame);
}

// Takes it down in the opposite order.
inline void CloseMainWindow(std::unique_ptr<CWorld>& world, std::unique_ptr<CZerimApp>& app, CMainFrame*& frame) {
    delete frame;
    frame = nullptr;
    app.reset();
    world.reset();
}

// The one lit place's marker and label, on screen; empty unless one is lit.
inline QRect LitPlaceOnScreen(CZerimView& view) {
    const CPlaceArray& found = view.Places().Highlight();
    if (found.GetSize() != 1) return {};
    int index = 0;
    while (view.PlaceTable()[index] != found[0]) ++index;
    CRect marker, label;
    view.Places().GetPlaceRects(*found[0], view.Renderer().LabelSizes().Of(index), marker, label);
    const QRect both = QRect(marker.left, marker.top, marker.Width(), marker.Height())
                           .united(QRect(label.left, label.top, label.Width(), label.Height()));
    return QRect(view.viewport()->mapToGlobal(both.topLeft()), both.size());
}
