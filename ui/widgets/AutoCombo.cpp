#include "widgets/AutoCombo.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// The edit field's selection, anchor and caret both kept, so that it can be
// given back exactly as the user left it.
struct EditSelection {
    int anchor = 0, caret = 0;

    static EditSelection Of(const QLineEdit& edit) {
        if (!edit.hasSelectedText()) return {edit.cursorPosition(), edit.cursorPosition()};
        const int start = edit.selectionStart();
        const int end = start + int(edit.selectedText().size());
        return edit.cursorPosition() == start ? EditSelection{end, start} : EditSelection{start, end};
    }
    int End() const { return std::max(anchor, caret); }
    void ApplyTo(QLineEdit& edit) const { edit.setSelection(anchor, caret - anchor); }
};

}  // namespace

CAutoCombo::CAutoCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Our own completion replaces Qt's, and Enter must never add an entry.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    // Key presses reach the edit field either through the combo box or,
    // when it has the focus itself, directly: both are watched.
    lineEdit()->installEventFilter(this);
    // textEdited comes from the user's typing only, never from setText.
    connect(lineEdit(), &QLineEdit::textEdited, this, &CAutoCombo::OnEditUpdate);
}

void CAutoCombo::showPopup() {
    if (m_bListFitsEntries && m_nFittedCount != count()) {
        constexpr int kScrollBarRoom = 24;
        view()->setMinimumWidth(view()->sizeHintForColumn(0) + kScrollBarRoom);
        m_nFittedCount = count();
    }
    QComboBox::showPopup();
}

void CAutoCombo::keyPressEvent(QKeyEvent* event) {
    WatchKey(event);
    QComboBox::keyPressEvent(event);
}

bool CAutoCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit()) WatchKey(event);
    return QComboBox::eventFilter(watched, event);
}

void CAutoCombo::WatchKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    m_bAutoComplete = key != Qt::Key_Delete && key != Qt::Key_Backspace;
}

void CAutoCombo::OnEditUpdate(const QString& typed) {
    // An emptied field (a cut, for instance) stays empty: every entry begins
    // with nothing, and filling the field then would fight the user.
    if (!m_bAutoComplete || typed.isEmpty()) return;
    QLineEdit& edit = *lineEdit();
    const EditSelection before = EditSelection::Of(edit);
    const int length = int(typed.size());

    const int found = findText(typed, Qt::MatchStartsWith);  // first in list order, any case
    if (found >= 0) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(found);
        edit.setText(itemText(found));
    }
    if (before.End() < length) {
        before.ApplyTo(edit);  // typing inside the text keeps the caret there
    } else {
        edit.setSelection(length, int(edit.text().size()) - length);
    }
}
