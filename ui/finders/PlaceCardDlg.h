// The sheet beside the map, one window shown again for each subject: a
// place's card (who is found there), a character's page, a spell with who
// sells it and where, a magic effect with its spells, a vendor with where it
// stands and what it sells. Its links show their page in it; a place link
// lights the place on the map and the sheet stays. It locks nothing: the map
// is used while it is open. "Ouvrir dans le chercheur" opens the character
// or spell finder on what it shows (not on a place); "Itinéraire…", on a
// place's card, plans a route from or to it. Titled with the name it shows.
#pragma once
#include "npc/SheetPages.h"
#include "widgets/IEControl.h"
#include "widgets/KeepInSight.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class CLinkedWorld;
class IResourceStore;
class QPushButton;

class CPlaceCardDlg : public QDialog, private IHtmlPanelOwner {
    Q_OBJECT
public:
    struct Links {
        std::function<void(int place)> showPlace;      // a place link: lights it on the map
        std::function<void(SheetSubject)> openFinder;  // "Ouvrir dans le chercheur"
        std::function<QWidget*(int place)> placePart;  // shown under a place's card (its marks); may be null
        std::function<void(int place)> route;          // "Itinéraire…" from a place's card; may be null
    };

    // Shows nothing until Show; both `store` (its blank page) and `world`
    // are borrowed and outlive the window. Deletes itself when closed.
    // `notice` is where the panel says why it refused a page.
    CPlaceCardDlg(const IResourceStore& store, const CLinkedWorld& world, Links links, QWidget* parent = nullptr,
                  CIEControl::NoticeWriter notice = {});

    // Shows `subject`'s page in place of the last; false, and nothing
    // changed, when the subject names nothing.
    bool Show(SheetSubject subject);
    SheetSubject Subject() const { return m_subject; }
    CIEControl* Panel() const { return m_htmlPanel; }
    QPushButton* FinderButton() const { return m_finder; }
    QPushButton* RouteButton() const { return m_route; }
    // After a place link, the sheet moves off the place's marker when it
    // hides it; `locate` says where the marker is.
    void SetMarkerLocator(MarkerLocator locate) { m_locateMarker = std::move(locate); }

    // Every internal link is handled here; a web address is left to the panel.
    bool OnLinkClicked(const std::string& url) override;

signals:
    // A page was shown: the subject given to Show, or a link's.
    void SubjectShown(SheetSubject subject);

private:
    void ShowPart(QWidget* part);

    const CLinkedWorld& m_world;
    Links m_links;
    SheetSubject m_subject;
    CIEControl* m_htmlPanel = nullptr;
    QPushButton* m_finder = nullptr;
    QPushButton* m_route = nullptr;
    QPointer<QWidget> m_part;
    MarkerLocator m_locateMarker;
};
