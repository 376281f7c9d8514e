#include "quicksearch/QuickSearch.h"

#include "search/WorldSearch.h"
#include "text/Text.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kHitRole = Qt::UserRole;  // a hit row's group and place in it, as group * kShownPerKind + index
constexpr int kMargin = 8;              // between the field and the map's edges
constexpr int kWidest = 640;
constexpr int kRowsShown = 14;  // the list grows to this many rows, then scrolls

QString Placeholder() { return QString::fromUtf8("Rechercher partout — lieu: perso: sort: effet: marchand: note:"); }

bool IsHitRow(const QTreeWidgetItem* row) { return row && row->data(0, kHitRole).isValid(); }

}  // namespace

CQuickSearch::CQuickSearch(QWidget& area, Finder find, Opener open)
    : QFrame(&area), m_area(area), m_find(std::move(find)), m_open(std::move(open)) {
    setObjectName(QStringLiteral("quickSearch"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setAutoFillBackground(true);
    m_field = new QLineEdit(this);
    m_field->setObjectName(QStringLiteral("quickSearchField"));
    m_field->setPlaceholderText(Placeholder());
    m_field->setAccessibleName(QStringLiteral("Rechercher partout"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("quickSearchList"));
    m_list->setColumnCount(2);
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setFocusPolicy(Qt::NoFocus);  // the field keeps the keyboard while the rows are chosen
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->header()->setStretchLastSection(true);
    m_list->setAccessibleName(QString::fromUtf8("Résultats de la recherche"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_field);
    layout->addWidget(m_list);
    m_list->hide();
    // A click anywhere in the frame keeps the keyboard in the field, rather
    // than giving it to the map beneath.
    setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(m_field);
    hide();

    connect(m_field, &QLineEdit::textChanged, this, &CQuickSearch::Refresh);
    connect(m_field, &QLineEdit::returnPressed, this, &CQuickSearch::OpenCurrent);
    connect(m_list, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row) { OpenRow(row); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusMoved(now); });
    m_field->installEventFilter(this);
    m_area.installEventFilter(this);
}

void CQuickSearch::Open() {
    // Its picture is read at the first opening: making the window reads no image.
    m_field->setClearButtonEnabled(true);
    QWidget* before = QApplication::focusWidget();
    if (before && !isAncestorOf(before)) m_focusBefore = before;
    Place();
    show();
    raise();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void CQuickSearch::Close() {
    hide();
    if (m_focusBefore) m_focusBefore->setFocus(Qt::OtherFocusReason);
}

// The keyboard went to another widget of the program: the field has no
// more use. The window losing the keyboard (nothing has it) leaves it open.
void CQuickSearch::FocusMoved(QWidget* now) {
    if (isVisible() && now && now != this && !isAncestorOf(now)) hide();
}

const SearchHit* CQuickSearch::HitOf(const QTreeWidgetItem* row) const {
    if (!IsHitRow(row)) return nullptr;
    const int code = row->data(0, kHitRole).toInt();
    const size_t group = size_t(code / kShownPerKind), index = size_t(code % kShownPerKind);
    if (group >= m_results.size() || index >= m_results[group].shown.size()) return nullptr;
    return &m_results[group].shown[index];
}

// The list made again from what the text finds; the first hit is chosen,
// so that Enter's row is the one lit.
void CQuickSearch::Refresh(const QString& text) {
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    m_results = text.trimmed().isEmpty() ? SearchResults() : m_find(text.toStdString());
    for (size_t group = 0; group < m_results.size(); ++group) AddGroup(int(group));
    if (m_results.empty() && !text.trimmed().isEmpty()) AddNote(QString::fromUtf8("Aucun résultat"), false);
    Step(-1, 1, 1);
    m_list->setUpdatesEnabled(true);
    FitList();
    m_list->scrollToTop();  // the first group's title above its first hit, now the list has its height
}

void CQuickSearch::AddGroup(int group) {
    const SearchGroup& found = m_results[size_t(group)];
    AddNote(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(SearchKindTitle(found.kind))).arg(found.total), true);
    const QBrush dim = palette().brush(QPalette::PlaceholderText);
    QList<QTreeWidgetItem*> rows;
    for (size_t index = 0; index < found.shown.size() && index < size_t(kShownPerKind); ++index) {
        const SearchHit& hit = found.shown[index];
        auto* row = new QTreeWidgetItem(QStringList{ShownUtf8(hit.name), ShownUtf8(hit.where)});
        row->setData(0, kHitRole, group * kShownPerKind + int(index));
        row->setForeground(1, dim);
        row->setToolTip(0, row->text(0));
        rows << row;
    }
    m_list->addTopLevelItems(rows);
    const int more = found.total - int(rows.size());
    if (more > 0) AddNote(more == 1 ? QString::fromUtf8("1 autre…") : QString::fromUtf8("%1 autres…").arg(more), false);
}

// A row that stands for no hit: a group's title (bold) or a remark (dim);
// it cannot be chosen.
QTreeWidgetItem* CQuickSearch::AddNote(const QString& text, bool title) {
    auto* row = new QTreeWidgetItem(QStringList{text});
    row->setFlags(Qt::ItemIsEnabled);
    QFont font = m_list->font();
    font.setBold(title);
    font.setItalic(!title);
    row->setFont(0, font);
    if (!title) row->setForeground(0, palette().brush(QPalette::PlaceholderText));
    m_list->addTopLevelItem(row);
    row->setFirstColumnSpanned(true);
    return row;
}

// The list as tall as its rows, up to kRowsShown of them; hidden when empty.
void CQuickSearch::FitList() {
    const int rows = m_list->topLevelItemCount();
    m_list->setVisible(rows > 0);
    if (rows > 0) {
        const int rowHeight = m_list->sizeHintForRow(0);
        m_list->setFixedHeight(rowHeight * std::min(rows, kRowsShown) + 2 * m_list->frameWidth());
        // The name takes the room it needs, up to two thirds; where it is, the rest.
        m_list->resizeColumnToContents(0);
        QHeaderView* header = m_list->header();
        header->resizeSection(0, std::min(header->sectionSize(0) + rowHeight, m_list->viewport()->width() * 2 / 3));
    }
    Place();
}

// Across the top of the map, centred, as wide as the map allows up to kWidest.
void CQuickSearch::Place() {
    const QRect room = m_area.contentsRect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int width = std::min(room.width(), kWidest);
    const int height = std::min(sizeHint().height(), room.height());
    setGeometry(room.left() + (room.width() - width) / 2, room.top(), width, height);
}

bool CQuickSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_area && event->type() == QEvent::Resize && isVisible()) Place();
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            Close();
            return true;
        }
        if (key->modifiers() == Qt::NoModifier) return MoveKey(key->key());
    }
    return QFrame::eventFilter(watched, event);
}

// Up and Down move one row, Page Up and Page Down a list's height, over the
// rows that stand for hits; true when the key was one of them.
bool CQuickSearch::MoveKey(int key) {
    const int current = m_list->indexOfTopLevelItem(m_list->currentItem());
    switch (key) {
    case Qt::Key_Down:
        Step(current, 1, 1);
        return true;
    case Qt::Key_Up:
        Step(current, -1, 1);
        return true;
    case Qt::Key_PageDown:
        Step(current, 1, RowsOnePage());
        return true;
    case Qt::Key_PageUp:
        Step(current, -1, RowsOnePage());
        return true;
    default:
        return false;
    }
}

int CQuickSearch::RowsOnePage() const {
    const int rowHeight = m_list->sizeHintForRow(0);
    return rowHeight > 0 ? std::max(1, m_list->viewport()->height() / rowHeight - 1) : 1;
}

// From row `from` (-1: before the first), `rows` hit rows on in
// `direction`, stopping at the last hit row there is that way.
void CQuickSearch::Step(int from, int direction, int rows) {
    int chosen = -1;
    for (int row = from + direction; rows > 0 && row >= 0 && row < m_list->topLevelItemCount(); row += direction) {
        if (!IsHitRow(m_list->topLevelItem(row))) continue;
        chosen = row;
        --rows;
    }
    if (chosen < 0) return;
    QTreeWidgetItem* item = m_list->topLevelItem(chosen);
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void CQuickSearch::OpenCurrent() {
    QTreeWidgetItem* row = m_list->currentItem();
    if (!IsHitRow(row)) {
        Step(-1, 1, 1);
        row = m_list->currentItem();
    }
    OpenRow(row);
}

void CQuickSearch::OpenRow(QTreeWidgetItem* row) {
    const SearchHit* found = HitOf(row);
    if (!found) return;
    const SearchHit hit = *found;  // the list may be made again by what opens
    Close();
    if (m_open) m_open(hit);
}
