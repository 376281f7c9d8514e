#include "mainwindow/MainFrame.h"

#include "mainwindow/AboutDlg.h"
#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MyMapCommands.h"
#include "mainwindow/PlaceBar.h"
#include "mainwindow/ShortcutReach.h"
#include "startup/StartupClock.h"
#include "mainwindow/StatusBar.h"
#include "mainwindow/ToolBarImages.h"
#include "render/World.h"

#include "data/ResourceIds.h"
#include "data/StringTable.h"
#include "finders/NpcSearchDlg.h"
#include "finders/SpellSearchDlg.h"
#include "links/LinkNames.h"
#include "mapview/ZerimView.h"
#include "search/WorldSearch.h"
#include "widgets/AccessibleParts.h"
#include "widgets/AutoCombo.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
QString Text(int id) { return QString::fromStdString(LoadString(id)); }

// When what waits for the first map runs if the map is never painted.
constexpr int kAfterFirstMapAtTheLatest = 1000;  // ms

// Where a place's marker and its label are on screen, for the windows that
// keep it in sight.
std::optional<QRect> MarkerOnScreen(CZerimView& view, int index) {
    const CPlace* place = view.PlaceTable()[index];
    if (!place) return std::nullopt;
    CRect marker, label;
    view.Places().GetPlaceRects(*place, view.Renderer().LabelSizes().Of(index), marker, label);
    if (!view.viewport()->rect().intersects(QRect(marker.left, marker.top, marker.Width(), marker.Height())))
        return std::nullopt;
    const QRect both = QRect(marker.left, marker.top, marker.Width(), marker.Height())
                           .united(QRect(label.left, label.top, label.Width(), label.Height()));
    return QRect(view.viewport()->mapToGlobal(both.topLeft()), both.size());
}

void ReportAndExit() {
    std::printf("map painted after %.1f ms\n", MillisecondsSinceStart());
    std::fflush(stdout);
    std::_Exit(0);
}
}  // namespace

CMainFrame::CMainFrame(CWorld& world, std::function<CMapPicture*()> ensureLoaded) : m_world(world) {
    setWindowTitle(Text(ResId::IDS_PRODUCT_TITLE));
    m_pView = new CZerimView(world.Places(), ensureLoaded, this);
    setCentralWidget(m_pView);
    resize(1024, 768);
    // The data is loaded while the window is being built, behind the loading
    // notice, and before the place bar lists the places. Loading here rather
    // than in the view's first resize keeps the notice's own event processing
    // out of the middle of showing the window.
    m_world.OnPictureSharper([this] {
        if (ExitAfterFirstMap() == ExitAfter::FullPicture) m_pView->OnFirstMapPainted(ReportAndExit);
        else if (ExitAfterFirstMap() == ExitAfter::QuitAfterFullPicture)
            m_pView->OnFirstMapPainted([this] { QTimer::singleShot(0, this, &QWidget::close); });
        else m_pView->OnFirstMapPainted([this] { m_pView->MakeLabelsAhead(); });
        m_pView->viewport()->update();
    });
    ensureLoaded();

    CreateToolBar();
    CreatePlaceBar();
    m_wndStatusBar = new CStatusBar(this);
    setStatusBar(m_wndStatusBar);
    ShowLoadProblems();
    CreateMyMap();
    CreateMenu();
    new CShortcutReach(*this, *m_wndPlaceBar->Combo()->lineEdit(), *m_wndPlaceBar->Combo());
    NameUnnamedParts(*this);

    m_pView->SetStatusWriter([this](const QString& text) { m_wndStatusBar->SetPaneText(0, text); });
    m_wndPlaceBar->SetActions({[this](CPlace* place) { m_pView->HighlightOne(place); },
                               [this](const QString& text) { Search(text); },
                               [this](int level) { m_pView->SetDetailLevel(level); }});
    AfterFirstMap([this] {
        m_world.ReleaseFullPicture();
        m_wndStatusBar->UpdateIndicators();
        // While the full picture decodes: the first zoom out then only
        // makes the labels it brings into view. Once the full picture is
        // on screen (or at once, with none to come), the labels themselves
        // are made between events: then no zoom step makes hundreds.
        m_pView->MeasureLabels();
        if (!m_world.Picture().SharperToCome()) m_pView->MakeLabelsAhead();
    });
    WatchFirstMap();
}

// The world may outlive the window: the full picture, if still on its way,
// must not reach a window that is gone.
CMainFrame::~CMainFrame() { m_world.OnPictureSharper(nullptr); }

// The first map is on screen once it is painted and the event loop is back
// (the window has been flushed); the start-up benchmark ends the program
// there, and the trace notes both moments.
void CMainFrame::WatchFirstMap() {
    const bool exitAfter = ExitAfterFirstMap() == ExitAfter::FirstMap;
    m_pView->OnFirstMapPainted([this, exitAfter] {
        MarkStartup("première carte peinte");
        QTimer::singleShot(0, this, [this, exitAfter] {
            MarkStartup("envoyée à l'écran");
            PrintStartupTrace();
            if (exitAfter) ReportAndExit();
            RunAfterFirstMap();
        });
    });
    QTimer::singleShot(kAfterFirstMapAtTheLatest, this, [this] { RunAfterFirstMap(); });
}

void CMainFrame::RunAfterFirstMap() {
    for (const auto& then : std::exchange(m_afterFirstMap, {})) then();
}

// Problems met while loading get a pane of their own, left of the lock
// indicators, for the whole run: in the message pane the first prompt or
// hover read-out would replace them.
void CMainFrame::ShowLoadProblems() {
    QStringList texts;
    for (const std::string& problem : m_world.LoadProblems()) {
        QString text = QString::fromStdString(problem);
        text[0] = text[0].toUpper();
        texts << text;
    }
    if (texts.isEmpty()) return;
    m_wndLoadProblems = new QLabel(m_wndStatusBar);
    m_wndLoadProblems->setObjectName(QStringLiteral("loadProblems"));
    m_wndLoadProblems->setTextFormat(Qt::PlainText);
    m_wndLoadProblems->setText(texts.join(QStringLiteral(" — ")));
    m_wndLoadProblems->setFrameShape(QFrame::Panel);
    m_wndLoadProblems->setFrameShadow(QFrame::Sunken);
    // Indices count the message pane, the one ordinary widget, first.
    m_wndStatusBar->insertPermanentWidget(1, m_wndLoadProblems);
}

MarkerLocator CMainFrame::LocateMarkers() {
    return [this](int index) { return MarkerOnScreen(*m_pView, index); };
}

// The layer's store is opened once the first map is on screen: the
// start-up does not wait for it.
void CMainFrame::CreateMyMap() {
    CMyMapCommands::Host host;
    host.window = this;
    host.view = m_pView;
    host.places = &m_world.Places();
    host.newCommand = [this](int id, const char* text, const char* prompt, const QList<QKeySequence>& keys) {
        return NewExtraCommand(id, text, prompt, keys);
    };
    host.say = [this](const QString& text) { m_wndStatusBar->SetPaneText(0, text); };
    host.targetPlace = [this] { return PlaceForCard(); };
    host.showPlace = [this](int index) { ShowPlace(index); };
    host.notesChanged = [this](const CNoteItems& items) {
        if (m_search) m_search->SetNotes(items);
    };
    m_myMap = new CMyMapCommands(std::move(host));
    AfterFirstMap([this] { m_myMap->Open(NotesFilePath()); });
}

// A place link of the character finder or the sheet, a vendor's location in
// the spell finder, or a place the one search found, lights its place on the
// map.
void CMainFrame::ShowPlace(int index) {
    if (index < 0 || index >= m_world.Places().GetSize()) return;
    if (CPlace* place = m_world.Places()[index]) m_pView->HighlightOne(place);
}

QAction* CMainFrame::NewCommand(int id, const QString& text) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setStatusTip(QString::fromStdString(PromptOf(id)));
    return action;
}

QAction* CMainFrame::Command(int id) const {
    for (QAction* action : findChildren<QAction*>())
        if (action->data().toInt() == id) return action;
    return nullptr;
}

void CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar"));
    m_wndToolBar->setMovable(false);
    m_wndToolBar->setFloatable(false);
    m_wndToolBar->setIconSize(QSize(16, 15));
    const QList<QIcon> images = ToolBarImages(m_world.Store());
    const struct { int id; const char* fallback; } buttons[] = {
        {ResId::ID_ZOOM_IN, "+"}, {ResId::ID_ZOOM_OUT, "-"}, {ResId::ID_NPC_SEARCH, "NPC"},
        {ResId::ID_SPELL_SEARCH, "Sorts"}};
    for (int i = 0; i < 4; ++i) {
        // Without the strip the buttons still work, with short texts.
        QAction* action = NewCommand(buttons[i].id, images.isEmpty() ? buttons[i].fallback : QString());
        if (!images.isEmpty()) action->setIcon(images[i]);
        m_wndToolBar->addAction(action);
        // The buttons have no tool tip: their prompt shows in the status bar,
        // and screen readers read it as the button's name.
        QWidget* button = m_wndToolBar->widgetForAction(action);
        button->installEventFilter(this);
        button->setAccessibleName(action->statusTip());
        button->setAccessibleDescription(action->statusTip());
    }
    connect(Command(ResId::ID_ZOOM_IN), &QAction::triggered, m_pView, &CZerimView::OnZoomIn);
    connect(Command(ResId::ID_ZOOM_OUT), &QAction::triggered, m_pView, &CZerimView::OnZoomOut);
    connect(Command(ResId::ID_NPC_SEARCH), &QAction::triggered, this, [this] { RunCharacterFinder(); });
    connect(Command(ResId::ID_SPELL_SEARCH), &QAction::triggered, this, [this] { RunSpellFinder(); });
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
}

void CMainFrame::CreatePlaceBar() {
    m_wndPlaceBar = new CPlaceBar(m_world.Places(), this);
    m_wndPlaceBand = new QToolBar(this);
    m_wndPlaceBand->setObjectName(QStringLiteral("placebar"));
    m_wndPlaceBand->setMovable(false);
    m_wndPlaceBand->setFloatable(false);
    m_wndPlaceBand->addWidget(m_wndPlaceBar);
    m_wndPlaceBand->toggleViewAction()->setVisible(false);  // the place bar has no toggle
    addToolBar(Qt::TopToolBarArea, m_wndPlaceBand);
}

void CMainFrame::CreateMenu() {
    setContextMenuPolicy(Qt::NoContextMenu);
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    QAction* quit = NewCommand(ResId::ID_APP_EXIT, QStringLiteral("&Quitter"));
    quit->setShortcuts(StandardKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));
    addAction(quit);  // the shortcut holds whatever bar is shown
    connect(quit, &QAction::triggered, this, &QWidget::close);
    AddFileCommands(file);
    file->addSeparator();
    file->addAction(quit);
    m_myMap->AddEditMenu(menuBar()->addMenu(QString::fromUtf8("&Édition")));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Affichage"));
    const struct { int id; const char* text; QWidget* bar; } toggles[] = {
        {ResId::ID_VIEW_TOOLBAR, "&Barre d'outils", m_wndToolBar},
        {ResId::ID_VIEW_STATUS_BAR, "Barre d'é&tat", m_wndStatusBar}};
    for (const auto& t : toggles) {
        QAction* toggle = NewCommand(t.id, QString::fromUtf8(t.text));
        toggle->setCheckable(true);
        toggle->setChecked(true);
        QWidget* bar = t.bar;
        connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
        view->addAction(toggle);
    }
    AddViewCommands(view);
    AddRememberCommand(view);
    AddLegibilityCommands(view);
    AddOverviewCommands(view);
    AddShoppingCommands(view);
    CreateSearchMenu();
    m_myMap->AddNotesMenu(menuBar()->addMenu(QStringLiteral("&Notes")));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    QAction* about = NewCommand(ResId::ID_APP_ABOUT, QStringLiteral("About.."));
    connect(about, &QAction::triggered, this, [this] { RunAboutBox(m_world.Store(), this, PanelNotices()); });
    help->addAction(about);
}

// Prompts of menu items and tool bar buttons go to the message pane; when the
// pointer leaves them the idle text comes back.
bool CMainFrame::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (tip.isEmpty()) m_wndStatusBar->ShowIdle();
        else m_wndStatusBar->SetPaneText(0, tip);
        return true;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) return true;
    return QMainWindow::eventFilter(watched, event);
}
