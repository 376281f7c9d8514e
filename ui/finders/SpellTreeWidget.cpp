#include "finders/SpellTreeWidget.h"

#include <QPainter>

CSpellTreeWidget::CSpellTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(true);
}

void CSpellTreeWidget::drawBranches(QPainter* painter, const QRect& rect,
                                    const QModelIndex& index) const {
    // Keep the row's background (selection, alternate colours) as the style paints it.
    painter->save();
    QPen pen(palette().color(QPalette::Mid));
    pen.setCosmetic(true);
    pen.setDashPattern({1.0, 1.0});  // one pixel on, one off
    painter->setPen(pen);

    // One column of `indentation()` pixels per level, the item's own last.
    std::vector<QModelIndex> chain;  // the item and its ancestors, innermost first
    for (QModelIndex i = index; i.isValid(); i = i.parent()) chain.push_back(i);
    const int step = indentation();
    const int midY = rect.top() + rect.height() / 2;
    for (size_t level = 0; level < chain.size(); ++level) {
        const QModelIndex& at = chain[chain.size() - 1 - level];
        const int x = rect.left() + int(level) * step + step / 2;
        const bool hasNext = at.sibling(at.row() + 1, 0).isValid();
        if (at != index) {
            // An ancestor's line runs on past this row to its next sibling.
            if (hasNext) painter->drawLine(x, rect.top(), x, rect.bottom());
            continue;
        }
        const bool firstOfAll = !at.parent().isValid() && at.row() == 0;
        painter->drawLine(x, firstOfAll ? midY : rect.top(), x, hasNext ? rect.bottom() : midY);
        painter->drawLine(x, midY, x + step / 2 + 2, midY);
        if (model()->hasChildren(index)) DrawExpandBox(painter, {x, midY}, isExpanded(index));
    }
    painter->restore();
}

void CSpellTreeWidget::DrawExpandBox(QPainter* painter, QPoint centre, bool expanded) const {
    constexpr int half = 4;  // a 9-pixel box
    const QRect box(centre.x() - half, centre.y() - half, 2 * half, 2 * half);
    painter->setPen(palette().color(QPalette::Dark));
    painter->setBrush(palette().color(QPalette::Base));
    painter->drawRect(box);
    painter->setPen(palette().color(QPalette::Text));
    painter->drawLine(centre.x() - 2, centre.y(), centre.x() + 2, centre.y());
    if (!expanded) painter->drawLine(centre.x(), centre.y() - 2, centre.x(), centre.y() + 2);
}
