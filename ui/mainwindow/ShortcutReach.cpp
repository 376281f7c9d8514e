#include "mainwindow/ShortcutReach.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The key as the window's shortcuts may name it: Shift is part of some
// keys themselves (Ctrl++ is Ctrl+Shift+= on most keyboards).
QList<QKeySequence> SpellingsOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers();
    QList<QKeySequence> spellings{QKeySequence(key.key() | mods)};
    if (mods & Qt::ShiftModifier) spellings << QKeySequence(key.key() | (mods & ~Qt::ShiftModifier));
    return spellings;
}

// Keys the field keeps when it has a use for them: Home and End, copying a
// selection, undoing and redoing its own typing.
bool IsFieldKey(const QKeyEvent& key, const QLineEdit& field) {
    if (key.modifiers() == Qt::NoModifier && (key.key() == Qt::Key_Home || key.key() == Qt::Key_End)) return true;
    if (key.matches(QKeySequence::Undo)) return field.isUndoAvailable();
    if (key.matches(QKeySequence::Redo)) return field.isRedoAvailable();
    return key.matches(QKeySequence::Copy) && field.hasSelectedText();
}

}  // namespace

CShortcutReach::CShortcutReach(QWidget& window, QLineEdit& field, QWidget& holder)
    : QObject(&window), m_window(window), m_field(field) {
    m_field.installEventFilter(this);
    holder.installEventFilter(this);
    window.installEventFilter(this);
}

QAction* CShortcutReach::CommandFor(const QKeyEvent& key) const {
    const QList<QKeySequence> spellings = SpellingsOf(key);
    for (QAction* action : m_window.actions()) {
        if (!action->isEnabled()) continue;
        for (const QKeySequence& shortcut : action->shortcuts())
            if (spellings.contains(shortcut)) return action;
    }
    return nullptr;
}

bool CShortcutReach::eventFilter(QObject* watched, QEvent* event) {
    const bool override = event->type() == QEvent::ShortcutOverride && watched != &m_window;
    if (!override && event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsFieldKey(*key, m_field)) return false;
    QAction* command = CommandFor(*key);
    if (!command) return false;
    if (override) {
        // Ignored, and kept from the field: the window's shortcut has the key.
        event->ignore();
        return true;
    }
    // A key press that names a command has come past the shortcuts: only a
    // keypad key, unflagged by X11, does that.
    if (!(key->modifiers() & Qt::KeypadModifier)) return false;
    command->trigger();
    return true;
}
