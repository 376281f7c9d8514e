// The map view's part in the player's layer: drawing it, finding a pin
// under the pointer, moving a pin with Ctrl held, and the notes menu.
#include "mapview/ZerimView.h"

#include "notes/NotesOnMap.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace {
CPoint ClientOf(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}
bool WithCtrl(const QMouseEvent* event) { return event->modifiers() & Qt::ControlModifier; }
}  // namespace

void CZerimView::SetNotes(CNotesOnMap* notes) {
    m_notes = notes;
    m_renderer.SetNotes(notes);
    viewport()->update();
}

void CZerimView::NotesChanged() {
    viewport()->update();
    RefreshHover();
}

CPoint CZerimView::WorldAt(CPoint client) const {
    const CPoint scroll = m_geometry.GetScrollOffset();
    return m_geometry.MapToWorld({client.x + scroll.x, client.y + scroll.y});
}

int CZerimView::PinAt(CPoint client) const { return m_notes ? m_notes->PinAt(m_geometry, client) : -1; }

// Ctrl+left on a pin takes it; Ctrl+right asks for the notes menu (and
// does not zoom out). Other presses are the map's own.
bool CZerimView::PressForNotes(const QMouseEvent* event) {
    if (!WithCtrl(event) || m_pan || m_pointer.Pressing()) return false;
    if (event->button() == Qt::RightButton) return m_openNotesMenu != nullptr;
    if (event->button() != Qt::LeftButton) return false;
    const int pin = PinAt(ClientOf(event));
    if (pin < 0) return false;
    const CMapPin& taken = m_notes->Pins()[size_t(pin)];
    m_pinDrag.emplace(pin, CPoint{taken.x, taken.y});
    viewport()->setCursor(Qt::ClosedHandCursor);
    return true;
}

bool CZerimView::MoveForNotes(const QMouseEvent* event) {
    if (!m_pinDrag) return false;
    m_notes->MovePin(m_pinDrag->first, WorldAt(ClientOf(event)));
    viewport()->update();
    return true;
}

bool CZerimView::ReleaseForNotes(const QMouseEvent* event) {
    if (!m_pinDrag || event->button() != Qt::LeftButton) return m_pinDrag.has_value();
    const auto [pin, from] = *std::exchange(m_pinDrag, std::nullopt);
    viewport()->unsetCursor();
    const CPoint to = WorldAt(ClientOf(event));
    m_notes->MovePin(pin, from);  // the layer moves it, if it takes the edit
    if (m_pinMoved && !(to == from)) m_pinMoved(pin, to);
    viewport()->update();
    return true;
}

// The keyboard's menu keys are the window's command (at the pointer or the
// centre); the mouse's is Ctrl+right click.
void CZerimView::contextMenuEvent(QContextMenuEvent* event) {
    const bool withCtrl = event->reason() == QContextMenuEvent::Mouse && (event->modifiers() & Qt::ControlModifier);
    if (!m_openNotesMenu || !withCtrl) return event->ignore();
    event->accept();
    m_openNotesMenu({event->pos().x(), event->pos().y()});
}
