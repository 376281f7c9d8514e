#include "PicturePreview.h"

#include "ZerimApp.h"

#include "../data/MulDiv.h"

#include <QPainter>
#include <QResizeEvent>

CPicturePreview::CPicturePreview(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPicturePreview::resizeEvent(QResizeEvent* event) {
    // The first sizing with a real client area loads the data.
    if (!event->size().isEmpty()) App().EnsureLoaded();
    QWidget::resizeEvent(event);
}

void CPicturePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const CMapPicture& picture = App().m_picture;
    if (picture.IsEmpty()) return;
    const CSize size = picture.GetPixelSize();
    const CRect dest{0, 0, MulDiv(size.cx, kZoomPercent, 100), MulDiv(size.cy, kZoomPercent, 100)};
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    picture.Render(painter, dest, {0, 0, size.cx, size.cy});
}
