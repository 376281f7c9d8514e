// The overview of the map, in the Affichage menu: "Vue d'ensemble" shows
// the whole map in a dock with the view's rectangle, off until the player
// turns it on, and kept from one run to the next.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mapview/OverviewMap.h"
#include "mapview/ZerimView.h"
#include "startup/SettingsFile.h"

#include <QDockWidget>
#include <QMenu>

namespace {
const char* const kOverviewKey = "view/overview";
}  // namespace

void CMainFrame::AddOverviewCommands(QMenu* view) {
    view->addSeparator();
    auto* dock = new QDockWidget(QString::fromUtf8("Vue d'ensemble"), this);
    dock->setObjectName(QStringLiteral("OverviewMap"));
    dock->setWidget(new COverviewMap(*m_pView, dock));
    addDockWidget(Qt::RightDockWidgetArea, dock);
    const bool wanted = SettingsFile::ChoiceOn(kOverviewKey);
    dock->setVisible(wanted);
    QAction* overview = NewExtraCommand(ExtraCommand::OverviewMap, "&Vue d'ensemble",
                                        "Montre ou cache toute la carte dans un panneau, avec le cadre de la vue",
                                        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)});
    overview->setCheckable(true);
    overview->setChecked(wanted);
    connect(overview, &QAction::toggled, dock, &QDockWidget::setVisible);
    connect(dock, &QDockWidget::visibilityChanged, this, [this, overview](bool shown) {
        // Hidden with the window itself, the overview stays wanted.
        if (!isVisible() || isMinimized()) return;
        overview->setChecked(shown);
        if (shown != SettingsFile::ChoiceOn(kOverviewKey)) SettingsFile::KeepChoice(kOverviewKey, shown);
    });
    view->addAction(overview);
}
