// The character finder: every character of the embedded table in an
// auto-completing list, and for the chosen one a page with the name, the
// whereabouts and the notes, in which place and character names are links.
// A place link shows the place on the map behind the dialog, which stays
// open; a character link switches the dialog to that character.
//
// Each opening builds the character text afresh and closing releases it.
#pragma once
#include "widgets/IEControl.h"

#include <QDialog>

#include <functional>
#include <memory>

class CAutoCombo;
class CCharacterPages;
class CPlaceArray;
class IResourceStore;

class CNpcSearchDlg : public QDialog, private IHtmlPanelOwner {
    Q_OBJECT
public:
    // Reads the character table and the blank page from `store`. A place
    // link calls `showPlace` with the place's index in `places`; without it
    // place links show nothing. Store and places are borrowed.
    CNpcSearchDlg(const IResourceStore& store, const CPlaceArray& places,
                  std::function<void(int)> showPlace, QWidget* parent = nullptr);
    ~CNpcSearchDlg() override;

    CAutoCombo* NameCombo() const { return m_comboNpc; }
    CIEControl* Panel() const { return m_htmlPanel; }

    // Shows the page of list item `index` (the character's ordinal) without
    // touching the list; nothing for an index outside it.
    void ShowCharacter(int index);

    // The panel's question before following a link: true when the link was
    // internal (handled, or ignored when it names nothing).
    bool OnLinkClicked(const std::string& url) override;

protected:
    // Enter looks the typed name up; it never closes the dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void LoadCharacters(const IResourceStore& store);
    void OnSelChangeNpc(int index);
    void OnEnterName();

    CAutoCombo* m_comboNpc = nullptr;
    CIEControl* m_htmlPanel = nullptr;
    std::unique_ptr<CCharacterPages> m_pages;  // null when the table is missing
    const CPlaceArray& m_places;
    std::function<void(int)> m_showPlace;
};

// Opens the character finder over `parent` and waits until the user closes
// it (see CNpcSearchDlg).
void RunNpcSearch(QWidget* parent, const IResourceStore& store, const CPlaceArray& places,
                  std::function<void(int)> showPlace);
