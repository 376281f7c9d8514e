#include "mainwindow/MyMapCommands.h"

#include "mainwindow/ExtraCommands.h"
#include "startup/SettingsFile.h"

#include "data/PlaceArray.h"
#include "data/Win1252.h"
#include "mapview/ZerimView.h"
#include "mymap/NoteDlg.h"
#include "mymap/NotesPanel.h"
#include "mymap/PlaceNotesBox.h"
#include "text/Text.h"
#include "widgets/DialogHelpers.h"

#include <QDockWidget>
#include <QFile>
#include <QStandardPaths>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>

#include <algorithm>
#include <cstdlib>

namespace {
const char* const kPanelKey = "notes/panel";
const char* const kHideVisitedKey = "notes/hideVisited";

QString Utf8(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

std::string NotesFilePath() {
    if (const char* path = std::getenv("ZERIM_NOTES_DB"); path && *path) return path;
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                             QStringLiteral("/notes.sqlite"))
        .toStdString();
}

CMyMapCommands::CMyMapCommands(Host host) : QObject(host.window), m_host(std::move(host)), m_view(m_host.view) {
    m_host.view->OnNotesMenu([this](CPoint client) { OpenNotesMenu(client); });
    m_host.view->OnPinMoved([this](int pin, CPoint world) { MovePin(pin, world); });
    m_host.window->installEventFilter(this);
}

// The window's children go in their order: the view may be gone already.
CMyMapCommands::~CMyMapCommands() {
    if (m_view) m_view->SetNotes(nullptr);
}

void CMyMapCommands::AddEditMenu(QMenu* edit) {
    m_undo = m_host.newCommand(ExtraCommand::Undo, "&Annuler", "Annule la dernière modification de vos notes",
                               StandardKeys(QKeySequence::Undo, Qt::CTRL | Qt::Key_Z));
    m_redo = m_host.newCommand(ExtraCommand::Redo, "&Rétablir", "Rétablit la modification de vos notes annulée",
                               StandardKeys(QKeySequence::Redo, Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(m_undo, &QAction::triggered, this, &CMyMapCommands::Undo);
    connect(m_redo, &QAction::triggered, this, &CMyMapCommands::Redo);
    edit->addAction(m_undo);
    edit->addAction(m_redo);
    EnableCommands();
}

void CMyMapCommands::AddNotesMenu(QMenu* notes) {
    const struct { int id; const char* text; const char* prompt; QList<QKeySequence> keys; std::function<void()> run; } commands[] = {
        {ExtraCommand::MarkVisited, "Marquer comme &visité", "Marque le lieu survolé ou choisi au clavier, sinon le seul lieu trouvé, comme visité",
         {QKeySequence(Qt::CTRL | Qt::Key_M)}, [this] { ToggleMark(&CNoteItem::visited); }},
        {ExtraCommand::MarkFavourite, "&Favori", "Met le lieu survolé ou choisi au clavier, sinon le seul lieu trouvé, parmi vos favoris",
         {QKeySequence(Qt::CTRL | Qt::Key_D)}, [this] { ToggleMark(&CNoteItem::favourite); }},
        {ExtraCommand::PlaceNote, "&Note du lieu…", "Écrit une note sur le lieu survolé ou choisi au clavier, sinon le seul lieu trouvé",
         {QKeySequence(Qt::Key_F2)}, [this] {
             if (const int place = PlaceTarget(); place >= 0) EditNoteOf(place);
         }},
        {ExtraCommand::AddPin, "Ajouter une é&pingle…", "Pose une épingle sous le pointeur, sinon au centre de la vue",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)}, [this] { AddPinAt(PointerOrCentre()); }},
        {ExtraCommand::NotesMenuHere, "Menu des notes &ici", "Ouvre le menu des notes sous le pointeur, sinon au centre de la vue",
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}, [this] { OpenNotesMenu(PointerOrCentre()); }},
    };
    for (const auto& c : commands) {
        QAction* action = m_host.newCommand(c.id, c.text, c.prompt, c.keys);
        connect(action, &QAction::triggered, this, c.run);
        notes->addAction(action);
        m_commands.push_back(action);
    }
    notes->addSeparator();
    m_hideVisited = m_host.newCommand(ExtraCommand::HideVisited, "&Masquer les lieux visités",
                                      "Ne montre plus les lieux marqués comme visités", {QKeySequence(Qt::CTRL | Qt::Key_H)});
    m_hideVisited->setCheckable(true);
    m_hideVisited->setChecked(SettingsFile::ChoiceOn(kHideVisitedKey));
    connect(m_hideVisited, &QAction::toggled, this, &CMyMapCommands::SetHideVisited);
    m_showPanel = m_host.newCommand(ExtraCommand::NotesPanel, "&Panneau des notes",
                                    "Montre ou cache la liste de vos épingles et lieux marqués", {QKeySequence(Qt::Key_F9)});
    m_showPanel->setCheckable(true);
    notes->addAction(m_hideVisited);
    notes->addAction(m_showPanel);
    m_commands.push_back(m_showPanel);
    notes->addSeparator();
    const struct { int id; const char* text; const char* prompt; void (CMyMapCommands::*run)(); } files[] = {
        {ExtraCommand::ExportNotes, "E&xporter les notes…", "Enregistre vos notes dans un fichier JSON ou GeoJSON",
         &CMyMapCommands::ExportNotes},
        {ExtraCommand::ImportNotes, "&Importer des notes…", "Ajoute à vos notes celles d'un fichier JSON, ou les remplace",
         &CMyMapCommands::ImportNotes},
        {ExtraCommand::RestoreNotes, "&Restaurer une sauvegarde…", "Reprend vos notes telles qu'une sauvegarde les a gardées",
         &CMyMapCommands::RestoreBackup},
    };
    for (const auto& f : files) {
        QAction* action = m_host.newCommand(f.id, f.text, f.prompt, {});
        connect(action, &QAction::triggered, this, f.run);
        notes->addAction(action);
        m_commands.push_back(action);
    }
    EnableCommands();
}

void CMyMapCommands::Open(const std::string& path) {
    CNoteStore::Opening opening = CNoteStore::Open(path);
    const bool none = !opening.store;
    m_layer = std::make_unique<CMyMap>(std::move(opening.store),
                                       none ? "vos notes n'ont pas pu être ouvertes (" + path + ")" : std::string());
    m_host.view->SetNotes(&m_onMap);
    MakePanel();
    Refresh();
    if (!opening.notice.empty()) WarnPlainly(m_host.window, QString::fromUtf8("Notes"), Utf8(opening.notice));
    else if (!m_layer->Writable()) m_host.say(QString::fromUtf8("Notes en lecture seule : ") + Utf8(m_layer->WhyReadOnly()));
}

void CMyMapCommands::MakePanel() {
    m_panel = new CNotesPanel;
    m_dock = new QDockWidget(QString::fromUtf8("Notes"), m_host.window);
    m_dock->setObjectName(QStringLiteral("NotesPanel"));
    m_dock->setWidget(m_panel);
    m_host.window->addDockWidget(Qt::RightDockWidgetArea, m_dock);
    m_dock->setVisible(SettingsFile::ChoiceOn(kPanelKey));
    m_showPanel->setChecked(m_dock->isVisible());
    connect(m_showPanel, &QAction::toggled, m_dock, &QDockWidget::setVisible);
    connect(m_dock, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        // Hidden with the window itself, the panel stays wanted.
        if (!m_host.window->isVisible() || m_host.window->isMinimized()) return;
        m_showPanel->setChecked(shown);
        if (shown != SettingsFile::ChoiceOn(kPanelKey)) SettingsFile::KeepChoice(kPanelKey, shown);
    });
    connect(m_panel, &CNotesPanel::Activated, this, &CMyMapCommands::FlyTo);
    connect(m_panel, &CNotesPanel::DeleteRequested, this, &CMyMapCommands::DeleteItems);
}

// Everything that shows the layer, after any change of it.
void CMyMapCommands::Refresh() {
    const CPlaceArray& places = *m_host.places;
    m_onMap.Update(m_layer->Items(), places);
    m_host.view->Places().SetHiddenPlaces(m_hideVisited && m_hideVisited->isChecked() ? m_onMap.VisitedPlaces(places)
                                                                                      : std::vector<const CPlace*>());
    m_host.view->NotesChanged();
    if (m_panel) m_panel->SetItems(m_layer->Items(), places.GetSize());
    if (m_host.notesChanged) m_host.notesChanged(m_layer->Items());
    for (auto& [box, place] : m_placeBoxes) {
        if (!box) continue;
        const CNoteItem mark = MarkOf(place);
        box->Show({mark.visited, mark.favourite, mark.note}, m_layer->Writable());
    }
    EnableCommands();
}

void CMyMapCommands::EnableCommands() {
    for (QAction* command : m_commands) command->setEnabled(m_layer != nullptr);
    if (m_undo) m_undo->setEnabled(m_layer && m_layer->CanUndo());
    if (m_redo) m_redo->setEnabled(m_layer && m_layer->CanRedo());
}

bool CMyMapCommands::Edit(const std::string& id, std::optional<CNoteItem> after) {
    std::string error;
    return Done(m_layer->Edit(id, std::move(after), error), error);
}

bool CMyMapCommands::EditAll(std::vector<CNoteChange> changes) {
    std::string error;
    return Done(m_layer->EditAll(std::move(changes), error), error);
}

// After an edit: what failed is said (a backup that could not be made
// too, though the edit is kept), and the layer is shown again.
bool CMyMapCommands::Done(bool done, const std::string& error) {
    if (!done) Said(error);
    else if (!m_layer->BackupProblem().empty())
        m_host.say(QString::fromUtf8("Notes enregistrées, mais la sauvegarde du jour n'a pas pu être faite : ") +
                   Utf8(m_layer->BackupProblem()));
    Refresh();
    return done;
}

void CMyMapCommands::Said(const std::string& error) {
    m_host.say(QString::fromUtf8("Notes non enregistrées : ") + Utf8(error));
}

// The place's mark as the layer has it, else an empty one.
CNoteItem CMyMapCommands::MarkOf(int place) const {
    const CPlace& p = *(*m_host.places)[place];
    const std::string id = PlaceKeyOf(p);
    if (const CNoteItem* mark = m_layer ? m_layer->Find(id) : nullptr) return *mark;
    CNoteItem mark;
    mark.kind = CNoteItem::Kind::Place;
    mark.id = id;
    mark.name = Win1252ToUtf8(p.m_strName);
    mark.x = p.m_x;
    mark.y = p.m_y;
    return mark;
}

int CMyMapCommands::PlaceTarget() {
    const int place = m_host.targetPlace();
    if (place < 0) m_host.say(QString::fromUtf8("Survolez ou choisissez un lieu (Alt+flèches), ou trouvez-en un seul, pour le marquer"));
    return place;
}

void CMyMapCommands::ToggleMark(bool CNoteItem::*flag) {
    if (const int place = PlaceTarget(); place >= 0) ToggleMarkOf(place, flag);
}

void CMyMapCommands::ToggleMarkOf(int place, bool CNoteItem::*flag) {
    CNoteItem mark = MarkOf(place);
    mark.*flag = !(mark.*flag);
    Edit(mark.id, mark);
}

void CMyMapCommands::EditNoteOf(int place) {
    CNoteDlg dialog(MarkOf(place), m_host.window);
    if (dialog.exec() != QDialog::Accepted) return;
    const CNoteItem edited = dialog.Result();
    Edit(edited.id, edited);
}

void CMyMapCommands::AddPinAt(CPoint client) {
    CNoteItem pin;
    pin.kind = CNoteItem::Kind::Pin;
    pin.id = NewPinId();
    pin.name = "Épingle";
    const CPoint world = m_host.view->WorldAt(client);
    pin.x = world.x;
    pin.y = world.y;
    CNoteDlg dialog(pin, m_host.window);
    if (dialog.exec() == QDialog::Accepted) Edit(pin.id, dialog.Result());
}

void CMyMapCommands::EditPin(const std::string& id) {
    const CNoteItem* pin = m_layer->Find(id);
    if (!pin) return;
    CNoteDlg dialog(*pin, m_host.window);
    if (dialog.exec() == QDialog::Accepted) Edit(id, dialog.Result());
}

void CMyMapCommands::DeleteItems(const std::vector<std::string>& ids) {
    std::vector<CNoteChange> changes;
    for (const std::string& id : ids) changes.push_back({id, std::nullopt, std::nullopt});
    if (EditAll(std::move(changes)))
        m_host.say(ids.size() == 1 ? QString::fromUtf8("1 élément supprimé ; Ctrl+Z pour annuler")
                                   : QString::fromUtf8("%1 éléments supprimés ; Ctrl+Z pour annuler").arg(ids.size()));
}

void CMyMapCommands::MovePin(int pin, CPoint world) {
    if (size_t(pin) >= m_onMap.Pins().size()) return;
    const CNoteItem* item = m_layer->Find(m_onMap.Pins()[size_t(pin)].id);
    if (!item) return;
    CNoteItem moved = *item;
    moved.x = world.x;
    moved.y = world.y;
    Edit(moved.id, moved);
}

void CMyMapCommands::FlyTo(const std::string& id) {
    const int place = m_onMap.PlaceOf(id);
    if (place >= 0) return m_host.showPlace(place);
    const CNoteItem* item = m_layer->Find(id);
    if (!item) return;
    const ViewGeometry& geometry = m_host.view->Geometry();
    const CPoint map = geometry.WorldToMap({item->x, item->y});
    m_host.view->CenterOnPicture(geometry.MapToPicture(map));
}

void CMyMapCommands::FlyToItem(int index) {
    if (m_layer && index >= 0 && size_t(index) < m_layer->Items().size()) FlyTo(m_layer->Items()[size_t(index)].id);
}

void CMyMapCommands::Undo() {
    std::string error;
    if (!m_layer->Undo(error)) Said(error);
    Refresh();
}

void CMyMapCommands::Redo() {
    std::string error;
    if (!m_layer->Redo(error)) Said(error);
    Refresh();
}

void CMyMapCommands::SetHideVisited(bool on) {
    if (on != SettingsFile::ChoiceOn(kHideVisitedKey)) SettingsFile::KeepChoice(kHideVisitedKey, on);
    if (m_layer) Refresh();
}

// Where the keyboard's commands act: under the pointer when it rests on
// the map, else at the centre of the view.
CPoint CMyMapCommands::PointerOrCentre() const {
    const QRect area = m_host.view->viewport()->rect();
    const auto pointer = m_host.view->PointerAt();
    if (pointer && area.contains(pointer->x, pointer->y)) return *pointer;
    return {area.center().x(), area.center().y()};
}

void CMyMapCommands::OpenNotesMenu(CPoint client) {
    if (!m_layer) return;
    NotesMenuAt(client)->popup(m_host.view->viewport()->mapToGlobal(QPoint(client.x, client.y)));
}

QMenu* CMyMapCommands::NotesMenuAt(CPoint client) {
    auto* menu = new QMenu(m_host.window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const int pin = m_host.view->PinAt(client);
    if (pin >= 0) {
        const CMapPin& at = m_onMap.Pins()[size_t(pin)];
        const std::string id = at.id;
        // A title's "&" is no menu mnemonic.
        const QString title = ShownUtf8(at.title).replace(QLatin1Char('&'), QLatin1String("&&"));
        menu->addAction(QString::fromUtf8("Modifier « %1 »…").arg(title), this, [this, id] { EditPin(id); });
        menu->addAction(QString::fromUtf8("Supprimer « %1 »").arg(title), this, [this, id] { DeleteItems({id}); });
        menu->addSeparator();
    }
    const CPlaceArray& places = *m_host.places;
    const CPlace* hit = m_host.view->PlaceAt(client);
    for (int index = 0; hit && index < places.GetSize(); ++index) {
        if (places[index] != hit) continue;
        const CNoteItem mark = MarkOf(index);
        QAction* visited = menu->addAction(QString::fromUtf8("Visité"), this, [this, index] { ToggleMarkOf(index, &CNoteItem::visited); });
        visited->setCheckable(true);
        visited->setChecked(mark.visited);
        QAction* favourite = menu->addAction(QString::fromUtf8("Favori"), this, [this, index] { ToggleMarkOf(index, &CNoteItem::favourite); });
        favourite->setCheckable(true);
        favourite->setChecked(mark.favourite);
        menu->addAction(QString::fromUtf8("Note du lieu…"), this, [this, index] { EditNoteOf(index); });
        menu->addSeparator();
    }
    menu->addAction(QString::fromUtf8("Ajouter une épingle ici…"), this, [this, client] { AddPinAt(client); });
    return menu;
}

CPlaceNotesBox* CMyMapCommands::NewPlaceBox(int place) {
    if (!m_layer) return nullptr;
    auto* box = new CPlaceNotesBox([this, place](const CPlaceNotesBox::Marks& marks) {
        CNoteItem mark = MarkOf(place);
        mark.visited = marks.visited;
        mark.favourite = marks.favourite;
        mark.note = marks.note;
        Edit(mark.id, mark);
    });
    m_placeBoxes.erase(std::remove_if(m_placeBoxes.begin(), m_placeBoxes.end(), [](const auto& open) { return !open.first; }),
                       m_placeBoxes.end());
    m_placeBoxes.emplace_back(box, place);
    const CNoteItem mark = MarkOf(place);
    box->Show({mark.visited, mark.favourite, mark.note}, m_layer->Writable());
    return box;
}

// Another window of the program may have written: its changes show when
// this one is next activated.
bool CMyMapCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_host.window && event->type() == QEvent::WindowActivate && m_layer && m_layer->Reload()) Refresh();
    return QObject::eventFilter(watched, event);
}
