// The dialog that edits one item of the player's layer: a place's note
// (the place's name as its title), or a pin's title, note and colour.
// Texts are plain: nothing typed is ever read as markup.
#pragma once
#include "notes/NoteItem.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class CNoteDlg : public QDialog {
    Q_OBJECT
public:
    // Edits `item` (a place's mark or a pin); Result() gives it edited.
    explicit CNoteDlg(const CNoteItem& item, QWidget* parent = nullptr);
    CNoteItem Result() const;

    QLineEdit* TitleField() const { return m_title; }
    QPlainTextEdit* NoteField() const { return m_note; }
    QComboBox* ColourChoice() const { return m_colour; }

private:
    CNoteItem m_item;
    QLineEdit* m_title = nullptr;   // pins only
    QComboBox* m_colour = nullptr;  // pins only
    QPlainTextEdit* m_note = nullptr;
};
