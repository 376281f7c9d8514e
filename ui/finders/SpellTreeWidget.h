// The effect tree's control: a tree that draws its own dotted lines between
// items (root items included) and a plus or minus box on every item with
// children, so that the structure reads the same under every widget style.
#pragma once
#include <QTreeWidget>

class CSpellTreeWidget : public QTreeWidget {
public:
    explicit CSpellTreeWidget(QWidget* parent = nullptr);

protected:
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;

private:
    void DrawExpandBox(QPainter* painter, QPoint centre, bool expanded) const;
};
