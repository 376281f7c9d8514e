// The main window: the map view, the tool bar and the place bar along the
// top, the status bar along the bottom, and the menu.
#pragma once
#include "widgets/IEControl.h"
#include "widgets/KeepInSight.h"

#include "data/Geometry.h"
#include "links/ZerimLink.h"

#include <QMainWindow>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CKindLegend;
class CMapPicture;
class CMyMapCommands;
class CPlaceBar;
class CPlaceCardDlg;
class CQuickSearch;
class CRouteDlg;
struct CJourneyLayer;
class CShoppingCommands;
class CLinkNames;
class CWorldSearch;
struct SearchHit;
struct SheetSubject;
class CStatusBar;
class CWorld;
class SettingsFile;
class CZerimView;
class QLabel;
class QDialog;
class QDockWidget;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Shows `world`; `ensureLoaded` loads it on first demand (behind the
    // loading notice) and gives its picture. The world outlives the window.
    CMainFrame(CWorld& world, std::function<CMapPicture*()> ensureLoaded);
    // Runs `then` once the first map is on screen, or a second after the
    // window was built if it is never painted: what the first frame does not
    // need waits for it (the full picture's decode, the window icon).
    void AfterFirstMap(std::function<void()> then) { m_afterFirstMap.push_back(std::move(then)); }
    ~CMainFrame() override;
    CZerimView* View() const { return m_pView; }
    CPlaceBar* PlaceBar() const { return m_wndPlaceBar; }
    CStatusBar* StatusBar() const { return m_wndStatusBar; }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    // The status bar's pane that tells what went wrong while loading; null
    // when all went well.
    QLabel* LoadProblemPane() const { return m_wndLoadProblems; }
    // The player's layer: its commands, the panel, the store once open.
    CMyMapCommands* MyMap() const { return m_myMap; }
    // The shopping list's commands, panel and tour.
    CShoppingCommands* Shopping() const { return m_shopping; }
    // The one search's field over the map.
    CQuickSearch* QuickSearch() const { return m_quickSearch; }
    // The sheet beside the map; null until something shows in it.
    CPlaceCardDlg* Sheet() const;
    // The menu and tool bar commands, by command id.
    QAction* Command(int id) const;
    // With "Reprendre la dernière vue" checked, takes back the view saved at
    // the last close; called once the window is shown.
    void RestoreView();

    // MainFrameLinks.cpp: the program's links (links/ZerimLink.h).
    // Shows what the link `text` leads to: a place lit as the place bar
    // lights it, a view, a character's page or a spell in its finder (those
    // two opened after the current event). A bad link or an unknown name is
    // said in the status bar; an unknown name is then searched for.
    void OpenLink(const std::string& text);
    // From the first map on, links handed over by a second `zerim LINK`
    // arrive through the socket at `path`: the window comes to the front
    // and shows them. False, with the reason, when it cannot listen there.
    bool ListenForLinks(const std::string& path, std::string& error);
    // Where a link's unknown name is searched for (the place bar's search
    // until then).

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateToolBar();
    void CreatePlaceBar();
    void CreateMenu();
    QAction* NewCommand(int id, const QString& text);
    // MainFrameCommands.cpp: the commands beyond the given menus.
    QAction* NewExtraCommand(int id, const char* text, const char* prompt, const QList<QKeySequence>& keys);
    void AddViewCommands(QMenu* view);
    void AddKindCommands(QMenu* view);
    void MakeKindLegend(QAction* toggle);
    void ShowKindSymbols(bool on);
    void SetHiddenKinds(const std::vector<int32_t>& hidden);
    void AddFileCommands(QMenu* file);
    void AddRememberCommand(QMenu* view);
    // MainFrameLegibility.cpp: adapted colours, labels kept apart, the centred map.
    void AddLegibilityCommands(QMenu* view);
    // MainFrameOverview.cpp: the overview's dock.
    void AddOverviewCommands(QMenu* view);
    // MainFrameMeasure.cpp: the measuring tool's command.
    void AddMeasureCommand(QMenu* view);
    // MainFrameShopping.cpp: the shopping list and its tour.
    void AddShoppingCommands(QMenu* view);
    bool RemembersView() const;
    void SaveView();
    void SaveSettings(SettingsFile& file);
    void ExportView();
    void PrintView();
    void PreviewPrint();
    void CreateSearchMenu();
    void FocusPlaceField();
    void CopyPlaces();
    void Search(const QString& text);
    void WatchFirstMap();
    void RunAfterFirstMap();
    void ShowLoadProblems();
    void ShowPlace(int index);
    // Where a place's marker is on screen, for the windows that keep the
    // place they show in sight.
    MarkerLocator LocateMarkers();
    // Where the page panels of the finders, the cards and the About box say
    // why they refused a page: the status bar.
    CIEControl::NoticeWriter PanelNotices();
    // MainFrameSearch.cpp: the one search, its field and its engine (made
    // once the first map is on screen, or at the first search before that),
    // and what its hits open.
    void AddSearchEverywhereCommand(QMenu* search);
    void OpenSearchField();
    CWorldSearch& WorldSearch();
    void OpenHit(const SearchHit& hit);
    void LightPlace(int index);
    // MainFramePlaceCard.cpp: the sheet (a place's card, or a character,
    // spell, effect or vendor), and both finders, opened by the tool bar or
    // from the sheet.
    void AddPlaceCardCommand(QMenu* search);
    // MainFrameKeyboard.cpp: walking the places from the keyboard.
    void AddPlaceWalkCommands(QMenu* search);
    int PlaceForCard() const;
    void OpenPlaceCard();
    // Shows `subject` in the one sheet, made at its first use; `activate`
    // gives it the keyboard, else the keyboard stays where it is.
    void ShowInSheet(SheetSubject subject, bool activate);
    void OpenInFinder(SheetSubject subject);
    // `placeInSight`: a place the finder must not hide (-1: none).
    void RunCharacterFinder(std::optional<int> ordinal = std::nullopt, int placeInSight = -1);
    void RunSpellFinder(std::optional<uint16_t> spellId = std::nullopt, int placeInSight = -1);
    void ExecKeepingInSight(QDialog& dialog, int placeInSight);

    // MainFrameRoute.cpp: routes between places, the route window, the roads.
    void AddRouteCommand(QMenu* search);
    void ReadRoads();
    CRouteDlg& RouteWindow();
    void OpenRoute(int place);
    void PlanRoute(int from, int to);
    void ShowRoute(const CJourneyLayer& layer);

    void CreateMyMap();

    // MainFrameLinks.cpp
    void AddCopyLinkCommand(QMenu* search);
    void CopyLink();
    // A "Copier le lien" for a finder or a card: Ctrl+Shift+C in `window`,
    // copying the link `linkOf` gives (nothing: nothing shown to link to).
    QAction* NewCopyLinkAction(QWidget* window, std::function<std::optional<std::string>()> linkOf);
    void CopyLinkText(const std::optional<std::string>& link);
    // The link to place index, character ordinal or spell id `number`.
    std::optional<std::string> LinkText(ZerimLink::Kind kind, std::optional<int> number) const;
    const CLinkNames& LinkNames() const;
    std::optional<std::string> SheetLink(SheetSubject subject) const;
    void OnLinkArrived(const std::string& text);
    void ShowLinkedPlace(int index, std::optional<int> zoom);
    void ShowLinkedView(CPoint centre, std::optional<int> zoom);
    // The two finders a link opens on what it names; one place each, so
    // that what shows them can change without touching the rest.
    void ShowLinkedCharacter(int ordinal);
    void ShowLinkedSpell(uint16_t spellId);
    void SearchLinkName(const QString& name);

    CWorld& m_world;
    std::vector<std::function<void()>> m_afterFirstMap;
    CMyMapCommands* m_myMap = nullptr;
    CShoppingCommands* m_shopping = nullptr;
    std::unique_ptr<CWorldSearch> m_search;
    mutable std::unique_ptr<CLinkNames> m_linkNames;  // made at the first link shown or copied
    CQuickSearch* m_quickSearch = nullptr;
    QPointer<CPlaceCardDlg> m_sheet;
    QPointer<CRouteDlg> m_route;
    CZerimView* m_pView = nullptr;
    CKindLegend* m_kindLegend = nullptr;
    QDockWidget* m_kindDock = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    QToolBar* m_wndPlaceBand = nullptr;  // the band that holds the place bar
    CPlaceBar* m_wndPlaceBar = nullptr;
    CStatusBar* m_wndStatusBar = nullptr;
    QLabel* m_wndLoadProblems = nullptr;
};
