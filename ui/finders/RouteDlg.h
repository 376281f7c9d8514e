// The route window, "Itinéraire": beside the map and locking nothing, a
// start and an end chosen among the places (completed as they are typed,
// as in the place bar), and "Calculer" (Enter), which plans the way along
// the roads: its legs, its length, the walking and riding times, and what
// there is to say when it goes straight. The route shows on the map until
// "Effacer", or until the window closes (which empties it).
#pragma once
#include "journeys/JourneyLayer.h"

#include <QDialog>

#include <functional>

class CAutoCombo;
class CPlace;
class CPlaceArray;
struct CRoadNetwork;
class QLabel;
class QPushButton;
class QTreeWidget;

class CRouteDlg : public QDialog {
    Q_OBJECT
public:
    struct Links {
        std::function<const CRoadNetwork&()> roads;           // read when first asked
        std::function<void(const CJourneyLayer&)> showRoute;  // on the map; empty: none
    };
    // The fields list the places of `places`, which outlive the window.
    CRouteDlg(const CPlaceArray& places, Links links, QWidget* parent = nullptr);

    // A place given from outside (a card, the pointed place): the start when
    // none is chosen yet, else the end; once both are there the route is
    // planned, else the field still empty takes the keyboard.
    void Offer(const CPlace* place);
    // Both ends at once, and the route planned.
    void Plan(const CPlace* from, const CPlace* to);
    // Plans the route between the places the fields name; says why not
    // when a field names none.
    void Calculate();
    // Empties the fields and the results, and takes the route off the map.
    void Clear();

    CAutoCombo* StartField() const { return m_ends[0]; }
    CAutoCombo* EndField() const { return m_ends[1]; }
    QTreeWidget* Legs() const { return m_legs; }
    QString TotalText() const;
    QString NoticeText() const;

private:
    void Choose(int end, const CPlace* place);
    void Swap();

    Links m_links;
    CAutoCombo* m_ends[2] = {};
    QTreeWidget* m_legs = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_notice = nullptr;
};
