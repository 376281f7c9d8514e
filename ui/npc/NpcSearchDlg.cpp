#include "npc/NpcSearchDlg.h"

#include "widgets/AutoCombo.h"
#include "npc/CharacterPage.h"
#include "npc/LinkAddress.h"
#include "widgets/DialogUnits.h"
#include "data/PlaceArray.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "widgets/DialogHelpers.h"
#include "widgets/Text.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

CNpcSearchDlg::CNpcSearchDlg(const IResourceStore& store, const CPlaceArray& places,
                             std::function<void(int)> showPlace, QWidget* parent)
    : QDialog(parent, kDialogFlags),
      m_places(places),
      m_showPlace(std::move(showPlace)) {
    setWindowTitle(QStringLiteral("Recherche de NPCs"));
    CreateControls();
    m_htmlPanel->LoadFromResource(store, ResId::IDR_BLANK_PAGE);
    LoadCharacters(store);
    m_comboNpc->setFocus();
}

CNpcSearchDlg::~CNpcSearchDlg() = default;

void CNpcSearchDlg::CreateControls() {
    const DialogUnits du(font());
    setFixedSize(du.Size(280, 206));

    m_comboNpc = new CAutoCombo(this);
    m_comboNpc->setObjectName(QStringLiteral("npcCombo"));
    const QRect comboRect = du.Rect(31, 7, 242, 230);  // the height counts the dropped list
    const int editHeight = m_comboNpc->sizeHint().height();
    m_comboNpc->setGeometry(comboRect.x(), comboRect.y(), comboRect.width(), editHeight);
    m_comboNpc->setMaxVisibleItems(
        std::max(1, (comboRect.height() - editHeight) / m_comboNpc->fontMetrics().height()));
    // A choice in the list; the completion while typing makes none.
    connect(m_comboNpc, &QComboBox::activated, this, &CNpcSearchDlg::OnSelChangeNpc);

    // The label sits level with the text of the combo box beside it.
    auto* label = new QLabel(QStringLiteral("NPCs:"), this);
    const QRect labelRect = du.Rect(7, 7, 21, 8);
    label->setGeometry(labelRect.x(), m_comboNpc->y(), comboRect.x() - labelRect.x(),
                       m_comboNpc->height());
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setBuddy(m_comboNpc);
    m_comboNpc->setAccessibleName(QStringLiteral("Personnages"));

    m_htmlPanel = new CIEControl(this);
    m_htmlPanel->setObjectName(QStringLiteral("npcPanel"));
    m_htmlPanel->setGeometry(du.Rect(7, 24, 266, 175));
    m_htmlPanel->SetOwner(this);
    m_htmlPanel->setAccessibleName(QStringLiteral("Fiche du personnage"));
    setTabOrder(m_comboNpc, m_htmlPanel);
}

void CNpcSearchDlg::LoadCharacters(const IResourceStore& store) {
    const auto table = FindRcData(store, ResId::IDR_CHARACTERS);
    if (!table) return;  // no table: an empty list and the blank page
    m_pages = std::make_unique<CCharacterPages>(m_places, *table);
    QStringList names;
    names.reserve(m_pages->Text().Count());
    m_pages->Text().ForEach([&](int, size_t, const CharacterRecord& record) {
        names << FromWin1252(record.name);
        return true;
    });
    // Unsorted: an item's index is its character's ordinal.
    m_comboNpc->addItems(names);
    m_comboNpc->setCurrentIndex(-1);  // nothing chosen until the user chooses
}

void CNpcSearchDlg::ShowCharacter(int index) {
    if (!m_pages) return;
    if (const auto page = m_pages->Page(index)) m_htmlPanel->SetBodyHtml(*page);
}

void CNpcSearchDlg::OnSelChangeNpc(int index) {
    if (index >= 0) ShowCharacter(index);
}

void CNpcSearchDlg::OnEnterName() {
    // The first name in list order that begins with the text, any letter
    // case, counting from the very first item. An empty field names no one.
    const QString text = m_comboNpc->currentText();
    if (text.isEmpty()) return;
    const int found = m_comboNpc->findText(text, Qt::MatchStartsWith);
    if (found >= 0) ShowCharacter(found);
}

bool CNpcSearchDlg::OnLinkClicked(const std::string& url) {
    const int characters = m_pages ? m_pages->Text().Count() : 0;
    const LinkAction action = ResolveLink(url, m_places.GetSize(), characters);
    switch (action.kind) {
    case LinkKind::External:
        return false;
    case LinkKind::OutOfRange:
        return true;  // internal, but names nothing: not worth a browser
    case LinkKind::Place:
        if (m_places[action.index] && m_showPlace) {
            m_showPlace(action.index);
            // The view hands the focus to its window; the finder stays in front.
            activateWindow();
        }
        return true;
    case LinkKind::Character:
        m_comboNpc->setCurrentIndex(action.index);  // raises no choice of the user
        ShowCharacter(action.index);
        return true;
    }
    return false;
}

void CNpcSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (IsPlainEnter(event)) {
        OnEnterName();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RunNpcSearch(QWidget* parent, const IResourceStore& store, const CPlaceArray& places,
                  std::function<void(int)> showPlace) {
    CNpcSearchDlg dialog(store, places, std::move(showPlace), parent);
    dialog.exec();  // the finder only shows; its result tells nothing
}
