#include "widgets/PlaceCombo.h"

#include "data/PlaceArray.h"
#include "text/Text.h"

#include <QComboBox>
#include <QStandardItemModel>

#include <algorithm>
#include <utility>
#include <vector>

void FillWithPlaces(QComboBox& combo, const CPlaceArray& places) {
    std::vector<std::pair<QString, CPlace*>> items;
    items.reserve(size_t(places.GetSize()));
    for (CPlace* place : places)
        if (place) items.emplace_back(ShownName(place->m_strName), place);
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    // All in one insertion: item by item, each would be announced (and
    // the list rearranged) on its own.
    QList<QStandardItem*> column;
    column.reserve(qsizetype(items.size()));
    for (const auto& [name, place] : items) {
        auto* item = new QStandardItem(name);
        item->setData(QVariant::fromValue(reinterpret_cast<quintptr>(place)), Qt::UserRole);
        column.append(item);
    }
    auto* model = qobject_cast<QStandardItemModel*>(combo.model());
    model->setColumnCount(0);  // the combo's own model starts with an empty column
    model->appendColumn(column);
    combo.setCurrentIndex(-1);
}

CPlace* PlaceOfItem(const QComboBox& combo, int index) {
    if (index < 0 || index >= combo.count()) return nullptr;
    return reinterpret_cast<CPlace*>(combo.itemData(index).value<quintptr>());
}

CPlace* PlaceNamedIn(const QComboBox& combo) {
    const QString text = combo.currentText().trimmed();
    if (text.isEmpty()) return nullptr;
    const int chosen = combo.currentIndex();
    if (chosen >= 0 && QString::compare(combo.itemText(chosen), text, Qt::CaseInsensitive) == 0)
        return PlaceOfItem(combo, chosen);
    return PlaceOfItem(combo, combo.findText(text, Qt::MatchFixedString));
}
