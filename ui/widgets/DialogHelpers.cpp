#include "widgets/DialogHelpers.h"

#include <QKeyEvent>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

bool IsPlainEnter(const QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    return enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void WarnPlainly(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int AskPlainly(QWidget* parent, const QString& title, const QString& text, const QStringList& choices) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QList<QAbstractButton*> buttons;
    for (const QString& choice : choices) buttons << box.addButton(choice, QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return int(buttons.indexOf(box.clickedButton()));
}
