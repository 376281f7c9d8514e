#include "startup/QuickStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

#include <functional>
#include <optional>

namespace {

// An icon made by `make` at its first use.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : m_make(std::move(make)) {}

    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, 1.0, mode, state);
    }
    // `size` is in device pixels already; QIcon sets the ratio.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override {
        return pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }

private:
    const QIcon& Icon() {
        if (!m_icon) m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    std::optional<QIcon> m_icon;
};

bool IsExtensionArrow(QStyle::StandardPixmap icon) {
    return icon == QStyle::SP_ToolBarHorizontalExtensionButton || icon == QStyle::SP_ToolBarVerticalExtensionButton;
}

// Whether Fusion would draw this tool bar as a main window's top bar, on a
// painter whose pixels are plain to reproduce (one device pixel to the unit,
// no antialiasing).
bool PlainFusionTopToolBar(const QStyle& base, const QStyleOptionToolBar* bar, const QPainter& painter,
                           const QWidget* widget) {
    if (!bar || bar->toolBarArea != Qt::TopToolBarArea || !(bar->state & QStyle::State_Horizontal)) return false;
    if (!widget || !qobject_cast<const QMainWindow*>(widget->parentWidget())) return false;
    if (base.name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) return false;
    return painter.transform().type() <= QTransform::TxTranslate && painter.device()->devicePixelRatio() == 1 &&
           !painter.testRenderHint(QPainter::Antialiasing);
}

// Fusion's top tool bar: a gradient from a touch lighter than the window
// down to the window's colour, a light row along the top, and a shadow row
// along the bottom, over a light one on the last line of bars.
void DrawTopToolBar(QPainter& painter, const QStyleOptionToolBar& bar) {
    const QRect& r = bar.rect;
    const QColor window = bar.palette.window().color();
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, window.lighter(104));
    gradient.setColorAt(1, window);
    painter.fillRect(r, gradient);
    const QColor light(255, 255, 255, 90), shadow(0, 0, 0, 60);
    auto row = [&](int y, const QColor& colour) { painter.fillRect(QRect(r.left(), y, r.width(), 1), colour); };
    if (bar.positionOfLine == QStyleOptionToolBar::End || bar.positionOfLine == QStyleOptionToolBar::OnlyOne) {
        row(r.bottom(), light);
        row(r.bottom() - 1, shadow);
    } else {
        row(r.bottom(), shadow);
    }
    row(r.top(), light);
}

}  // namespace

CQuickStyle::CQuickStyle(QStyle* base) : QProxyStyle(base) {}

QIcon CQuickStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    if (!IsExtensionArrow(icon)) return QProxyStyle::standardIcon(icon, option, widget);
    // Neither the option nor the widget may outlive this call; the arrow's
    // direction follows the application's. Should the style be replaced
    // before the arrow is drawn, the new one draws it.
    QPointer<QStyle> base(const_cast<QStyle*>(baseStyle()));
    return QIcon(new DeferredIconEngine([base, icon] {
        return (base ? base.data() : QApplication::style())->standardIcon(icon);
    }));
}

void CQuickStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    const auto* bar = element == CE_ToolBar ? qstyleoption_cast<const QStyleOptionToolBar*>(option) : nullptr;
    if (painter && PlainFusionTopToolBar(*baseStyle(), bar, *painter, widget)) return DrawTopToolBar(*painter, *bar);
    QProxyStyle::drawControl(element, option, painter, widget);
}

void UseQuickStyle() {
    // The base style is the proxy's from now on, and goes with it.
    QApplication::setStyle(new CQuickStyle(QApplication::style()));
}
