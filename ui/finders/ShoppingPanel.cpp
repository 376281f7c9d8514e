#include "finders/ShoppingPanel.h"

#include "data/PlaceArray.h"
#include "journeys/ShoppingText.h"
#include "npc/LinkedWorld.h"
#include "widgets/AccessibleParts.h"
#include "widgets/AutoCombo.h"
#include "text/Text.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QString Utf8(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

CShoppingPanel::CShoppingPanel(const CLinkedWorld& world, QWidget* parent) : QWidget(parent), m_world(world) {
    CreateControls();
    FillPlaces();
    ClearTour();
    EnableButtons();
}

void CShoppingPanel::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    // Wide enough for a vendor and a location on a line or two.
    setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 22);

    m_spells = new QListWidget(this);
    m_spells->setAccessibleName(QString::fromUtf8("Sorts à acheter"));
    m_spells->setSelectionMode(QAbstractItemView::SingleSelection);
    m_spells->setWordWrap(true);
    m_spells->installEventFilter(this);
    connect(m_spells, &QListWidget::currentRowChanged, this, &CShoppingPanel::EnableButtons);
    layout->addWidget(m_spells, 2);

    auto* edits = new QHBoxLayout;
    connect(NewButton("R&etirer", "remove", nullptr), &QPushButton::clicked, this, &CShoppingPanel::RemoveCurrent);
    connect(NewButton("&Vider", "clear", nullptr), &QPushButton::clicked, this, &CShoppingPanel::Clear);
    edits->addWidget(Button("remove"));
    edits->addWidget(Button("clear"));
    edits->addStretch();
    layout->addLayout(edits);

    layout->addLayout(CreateStartChoice());
    layout->addWidget(NewButton("&Où acheter", "plan", &CShoppingPanel::PlanRequested));

    m_stops = new QListWidget(this);
    m_stops->setAccessibleName(QString::fromUtf8("Marchands dans l'ordre de visite"));
    m_stops->setWordWrap(true);
    m_stops->setSelectionMode(QAbstractItemView::SingleSelection);
    // A row made current, or clicked again once the map has moved.
    connect(m_stops, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) emit StopChosen(row);
    });
    connect(m_stops, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit StopChosen(m_stops->row(item)); });
    layout->addWidget(m_stops, 3);

    m_summary = new QLabel(this);
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setAccessibleName(QString::fromUtf8("Résumé de la tournée"));
    layout->addWidget(m_summary);

    auto* out = new QHBoxLayout;
    out->addWidget(NewButton("E&xporter la liste…", "export", &CShoppingPanel::ExportRequested));
    out->addWidget(NewButton("&Imprimer…", "print", &CShoppingPanel::PrintRequested));
    out->addStretch();
    layout->addLayout(out);
    NameUnnamedParts(*this);
}

QLayout* CShoppingPanel::CreateStartChoice() {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QString::fromUtf8("Départ :"), this), 0, 0, 1, 2);
    m_startPointed = new QRadioButton(QString::fromUtf8("le lieu &survolé ou trouvé"), this);
    m_startPicked = new QRadioButton(QString::fromUtf8("&ce lieu :"), this);
    m_startNone = new QRadioButton(QString::fromUtf8("a&ucun, le premier marchand"), this);
    m_placeField = new CAutoCombo(this);
    m_placeField->setAccessibleName(QString::fromUtf8("Lieu de départ"));
    m_placeField->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_placeField->setMinimumContentsLength(12);
    m_placeField->setMaxVisibleItems(20);
    m_placeField->SetListFitsEntries(true);
    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {m_startPointed, m_startPicked, m_startNone}) group->addButton(button);
    m_startPointed->setChecked(true);
    grid->addWidget(m_startPointed, 1, 0, 1, 2);
    grid->addWidget(m_startPicked, 2, 0);
    grid->addWidget(m_placeField, 2, 1);
    grid->addWidget(m_startNone, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
        if (on) emit StartChanged();
    });
    // Naming a place chooses it as the start.
    const auto picked = [this] {
        m_startPicked->setChecked(true);
        emit StartChanged();
    };
    connect(m_placeField, qOverload<int>(&QComboBox::activated), this, picked);
    connect(m_placeField->lineEdit(), &QLineEdit::textEdited, this, picked);
    // Enter in the field plans the tour from the place named.
    connect(m_placeField->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (!m_list.Empty()) emit PlanRequested();
    });
    return grid;
}

// `signal`, when given, is what a click says.
QPushButton* CShoppingPanel::NewButton(const char* text, const char* objectName, void (CShoppingPanel::*signal)()) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    if (signal) connect(button, &QPushButton::clicked, this, [this, signal] { emit(this->*signal)(); });
    return button;
}

QPushButton* CShoppingPanel::Button(const char* objectName) const {
    return findChild<QPushButton*>(QString::fromLatin1(objectName));
}

// Sorted as the place bar sorts them, each with its index in the table.
void CShoppingPanel::FillPlaces() {
    const CPlaceArray& places = m_world.Places();
    std::vector<std::pair<QString, int>> names;
    names.reserve(size_t(places.GetSize()));
    for (int i = 0; i < places.GetSize(); ++i)
        if (places[i]) names.emplace_back(ShownName(places[i]->m_strName), i);
    std::stable_sort(names.begin(), names.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; });
    for (const auto& [name, index] : names) m_placeField->addItem(name, index);
    m_placeField->setCurrentIndex(-1);
}

bool CShoppingPanel::Add(uint16_t spell) {
    if (!m_list.Add(spell)) return false;
    ShowSpells();
    m_spells->setCurrentRow(m_spells->count() - 1);
    emit ListChanged();
    return true;
}

void CShoppingPanel::SetList(CShoppingList list) {
    m_list = std::move(list);
    ShowSpells();
}

void CShoppingPanel::ShowSpells() {
    m_spells->clear();
    for (const uint16_t spell : m_list.Spells()) m_spells->addItem(Utf8(ShoppingSpellText(m_world, spell)));
    EnableButtons();
}

// The row that takes the removed one's place becomes current, so that
// Delete pressed again goes on down the list.
void CShoppingPanel::RemoveCurrent() {
    const int row = m_spells->currentRow();
    if (row < 0) return;
    m_list.RemoveAt(size_t(row));
    ShowSpells();
    m_spells->setCurrentRow(std::min(row, m_spells->count() - 1));
    emit ListChanged();
}

void CShoppingPanel::Clear() {
    if (m_list.Empty()) return;
    m_list.Clear();
    ShowSpells();
    emit ListChanged();
}

void CShoppingPanel::EnableButtons() {
    Button("remove")->setEnabled(m_spells->currentRow() >= 0);
    for (const char* name : {"clear", "plan", "export", "print"}) Button(name)->setEnabled(!m_list.Empty());
}

bool CShoppingPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_spells && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            RemoveCurrent();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

CShoppingPanel::Start CShoppingPanel::StartChoice() const {
    if (m_startPicked->isChecked()) return Start::Picked;
    return m_startNone->isChecked() ? Start::None : Start::Pointed;
}

int CShoppingPanel::PickedPlace() const {
    const int item = m_placeField->findText(m_placeField->currentText().trimmed(), Qt::MatchFixedString);
    return item < 0 ? -1 : m_placeField->itemData(item).toInt();
}

QString CShoppingPanel::PickedText() const { return m_placeField->currentText(); }

void CShoppingPanel::SetStart(Start start, const QString& picked) {
    m_placeField->setCurrentIndex(m_placeField->findText(picked, Qt::MatchFixedString));
    if (m_placeField->currentIndex() < 0) m_placeField->setEditText(picked);
    (start == Start::Picked ? m_startPicked : start == Start::None ? m_startNone : m_startPointed)->setChecked(true);
}

void CShoppingPanel::ShowTour(const CShoppingLines& lines, const QString& from) {
    m_stops->clear();
    for (const std::string& line : lines.stops) m_stops->addItem(Utf8(line));
    QStringList summary{QString::fromUtf8("Départ : %1").arg(from)};
    for (const std::string* line : {&lines.total, &lines.unsold})
        if (!line->empty()) summary << Utf8(*line);
    for (const std::string& note : lines.notes) summary << Utf8(note);
    if (lines.stops.empty()) summary << QString::fromUtf8("Aucun marchand à visiter");
    m_summary->setText(summary.join('\n'));
}

void CShoppingPanel::ClearTour() {
    m_stops->clear();
    m_summary->setText(m_list.Empty() ? QString::fromUtf8("Ajoutez des sorts depuis la recherche de sorts (Ctrl+B)")
                                      : QString::fromUtf8("« Où acheter » cherche le moins de marchands possible"));
}
