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

#include <memory>

class CAutoCombo;
class CCharacterPages;
class CPlaceArray;
class CZerimView;

class CNpcSearchDlg : public QDialog, private IHtmlPanelOwner {
    Q_OBJECT
public:
    // Neither the view nor the place table is owned; the view may be null
    // (place links then show nothing).
    CNpcSearchDlg(CZerimView* view, const CPlaceArray* places, QWidget* parent = nullptr);
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
    void LoadCharacters();
    void OnSelChangeNpc(int index);
    void OnEnterName();

    CAutoCombo* m_comboNpc = nullptr;
    CIEControl* m_htmlPanel = nullptr;
    std::unique_ptr<CCharacterPages> m_pages;  // null when the table is missing
    const CPlaceArray* m_pPlaces;
    CZerimView* m_pView;
};

// Opens the character finder over `parent` for the application's places and
// waits until the user closes it. Place links act on `view`.
void RunNpcSearch(QWidget* parent, CZerimView* view);
