#include "shell/FieldShortcuts.h"

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

bool IsFieldKey(const QKeyEvent& key, const QLineEdit& field) {
    if (key.modifiers() == Qt::NoModifier && (key.key() == Qt::Key_Home || key.key() == Qt::Key_End)) return true;
    return key.matches(QKeySequence::Copy) && field.hasSelectedText();
}

}  // namespace

CFieldShortcuts::CFieldShortcuts(QWidget& window, QLineEdit& field, QWidget& holder)
    : QObject(&window), m_window(window), m_field(field) {
    m_field.installEventFilter(this);
    holder.installEventFilter(this);
}

bool CFieldShortcuts::IsWindowShortcut(const QKeyEvent& key) const {
    const QList<QKeySequence> spellings = SpellingsOf(key);
    for (const QAction* action : m_window.actions()) {
        if (!action->isEnabled()) continue;
        for (const QKeySequence& shortcut : action->shortcuts())
            if (spellings.contains(shortcut)) return true;
    }
    return false;
}

// Ignoring the override, and keeping the field from seeing it, lets the
// window's shortcut have the key.
bool CFieldShortcuts::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (IsFieldKey(*key, m_field) || !IsWindowShortcut(*key)) return false;
    event->ignore();
    return true;
}
