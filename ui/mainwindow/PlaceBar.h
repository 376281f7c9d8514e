// The place bar: the label "Lieux: ", a combo box holding every place name
// (sorted, each item the place it names) and the detail slider 0..5. A
// choice in the list highlights its place, Enter searches for the typed
// text, the slider sets the map's detail level.
#pragma once
#include <QWidget>

#include <functional>

class CAutoCombo;
class CPlace;
class CPlaceArray;
class QSlider;

// What the bar asks of the map. Until they are given (the map is made
// after the bar's list), the bar's actions do nothing.
struct PlaceBarActions {
    std::function<void(CPlace*)> highlightOne;   // a choice in the list
    std::function<void(const QString&)> search;  // Enter in the text
    std::function<void(int)> setDetailLevel;     // a move of the slider
};

class CPlaceBar : public QWidget {
    Q_OBJECT
public:
    CPlaceBar(const CPlaceArray& places, QWidget* parent = nullptr);

    void SetActions(PlaceBarActions actions) { m_actions = std::move(actions); }

    CAutoCombo* Combo() const { return m_combo; }
    QSlider* Slider() const { return m_slider; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillPlaces(const CPlaceArray& places);
    QString SearchText() const;
    void OnSelChangePlace(int index);
    void OnSliderChanged(int position);

    CAutoCombo* m_combo = nullptr;
    QSlider* m_slider = nullptr;
    PlaceBarActions m_actions;
};
