#include "mainwindow/PlaceBar.h"

#include "widgets/DialogUnits.h"

#include "data/PlaceArray.h"
#include "widgets/AutoCombo.h"
#include "widgets/PlaceCombo.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

CPlaceBar::CPlaceBar(const CPlaceArray& places, QWidget* parent) : QWidget(parent) {
    const DialogUnits du(font());
    auto* label = new QLabel(QStringLiteral("Lieux: "), this);
    m_combo = new CAutoCombo(this);
    m_combo->setFixedWidth(du.X(109));
    // Its width is fixed: the size hint need not measure all the names.
    m_combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo->setMaxVisibleItems(20);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 5);
    m_slider->setTickPosition(QSlider::NoTicks);
    m_slider->setPageStep(1);
    m_slider->setFixedWidth(du.X(100));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(du.X(3), 0, 0, 0);
    layout->setSpacing(du.X(3));
    layout->addWidget(label);
    layout->addWidget(m_combo);
    layout->addWidget(m_slider);
    // For screen readers: the field is named by its label, the slider by
    // what it sets.
    label->setBuddy(m_combo);
    m_combo->setAccessibleName(QStringLiteral("Lieux"));
    m_slider->setAccessibleName(QString::fromUtf8("Niveau de détail"));
    m_slider->setAccessibleDescription(QString::fromUtf8("Choisit quels lieux la carte montre, des plus grands à tous"));

    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    FillPlaces(places);
    // The list may be wider than the field, so that long names show whole.
    m_combo->SetListFitsEntries(true);
    connect(m_combo, qOverload<int>(&QComboBox::activated), this, &CPlaceBar::OnSelChangePlace);
    // Every move of the thumb by the user (drag, keys, a click in the
    // channel) applies, so the thumb and the map never disagree once used.
    connect(m_slider, &QSlider::valueChanged, this, &CPlaceBar::OnSliderChanged);
    m_slider->installEventFilter(this);
    // Enter in the text runs the place search. Keys reach the field through
    // the combo box as well as directly, so the field's own signal is used.
    connect(m_combo->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (m_actions.search) m_actions.search(SearchText());
    });
}

// The list is sorted without regard to case; equal names keep table order,
// each item standing for its own place.
void CPlaceBar::FillPlaces(const CPlaceArray& places) { FillWithPlaces(*m_combo, places); }

QString CPlaceBar::SearchText() const { return m_combo->currentText(); }

void CPlaceBar::OnSelChangePlace(int index) {
    if (index < 0 || !m_actions.highlightOne) return;
    if (CPlace* place = PlaceOfItem(*m_combo, index)) m_actions.highlightOne(place);
}

void CPlaceBar::OnSliderChanged(int position) {
    if (m_actions.setDetailLevel) m_actions.setDetailLevel(position);
}

// Home and End scroll the map to its corners, except in the slider, whose
// own keys they are (its lowest and highest level).
bool CPlaceBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_slider && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && (key->key() == Qt::Key_Home || key->key() == Qt::Key_End)) {
            key->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
