#include "finders/PlaceCardDlg.h"

#include "data/ResourceIds.h"
#include "npc/LinkAddress.h"
#include "npc/LinkedWorld.h"
#include "npc/PageBounds.h"
#include "npc/PlaceCard.h"
#include "widgets/DialogHelpers.h"
#include "widgets/DialogUnits.h"
#include "text/Text.h"

#include <QVBoxLayout>

CPlaceCardDlg::CPlaceCardDlg(const IResourceStore& store, const CLinkedWorld& world, int place, Links links,
                             QWidget* parent, CIEControl::NoticeWriter notice)
    : QDialog(parent, kDialogFlags), m_world(world), m_place(place), m_links(std::move(links)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("placeCard"));
    setWindowTitle(ShownName(PlaceCardTitle(world, place)));
    m_htmlPanel = new CIEControl(this);
    m_htmlPanel->setObjectName(QStringLiteral("placeCardPanel"));
    m_htmlPanel->SetOwner(this);
    m_htmlPanel->SetNoticeWriter(std::move(notice));
    m_htmlPanel->setAccessibleName(QStringLiteral("Fiche du lieu"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_htmlPanel);
    // The character finder's size: a card reads like a character's page.
    resize(DialogUnits(font()).Size(280, 206));
    m_htmlPanel->LoadFromResource(store, ResId::IDR_BLANK_PAGE);
    // Built no larger than the panel takes: a huge table is refused at once.
    m_htmlPanel->SetBodyHtml(BuildPlaceCard(world, place, PageLimits().maxBytes));
}

bool CPlaceCardDlg::OnLinkClicked(const std::string& url) {
    const LinkAction action = ResolveLink(url, m_world.Places().GetSize(), m_world.Pages().Text().Count());
    if (action.kind == LinkKind::Character) {
        if (m_links.showCharacter) m_links.showCharacter(action.index);
        return true;
    }
    if (action.kind != LinkKind::External) return true;  // a card has no other internal link
    const SpellLinkAction spell = ResolveSpellLink(url);
    if (!spell.internal) return false;
    if (spell.spell && m_world.SpellById(*spell.spell) && m_links.showSpell) m_links.showSpell(*spell.spell);
    return true;
}

void CPlaceCardDlg::AddBelow(QWidget* part) {
    part->setParent(this);
    layout()->addWidget(part);
}
