#include "finders/NpcSearchDlg.h"

#include "widgets/AccessibleParts.h"
#include "widgets/AutoCombo.h"
#include "npc/CharacterPage.h"
#include "npc/LinkAddress.h"
#include "widgets/DialogUnits.h"
#include "data/PlaceArray.h"
#include "data/ResourceIds.h"
#include "data/ResourceStore.h"
#include "widgets/DialogHelpers.h"
#include "text/Text.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>

namespace {

// The platform's keys for `key`, and `fallback` among them whatever the
// platform says, so that Alt+Left and Alt+Right always work.
QList<QKeySequence> KeysWith(QKeySequence::StandardKey key, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.contains(fallback)) keys.prepend(fallback);
    return keys;
}

}  // namespace

CNpcSearchDlg::CNpcSearchDlg(const IResourceStore& store, const CPlaceArray& places,
                             std::function<void(int)> showPlace, QWidget* parent,
                             CIEControl::NoticeWriter notice)
    : QDialog(parent, kDialogFlags),
      m_places(places),
      m_showPlace(std::move(showPlace)) {
    setWindowTitle(QStringLiteral("Recherche de NPCs"));
    CreateControls();
    CreateHistoryActions();
    m_htmlPanel->SetNoticeWriter(std::move(notice));
    m_htmlPanel->LoadFromResource(store, ResId::IDR_BLANK_PAGE);
    LoadCharacters(store);
    NameUnnamedParts(*this);
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
    m_comboNpc->setAccessibleName(QStringLiteral("NPCs"));

    m_htmlPanel = new CIEControl(this);
    m_htmlPanel->setObjectName(QStringLiteral("npcPanel"));
    m_htmlPanel->setGeometry(du.Rect(7, 24, 266, 175));
    m_htmlPanel->SetOwner(this);
    m_htmlPanel->setAccessibleName(QStringLiteral("Page du NPC"));
    setTabOrder(m_comboNpc, m_htmlPanel);
}

void CNpcSearchDlg::LoadCharacters(const IResourceStore& store) {
    const auto table = FindRcData(store, ResId::IDR_CHARACTERS);
    if (!table) return;  // no table: an empty list and the blank page
    m_pages = std::make_unique<CCharacterPages>(m_places, *table);
    QStringList names;
    names.reserve(m_pages->Text().Count());
    m_pages->Text().ForEach([&](int, size_t, const CharacterRecord& record) {
        names << ShownName(record.name);
        return true;
    });
    // Unsorted: an item's index is its character's ordinal.
    m_comboNpc->addItems(names);
    m_comboNpc->setCurrentIndex(-1);  // nothing chosen until the user chooses
}

void CNpcSearchDlg::CreateHistoryActions() {
    m_backAction = new QAction(QString::fromUtf8("Précédent"), this);
    m_backAction->setShortcuts(KeysWith(QKeySequence::Back, Qt::ALT | Qt::Key_Left));
    connect(m_backAction, &QAction::triggered, this, &CNpcSearchDlg::GoBack);
    m_forwardAction = new QAction(QStringLiteral("Suivant"), this);
    m_forwardAction->setShortcuts(KeysWith(QKeySequence::Forward, Qt::ALT | Qt::Key_Right));
    connect(m_forwardAction, &QAction::triggered, this, &CNpcSearchDlg::GoForward);
    addActions({m_backAction, m_forwardAction});  // the keys work from every control
    UpdateHistoryActions();

    m_htmlPanel->viewport()->installEventFilter(this);
    m_htmlPanel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_htmlPanel, &QWidget::customContextMenuRequested, this, &CNpcSearchDlg::ShowPanelMenu);
}

// The panel's own menu (copy, select all, link address) under the history's
// two items.
void CNpcSearchDlg::ShowPanelMenu(const QPoint& pos) {
    const QPoint inDocument(pos.x() + m_htmlPanel->horizontalScrollBar()->value(),
                            pos.y() + m_htmlPanel->verticalScrollBar()->value());
    QMenu* menu = m_htmlPanel->createStandardContextMenu(inDocument);
    QAction* first = menu->actions().value(0);
    menu->insertActions(first, m_panelCommands + QList<QAction*>{m_backAction, m_forwardAction});
    menu->insertSeparator(first);
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);  // however it closes
    menu->setObjectName(QStringLiteral("npcPanelMenu"));
    menu->popup(m_htmlPanel->viewport()->mapToGlobal(pos));
}

void CNpcSearchDlg::AddPanelCommand(QAction* action) {
    addAction(action);
    m_panelCommands << action;
}

bool CNpcSearchDlg::ShowPage(int ordinal) {
    if (!m_pages) return false;
    const auto page = m_pages->Page(ordinal);
    if (!page) return false;
    m_htmlPanel->SetBodyHtml(*page);
    return true;
}

// A page shown by the user's choice goes on the history.
void CNpcSearchDlg::ShowVisited(int ordinal) {
    if (!ShowPage(ordinal)) return;
    m_history.Visit(ordinal);
    UpdateHistoryActions();
}

void CNpcSearchDlg::ShowCharacter(int ordinal) {
    if (!m_pages || !m_pages->Text().Record(ordinal)) return;
    m_comboNpc->setCurrentIndex(ordinal);  // raises no choice of the user
    ShowVisited(ordinal);
}

void CNpcSearchDlg::GoBack() { ShowFromHistory(m_history.Back()); }

void CNpcSearchDlg::GoForward() { ShowFromHistory(m_history.Forward()); }

// A page the history moved to: the list follows, the history stays as it is.
void CNpcSearchDlg::ShowFromHistory(std::optional<int> ordinal) {
    if (ordinal) {
        m_comboNpc->setCurrentIndex(*ordinal);
        ShowPage(*ordinal);
    }
    UpdateHistoryActions();
}

void CNpcSearchDlg::UpdateHistoryActions() {
    m_backAction->setEnabled(m_history.CanGoBack());
    m_forwardAction->setEnabled(m_history.CanGoForward());
}

void CNpcSearchDlg::OnSelChangeNpc(int index) {
    if (index >= 0) ShowVisited(index);
}

void CNpcSearchDlg::OnEnterName() {
    // The first name in list order that begins with the text, any letter
    // case, counting from the very first item. An empty field names no one.
    const QString text = m_comboNpc->currentText();
    if (text.isEmpty()) return;
    const int found = m_comboNpc->findText(text, Qt::MatchStartsWith);
    if (found >= 0) ShowVisited(found);
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
            KeepPlaceInSight(this, m_locateMarker, action.index);
            // The view hands the focus to its window; the finder stays in front.
            activateWindow();
        }
        return true;
    case LinkKind::Character:
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

bool CNpcSearchDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_htmlPanel->viewport() && event->type() == QEvent::MouseButtonPress) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::BackButton) GoBack();
        if (button == Qt::ForwardButton) GoForward();
        if (button == Qt::BackButton || button == Qt::ForwardButton) return true;
    }
    return QDialog::eventFilter(watched, event);
}
