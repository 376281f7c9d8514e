// "Mesurer" in the Affichage menu: while it is checked, Shift+left clicks on
// the map set the points of a measure (CZerimView::StartMeasuring). Unchecking
// it, or Escape on the map, ends the measure and takes its drawing away.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"

#include "journeys/RoadNetwork.h"
#include "mapview/ZerimView.h"
#include "render/World.h"

#include <QMenu>

void CMainFrame::AddMeasureCommand(QMenu* view) {
    view->addSeparator();
    QAction* measure = NewExtraCommand(
        ExtraCommand::Measure, "&Mesurer",
        "Mesure des distances sur la carte : Maj+clic pose un point, Retour arrière retire le dernier, Échap termine",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)});
    measure->setCheckable(true);
    connect(measure, &QAction::toggled, this, [this](bool on) {
        if (!on) return m_pView->EndMeasuring();
        // The roads are read at the first measure; without their table the
        // lengths are in world units, and the first sentence says why.
        const CRoadNetwork& roads = m_world.Roads();
        m_pView->StartMeasuring(roads.Scaled() ? std::optional(roads.table.scale) : std::nullopt,
                                QString::fromStdString(roads.Notice()));
    });
    m_pView->OnMeasureEnded([measure] { measure->setChecked(false); });
    view->addAction(measure);
}
