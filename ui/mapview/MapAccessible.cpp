#include "mapview/MapAccessible.h"

#include "mapview/ZerimView.h"

#include <QAccessibleWidget>

namespace {

class CMapAccessible : public QAccessibleWidget {
public:
    explicit CMapAccessible(CZerimView* view) : QAccessibleWidget(view, QAccessible::Graphic) {}

    QString text(QAccessible::Text kind) const override {
        const auto* view = static_cast<const CZerimView*>(widget());
        switch (kind) {
        case QAccessible::Description:
            return view->AccessibleState();
        case QAccessible::Help:
            return QString::fromUtf8(
                "Clic gauche : zoom avant ; clic droit : zoom arrière ; molette : défilement ; "
                "Alt+flèches : lieu voisin ; F3 : lieu trouvé suivant ; Échap : aucun lieu");
        default:
            return QAccessibleWidget::text(kind);
        }
    }
};

QAccessibleInterface* MapInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("CZerimView") || !object || !object->isWidgetType()) return nullptr;
    return new CMapAccessible(static_cast<CZerimView*>(object));
}

}  // namespace

void InstallMapAccessible() {
    static const bool installed = (QAccessible::installFactory(MapInterface), true);
    (void)installed;
}
