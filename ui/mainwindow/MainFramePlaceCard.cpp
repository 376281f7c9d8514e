// The place card from the map: "Fiche du lieu…" opens the card of the
// hovered place, else of the one place found, in a window beside the map;
// the card's links open the finders on a character or a spell, which the tool
// bar opens too.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MyMapCommands.h"
#include "mainwindow/StatusBar.h"
#include "render/World.h"

#include "data/PlaceArray.h"
#include "finders/NpcSearchDlg.h"
#include "finders/PlaceCardDlg.h"
#include "finders/SpellSearchDlg.h"
#include "mapview/ZerimView.h"
#include "mymap/PlaceNotesBox.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>

void CMainFrame::AddPlaceCardCommand(QMenu* search) {
    QAction* card = NewExtraCommand(ExtraCommand::PlaceCard, "&Fiche du lieu…",
                                    "Montre qui trouver au lieu survolé, sinon au seul lieu trouvé",
                                    {QKeySequence(Qt::CTRL | Qt::Key_I)});
    connect(card, &QAction::triggered, this, &CMainFrame::OpenPlaceCard);
    search->addAction(card);
}

// The hovered place's index, else the one found place's; -1 for neither.
int CMainFrame::PlaceForCard() const {
    const CPlace* place = m_pView->HoveredPlace();
    const CPlaceArray& found = m_pView->Places().Highlight();
    if (!place && found.GetSize() == 1) place = found[0];
    if (!place) return -1;
    const CPlaceArray& places = m_world.Places();
    for (int index = 0; index < places.GetSize(); ++index)
        if (places[index] == place) return index;
    return -1;
}

void CMainFrame::OpenPlaceCard() {
    const int place = PlaceForCard();
    if (place < 0) {
        m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Survolez un lieu, ou trouvez-en un seul, pour voir sa fiche"));
        return;
    }
    // A place has one card: asked again, it comes to the front.
    for (CPlaceCardDlg* open : findChildren<CPlaceCardDlg*>()) {
        if (open->Place() != place) continue;
        open->show();  // closed with Escape, a dialog is only hidden
        open->raise();
        open->activateWindow();
        return;
    }
    // A finder opened from the card keeps the card's place in sight too.
    CPlaceCardDlg::Links links{[this, place](int ordinal) { RunCharacterFinder(ordinal, place); },
                               [this, place](uint16_t spellId) { RunSpellFinder(spellId, place); }};
    auto* card = new CPlaceCardDlg(m_world.Store(), m_world.LinkedWorld(), place, std::move(links), this,
                                   PanelNotices());
    if (CPlaceNotesBox* marks = m_myMap->NewPlaceBox(place)) card->AddBelow(marks);
    card->Panel()->addAction(
        NewCopyLinkAction(card, [this, place] { return LinkText(ZerimLink::Kind::Place, place); }));
    card->show();
    KeepPlaceInSight(card, LocateMarkers(), place);
}

CIEControl::NoticeWriter CMainFrame::PanelNotices() {
    return [bar = QPointer<CStatusBar>(m_wndStatusBar)](const QString& text) {
        if (bar) bar->SetPaneText(0, text);
    };
}

// The finders wait until the user closes them; on a character, its page
// shows with the name chosen in the list, as a character link leaves it.
void CMainFrame::RunCharacterFinder(std::optional<int> ordinal, int placeInSight) {
    CNpcSearchDlg finder(m_world.Store(), m_world.Places(), [this](int index) { ShowPlace(index); }, this,
                         PanelNotices());
    finder.SetMarkerLocator(LocateMarkers());
    if (ordinal) finder.ShowCharacter(*ordinal);
    finder.AddPanelCommand(NewCopyLinkAction(&finder, [this, &finder] {
        return LinkText(ZerimLink::Kind::Character, finder.ShownCharacter());
    }));
    ExecKeepingInSight(finder, placeInSight);  // the finder only shows; its result tells nothing
}

void CMainFrame::RunSpellFinder(std::optional<uint16_t> spellId, int placeInSight) {
    CSpellSearchDlg finder(m_world.Store(), this);
    finder.SetMapLinks(m_world.Places(), [this](int index) { ShowPlace(index); }, LocateMarkers());
    if (spellId) finder.ShowSpell(*spellId);
    finder.AddTreeCommand(NewCopyLinkAction(&finder, [this, &finder] {
        const auto spell = finder.SelectedSpell();
        return LinkText(ZerimLink::Kind::Spell, spell ? std::optional<int>(*spell) : std::nullopt);
    }));
    ExecKeepingInSight(finder, placeInSight);
}

// Once shown, the dialog moves off the place `placeInSight` (none: -1).
void CMainFrame::ExecKeepingInSight(QDialog& dialog, int placeInSight) {
    if (placeInSight >= 0)
        QTimer::singleShot(0, &dialog, [this, &dialog, placeInSight] {
            KeepPlaceInSight(&dialog, LocateMarkers(), placeInSight);
        });
    dialog.exec();
}
