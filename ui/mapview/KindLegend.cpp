#include "mapview/KindLegend.h"

#include "render/KindSymbols.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kIconSide = 16;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// The marker as the map draws it, at the legend's size: the kind's symbol,
// or the square's outline.
QIcon MarkerIcon(int32_t code, bool symbols, const QColor& colour, qreal ratio) {
    QPixmap pixmap(QSize(kIconSide, kIconSide) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRectF box(2, 2, kIconSide - 4, kIconSide - 4);
    if (symbols) {
        DrawKindSymbol(painter, code, box, colour);
    } else {
        painter.setPen(QPen(colour, 1.5));
        painter.drawRect(box.adjusted(2, 2, -2, -2));
    }
    return QIcon(pixmap);
}

}  // namespace

CKindLegend::CKindLegend(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    m_grid = new QGridLayout;
    m_grid->setColumnStretch(0, 1);
    layout->addLayout(m_grid);
    auto* all = new QPushButton(QString::fromUtf8("Tout afficher"), this);
    connect(all, &QPushButton::clicked, this, &CKindLegend::ShowAll);
    layout->addWidget(all, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

void CKindLegend::SetKinds(const std::vector<PlaceKindCount>& kinds) {
    m_hidden = HiddenKinds();
    m_boxes.clear();
    while (QLayoutItem* item = m_grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const PlaceKindCount& kind : kinds) {
        auto* box = new QCheckBox(Utf8(PlaceKindPlural(kind.code)), this);
        box->setToolTip(QString::fromUtf8("type:%1").arg(Utf8(PlaceKindKey(kind.code))));
        auto* count = new QLabel(QString::number(kind.count), this);
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int row = m_grid->rowCount();
        m_grid->addWidget(box, row, 0);
        m_grid->addWidget(count, row, 1);
        m_boxes.push_back({kind.code, box});
        connect(box, &QCheckBox::toggled, this, &CKindLegend::HiddenKindsChanged);
    }
    SetHiddenKinds(m_hidden);
    UpdateIcons();
}

void CKindLegend::SetHiddenKinds(const std::vector<int32_t>& hidden) {
    m_hidden = hidden;
    for (const Row& row : m_boxes) {
        const QSignalBlocker quiet(row.box);
        row.box->setChecked(std::find(hidden.begin(), hidden.end(), row.code) == hidden.end());
    }
}

std::vector<int32_t> CKindLegend::HiddenKinds() const {
    if (m_boxes.empty()) return m_hidden;
    std::vector<int32_t> hidden;
    for (const Row& row : m_boxes)
        if (!row.box->isChecked()) hidden.push_back(row.code);
    return hidden;
}

void CKindLegend::SetMarkers(bool symbols, const QColor& colour) {
    if (symbols == m_symbols && colour == m_colour) return;
    m_symbols = symbols;
    m_colour = colour;
    UpdateIcons();
}

void CKindLegend::ShowAll() {
    if (HiddenKinds().empty()) return;
    SetHiddenKinds({});
    emit HiddenKindsChanged();
}

void CKindLegend::UpdateIcons() {
    const qreal ratio = devicePixelRatioF();
    for (const Row& row : m_boxes) row.box->setIcon(MarkerIcon(row.code, m_symbols, m_colour, ratio));
}
