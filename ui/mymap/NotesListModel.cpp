#include "mymap/NotesListModel.h"

#include "text/Text.h"

#include <algorithm>

namespace {

// Enough of a note's first line for a wide panel; the rest would cost its
// conversion and the shaping of text the view cuts off.
constexpr size_t kFirstLineBytes = 240;

}  // namespace

void CNotesListModel::Reset(CNoteItems items, std::vector<int> rows) {
    beginResetModel();
    m_items = std::move(items);
    m_rows = std::move(rows);
    endResetModel();
}

void CNotesListModel::ResetRows(std::vector<int> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CNotesListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int CNotesListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CNotesListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= int(m_rows.size())) return {};
    const CNoteItem& item = ItemAt(index.row());
    switch (index.column()) {
    case KindColumn:
        return KindText(item);
    case NameColumn:
        return QString::fromStdString(ShownText(item.name));
    case NoteColumn:
        return FirstLine(item.note);
    default:
        return {};
    }
}

QVariant CNotesListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case KindColumn:
        return QStringLiteral("Type");
    case NameColumn:
        return QStringLiteral("Nom");
    case NoteColumn:
        return QStringLiteral("Note");
    default:
        return {};
    }
}

QString CNotesListModel::KindText(const CNoteItem& item) {
    if (item.kind == CNoteItem::Kind::Pin) return QString::fromUtf8("Épingle");
    if (item.visited && item.favourite) return QString::fromUtf8("Visité, favori");
    if (item.visited) return QString::fromUtf8("Visité");
    if (item.favourite) return QStringLiteral("Favori");
    return QStringLiteral("Note");
}

QString CNotesListModel::FirstLine(const std::string& note) {
    const size_t start = note.find_first_not_of(" \t\r\n");
    if (start == std::string::npos) return {};
    size_t end = std::min(note.find_first_of("\r\n", start), note.size());
    const bool cut = end - start > kFirstLineBytes;
    if (cut) end = start + Utf8CutAt(std::string_view(note).substr(start), kFirstLineBytes);
    std::string line = note.substr(start, end - start);
    std::replace(line.begin(), line.end(), '\t', ' ');
    QString shown = QString::fromStdString(ShownText(line));
    if (cut || (end < note.size() && note.find_first_not_of(" \t\r\n", end) != std::string::npos))
        shown += QChar(0x2026);  // more follows
    return shown;
}
