#include "mymap/NotesPanel.h"

#include "mymap/NotesListModel.h"
#include "widgets/AccessibleParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_map>

namespace {

bool IsKey(const QKeyEvent* key, std::initializer_list<int> keys) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::NoModifier && std::find(keys.begin(), keys.end(), key->key()) != keys.end();
}

}  // namespace

CNotesPanel::CNotesPanel(QWidget* parent) : QWidget(parent), m_model(new CNotesListModel(this)) {
    CreateControls();
    ShowRows(nullptr, {});
    m_progress->setText(QString::fromStdString(ProgressText(0, 0)));
}

CNotesPanel::~CNotesPanel() = default;

void CNotesPanel::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    // Two by two, so that the panel may be narrow.
    auto* kinds = new QGridLayout;
    const char* const labels[KindBoxCount] = {"Épingles", "Visités", "Favoris", "Avec note"};
    const char* const names[KindBoxCount] = {"Montrer les épingles", "Montrer les lieux visités", "Montrer les favoris",
                                             "Montrer ce qui a une note"};
    for (int i = 0; i < KindBoxCount; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(labels[i]), this);
        box->setAccessibleName(QString::fromUtf8(names[i]));
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, &CNotesPanel::Refilter);
        kinds->addWidget(box, i / 2, i % 2);
        m_kindBoxes[size_t(i)] = box;
    }
    layout->addLayout(kinds);

    auto* row = new QHBoxLayout;
    m_textFilter = new QLineEdit(this);
    m_textFilter->setPlaceholderText(QStringLiteral("Filtrer"));
    m_textFilter->setAccessibleName(QString::fromUtf8("Filtrer par nom ou par note"));
    m_textFilter->setClearButtonEnabled(true);
    connect(m_textFilter, &QLineEdit::textChanged, this, &CNotesPanel::Refilter);
    m_textFilter->installEventFilter(this);
    // Enter in the field goes to the current row, else the first one.
    connect(m_textFilter, &QLineEdit::returnPressed, this, [this] {
        if (!m_view->currentIndex().isValid() && m_model->rowCount() > 0) m_view->setCurrentIndex(m_model->index(0, 0));
        ActivateCurrent();
    });
    row->addWidget(m_textFilter, 1);
    m_sortChoice = new QComboBox(this);
    m_sortChoice->addItem(QStringLiteral("Trier par nom"));
    m_sortChoice->addItem(QStringLiteral("Trier par date"));
    m_sortChoice->setAccessibleName(QStringLiteral("Ordre de la liste"));
    connect(m_sortChoice, qOverload<int>(&QComboBox::currentIndexChanged), this, &CNotesPanel::Refilter);
    row->addWidget(m_sortChoice);
    layout->addLayout(row);

    // A table rather than a tree: its rows are a vertical header of fixed
    // sections, so that a list of 100,000 rows is laid out without a walk
    // over every row, as a tree view's layout does at each reset.
    auto* table = new QTableView(this);
    m_view = table;
    m_view->setAccessibleName(QStringLiteral("Mes notes"));
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->setCornerButtonEnabled(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    m_view->setTabKeyNavigation(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->setModel(m_model);
    // Fixed widths: sizing to the contents would measure every row.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    table->setColumnWidth(CNotesListModel::KindColumn, 7 * em);
    table->setColumnWidth(CNotesListModel::NameColumn, 11 * em);
    m_view->installEventFilter(this);
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit Activated(m_model->ItemAt(index.row()).id);
    });
    layout->addWidget(m_view, 1);

    m_progress = new QLabel(this);
    m_progress->setTextFormat(Qt::PlainText);
    m_progress->setAccessibleName(QStringLiteral("Progression"));
    NameUnnamedParts(*this);
    layout->addWidget(m_progress);

    setTabOrder(m_kindBoxes.back(), m_textFilter);
    setTabOrder(m_textFilter, m_sortChoice);
    setTabOrder(m_sortChoice, m_view);
}

void CNotesPanel::SetItems(const CNoteItems& items, int placeCount) {
    m_progress->setText(QString::fromStdString(ProgressText(VisitedPlaces(items), placeCount)));
    m_pending = items;
    m_hasPending = true;
    if (isVisible()) Flush();
}

void CNotesPanel::Flush() {
    if (!m_hasPending) return;
    m_hasPending = false;
    m_filter.SetItems(m_pending);
    ShowRows(&m_pending, m_filter.Rows(CheckedKinds(), m_textFilter->text().toStdString(), Order()));
    m_pending = {};
}

void CNotesPanel::showEvent(QShowEvent* event) {
    Flush();
    QWidget::showEvent(event);
}

std::vector<std::string> CNotesPanel::ShownIds() {
    Flush();
    std::vector<std::string> ids;
    ids.reserve(m_model->Rows().size());
    for (int index : m_model->Rows()) ids.push_back(m_model->Items()[size_t(index)].id);
    return ids;
}

std::vector<std::string> CNotesPanel::SelectedIds() {
    Flush();
    QModelIndexList rows = m_view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<std::string> ids;
    ids.reserve(size_t(rows.size()));
    for (const QModelIndex& row : rows) ids.push_back(m_model->ItemAt(row.row()).id);
    return ids;
}

unsigned CNotesPanel::CheckedKinds() const {
    static constexpr unsigned kKinds[KindBoxCount] = {NoteKind::Pins, NoteKind::Visited, NoteKind::Favourites,
                                                      NoteKind::Noted};
    unsigned kinds = 0;
    for (int i = 0; i < KindBoxCount; ++i)
        if (m_kindBoxes[size_t(i)]->isChecked()) kinds |= kKinds[i];
    return kinds;
}

NoteOrder CNotesPanel::Order() const {
    return m_sortChoice->currentIndex() == 1 ? NoteOrder::ByDate : NoteOrder::ByName;
}

void CNotesPanel::Refilter() {
    if (m_hasPending) return Flush();
    ShowRows(nullptr, m_filter.Rows(CheckedKinds(), m_textFilter->text().toStdString(), Order()));
}

void CNotesPanel::ShowRows(CNoteItems* newItems, std::vector<int> rows) {
    // What was selected and current, as indices into the items.
    std::vector<int> selected;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        selected.push_back(m_model->Rows()[size_t(index.row())]);
    const QModelIndex current = m_view->currentIndex();
    const int currentRow = current.isValid() ? current.row() : -1;
    int currentItem = current.isValid() ? m_model->Rows()[size_t(currentRow)] : -1;

    if (!newItems) {
        m_model->ResetRows(std::move(rows));
    } else {
        // The same items in the new list, found by their ids.
        std::unordered_map<std::string, int> wanted;
        for (int index : selected) wanted.emplace(m_model->Items()[size_t(index)].id, -1);
        if (currentItem >= 0) wanted.emplace(m_model->Items()[size_t(currentItem)].id, -1);
        if (!wanted.empty()) {
            for (size_t i = 0; i < newItems->size(); ++i) {
                auto found = wanted.find((*newItems)[i].id);
                if (found != wanted.end()) found->second = int(i);
            }
            for (int& index : selected) index = wanted[m_model->Items()[size_t(index)].id];
            if (currentItem >= 0) currentItem = wanted[m_model->Items()[size_t(currentItem)].id];
        }
        m_model->Reset(std::move(*newItems), std::move(rows));
    }

    const auto& shown = m_model->Rows();
    if ((selected.empty() && currentRow < 0) || shown.empty()) return;
    std::vector<int> rowOf(m_model->Items().size(), -1);
    for (size_t r = 0; r < shown.size(); ++r) rowOf[size_t(shown[r])] = int(r);

    std::vector<int> selectedRows;
    for (int index : selected)
        if (index >= 0 && rowOf[size_t(index)] >= 0) selectedRows.push_back(rowOf[size_t(index)]);
    std::sort(selectedRows.begin(), selectedRows.end());
    // Runs of rows, so that a thousand selected rows are a few ranges.
    QItemSelection selection;
    const int last = CNotesListModel::ColumnCount - 1;
    for (size_t i = 0; i < selectedRows.size();) {
        size_t j = i + 1;
        while (j < selectedRows.size() && selectedRows[j] == selectedRows[j - 1] + 1) ++j;
        selection.select(m_model->index(selectedRows[i], 0), m_model->index(selectedRows[j - 1], last));
        i = j;
    }
    QItemSelectionModel* model = m_view->selectionModel();
    if (!selection.isEmpty()) model->select(selection, QItemSelectionModel::ClearAndSelect);

    if (currentItem >= 0 && rowOf[size_t(currentItem)] >= 0) {
        const QModelIndex index = m_model->index(rowOf[size_t(currentItem)], 0);
        model->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        m_view->scrollTo(index);
    } else if (newItems && currentRow >= 0 && currentItem < 0 && selection.isEmpty()) {
        // The current item was deleted: the row that took its place is
        // current and selected, so that Delete goes on down the list.
        const QModelIndex index = m_model->index(std::min(currentRow, int(shown.size()) - 1), 0);
        model->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_view->scrollTo(index);
    }
}

void CNotesPanel::ActivateCurrent() {
    const QModelIndex current = m_view->currentIndex();
    if (current.isValid()) emit Activated(m_model->ItemAt(current.row()).id);
}

bool CNotesPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_textFilter && event->type() == QEvent::KeyPress) {
        // Escape empties the field; Down goes on into the list.
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (IsKey(key, {Qt::Key_Escape}) && !m_textFilter->text().isEmpty()) {
            m_textFilter->clear();
            return true;
        }
        if (IsKey(key, {Qt::Key_Down}) && m_model->rowCount() > 0) {
            m_view->setFocus(Qt::TabFocusReason);
            if (!m_view->currentIndex().isValid())
                m_view->selectionModel()->setCurrentIndex(
                    m_model->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            return true;
        }
    }
    const bool keyEvent = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched != m_view || !keyEvent) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (!IsKey(key, {Qt::Key_Delete, Qt::Key_Return, Qt::Key_Enter})) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride) {
        // The list's keys, even where the window has a shortcut on them.
        event->accept();
        return true;
    }
    if (key->key() == Qt::Key_Delete) {
        std::vector<std::string> ids = SelectedIds();
        if (!ids.empty()) emit DeleteRequested(std::move(ids));
    } else {
        ActivateCurrent();
    }
    return true;
}
