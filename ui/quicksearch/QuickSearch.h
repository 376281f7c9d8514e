// The one search's field over the map: a text field along the top of the
// map and, below it, what the search finds as the player types, grouped by
// kind ("Lieux (12)"), each row a name and, dimmer, where it is, with
// "N autres…" under a group that has more than it shows. The arrows move
// over the rows, Enter opens the chosen one (the first when none is chosen),
// and so does a click; Escape closes the field and gives the keyboard back
// to the widget that had it; the keyboard going elsewhere closes it too.
#pragma once
#include "search/SearchHit.h"

#include <QFrame>
#include <QPointer>

#include <functional>
#include <string>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

class CQuickSearch : public QFrame {
    Q_OBJECT
public:
    using Finder = std::function<SearchResults(const std::string& queryUtf8)>;
    using Opener = std::function<void(const SearchHit&)>;

    // Lies over the top of `area` (the map), whose child it is, hidden until
    // opened. `find` runs at every change of the text; `open` gets the hit
    // chosen once the field has closed.
    CQuickSearch(QWidget& area, Finder find, Opener open);

    // Shows the field over the map, its text selected, and takes the
    // keyboard, remembering which widget had it.
    void Open();
    // Hides the field and gives the keyboard back to that widget.
    void Close();

    QLineEdit* Field() const { return m_field; }
    QTreeWidget* List() const { return m_list; }
    // The hit a row stands for; null for a group's title, "N autres…" and
    // the row that says nothing was found.
    const SearchHit* HitOf(const QTreeWidgetItem* row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh(const QString& text);
    void AddGroup(int group);
    QTreeWidgetItem* AddNote(const QString& text, bool title);
    void FitList();
    void Place();
    bool MoveKey(int key);
    void Step(int from, int direction, int rows);
    int RowsOnePage() const;
    void OpenRow(QTreeWidgetItem* row);
    void OpenCurrent();
    void FocusMoved(QWidget* now);

    QWidget& m_area;
    Finder m_find;
    Opener m_open;
    QLineEdit* m_field = nullptr;
    QTreeWidget* m_list = nullptr;
    SearchResults m_results;
    QPointer<QWidget> m_focusBefore;
};
