// The notes panel: every pin and marked place of the player's layer in a
// list the player filters by kind and text and sorts by name or date, with
// the progress among the world's places beneath. It sits in a dock of the
// main window; the window gives it the items after every edit and answers
// its two requests: fly to an item (a double click, Enter) and delete the
// selected ones (Delete).
#pragma once
#include "notes/NoteItem.h"
#include "notes/NotesFilter.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class CNotesListModel;
class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

class CNotesPanel : public QWidget {
    Q_OBJECT
public:
    explicit CNotesPanel(QWidget* parent = nullptr);
    ~CNotesPanel() override;

    // The whole layer, after every edit, and the number of the world's
    // places (the progress's total). The filters, the order, the selection
    // (by id) and the current row stay; when the current item is gone (it
    // was deleted), the row that took its place becomes current. While the
    // panel is hidden (its dock closed, as at start-up), the items are only
    // kept, and the list made when it shows: an edit then costs nothing.
    void SetItems(const CNoteItems& items, int placeCount);

    // The ids of the rows shown, in order, and of the selected ones.
    std::vector<std::string> ShownIds();
    std::vector<std::string> SelectedIds();

    // The controls, in the order of the tab key.
    enum KindBox { PinsBox, VisitedBox, FavouritesBox, NotedBox, KindBoxCount };
    QCheckBox* KindFilter(KindBox box) const { return m_kindBoxes[size_t(box)]; }
    QLineEdit* TextFilter() const { return m_textFilter; }
    QComboBox* SortChoice() const { return m_sortChoice; }
    QAbstractItemView* View() {
        Flush();
        return m_view;
    }
    QLabel* Progress() const { return m_progress; }

signals:
    // The player asked to see this item on the map.
    void Activated(std::string id);
    // The player asked to delete these items (the rows selected, in order).
    void DeleteRequested(std::vector<std::string> ids);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    unsigned CheckedKinds() const;
    NoteOrder Order() const;
    // Filters again and shows the rows, keeping the selection.
    void Refilter();
    void ShowRows(CNoteItems* newItems, std::vector<int> rows);
    // Makes the list of the items given while the panel was hidden.
    void Flush();
    void ActivateCurrent();

    CNotesFilter m_filter;
    CNoteItems m_pending;  // given while hidden, not listed yet
    bool m_hasPending = false;
    CNotesListModel* m_model = nullptr;
    std::array<QCheckBox*, KindBoxCount> m_kindBoxes{};
    QLineEdit* m_textFilter = nullptr;
    QComboBox* m_sortChoice = nullptr;
    QAbstractItemView* m_view = nullptr;
    QLabel* m_progress = nullptr;
};
