#include "notes/NotesFilter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <unordered_map>

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
// lacks it. U+00A0 to U+00FF keep their value; the letters of the 0x80 row
// are few and looked up here, at no cost; its signs (’, €, …) are looked up
// by the code page's own table.
uint8_t Win1252Byte(std::string_view character, uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return uint8_t(cp);
    switch (cp) {
    case 0x0152:
        return 0x8C;  // Œ
    case 0x0153:
        return 0x9C;  // œ
    case 0x0160:
        return 0x8A;  // Š
    case 0x0161:
        return 0x9A;  // š
    case 0x0178:
        return 0x9F;  // Ÿ
    case 0x017D:
        return 0x8E;  // Ž
    case 0x017E:
        return 0x9E;  // ž
    case 0x0192:
        return 0x83;  // ƒ
    default:
        break;
    }
    if (cp < 0x100) return 0;  // C1 controls: no letter
    const auto encoded = Utf8ToWin1252(character);
    return encoded && encoded->size() == 1 ? uint8_t((*encoded)[0]) : 0;
}

// What each Windows-1252 byte folds to: its base letters, or nothing for a
// byte that is no letter (empty: the character is kept as it is).
const std::array<std::string_view, 256>& FoldedBytes() {
    static const std::array<std::string_view, 256> table = [] {
        std::array<std::string_view, 256> bases{};
        for (int byte = 1; byte < 256; ++byte)
            if (const char* base = BaseLetters1252(uint8_t(byte))) bases[size_t(byte)] = base;
        return bases;
    }();
    return table;
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

// At most how many bytes the folding of one byte of text takes: a NUL or a
// byte that is no UTF-8 becomes U+FFFD; nothing else grows.
constexpr size_t kFoldedGrowth = 3;

// Writes the folding of `text` at `out`, which has room for kFoldedGrowth
// bytes for each of its bytes; returns the end of what it wrote. Written
// through a pointer, a byte at a time where it is ASCII, since preparing
// 100,000 notes is the cost of every edit the panel shows.
static char* WriteFolded(std::string_view text, char* out) {
    const auto& bases = FoldedBytes();
    const auto put = [&out](std::string_view bytes) {
        std::memcpy(out, bytes.data(), bytes.size());
        out += bytes.size();
    };
    for (size_t i = 0; i < text.size();) {
        const uint8_t lead = uint8_t(text[i]);
        if (lead < 0x80) {
            // NUL ends each text in the filter's buffer, so no text holds it.
            if (lead == 0)
                put(kReplacement);
            else
                *out++ = char(lead - (uint8_t(lead - 'a') < 26u ? 'a' - 'A' : 0));
            ++i;
            continue;
        }
        // Latin-1's letters (é, à, ç...), most of the rest, at once.
        if ((lead == 0xC2 || lead == 0xC3) && i + 1 < text.size() && (uint8_t(text[i + 1]) & 0xC0) == 0x80) {
            const uint8_t byte = uint8_t(((lead & 0x1F) << 6) | (uint8_t(text[i + 1]) & 0x3F));
            const std::string_view base = byte >= 0xA0 ? bases[byte] : std::string_view();
            put(base.empty() ? text.substr(i, 2) : base);
            i += 2;
            continue;
        }
        uint32_t cp = 0;
        const size_t length = DecodeUtf8(text.substr(i), cp);
        if (length == 0) {
            put(kReplacement);
            ++i;
            continue;
        }
        const std::string_view character = text.substr(i, length);
        i += length;
        // Accents typed apart from their letter (decomposed text) go, as
        // the accents of é and è do.
        if (cp >= 0x300 && cp <= 0x36F) continue;
        const std::string_view base = bases[Win1252Byte(character, cp)];
        put(base.empty() ? character : base);
    }
    return out;
}

std::string FoldForSearch(std::string_view utf8) {
    std::string folded(kFoldedGrowth * utf8.size(), '\0');
    folded.resize(size_t(WriteFolded(utf8, folded.data()) - folded.data()));
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
    // The folding of a name and a note depends on them alone: a text that
    // was there before (every one but the edited item's, after an edit) is
    // copied rather than folded again.
    const std::vector<Entry> oldEntries = std::move(m_entries);
    const std::unique_ptr<char[]> oldFolded = std::move(m_folded);
    std::vector<std::string> oldNames = std::move(m_names);
    const std::hash<std::string_view> hash;
    // The old texts by their content, made at the first one not found in
    // its old place.
    std::unordered_multimap<size_t, size_t> oldByContent;
    const auto contentKey = [&hash](std::string_view name, size_t noteHash) { return hash(name) * 31 + noteHash; };
    const auto findOld = [&](size_t i, const CNoteItem& item, size_t noteHash) -> const Entry* {
        const auto same = [&](size_t j) {
            const Entry& old = oldEntries[j];
            return old.noteHash == noteHash && old.noteSize == item.note.size() && oldNames[j] == item.name;
        };
        if (i < oldEntries.size() && same(i)) return &oldEntries[i];
        if (oldEntries.empty()) return nullptr;
        if (oldByContent.empty()) {
            oldByContent.reserve(oldEntries.size());
            for (size_t j = 0; j < oldEntries.size(); ++j)
                oldByContent.emplace(contentKey(oldNames[j], oldEntries[j].noteHash), j);
        }
        const auto [first, last] = oldByContent.equal_range(contentKey(item.name, noteHash));
        for (auto it = first; it != last; ++it)
            if (same(it->second)) return &oldEntries[it->second];
        return nullptr;
    };

    m_entries.assign(items.size(), Entry{});
    size_t room = 0;
    for (const CNoteItem& item : items) room += kFoldedGrowth * (item.name.size() + item.note.size()) + 2;
    // Left uninitialised: the pages that the texts do not reach are never
    // touched.
    m_folded.reset(new char[room]);
    char* out = m_folded.get();
    bool sameNames = oldNames.size() == items.size();
    for (size_t i = 0; i < items.size(); ++i) {
        const CNoteItem& item = items[i];
        Entry& entry = m_entries[i];
        entry.kinds = KindsOf(item);
        entry.updated = item.updated;
        entry.start = size_t(out - m_folded.get());
        entry.noteHash = hash(item.note);
        entry.noteSize = item.note.size();
        if (const Entry* old = findOld(i, item, entry.noteHash)) {
            std::memcpy(out, oldFolded.get() + old->start, old->foldedSize);
            out += old->foldedSize;
        } else {
            out = WriteFolded(item.name, out);
            *out++ = '\0';
            out = WriteFolded(item.note, out);
            *out++ = '\0';
        }
        entry.foldedSize = size_t(out - m_folded.get()) - entry.start;
        sameNames = sameNames && oldNames[i] == item.name;
    }
    m_foldedSize = size_t(out - m_folded.get());
    // How often each byte comes, from every 8th one: enough to tell which
    // letter of a needle is rare.
    m_byteCount.fill(0);
    for (size_t i = 0; i < m_foldedSize; i += 8) ++m_byteCount[uint8_t(m_folded[i])];

    // An edit mostly leaves every name as it was (a place marked, a note
    // written, a pin moved): the order by name then stands.
    if (sameNames) {
        m_names = std::move(oldNames);
    } else {
        m_names.resize(items.size());
        for (size_t i = 0; i < items.size(); ++i) m_names[i] = items[i].name;
        m_byName.clear();
    }
    m_byDate.clear();
}

const std::vector<int>& CNotesFilter::Order(NoteOrder order) const {
    // Each order is made when first asked for: the panel shows one of them.
    std::vector<int>& sorted = order == NoteOrder::ByName ? m_byName : m_byDate;
    if (!sorted.empty() || m_entries.empty()) return sorted;
    sorted.resize(m_entries.size());
    for (size_t i = 0; i < sorted.size(); ++i) sorted[i] = int(i);
    // By the collation's keys, made once each; equal names keep the
    // store's order.
    const auto sortByName = [this](std::vector<int>::iterator first, std::vector<int>::iterator last) {
        std::vector<std::pair<SpellSortKey, int>> keyed;
        keyed.reserve(size_t(last - first));
        for (auto it = first; it != last; ++it)
            keyed.emplace_back(MakeSpellSortKey(CollationText(m_names[size_t(*it)])), *it);
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            const int order = a.first.bytes.compare(b.first.bytes);
            return order != 0 ? order < 0 : a.second < b.second;
        });
        for (const auto& [key, index] : keyed) *first++ = index;
    };
    if (order == NoteOrder::ByName) {
        sortByName(sorted.begin(), sorted.end());
        return sorted;
    }
    // The latest edit first; edits of the same millisecond (an import's)
    // by name.
    std::stable_sort(sorted.begin(), sorted.end(),
                     [this](int a, int b) { return m_entries[size_t(a)].updated > m_entries[size_t(b)].updated; });
    for (auto run = sorted.begin(); run != sorted.end();) {
        const int64_t updated = m_entries[size_t(*run)].updated;
        auto end = std::find_if(run, sorted.end(), [&](int i) { return m_entries[size_t(i)].updated != updated; });
        if (end - run > 1) sortByName(run, end);
        run = end;
    }
    return sorted;
}

std::vector<int> CNotesFilter::Rows(unsigned kinds, std::string_view text, NoteOrder order) const {
    const std::vector<int>& sorted = Order(order);
    const std::string needle = FoldForSearch(text);
    std::vector<char> holds(m_entries.size(), needle.empty());
    if (!needle.empty()) {
        // One search through every text at once, led by the needle's
        // rarest byte in these texts (memchr skips the rest at the
        // memory's speed); a text found is not searched further. Each text
        // ends with a NUL that neither a folded text nor the needle holds,
        // so no match spans two.
        size_t lead = 0;
        for (size_t k = 1; k < needle.size(); ++k)
            if (m_byteCount[uint8_t(needle[k])] < m_byteCount[uint8_t(needle[lead])]) lead = k;
        const char* const data = m_folded.get();
        const size_t size = m_foldedSize;
        size_t entry = 0;
        for (size_t pos = lead; pos < size;) {
            const void* found = std::memchr(data + pos, needle[lead], size - pos);
            if (!found) break;
            const size_t start = size_t(static_cast<const char*>(found) - data) - lead;
            if (start + needle.size() > size || std::memcmp(data + start, needle.data(), needle.size()) != 0) {
                pos = start + lead + 1;
                continue;
            }
            while (entry + 1 < m_entries.size() && m_entries[entry + 1].start <= start) ++entry;
            holds[entry] = 1;
            if (entry + 1 == m_entries.size()) break;
            pos = m_entries[entry + 1].start + lead;
        }
    }
    std::vector<int> rows;
    rows.reserve(sorted.size());
    for (int index : sorted)
        if ((m_entries[size_t(index)].kinds & kinds) != 0 && holds[size_t(index)]) rows.push_back(index);
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
