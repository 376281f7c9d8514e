// The place bar: the label "Lieux: ", a combo box holding every place name
// (sorted, each item the place it names) and the detail slider 0..5. A
// choice in the list highlights its place, Enter searches for the typed
// text, the slider sets the map's detail level.
#pragma once
#include <QWidget>

class CAutoCombo;
class CPlaceArray;
class CZerimView;
class QSlider;

class CPlaceBar : public QWidget {
    Q_OBJECT
public:
    CPlaceBar(const CPlaceArray& places, QWidget* parent = nullptr);

    CZerimView* m_pView = nullptr;  // set by the view's owner once it exists

    CAutoCombo* Combo() const { return m_combo; }
    QSlider* Slider() const { return m_slider; }
    QString SearchText() const;

private:
    void FillPlaces(const CPlaceArray& places);
    void OnSelChangePlace(int index);
    void OnSliderChanged(int position);

    CAutoCombo* m_combo = nullptr;
    QSlider* m_slider = nullptr;
};
