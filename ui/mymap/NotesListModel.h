// The rows of the notes panel as a model for a view: the items the panel
// holds and which of them show, in order. Texts are made only for the rows
// the view asks for, so a list of 100,000 items costs a vector of indices.
// Every text is plain: a view shows DisplayRole as it is, never as markup.
#pragma once
#include "notes/NoteItem.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

class CNotesListModel : public QAbstractTableModel {
public:
    enum Column { KindColumn, NameColumn, NoteColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // New items and the rows to show (indices into them), in one reset.
    void Reset(CNoteItems items, std::vector<int> rows);
    // Other rows of the same items, in one reset.
    void ResetRows(std::vector<int> rows);

    const CNoteItems& Items() const { return m_items; }
    const std::vector<int>& Rows() const { return m_rows; }
    // The item a row shows.
    const CNoteItem& ItemAt(int row) const { return m_items[size_t(m_rows[size_t(row)])]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "Épingle", or the marks of a place: "Visité, favori", "Note"...
    static QString KindText(const CNoteItem& item);
    // The first line of a note, shortened, its control characters shown as
    // the replacement character.
    static QString FirstLine(const std::string& note);

private:
    CNoteItems m_items;
    std::vector<int> m_rows;
};
