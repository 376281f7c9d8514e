// The player's own layer in the window: the "Notes" menu, undo and redo in
// "Édition", the notes menu at the pointer, pins moved on the map, the
// notes panel, the marks on a place's card, export, import and backups.
// The layer is opened once the first map is on screen; until then its
// commands are disabled.
#pragma once
#include "notes/MyMap.h"
#include "notes/NotesOnMap.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CPlaceArray;
class CPlaceNotesBox;
class CZerimView;
class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;
class CNotesPanel;

// The layer's file: $ZERIM_NOTES_DB when set (tests), else notes.sqlite in
// the program's data folder (Qt's AppDataLocation, as the command-line
// modes find it too).
std::string NotesFilePath();

class CMyMapCommands : public QObject {
    Q_OBJECT
public:
    struct Host {
        QMainWindow* window = nullptr;
        CZerimView* view = nullptr;
        const CPlaceArray* places = nullptr;
        // Makes a window command (its id, text, prompt, keys).
        std::function<QAction*(int, const char*, const char*, const QList<QKeySequence>&)> newCommand;
        std::function<void(const QString&)> say;  // the status bar
        std::function<int()> targetPlace;         // hovered, else the one found; -1
        std::function<void(int)> showPlace;       // flies to a place and lights it
        std::function<void(const CNoteItems&)> notesChanged;  // the layer after every change
    };
    explicit CMyMapCommands(Host host);
    ~CMyMapCommands() override;

    void AddEditMenu(QMenu* edit);
    void AddNotesMenu(QMenu* notes);
    // Opens the layer at `path` (the player's data folder unless a test
    // says otherwise) and shows it.
    void Open(const std::string& path);
    CMyMap* Layer() const { return m_layer.get(); }
    CNotesPanel* Panel() const { return m_panel; }
    // The marks of place `place`, for its card; kept up to date.
    CPlaceNotesBox* NewPlaceBox(int place);

    // What the notes menu holds at a client point of the map.
    QMenu* NotesMenuAt(CPoint client);
    // Flies to the item at `index` of the layer's items: a place mark's
    // place lit, a pin (or a mark whose place is gone) centred.
    void FlyToItem(int index);

private:
    void Refresh();
    void EnableCommands();
    bool Edit(const std::string& id, std::optional<CNoteItem> after);
    bool EditAll(std::vector<CNoteChange> changes);
    bool Done(bool done, const std::string& error);
    void Said(const std::string& error);
    CNoteItem MarkOf(int place) const;
    int PlaceTarget();
    void ToggleMark(bool CNoteItem::*flag);
    void ToggleMarkOf(int place, bool CNoteItem::*flag);
    void EditNoteOf(int place);
    CPoint PointerOrCentre() const;
    void OpenNotesMenu(CPoint client);
    void AddPinAt(CPoint client);
    void EditPin(const std::string& id);
    void DeleteItems(const std::vector<std::string>& ids);
    void MovePin(int pin, CPoint world);
    void FlyTo(const std::string& id);
    void Undo();
    void Redo();
    void SetHideVisited(bool on);
    void MakePanel();
    void ExportNotes();
    void ImportNotes();
    void RestoreBackup();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Host m_host;
    QPointer<CZerimView> m_view;
    std::unique_ptr<CMyMap> m_layer;
    CNotesOnMap m_onMap;
    std::vector<QAction*> m_commands;  // disabled until the layer is open
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_hideVisited = nullptr;
    QAction* m_showPanel = nullptr;
    QDockWidget* m_dock = nullptr;
    CNotesPanel* m_panel = nullptr;
    std::vector<std::pair<QPointer<CPlaceNotesBox>, int>> m_placeBoxes;
};
