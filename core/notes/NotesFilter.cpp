#include "notes/NotesFilter.h"

#include <algorithm>
#include <cstdio>

#include "data/Win1252.h"
#include "spells/SpellCollation.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence at the start of `text` and its
// code point, or 0 when it is not one (an overlong form, a surrogate, a
// sequence cut short, a stray continuation byte).
size_t DecodeUtf8(std::string_view text, uint32_t& cp) {
    const auto byte = [&text](size_t i) { return uint8_t(text[i]); };
    const uint8_t lead = byte(0);
    size_t length = 0;
    uint32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

// The Windows-1252 byte of one UTF-8 character, or 0 when the code page
// lacks it. U+00A0 to U+00FF keep their value; the few letters and signs of
// the 0x80 row (œ, š, ’, €...) are looked up.
uint8_t Win1252Byte(std::string_view character, uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return uint8_t(cp);
    if (cp < 0x100) return 0;  // C1 controls: no letter
    const auto encoded = Utf8ToWin1252(character);
    return encoded && encoded->size() == 1 ? uint8_t((*encoded)[0]) : 0;
}

}  // namespace

unsigned KindsOf(const CNoteItem& item) {
    unsigned kinds = 0;
    if (item.kind == CNoteItem::Kind::Pin) {
        kinds |= NoteKind::Pins;
    } else {
        if (item.visited) kinds |= NoteKind::Visited;
        if (item.favourite) kinds |= NoteKind::Favourites;
    }
    if (!item.note.empty()) kinds |= NoteKind::Noted;
    return kinds;
}

static void AppendFolded(std::string_view text, std::string& out) {
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = uint8_t(text[i]);
        if (lead < 0x80) {
            out += lead >= 'a' && lead <= 'z' ? char(lead - 'a' + 'A') : char(lead);
            ++i;
            continue;
        }
        uint32_t cp = 0;
        const size_t length = DecodeUtf8(text.substr(i), cp);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        const std::string_view character = text.substr(i, length);
        i += length;
        // Accents typed apart from their letter (decomposed text) go, as
        // the accents of é and è do.
        if (cp >= 0x300 && cp <= 0x36F) continue;
        const uint8_t byte = Win1252Byte(character, cp);
        const char* base = byte ? BaseLetters1252(byte) : nullptr;
        if (base)
            out += base;
        else
            out += character;
    }
}

std::string FoldForSearch(std::string_view utf8) {
    std::string folded;
    folded.reserve(utf8.size());
    AppendFolded(utf8, folded);
    return folded;
}

std::string CollationText(std::string_view utf8) {
    if (auto whole = Utf8ToWin1252(utf8)) return std::move(*whole);
    std::string text;
    text.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        uint32_t cp = 0;
        const size_t length = DecodeUtf8(utf8.substr(i), cp);
        const uint8_t byte = length ? Win1252Byte(utf8.substr(i, length), cp) : 0;
        text += byte ? char(byte) : '?';
        i += length ? length : 1;
    }
    return text;
}

void CNotesFilter::SetItems(const CNoteItems& items) {
    m_entries.assign(items.size(), Entry{});
    m_folded.clear();
    size_t total = 0;
    for (const CNoteItem& item : items) total += item.name.size() + item.note.size();
    m_folded.reserve(total + total / 8);
    for (size_t i = 0; i < items.size(); ++i) {
        Entry& entry = m_entries[i];
        entry.kinds = KindsOf(items[i]);
        entry.start = m_folded.size();
        AppendFolded(items[i].name, m_folded);
        entry.nameLength = m_folded.size() - entry.start;
        AppendFolded(items[i].note, m_folded);
        entry.noteLength = m_folded.size() - entry.start - entry.nameLength;
    }

    // By name: the collation's keys, made once each; equal names keep the
    // store's order.
    std::vector<SpellSortKey> keys;
    keys.reserve(items.size());
    for (const CNoteItem& item : items) keys.push_back(MakeSpellSortKey(CollationText(item.name)));
    m_byName.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i) m_byName[i] = int(i);
    std::stable_sort(m_byName.begin(), m_byName.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });

    // By date, the latest first; edits of the same millisecond by name.
    std::vector<int> nameRank(items.size());
    for (size_t r = 0; r < m_byName.size(); ++r) nameRank[m_byName[r]] = int(r);
    m_byDate = m_byName;
    std::sort(m_byDate.begin(), m_byDate.end(), [&items, &nameRank](int a, int b) {
        if (items[a].updated != items[b].updated) return items[a].updated > items[b].updated;
        return nameRank[a] < nameRank[b];
    });
}

std::vector<int> CNotesFilter::Rows(unsigned kinds, std::string_view text, NoteOrder order) const {
    const std::string needle = FoldForSearch(text);
    const std::string_view folded = m_folded;
    const auto holds = [&](const Entry& entry) {
        if (needle.empty()) return true;
        return folded.substr(entry.start, entry.nameLength).find(needle) != std::string_view::npos ||
               folded.substr(entry.start + entry.nameLength, entry.noteLength).find(needle) != std::string_view::npos;
    };
    std::vector<int> rows;
    for (int index : order == NoteOrder::ByName ? m_byName : m_byDate) {
        const Entry& entry = m_entries[size_t(index)];
        if ((entry.kinds & kinds) != 0 && holds(entry)) rows.push_back(index);
    }
    return rows;
}

int VisitedPlaces(const CNoteItems& items) {
    return int(std::count_if(items.begin(), items.end(), [](const CNoteItem& item) {
        return item.kind == CNoteItem::Kind::Place && item.visited;
    }));
}

std::string ProgressText(int visited, int placeCount) {
    const int total = std::max(placeCount, 0);
    const int shown = std::clamp(visited, 0, total);
    // Rounded half up, in whole numbers: no decimal point to localise.
    const long long percent = total ? (200LL * shown + total) / (2LL * total) : 0;
    char text[96];
    std::snprintf(text, sizeof text, "Lieux visit\xC3\xA9s : %d / %d (%lld %%)", shown, total, percent);
    return text;
}
