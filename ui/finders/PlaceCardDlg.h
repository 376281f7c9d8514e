// A place's card in its own window: who is found there, in the same panel
// as the character pages. A character name opens that character's page in
// the character finder, a spell name the spell finder on that spell; the
// window stays open beside the map, titled with the place's name.
#pragma once
#include "widgets/IEControl.h"

#include <QDialog>

#include <cstdint>
#include <functional>

class CLinkedWorld;
class IResourceStore;

class CPlaceCardDlg : public QDialog, private IHtmlPanelOwner {
    Q_OBJECT
public:
    struct Links {
        std::function<void(int ordinal)> showCharacter;
        std::function<void(uint16_t spellId)> showSpell;
    };

    // The card of place `place` of `world`, on the blank page of `store`;
    // both are borrowed and outlive the window. Deletes itself when closed.
    // `notice` is where the panel says why it refused a page.
    CPlaceCardDlg(const IResourceStore& store, const CLinkedWorld& world, int place, Links links,
                  QWidget* parent = nullptr, CIEControl::NoticeWriter notice = {});

    int Place() const { return m_place; }
    // Adds a part under the panel (the player's marks on the place).
    void AddBelow(QWidget* part);
    CIEControl* Panel() const { return m_htmlPanel; }

    // Character and spell links go to their finders; other internal links
    // are ignored; a web address is left to the panel.
    bool OnLinkClicked(const std::string& url) override;

private:
    const CLinkedWorld& m_world;
    const int m_place;
    Links m_links;
    CIEControl* m_htmlPanel = nullptr;
};
