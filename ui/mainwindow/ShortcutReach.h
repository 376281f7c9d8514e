// The window's shortcuts, wherever the keyboard is in it. A focused text
// field would take every key it can edit with (Ctrl+E, Ctrl+C, the keypad's
// + and -): these go to the window's commands instead, but for the keys a
// field needs: Home and End move in its text, Ctrl+C copies its selection
// when it has one, Ctrl+Z and Ctrl+Shift+Z undo and redo its typing while it
// has some (then the notes' undo waits for the map). And X11 hands the keypad's keys to Qt's
// shortcuts without their keypad flag, so that "keypad +" never matches:
// such a key reaches the window as a plain key press, and runs its command
// here.
#pragma once
#include <QObject>

class QAction;
class QKeyEvent;
class QLineEdit;
class QWidget;

class CShortcutReach : public QObject {
public:
    // The commands are `window`'s actions; `field` and `holder` (the combo
    // box that holds it and takes the keyboard for it) are watched, and the
    // window itself for the keys its controls leave, for as long as this
    // object lives, a child of the window.
    CShortcutReach(QWidget& window, QLineEdit& field, QWidget& holder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The enabled command whose shortcut is `key`, as typed (with Shift, or
    // without it when Shift made the key).
    QAction* CommandFor(const QKeyEvent& key) const;

    QWidget& m_window;
    QLineEdit& m_field;
};
