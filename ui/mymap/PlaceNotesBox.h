// The player's marks on one place, as its card shows them: visited,
// favourite and the note, each edit handed to the owner at once (a box
// ticked, the note's "Enregistrer"), which writes it to the layer.
#pragma once
#include <QGroupBox>

#include <functional>
#include <string>

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class CPlaceNotesBox : public QGroupBox {
    Q_OBJECT
public:
    struct Marks {
        bool visited = false, favourite = false;
        std::string note;
    };
    explicit CPlaceNotesBox(std::function<void(const Marks&)> onEdit, QWidget* parent = nullptr);
    // Shows the marks as the layer has them, without handing them back;
    // the controls are disabled when the layer takes no edit.
    void Show(const Marks& marks, bool writable);

    QCheckBox* VisitedBox() const { return m_visited; }
    QCheckBox* FavouriteBox() const { return m_favourite; }
    QPlainTextEdit* NoteField() const { return m_note; }
    QPushButton* SaveButton() const { return m_save; }

private:
    Marks Current() const;
    void Hand();

    std::function<void(const Marks&)> m_onEdit;
    QCheckBox* m_visited = nullptr;
    QCheckBox* m_favourite = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QPushButton* m_save = nullptr;
    bool m_showing = false;
};
