// The legend of the kinds of places ("Types de lieux"): each kind present
// on the map with its marker (its symbol when the map shows symbols, else
// the square), its name and how many places it has, and a check box that
// shows or hides its places; "Tout afficher" shows them all again. It sits
// in a dock of the main window, which applies each change to the view.
#pragma once
#include "data/PlaceKinds.h"

#include <QColor>
#include <QWidget>

#include <cstdint>
#include <vector>

class QCheckBox;
class QGridLayout;

class CKindLegend : public QWidget {
    Q_OBJECT
public:
    explicit CKindLegend(QWidget* parent = nullptr);

    // The kinds to list, with their counts (see CountPlaceKinds).
    void SetKinds(const std::vector<PlaceKindCount>& kinds);
    bool HasKinds() const { return !m_boxes.empty(); }
    // Checks the boxes as `hidden` says, without announcing it.
    void SetHiddenKinds(const std::vector<int32_t>& hidden);
    // The kinds unchecked, by code.
    std::vector<int32_t> HiddenKinds() const;
    // The markers shown: the kinds' symbols or the squares, in `colour`.
    void SetMarkers(bool symbols, const QColor& colour);

signals:
    // The player checked or unchecked a kind, or showed them all.
    void HiddenKindsChanged();

private:
    struct Row {
        int32_t code;
        QCheckBox* box;
    };
    void ShowAll();
    void UpdateIcons();

    QGridLayout* m_grid = nullptr;
    std::vector<Row> m_boxes;
    std::vector<int32_t> m_hidden;  // kept until the rows are made
    bool m_symbols = false;
    QColor m_colour{255, 0, 0};
};
