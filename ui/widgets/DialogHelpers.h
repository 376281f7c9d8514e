// What the program's dialogs share: their window flags and the key that
// runs their default action.
#pragma once
#include <Qt>

class QKeyEvent;

// A title bar with the system menu and a close button, and nothing more: no
// context-help button, no minimise or maximise buttons.
constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Whether `event` is a plain Enter: Return, or the keypad's Enter, without a
// modifier (the keypad's own does not count). Shift, Ctrl or Alt with Enter
// is another key.
bool IsPlainEnter(const QKeyEvent* event);

#include <QStringList>

class QWidget;

// A warning box whose text is shown letter for letter: file names and names
// from the data are never read as markup (an <img> tag would load a file).
void WarnPlainly(QWidget* parent, const QString& title, const QString& text);
// A question with the given choices and "Annuler", its text shown letter
// for letter as WarnPlainly's: the index of the choice, -1 for none.
int AskPlainly(QWidget* parent, const QString& title, const QString& text, const QStringList& choices);
