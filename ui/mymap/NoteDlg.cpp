#include "mymap/NoteDlg.h"

#include "text/Text.h"
#include "widgets/DialogHelpers.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// Room for a long note, not for a book: the store takes any length, but a
// dialog field this long is no longer a note.
constexpr int kNoteMaxChars = 20000;
constexpr int kTitleMaxChars = 200;
}  // namespace

CNoteDlg::CNoteDlg(const CNoteItem& item, QWidget* parent) : QDialog(parent, kDialogFlags), m_item(item) {
    const bool pin = item.kind == CNoteItem::Kind::Pin;
    setWindowTitle(pin ? QString::fromUtf8("Épingle") : QString::fromUtf8("Note : %1").arg(ShownUtf8(item.name)));
    auto* form = new QFormLayout(this);
    if (pin) {
        m_title = new QLineEdit(QString::fromStdString(item.name), this);
        m_title->setMaxLength(kTitleMaxChars);
        m_title->setAccessibleName(QString::fromUtf8("Titre de l'épingle"));
        form->addRow(QString::fromUtf8("&Titre :"), m_title);
        m_colour = new QComboBox(this);
        for (int c = 0; c < kPinColourCount; ++c)
            m_colour->addItem(QString::fromUtf8(PinColourName(PinColour(c))));
        m_colour->setCurrentIndex(int(item.colour));
        m_colour->setAccessibleName(QString::fromUtf8("Couleur de l'épingle"));
        form->addRow(QString::fromUtf8("&Couleur :"), m_colour);
    }
    m_note = new QPlainTextEdit(this);
    m_note->setPlainText(QString::fromStdString(item.note));
    m_note->setTabChangesFocus(true);
    m_note->setAccessibleName(QString::fromUtf8("Note"));
    form->addRow(QString::fromUtf8("&Note :"), m_note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("Enregistrer"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    (pin ? static_cast<QWidget*>(m_title) : m_note)->setFocus();
}

CNoteItem CNoteDlg::Result() const {
    CNoteItem item = m_item;
    item.note = m_note->toPlainText().left(kNoteMaxChars).toStdString();
    if (m_title) item.name = m_title->text().trimmed().toStdString();
    if (m_colour) item.colour = PinColour(m_colour->currentIndex());
    return item;
}
