// The character finder: every character of the embedded table in an
// auto-completing list, and for the chosen one a page with the name, the
// whereabouts and the notes, in which place and character names are links.
// A place link shows the place on the map behind the dialog, which stays
// open; a character link switches the dialog to that character. The
// characters shown make a history that Back and Forward move through (keys,
// mouse buttons, the page's context menu) while the dialog is open.
//
// Each opening builds the character text afresh and closing releases it.
#pragma once
#include "npc/PageHistory.h"
#include "widgets/IEControl.h"
#include "widgets/KeepInSight.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class CAutoCombo;
class CCharacterPages;
class CPlaceArray;
class IResourceStore;
class QAction;

class CNpcSearchDlg : public QDialog, private IHtmlPanelOwner {
    Q_OBJECT
public:
    // Reads the character table and the blank page from `store`. A place
    // link calls `showPlace` with the place's index in `places`; without it
    // place links show nothing. Store and places are borrowed. `notice` is
    // where the page panel says why it refused a page.
    CNpcSearchDlg(const IResourceStore& store, const CPlaceArray& places,
                  std::function<void(int)> showPlace, QWidget* parent = nullptr,
                  CIEControl::NoticeWriter notice = {});
    ~CNpcSearchDlg() override;

    // After a place link has shown its place, the dialog moves off the
    // place's marker when it hides it; `locate` says where the marker is.
    void SetMarkerLocator(MarkerLocator locate) { m_locateMarker = std::move(locate); }

    CAutoCombo* NameCombo() const { return m_comboNpc; }
    CIEControl* Panel() const { return m_htmlPanel; }

    // Shows the character with this ordinal as a character link does: the
    // list selects it, its page shows and goes on the history. Nothing for
    // an ordinal outside the list.
    void ShowCharacter(int ordinal);

    // Back and Forward through the characters shown; nothing at either end.
    void GoBack();
    void GoForward();
    // The character whose page shows, if one does.
    std::optional<int> ShownCharacter() const { return m_history.Current(); }
    // A command of the window (its shortcut holds in the dialog), also put
    // at the top of the page's menu.
    void AddPanelCommand(QAction* action);
    QAction* BackAction() const { return m_backAction; }
    QAction* ForwardAction() const { return m_forwardAction; }

    // The panel's question before following a link: true when the link was
    // internal (handled, or ignored when it names nothing).
    bool OnLinkClicked(const std::string& url) override;

protected:
    // Enter looks the typed name up; it never closes the dialog.
    void keyPressEvent(QKeyEvent* event) override;
    // The mouse's back and forward buttons over the page.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateHistoryActions();
    void ShowPanelMenu(const QPoint& pos);
    bool ShowPage(int ordinal);
    void ShowVisited(int ordinal);
    void ShowFromHistory(std::optional<int> ordinal);
    void UpdateHistoryActions();
    void LoadCharacters(const IResourceStore& store);
    void OnSelChangeNpc(int index);
    void OnEnterName();

    CAutoCombo* m_comboNpc = nullptr;
    CIEControl* m_htmlPanel = nullptr;
    std::unique_ptr<CCharacterPages> m_pages;  // null when the table is missing
    const CPlaceArray& m_places;
    std::function<void(int)> m_showPlace;
    MarkerLocator m_locateMarker;
    CPageHistory m_history;
    QAction* m_backAction = nullptr;
    QAction* m_forwardAction = nullptr;
    QList<QAction*> m_panelCommands;
};

