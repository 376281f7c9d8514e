// The overview map: the whole picture in a small widget (the main window's
// "Vue d'ensemble" dock), with the part the map view shows outlined over
// it. A click or a drag in it brings that point to the middle of the view;
// reached with Tab, its arrows and page keys scroll the view as the view's
// own do.
//
// It follows the view without any call from it: it looks at the view's
// state each time the view paints, and repaints itself when the zoom, the
// scroll, the view's size, the picture or the found places changed. The
// whole picture is drawn once by the map renderer into a kept image, made
// again only when its size or the picture change, and the found places are
// marked on a copy of it when they change; a repaint copies that and draws
// the rectangle.
#pragma once
#include "data/Geometry.h"

#include <QImage>
#include <QWidget>

#include <vector>

class CMapPicture;
class CPlace;
class CZerimView;

class COverviewMap : public QWidget {
    Q_OBJECT
public:
    // The view must outlive the overview.
    explicit COverviewMap(CZerimView& view, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Where the picture is drawn in the widget, and the rectangle of the
    // view over it (widget coordinates): what a repaint shows.
    CRect FittedPicture() const;
    CRect ViewRectangle() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // What the overview shows of the view, compared at each of its paints.
    struct Seen {
        int zoom = 0;
        CPoint scroll;
        CSize client;
        const CMapPicture* picture = nullptr;
        int generation = 0;
        std::vector<const CPlace*> found;
        bool adaptedColours = false;
        bool operator==(const Seen& o) const {
            return zoom == o.zoom && scroll == o.scroll && client == o.client && picture == o.picture &&
                   generation == o.generation && found == o.found && adaptedColours == o.adaptedColours;
        }
    };
    Seen SeenNow() const;
    const QImage& Picture(const CMapPicture& picture, const CRect& fitted, qreal ratio);
    void MarkFound(QImage& image, const CRect& fitted) const;
    void CentreViewAt(QPoint point);

    CZerimView& m_view;
    Seen m_seen;
    // The picture alone, and with the found places marked, as last drawn.
    QImage m_picture, m_marked;
    const CMapPicture* m_drawnFrom = nullptr;
    int m_drawnGeneration = -1;
    std::vector<const CPlace*> m_markedFound;
    bool m_markedAdapted = false;
};
