// The kinds of places in the Affichage menu: "Types de lieux" shows the
// legend in a dock, whose boxes hide or show each kind on the map, and
// "Symboles par type" draws a symbol per kind instead of the squares. Both
// change the view's look (MapLook); the legend shows the markers the map
// draws.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"

#include "data/PlaceKinds.h"
#include "mapview/KindLegend.h"
#include "mapview/ZerimView.h"
#include "render/NoteGlyphs.h"

#include <QDockWidget>
#include <QMenu>

#include <algorithm>

void CMainFrame::AddKindCommands(QMenu* view) {
    view->addSeparator();
    QAction* legend = NewExtraCommand(ExtraCommand::KindLegend, "T&ypes de lieux",
                                      "Montre la légende des types de lieux, pour afficher ou masquer chacun",
                                      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)});
    legend->setCheckable(true);
    view->addAction(legend);
    QAction* symbols = NewExtraCommand(ExtraCommand::KindSymbols, "&Symboles par type",
                                       "Dessine chaque lieu d'un symbole propre à son type au lieu d'un carré",
                                       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Y)});
    symbols->setCheckable(true);
    connect(symbols, &QAction::toggled, this, &CMainFrame::ShowKindSymbols);
    view->addAction(symbols);
    MakeKindLegend(legend);
}

void CMainFrame::MakeKindLegend(QAction* toggle) {
    m_kindLegend = new CKindLegend;
    m_kindDock = new QDockWidget(QString::fromUtf8("Types de lieux"), this);
    m_kindDock->setObjectName(QStringLiteral("KindLegend"));
    m_kindDock->setWidget(m_kindLegend);
    addDockWidget(Qt::RightDockWidgetArea, m_kindDock);
    m_kindDock->hide();
    connect(toggle, &QAction::toggled, m_kindDock, &QDockWidget::setVisible);
    connect(m_kindDock, &QDockWidget::visibilityChanged, this, [this, toggle](bool shown) {
        // The places are loaded once the window shows: the legend counts
        // them when first seen.
        if (shown && !m_kindLegend->HasKinds()) m_kindLegend->SetKinds(CountPlaceKinds(m_pView->PlaceTable()));
        // Hidden with the window itself, the legend stays wanted.
        if (isVisible() && !isMinimized()) toggle->setChecked(shown);
    });
    connect(m_kindLegend, &CKindLegend::HiddenKindsChanged, this,
            [this] { SetHiddenKinds(m_kindLegend->HiddenKinds()); });
    // The legend shows the markers as the map draws them, whichever command
    // changed the look.
    m_pView->OnLookChanged([this](const MapLook& look) {
        m_kindLegend->SetMarkers(look.symbols, ColourFor(MapColour::Marker, look.adaptedColours));
        m_kindLegend->SetHiddenKinds(look.hiddenKinds);
    });
}

void CMainFrame::ShowKindSymbols(bool on) {
    MapLook look = m_pView->Look();
    look.symbols = on;
    m_pView->SetLook(look);
}

void CMainFrame::SetHiddenKinds(const std::vector<int32_t>& hidden) {
    MapLook look = m_pView->Look();
    look.hiddenKinds = hidden;
    std::sort(look.hiddenKinds.begin(), look.hiddenKinds.end());
    m_pView->SetLook(look);
}
