#include "finders/PlaceCardDlg.h"

#include "data/ResourceIds.h"
#include "npc/LinkAddress.h"
#include "npc/LinkedWorld.h"
#include "npc/PageBounds.h"
#include "widgets/DialogHelpers.h"
#include "widgets/DialogUnits.h"
#include "text/Text.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>

CPlaceCardDlg::CPlaceCardDlg(const IResourceStore& store, const CLinkedWorld& world, Links links, QWidget* parent,
                             CIEControl::NoticeWriter notice)
    : QDialog(parent, kDialogFlags), m_world(world), m_links(std::move(links)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("placeCard"));
    m_htmlPanel = new CIEControl(this);
    m_htmlPanel->setObjectName(QStringLiteral("placeCardPanel"));
    m_htmlPanel->SetOwner(this);
    m_htmlPanel->SetNoticeWriter(std::move(notice));
    m_htmlPanel->setAccessibleName(QStringLiteral("Fiche"));
    m_finder = new QPushButton(QStringLiteral("Ouvrir dans le chercheur"), this);
    m_finder->setObjectName(QStringLiteral("openInFinder"));
    m_finder->setAutoDefault(false);
    connect(m_finder, &QPushButton::clicked, this, [this] {
        if (m_links.openFinder) m_links.openFinder(m_subject);
    });
    m_route = new QPushButton(QString::fromUtf8("Itinéraire…"), this);
    m_route->setObjectName(QStringLiteral("routeFromCard"));
    m_route->setAutoDefault(false);
    connect(m_route, &QPushButton::clicked, this, [this] {
        if (m_links.route && m_subject.kind == SheetKind::Place) m_links.route(m_subject.ref);
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_route);
    buttons->addStretch();
    buttons->addWidget(m_finder);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_htmlPanel);
    layout->addLayout(buttons);
    // The character finder's size: a card reads like a character's page.
    resize(DialogUnits(font()).Size(280, 206));
    m_htmlPanel->LoadFromResource(store, ResId::IDR_BLANK_PAGE);
}

bool CPlaceCardDlg::Show(SheetSubject subject) {
    // Built no larger than the panel takes: a huge table is refused at once.
    const SheetPage page = BuildSheetPage(m_world, subject, PageLimits().maxBytes);
    if (page.html.empty()) return false;
    const bool samePlace = subject.kind == SheetKind::Place && subject == m_subject;
    m_subject = subject;
    setWindowTitle(ShownName(page.title));
    m_htmlPanel->SetBodyHtml(page.html);
    if (!samePlace)
        ShowPart(subject.kind == SheetKind::Place && m_links.placePart ? m_links.placePart(subject.ref) : nullptr);
    // The finders open on characters and spells; an effect or a vendor, on a spell of theirs.
    const bool finder = subject.kind == SheetKind::Character || FinderSpell(m_world, subject).has_value();
    m_finder->setVisible(finder && m_links.openFinder);
    m_route->setVisible(subject.kind == SheetKind::Place && m_links.route);
    emit SubjectShown(subject);
    return true;
}

// Under the page, the part that goes with it, in place of the last one.
void CPlaceCardDlg::ShowPart(QWidget* part) {
    delete m_part;
    m_part = part;
    if (!part) return;
    part->setParent(this);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, part);
}

bool CPlaceCardDlg::OnLinkClicked(const std::string& url) {
    const LinkAction action = ResolveLink(url, m_world.Places().GetSize(), m_world.Pages().Text().Count());
    if (action.kind == LinkKind::Place) {
        if (m_links.showPlace) m_links.showPlace(action.index);
        KeepPlaceInSight(this, m_locateMarker, action.index);
        return true;
    }
    if (action.kind == LinkKind::Character) Show({SheetKind::Character, action.index});
    if (action.kind != LinkKind::External) return true;
    const struct {
        const char* kind;
        SheetKind sheet;
    } pages[] = {{"spellid", SheetKind::Spell}, {"vendoridx", SheetKind::Vendor}, {"effectkey", SheetKind::Effect}};
    for (const auto& page : pages) {
        const std::optional<int64_t> number = LinkNumber(url, page.kind);
        if (!number) continue;
        if (*number >= 0 && *number <= INT_MAX) Show({page.sheet, int(*number)});  // a number naming nothing is ignored
        return true;
    }
    return false;
}
