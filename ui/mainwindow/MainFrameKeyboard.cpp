// Walking the places from the keyboard: Alt and an arrow to the nearest
// place that way, F3 and Shift+F3 through the places found, in the
// "Rechercher" menu so that they can be discovered.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mapview/ZerimView.h"

#include <QMenu>

#include <functional>

void CMainFrame::AddPlaceWalkCommands(QMenu* search) {
    search->addSeparator();
    QMenu* walk = search->addMenu(QString::fromUtf8("Parc&ourir les lieux"));
    const struct { int id; const char* text; const char* prompt; QKeySequence key;
                   std::function<void()> run; } commands[] = {
        {ExtraCommand::WalkLeft, "Lieu à &gauche", "Choisit le lieu visible le plus proche à gauche",
         QKeySequence(Qt::ALT | Qt::Key_Left), [this] { m_pView->WalkPlaces(WalkDirection::Left); }},
        {ExtraCommand::WalkRight, "Lieu à &droite", "Choisit le lieu visible le plus proche à droite",
         QKeySequence(Qt::ALT | Qt::Key_Right), [this] { m_pView->WalkPlaces(WalkDirection::Right); }},
        {ExtraCommand::WalkUp, "Lieu &au-dessus", "Choisit le lieu visible le plus proche au-dessus",
         QKeySequence(Qt::ALT | Qt::Key_Up), [this] { m_pView->WalkPlaces(WalkDirection::Up); }},
        {ExtraCommand::WalkDown, "Lieu au-dess&ous", "Choisit le lieu visible le plus proche au-dessous",
         QKeySequence(Qt::ALT | Qt::Key_Down), [this] { m_pView->WalkPlaces(WalkDirection::Down); }},
        {ExtraCommand::NextFoundPlace, "Lieu trouvé &suivant", "Choisit le lieu trouvé suivant",
         QKeySequence(Qt::Key_F3), [this] { m_pView->FocusNextFound(false); }},
        {ExtraCommand::PreviousFoundPlace, "Lieu trouvé &précédent", "Choisit le lieu trouvé précédent",
         QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { m_pView->FocusNextFound(true); }},
    };
    for (const auto& c : commands) {
        QAction* action = NewExtraCommand(c.id, c.text, c.prompt, {c.key});
        connect(action, &QAction::triggered, m_pView, c.run);
        walk->addAction(action);
    }
}
