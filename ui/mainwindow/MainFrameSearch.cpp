// The one search in the window: "Rechercher partout…" (Ctrl+K) opens a
// field over the map that finds places, characters, spells, effects,
// vendors and the player's notes as the player types. Enter opens a hit: a
// place flown to and lit, as the place bar does; a character, a spell or an
// effect in the sheet beside the map; a vendor both ways, its location lit
// and its page in the sheet; a note flown to; a route (« de X à Y ») planned
// in the route window.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MyMapCommands.h"
#include "render/World.h"

#include "finders/PlaceCardDlg.h"
#include "mapview/ZerimView.h"
#include "npc/SheetPages.h"
#include "quicksearch/QuickSearch.h"
#include "search/WorldSearch.h"
#include "widgets/AccessibleParts.h"

#include <QMenu>
#include <QTimer>

namespace {
// The index (some 50 ms for the world we ship) is made this long after the
// first map, once the full picture is on screen, so that it delays neither;
// a search asked for sooner makes it at once.
constexpr int kIndexAfterFirstMap = 1000;  // ms
}  // namespace

// First in "Rechercher", apart from the items that were there before it.
void CMainFrame::AddSearchEverywhereCommand(QMenu* search) {
    QAction* action =
        NewExtraCommand(ExtraCommand::SearchEverywhere, "Rechercher &partout…",
                        "Cherche parmi les lieux, les personnages, les sorts, les effets, les marchands et vos notes",
                        {QKeySequence(Qt::CTRL | Qt::Key_K)});
    connect(action, &QAction::triggered, this, &CMainFrame::OpenSearchField);
    search->addAction(action);
    search->addSeparator();
    m_quickSearch = new CQuickSearch(
        *m_pView, [this](const std::string& text) { return WorldSearch().Find(text); },
        [this](const SearchHit& hit) { OpenHit(hit); });
    AfterFirstMap([this] { QTimer::singleShot(kIndexAfterFirstMap, this, [this] { WorldSearch(); }); });
}

void CMainFrame::OpenSearchField() {
    activateWindow();  // asked from the sheet
    m_quickSearch->Open();
    NameUnnamedParts(*m_quickSearch);  // the clear button it has from its first opening
}

CWorldSearch& CMainFrame::WorldSearch() {
    if (!m_search) {
        m_search = std::make_unique<CWorldSearch>(m_world.Data());
        if (const CMyMap* layer = m_myMap->Layer()) m_search->SetNotes(layer->Items());
    }
    return *m_search;
}

// The place lit, and the sheet, when open, moved off it.
void CMainFrame::LightPlace(int index) {
    ShowPlace(index);
    if (m_sheet && m_sheet->isVisible()) KeepPlaceInSight(m_sheet, LocateMarkers(), index);
}

void CMainFrame::OpenHit(const SearchHit& hit) {
    switch (hit.kind) {
    case SearchKind::Place:
        LightPlace(hit.ref);
        break;
    case SearchKind::Character:
        ShowInSheet({SheetKind::Character, hit.ref}, false);
        break;
    case SearchKind::Spell:
        ShowInSheet({SheetKind::Spell, hit.ref}, false);
        break;
    case SearchKind::Effect:
        ShowInSheet({SheetKind::Effect, hit.ref}, false);
        break;
    case SearchKind::Vendor:
        ShowInSheet({SheetKind::Vendor, hit.ref}, false);
        if (const std::optional<int> place = VendorPlace(m_world.LinkedWorld(), hit.ref)) LightPlace(*place);
        break;
    case SearchKind::Note:
        m_myMap->FlyToItem(hit.ref);
        break;
    case SearchKind::Route:
        PlanRoute(hit.ref, hit.to);
        break;
    }
}
