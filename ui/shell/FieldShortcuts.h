// The window's shortcuts over its text fields. A focused field would take
// every key it can edit with (Ctrl+E, Ctrl+C, the keypad's + and -); these
// go to the window's commands instead, but for the keys a field needs: Home
// and End move in its text, and Ctrl+C copies its selection when it has one.
#pragma once
#include <QObject>

class QLineEdit;
class QWidget;

class CFieldShortcuts : public QObject {
public:
    // The commands are `window`'s actions; `field` (and `holder`, the combo
    // box that holds it and takes the keyboard for it) are watched for as
    // long as this object lives, a child of the window.
    CFieldShortcuts(QWidget& window, QLineEdit& field, QWidget& holder);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsWindowShortcut(const class QKeyEvent& key) const;

    QWidget& m_window;
    QLineEdit& m_field;
};
