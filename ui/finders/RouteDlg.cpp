#include "finders/RouteDlg.h"

#include "data/PlaceArray.h"
#include "journeys/PlaceRoute.h"
#include "text/Text.h"
#include "widgets/AutoCombo.h"
#include "widgets/DialogHelpers.h"
#include "widgets/DialogUnits.h"
#include "widgets/PlaceCombo.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPushButton* AddButton(QDialogButtonBox* box, const QString& text, QDialogButtonBox::ButtonRole role) {
    QPushButton* button = box->addButton(text, role);
    button->setAutoDefault(false);
    return button;
}

QLabel* NewResultLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // place names are never markup
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

CRouteDlg::CRouteDlg(const CPlaceArray& places, Links links, QWidget* parent)
    : QDialog(parent, kDialogFlags), m_links(std::move(links)) {
    setObjectName(QStringLiteral("route"));
    setWindowTitle(QString::fromUtf8("Itinéraire"));
    auto* form = new QFormLayout;
    const char* const labels[2] = {"&Départ :", "&Arrivée :"};
    for (int end = 0; end < 2; ++end) {
        m_ends[end] = new CAutoCombo(this);
        m_ends[end]->setMaxVisibleItems(20);
        m_ends[end]->SetListFitsEntries(true);
        m_ends[end]->setMinimumContentsLength(24);
        FillWithPlaces(*m_ends[end], places);
        form->addRow(QString::fromUtf8(labels[end]), m_ends[end]);
    }
    m_ends[0]->setAccessibleName(QString::fromUtf8("Départ"));
    m_ends[1]->setAccessibleName(QString::fromUtf8("Arrivée"));

    m_legs = new QTreeWidget(this);
    m_legs->setObjectName(QStringLiteral("routeLegs"));
    m_legs->setHeaderLabels({QString::fromUtf8("Étape"), QStringLiteral("Route"), QStringLiteral("Longueur")});
    m_legs->setRootIsDecorated(false);
    m_legs->setUniformRowHeights(true);
    m_legs->setSelectionMode(QAbstractItemView::NoSelection);
    m_legs->setAccessibleName(QString::fromUtf8("Étapes de l'itinéraire"));
    m_legs->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_total = NewResultLabel(this);
    m_total->setObjectName(QStringLiteral("routeTotal"));
    m_notice = NewResultLabel(this);
    m_notice->setObjectName(QStringLiteral("routeNotice"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* calculate = buttons->addButton(QStringLiteral("&Calculer"), QDialogButtonBox::ActionRole);
    calculate->setDefault(true);  // Enter in either field
    connect(calculate, &QPushButton::clicked, this, &CRouteDlg::Calculate);
    connect(AddButton(buttons, QStringLiteral("&Inverser"), QDialogButtonBox::ActionRole), &QPushButton::clicked, this,
            &CRouteDlg::Swap);
    connect(AddButton(buttons, QStringLiteral("&Effacer"), QDialogButtonBox::ResetRole), &QPushButton::clicked, this,
            &CRouteDlg::Clear);
    connect(AddButton(buttons, QStringLiteral("Fermer"), QDialogButtonBox::RejectRole), &QPushButton::clicked, this,
            &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_legs, 1);
    layout->addWidget(m_total);
    layout->addWidget(m_notice);
    layout->addWidget(buttons);
    resize(DialogUnits(font()).Size(230, 180));
    // Closed (Escape, the title bar, "Fermer"), it takes its route away.
    connect(this, &QDialog::finished, this, &CRouteDlg::Clear);
}

void CRouteDlg::Offer(const CPlace* place) {
    if (!place) {
        m_ends[0]->setFocus();
        return;
    }
    const bool startChosen = PlaceNamedIn(*m_ends[0]) != nullptr;
    Choose(startChosen ? 1 : 0, place);
    if (startChosen)
        Calculate();
    else
        m_ends[1]->setFocus();
}

void CRouteDlg::Plan(const CPlace* from, const CPlace* to) {
    Choose(0, from);
    Choose(1, to);
    Calculate();
}

// The field shows the place's name, its item the place itself (of places
// sharing a name, that one).
void CRouteDlg::Choose(int end, const CPlace* place) {
    CAutoCombo& field = *m_ends[end];
    for (int i = 0; i < field.count(); ++i)
        if (PlaceOfItem(field, i) == place) {
            field.setCurrentIndex(i);
            return;
        }
    field.setCurrentIndex(-1);
    field.setEditText(place ? ShownName(place->m_strName) : QString());
}

void CRouteDlg::Calculate() {
    const CPlace* ends[2] = {PlaceNamedIn(*m_ends[0]), PlaceNamedIn(*m_ends[1])};
    QString problem;
    for (int end = 1; end >= 0; --end) {
        const QString typed = m_ends[end]->currentText().trimmed();
        if (ends[end]) continue;
        problem = typed.isEmpty() ? QString::fromUtf8(end == 0 ? "Choisissez un départ" : "Choisissez une arrivée")
                                  : QString::fromUtf8("Aucun lieu ne s'appelle « %1 »").arg(typed);
        m_ends[end]->setFocus();
    }
    if (problem.isEmpty() && ends[0] == ends[1])
        problem = QString::fromUtf8("Le départ et l'arrivée sont le même lieu");
    if (!problem.isEmpty()) {
        m_legs->clear();
        m_total->clear();
        m_notice->setText(problem);
        m_links.showRoute({});
        return;
    }
    const CPlaceRoute plan =
        PlanPlaceRoute(m_links.roads(), {ends[0]->m_x, ends[0]->m_y}, {ends[1]->m_x, ends[1]->m_y});
    m_legs->clear();
    for (size_t i = 0; i < plan.legs.size(); ++i)
        m_legs->addTopLevelItem(
            new QTreeWidgetItem(QStringList{QString::number(i + 1), QString::fromStdString(plan.legs[i].rank),
                                            QString::fromStdString(plan.legs[i].length)}));
    m_total->setText(
        QString::fromUtf8("De %1 à %2 : %3")
            .arg(ShownName(ends[0]->m_strName), ShownName(ends[1]->m_strName), QString::fromStdString(plan.total)));
    m_notice->setText(QString::fromStdString(plan.notice));
    m_links.showRoute(plan.layer);
}

void CRouteDlg::Swap() {
    const QString start = m_ends[0]->currentText();
    const int startItem = m_ends[0]->currentIndex();
    const bool shown = m_legs->topLevelItemCount() > 0;
    m_ends[0]->setCurrentIndex(m_ends[1]->currentIndex());
    m_ends[0]->setEditText(m_ends[1]->currentText());
    m_ends[1]->setCurrentIndex(startItem);
    m_ends[1]->setEditText(start);
    if (shown) Calculate();
}

void CRouteDlg::Clear() {
    for (CAutoCombo* field : m_ends) {
        field->setCurrentIndex(-1);
        field->clearEditText();
    }
    m_legs->clear();
    m_total->clear();
    m_notice->clear();
    m_links.showRoute({});
}

QString CRouteDlg::TotalText() const { return m_total->text(); }
QString CRouteDlg::NoticeText() const { return m_notice->text(); }
