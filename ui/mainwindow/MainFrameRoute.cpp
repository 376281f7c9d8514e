// Routes between places: "Itinéraire…" in the "Rechercher" menu
// (Ctrl+Shift+R, with the pointed or found place as its start), on a
// place's card, and as the one search's « de X à Y »; the route window that
// plans them and the map that shows them. The roads are read soon after the
// first map, so that neither the start-up nor the first route waits for them.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/StatusBar.h"
#include "render/World.h"

#include "data/PlaceArray.h"
#include "finders/PlaceCardDlg.h"
#include "finders/RouteDlg.h"
#include "journeys/PlaceRoute.h"
#include "mapview/ZerimView.h"
#include "view/ZoomShowing.h"
#include "widgets/KeepInSight.h"

#include <QMenu>
#include <QTimer>

#include <initializer_list>

namespace {
// A route shown from further out comes in to this zoom, if it shows whole
// there: a short one then reads at the picture's own size.
constexpr int kRouteZoom = 100;
constexpr int kRouteMargin = 40;        // pixels kept clear around a route flown to: its end marks show whole
constexpr int kRouteWindowMargin = 24;  // between the route window and the map's edges
// The roads (some 10 ms for the world we ship, most of it joining them into
// a graph) are read this long after the first map, once the full picture is
// on screen, so that they delay neither; a route asked for sooner reads them
// at once.
constexpr int kRoadsAfterFirstMap = 1000;  // ms

// Where a box of the world is on screen, as the view shows it now.
QRect RouteOnScreen(const CZerimView& view, const CWorldBox& box) {
    const ViewGeometry& geometry = view.Geometry();
    const CPoint scroll = geometry.GetScrollOffset();
    const CPoint topLeft = geometry.WorldToMap({box.left, box.top});
    const CPoint bottomRight = geometry.WorldToMap({box.right, box.bottom});
    const QPoint a = view.viewport()->mapToGlobal(QPoint(topLeft.x - scroll.x, topLeft.y - scroll.y));
    const QPoint b = view.viewport()->mapToGlobal(QPoint(bottomRight.x - scroll.x, bottomRight.y - scroll.y));
    return QRect(a, b).normalized().adjusted(-kRouteMargin / 2, -kRouteMargin / 2, kRouteMargin / 2, kRouteMargin / 2);
}

}  // namespace

void CMainFrame::AddRouteCommand(QMenu* search) {
    QAction* route = NewExtraCommand(ExtraCommand::Route, "I&tinéraire…",
                                     "Trouve le chemin le plus court par les routes entre deux lieux",
                                     {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)});
    connect(route, &QAction::triggered, this, [this] { OpenRoute(PlaceForCard()); });
    search->addAction(route);
    AfterFirstMap([this] { QTimer::singleShot(kRoadsAfterFirstMap, this, &CMainFrame::ReadRoads); });
}

// Once a run; a world without its roads table says so once, its routes
// going straight.
void CMainFrame::ReadRoads() {
    const std::string notice = m_world.Roads().Notice();
    if (notice.empty()) return;
    QString text = QString::fromStdString(notice);
    text[0] = text[0].toUpper();
    m_wndStatusBar->SetPaneText(0, text);
}

CRouteDlg& CMainFrame::RouteWindow() {
    if (!m_route) {
        CRouteDlg::Links links{[this]() -> const CRoadNetwork& { return m_world.Roads(); },
                               [this](const CJourneyLayer& layer) { ShowRoute(layer); }};
        m_route = new CRouteDlg(m_world.Places(), std::move(links), this);
        // Beside the map, at its left: the sheet keeps its right.
        m_route->move(m_pView->mapToGlobal(QPoint(kRouteWindowMargin, kRouteWindowMargin)));
    }
    m_route->show();
    m_route->raise();
    m_route->activateWindow();
    return *m_route;
}

// The place index `place` (none: -1) offered to the route window.
void CMainFrame::OpenRoute(int place) {
    const CPlaceArray& places = m_world.Places();
    RouteWindow().Offer(place >= 0 && place < places.GetSize() ? places[place] : nullptr);
}

void CMainFrame::PlanRoute(int from, int to) {
    const CPlaceArray& places = m_world.Places();
    if (from < 0 || to < 0 || from >= places.GetSize() || to >= places.GetSize()) return;
    RouteWindow().Plan(places[from], places[to]);
}

// The route on the map, and the view moved so that it shows whole: zoomed
// out as far as it needs, or in towards the picture's size from further out.
void CMainFrame::ShowRoute(const CJourneyLayer& layer) {
    m_pView->SetJourney(JourneyPart::Route, layer);
    if (!m_pView->ShowJourney(layer, kRouteMargin, kRouteZoom)) return;
    const CWorldBox box = JourneyBounds(layer);
    // The route window, and the sheet it may have been asked from, move off
    // the route once they are shown (their frames are known then).
    QTimer::singleShot(0, this, [this, box] {
        for (QWidget* window : std::initializer_list<QWidget*>{m_route, m_sheet})
            if (window && window->isVisible()) MoveAsideOf(window, RouteOnScreen(*m_pView, box));
    });
}
