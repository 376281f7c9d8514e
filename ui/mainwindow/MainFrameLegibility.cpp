// Choices of look in the Affichage menu that help every player read the
// map, all off by default and kept in the settings as they change: colours
// that eyes with a colour deficiency tell apart (with a ring around found
// places), names placed so that none hides another or a marker, and a
// picture smaller than the view in its middle.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "startup/SettingsFile.h"

#include "mapview/ZerimView.h"

#include <QMenu>

void CMainFrame::AddLegibilityCommands(QMenu* view) {
    view->addSeparator();
    const struct {
        int id;
        const char* text;
        const char* prompt;
        QKeySequence key;
        const char* setting;
        bool MapLook::*choice;
    } choices[] = {
        {ExtraCommand::AdaptedColours, "Couleurs ada&ptées",
         "Des couleurs que chacun distingue, même avec une vision des couleurs altérée, et un anneau autour des "
         "lieux trouvés",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), "view/adaptedColours", &MapLook::adaptedColours},
        {ExtraCommand::Declutter, "Étiquettes sans c&hevauchement",
         "Place les noms pour qu'aucun n'en cache un autre ni un repère ; un nom sans place libre est omis",
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), "view/declutter", &MapLook::declutter},
        {ExtraCommand::CentredMap, "Carte ce&ntrée",
         "Place la carte au milieu de la vue quand elle est plus petite qu'elle", QKeySequence(), "view/centred",
         &MapLook::centred},
    };
    for (const auto& c : choices) {
        QAction* action =
            NewExtraCommand(c.id, c.text, c.prompt, c.key.isEmpty() ? QList<QKeySequence>() : QList{c.key});
        action->setCheckable(true);
        const auto apply = [this, choice = c.choice](bool on) {
            MapLook look = m_pView->Look();
            look.*choice = on;
            m_pView->SetLook(look);
        };
        if (SettingsFile::ChoiceOn(c.setting)) {
            action->setChecked(true);
            apply(true);
        }
        connect(action, &QAction::toggled, this, [apply, setting = c.setting](bool on) {
            apply(on);
            SettingsFile::KeepChoice(setting, on);
        });
        view->addAction(action);
    }
}
