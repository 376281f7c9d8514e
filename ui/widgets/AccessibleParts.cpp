#include "widgets/AccessibleParts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {
void NameIfUnnamed(QWidget* part, const QString& name) {
    if (part && part->accessibleName().isEmpty()) part->setAccessibleName(name);
}
}  // namespace

void NameUnnamedParts(QWidget& root) {
    for (QComboBox* combo : root.findChildren<QComboBox*>()) {
        const QString name = combo->accessibleName();
        if (name.isEmpty()) continue;
        NameIfUnnamed(combo->lineEdit(), name);
        NameIfUnnamed(combo->view(), QString::fromUtf8("Liste : %1").arg(name));
    }
    for (QLineEdit* edit : root.findChildren<QLineEdit*>())
        for (QToolButton* button : edit->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
            NameIfUnnamed(button, QStringLiteral("Effacer"));
    for (QToolButton* button : root.findChildren<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        NameIfUnnamed(button, QStringLiteral("Autres boutons"));
}
