// The main window's commands beyond the given menus and tool bar: keyboard
// zoom and scrolling, the place field and the finders from the keyboard,
// copying places, and what a place search found.
#include "mainwindow/MainFrame.h"

#include "mainwindow/ExtraCommands.h"
#include "mainwindow/PlaceBar.h"
#include "mainwindow/StatusBar.h"

#include "cli/DataModes.h"
#include "data/PlaceArray.h"
#include "data/ResourceIds.h"
#include "mapview/ZerimView.h"
#include "widgets/AutoCombo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {
// The keypad's own key, for the zoom commands.
QKeySequence Keypad(Qt::Key key) { return QKeySequence(Qt::KeypadModifier | key); }

QString CountOf(int n, const char* one, const char* many) {
    return n == 1 ? QString::fromUtf8(one) : QString::fromUtf8(many).arg(n);
}
}  // namespace

QList<QKeySequence> StandardKeys(QKeySequence::StandardKey key, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty()) keys << fallback;
    return keys;
}

QAction* CMainFrame::NewExtraCommand(int id, const char* text, const char* prompt,
                                     const QList<QKeySequence>& keys) {
    auto* action = new QAction(QString::fromUtf8(text), this);
    action->setData(id);
    action->setStatusTip(QString::fromUtf8(prompt));
    action->setShortcuts(keys);
    addAction(action);  // the shortcut holds whatever bar is shown
    return action;
}

// After the bar toggles and a separator, so the given items keep their place.
void CMainFrame::AddViewCommands(QMenu* view) {
    view->addSeparator();
    const struct { int id; const char* text; const char* prompt; QList<QKeySequence> keys;
                   void (CZerimView::*slot)(); } commands[] = {
        {ExtraCommand::ZoomIn, "Zoom &avant", "Augmente le niveau de zoom",
         StandardKeys(QKeySequence::ZoomIn, Qt::CTRL | Qt::Key_Plus) << Keypad(Qt::Key_Plus), &CZerimView::OnZoomIn},
        {ExtraCommand::ZoomOut, "Zoom a&rrière", "Diminue le niveau de zoom",
         StandardKeys(QKeySequence::ZoomOut, Qt::CTRL | Qt::Key_Minus) << Keypad(Qt::Key_Minus), &CZerimView::OnZoomOut},
        {ExtraCommand::ActualSize, "Taille ré&elle (100 %)", "Affiche la carte à sa taille réelle",
         {QKeySequence(Qt::CTRL | Qt::Key_0)}, &CZerimView::OnActualSize},
        {ExtraCommand::FitWindow, "A&juster à la fenêtre", "Affiche toute la carte dans la fenêtre",
         {QKeySequence(Qt::CTRL | Qt::Key_9)}, &CZerimView::OnFitWindow},
        {ExtraCommand::TopLeft, "&Coin haut gauche", "Montre le coin haut gauche de la carte",
         {QKeySequence(Qt::Key_Home)}, &CZerimView::OnTopLeft},
        {ExtraCommand::BottomRight, "Coin bas &droit", "Montre le coin bas droit de la carte",
         {QKeySequence(Qt::Key_End)}, &CZerimView::OnBottomRight},
    };
    for (const auto& c : commands) {
        QAction* action = NewExtraCommand(c.id, c.text, c.prompt, c.keys);
        connect(action, &QAction::triggered, m_pView, c.slot);
        view->addAction(action);
    }
    AddKindCommands(view);
    AddMeasureCommand(view);
}

// Before "?", which stays last: the one search, the place field, both
// finders, copying, the place card.
void CMainFrame::CreateSearchMenu() {
    QMenu* search = menuBar()->addMenu(QStringLiteral("&Rechercher"));
    AddSearchEverywhereCommand(search);
    QAction* place = NewExtraCommand(ExtraCommand::FindPlace, "&Lieu", "Place le curseur dans le champ des lieux",
                                     StandardKeys(QKeySequence::Find, Qt::CTRL | Qt::Key_F));
    connect(place, &QAction::triggered, this, &CMainFrame::FocusPlaceField);
    search->addAction(place);
    const struct { int id, given; const char* text; QKeySequence key; } finders[] = {
        {ExtraCommand::FindCharacter, ResId::ID_NPC_SEARCH, "&NPC…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)},
        {ExtraCommand::FindSpell, ResId::ID_SPELL_SEARCH, "&Sort…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
    };
    for (const auto& f : finders) {
        // The same prompt and the same dialog as the tool bar's button.
        QAction* given = Command(f.given);
        QAction* action = NewExtraCommand(f.id, f.text, "", {f.key});
        action->setStatusTip(given->statusTip());
        connect(action, &QAction::triggered, given, &QAction::trigger);
        search->addAction(action);
    }
    search->addSeparator();
    QAction* copy = NewExtraCommand(ExtraCommand::CopyPlaces, "&Copier les lieux",
                                    "Copie le nom et les coordonnées du lieu survolé ou choisi au clavier, sinon des lieux trouvés",
                                    StandardKeys(QKeySequence::Copy, Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, &CMainFrame::CopyPlaces);
    search->addAction(copy);
    AddCopyLinkCommand(search);
    AddPlaceCardCommand(search);
    AddRouteCommand(search);
    AddPlaceWalkCommands(search);
}

void CMainFrame::FocusPlaceField() {
    CAutoCombo* combo = m_wndPlaceBar->Combo();
    combo->setFocus(Qt::ShortcutFocusReason);
    combo->lineEdit()->selectAll();
}

// The place the read-out shows (hovered, or focused from the keyboard), else the places found: one a line, as the
// place search prints them (without the level).
void CMainFrame::CopyPlaces() {
    QList<const CPlace*> places;
    if (const CPlace* pointed = m_pView->PointedPlace()) places << pointed;
    else
        for (const CPlace* found : m_pView->Places().Highlight()) places << found;
    if (places.isEmpty()) {
        m_wndStatusBar->SetPaneText(0, QString::fromUtf8("Aucun lieu à copier"));
        return;
    }
    QString text;
    for (const CPlace* place : places) text += QString::fromStdString(PlaceLine(*place)) + '\n';
    QGuiApplication::clipboard()->setText(text);
    m_wndStatusBar->SetPaneText(0, CountOf(int(places.size()), "1 lieu copié", "%1 lieux copiés"));
}

// The search, then what it found in the message pane, where it stays until
// the read-out or a prompt takes the pane. An empty text searches nothing
// and says nothing.
void CMainFrame::Search(const QString& text) {
    const int found = m_pView->SearchPlaces(text);
    if (text.isEmpty()) return;
    m_wndStatusBar->SetPaneText(0, found > 0 ? CountOf(found, "1 lieu trouvé", "%1 lieux trouvés")
                                             : QString::fromUtf8("Aucun lieu ne contient « %1 »").arg(text));
}
