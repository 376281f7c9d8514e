// The sheet beside the map: "Fiche du lieu…" shows the card of the hovered
// place, else of the one place found; the one search shows characters,
// spells, effects and vendors in it; its links show their pages in it, and
// "Ouvrir dans le chercheur" opens the finders on what it shows, which the
// tool bar opens too.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/MyMapCommands.h"
#include "mainwindow/ShoppingCommands.h"
#include "mainwindow/StatusBar.h"
#include "render/World.h"

#include "data/PlaceArray.h"
#include "npc/SheetPages.h"
#include "finders/NpcSearchDlg.h"
#include "finders/PlaceCardDlg.h"
#include "finders/SpellSearchDlg.h"
#include "mapview/ZerimView.h"
#include "mymap/PlaceNotesBox.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace {
constexpr int kSheetMargin = 24;  // between the sheet and the map's edges
}

void CMainFrame::AddPlaceCardCommand(QMenu* search) {
    QAction* card = NewExtraCommand(ExtraCommand::PlaceCard, "&Fiche du lieu…",
                                    "Montre qui trouver au lieu survolé ou choisi au clavier, sinon au seul lieu trouvé",
                                    {QKeySequence(Qt::CTRL | Qt::Key_I)});
    connect(card, &QAction::triggered, this, &CMainFrame::OpenPlaceCard);
    search->addAction(card);
}

// The hovered place's index, else the keyboard's focused place's, else the
// one found place's; -1 for none.
int CMainFrame::PlaceForCard() const {
    const CPlace* place = m_pView->PointedPlace();
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
        m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Survolez ou choisissez un lieu (Alt+flèches), ou trouvez-en un seul, pour voir sa fiche"));
        return;
    }
    ShowInSheet({SheetKind::Place, place}, true);
}

CPlaceCardDlg* CMainFrame::Sheet() const { return m_sheet; }

// The link of what the sheet shows; effects and vendors have none.
std::optional<std::string> CMainFrame::SheetLink(SheetSubject subject) const {
    switch (subject.kind) {
    case SheetKind::Place: return LinkText(ZerimLink::Kind::Place, subject.ref);
    case SheetKind::Character: return LinkText(ZerimLink::Kind::Character, subject.ref);
    case SheetKind::Spell: return LinkText(ZerimLink::Kind::Spell, subject.ref);
    default: return std::nullopt;
    }
}

// One sheet for every subject: asked again, it comes to the front.
void CMainFrame::ShowInSheet(SheetSubject subject, bool activate) {
    if (!m_sheet) {
        CPlaceCardDlg::Links links{[this](int place) { ShowPlace(place); },
                                   [this](SheetSubject shown) { OpenInFinder(shown); },
                                   [this](int place) -> QWidget* { return m_myMap->NewPlaceBox(place); },
                                   [this](int place) { OpenRoute(place); }};
        m_sheet = new CPlaceCardDlg(m_world.Store(), m_world.LinkedWorld(), std::move(links), this, PanelNotices());
        m_sheet->SetMarkerLocator(LocateMarkers());
        // The one search from the sheet too.
        m_sheet->addAction(Command(ExtraCommand::SearchEverywhere));
        m_sheet->Panel()->addAction(NewCopyLinkAction(m_sheet, [this] { return SheetLink(m_sheet->Subject()); }));
        m_shopping->AddSheetCommand(*m_sheet);
        // Beside the map: along its right edge, where it hides the least.
        const QRect map(m_pView->mapToGlobal(QPoint(0, 0)), m_pView->size());
        m_sheet->move(map.right() - m_sheet->width() - kSheetMargin, map.top() + kSheetMargin);
    }
    if (!m_sheet->Show(subject)) return;
    m_sheet->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    m_sheet->show();  // closed with Escape, a dialog is only hidden
    m_sheet->raise();
    if (activate) m_sheet->activateWindow();
    if (subject.kind == SheetKind::Place) KeepPlaceInSight(m_sheet, LocateMarkers(), subject.ref);
}

// A finder opened from the sheet keeps the place lit in sight.
void CMainFrame::OpenInFinder(SheetSubject subject) {
    if (subject.kind == SheetKind::Character) return RunCharacterFinder(subject.ref, PlaceForCard());
    if (const std::optional<uint16_t> spell = FinderSpell(m_world.LinkedWorld(), subject))
        RunSpellFinder(*spell, PlaceForCard());
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
    m_shopping->AddFinderCommand(finder);
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
