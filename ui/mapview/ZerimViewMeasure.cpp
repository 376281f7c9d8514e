// The map view's measuring tool: Shift+left clicks (or Enter on the place
// chosen from the keyboard) set points, Backspace takes the last one back,
// Escape ends it. The sums are the core's (CMeasure); the view draws them
// as its journey part and says them in the status bar.
#include "mapview/ZerimView.h"

#include "text/Text.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
// Shift alone with the left button: Ctrl's clicks are the notes', and the
// plain ones keep zooming.
bool IsMeasureClick(const QMouseEvent* event) {
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return event->button() == Qt::LeftButton && held == Qt::ShiftModifier;
}
}  // namespace

void CZerimView::StartMeasuring(std::optional<CRoadScale> scale, const QString& notice) {
    m_measure.emplace(scale);
    ShowMeasure(notice);
    setFocus(Qt::ShortcutFocusReason);  // Backspace and Escape are the map's
}

void CZerimView::EndMeasuring() {
    if (!m_measure) return;
    m_measure.reset();
    SetJourney(JourneyPart::Measure, {});
    if (m_writeStatus) m_writeStatus(ShownName(HoverText(m_pHoverPlace)));
    AnnounceState();
}

QString CZerimView::MeasureSentence() const { return QString::fromStdString(m_measure->Summary()); }

void CZerimView::ShowMeasure(const QString& said) {
    SetJourney(JourneyPart::Measure, m_measure->Layer());
    if (m_writeStatus) m_writeStatus(said.isEmpty() ? MeasureSentence() : MeasureSentence() + " — " + said);
    AnnounceState();
}

// A point off the picture is refused: the map has nothing there to measure.
bool CZerimView::PressForMeasure(const QMouseEvent* event) {
    if (!m_measure || m_pan || m_pointer.Pressing() || !IsMeasureClick(event)) return false;
    const QPoint p = event->position().toPoint();
    const CRect picture = m_geometry.ClientImageRect();
    if (!picture.IsRectEmpty() && !Contains(picture, {p.x(), p.y()})) {
        ShowMeasure(QString::fromUtf8("hors de la carte, aucun point posé"));
        return true;
    }
    // On a place's marker or name, the point is the place itself. A double
    // click's second press finds the same point, and adds nothing.
    const CPlace* place = PlaceAt({p.x(), p.y()});
    const CPoint world = place ? CPoint{place->m_x, place->m_y} : WorldAt({p.x(), p.y()});
    if (m_measure->Add({world.x, world.y})) ShowMeasure();
    return true;
}

// Enter sets a point on the place chosen from the keyboard (Alt+arrows), so
// that a measure needs no mouse.
bool CZerimView::KeyForMeasure(const QKeyEvent* event) {
    if (!m_measure || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    switch (event->key()) {
    case Qt::Key_Escape:
        EndMeasuring();
        if (m_measureEnded) m_measureEnded();
        return true;
    case Qt::Key_Backspace:
        ShowMeasure(m_measure->RemoveLast() ? QString() : QString::fromUtf8("aucun point à retirer"));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (const CPlace* place = FocusedPlace()) {
            if (m_measure->Add({place->m_x, place->m_y})) ShowMeasure();
        } else {
            ShowMeasure(QString::fromUtf8("aucun lieu choisi (Alt+flèches pour en choisir un)"));
        }
        return true;
    default:
        return false;
    }
}
