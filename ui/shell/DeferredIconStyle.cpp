#include "shell/DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

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

}  // namespace

CDeferredIconStyle::CDeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon CDeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
    if (!IsExtensionArrow(icon)) return QProxyStyle::standardIcon(icon, option, widget);
    // Neither the option nor the widget may outlive this call; the arrow's
    // direction follows the application's. Should the style be replaced
    // before the arrow is drawn, the new one draws it.
    QPointer<QStyle> base(const_cast<QStyle*>(baseStyle()));
    return QIcon(new DeferredIconEngine([base, icon] {
        return (base ? base.data() : QApplication::style())->standardIcon(icon);
    }));
}

void DeferStyleIcons() {
    // The base style is the proxy's from now on, and goes with it.
    QApplication::setStyle(new CDeferredIconStyle(QApplication::style()));
}
