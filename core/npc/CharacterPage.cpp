#include "npc/CharacterPage.h"

#include "npc/CrossLinker.h"
#include "npc/HtmlFragment.h"

std::string BuildCharacterPage(const CharacterRecord& record, const CLinkTargets& targets) {
    const std::string whereabouts = LinkifyText(record.whereabouts, targets);
    // Notes of spaces only link to nothing, and get no heading either.
    const std::string notes = LinkifyText(record.notes, targets);
    std::string page = "<FONT face=\"Tahoma\" size=\"3\"><b>";
    page += EscapeHtml(record.name);
    page += "</b><FONT size=2><BR><BR><b>Localisation<BR></b>";
    page += whereabouts;
    page += "<BR>";
    if (!notes.empty()) {
        page += "<BR><b>Commentaires</b><BR>";
        page += notes;
    }
    page += "</FONT>";
    return page;
}

CCharacterPages::CCharacterPages(const CPlaceArray& places, ByteBlock table)
    : m_text(table), m_targets(places, m_text), m_nPlaces(places.GetSize()) {}

std::optional<std::string> CCharacterPages::Page(int ordinal) const {
    const auto record = m_text.Record(ordinal);
    if (!record) return std::nullopt;
    return BuildCharacterPage(*record, m_targets);
}
