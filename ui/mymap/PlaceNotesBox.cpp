#include "mymap/PlaceNotesBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>

#include <utility>

CPlaceNotesBox::CPlaceNotesBox(std::function<void(const Marks&)> onEdit, QWidget* parent)
    : QGroupBox(QString::fromUtf8("Mes notes"), parent), m_onEdit(std::move(onEdit)) {
    m_visited = new QCheckBox(QString::fromUtf8("&Visité"), this);
    m_favourite = new QCheckBox(QString::fromUtf8("F&avori"), this);
    m_note = new QPlainTextEdit(this);
    m_note->setTabChangesFocus(true);
    m_note->setMaximumHeight(fontMetrics().height() * 5);
    m_note->setAccessibleName(QString::fromUtf8("Note sur le lieu"));
    m_save = new QPushButton(QString::fromUtf8("&Enregistrer la note"), this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_visited, 0, 0);
    grid->addWidget(m_favourite, 0, 1);
    grid->addWidget(m_save, 0, 2, Qt::AlignRight);
    grid->addWidget(m_note, 1, 0, 1, 3);
    connect(m_visited, &QCheckBox::toggled, this, &CPlaceNotesBox::Hand);
    connect(m_favourite, &QCheckBox::toggled, this, &CPlaceNotesBox::Hand);
    connect(m_save, &QPushButton::clicked, this, &CPlaceNotesBox::Hand);
}

void CPlaceNotesBox::Show(const Marks& marks, bool writable) {
    m_showing = true;
    m_visited->setChecked(marks.visited);
    m_favourite->setChecked(marks.favourite);
    // A note being typed is not overwritten by the same note read back.
    if (m_note->toPlainText().toStdString() != marks.note) m_note->setPlainText(QString::fromStdString(marks.note));
    for (QWidget* control : {static_cast<QWidget*>(m_visited), static_cast<QWidget*>(m_favourite),
                             static_cast<QWidget*>(m_note), static_cast<QWidget*>(m_save)})
        control->setEnabled(writable);
    m_showing = false;
}

CPlaceNotesBox::Marks CPlaceNotesBox::Current() const {
    return {m_visited->isChecked(), m_favourite->isChecked(), m_note->toPlainText().toStdString()};
}

void CPlaceNotesBox::Hand() {
    if (!m_showing && m_onEdit) m_onEdit(Current());
}
