// The "Liste d'achats" panel: the spells the player wants to buy, where the
// trip starts, and once asked ("Où acheter"), the vendors to visit in order
// with what each sells of the list, the spells nobody sells and the
// journey's length. It sits in a dock of the main window, which makes the
// plan and draws the tour; the panel keeps the list and says what the
// player asks through its signals.
#pragma once
#include "journeys/ShoppingList.h"

#include <QWidget>

#include <cstdint>

class CAutoCombo;
class CLinkedWorld;
struct CShoppingLines;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

class CShoppingPanel : public QWidget {
    Q_OBJECT
public:
    // `world` (and its places) outlive the panel.
    explicit CShoppingPanel(const CLinkedWorld& world, QWidget* parent = nullptr);

    // Adds a spell at the end of the list; false when it is there already.
    bool Add(uint16_t spell);
    const CShoppingList& List() const { return m_list; }
    // The list as kept from the last run; says nothing.
    void SetList(CShoppingList list);

    // Where the trip starts: the place hovered or found on the map, a place
    // the player names, or the first vendor.
    enum class Start { Pointed, Picked, None };
    Start StartChoice() const;
    // The place named in the field (its index), -1 when the text names none.
    int PickedPlace() const;
    QString PickedText() const;
    void SetStart(Start start, const QString& picked);

    // The tour's rows, totals and notes, and where it starts (`from`, shown
    // in the panel's summary); ClearTour empties them.
    void ShowTour(const CShoppingLines& lines, const QString& from);
    void ClearTour();

    QListWidget* SpellRows() const { return m_spells; }
    QListWidget* StopRows() const { return m_stops; }
    QLabel* Summary() const { return m_summary; }
    QPushButton* Button(const char* objectName) const;
    CAutoCombo* PlaceField() const { return m_placeField; }

signals:
    // The list changed by the player or by Add (not by SetList).
    void ListChanged();
    void PlanRequested();
    // A row of the tour became current: the stop's number from 0.
    void StopChosen(int stop);
    void ExportRequested();
    void PrintRequested();
    // The start's choice changed (kept between runs).
    void StartChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QLayout* CreateStartChoice();
    QPushButton* NewButton(const char* text, const char* objectName, void (CShoppingPanel::*signal)());
    void FillPlaces();
    void ShowSpells();
    void RemoveCurrent();
    void Clear();
    void EnableButtons();

    const CLinkedWorld& m_world;
    CShoppingList m_list;
    QListWidget* m_spells = nullptr;
    QRadioButton* m_startPointed = nullptr;
    QRadioButton* m_startPicked = nullptr;
    QRadioButton* m_startNone = nullptr;
    CAutoCombo* m_placeField = nullptr;
    QListWidget* m_stops = nullptr;
    QLabel* m_summary = nullptr;
};
