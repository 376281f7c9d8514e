// Which of the player's items the notes panel lists, and in which order: by
// kind (pins, visited places, favourites, items with a note), by a text
// that ignores case and accents, by name or by the date of the last edit;
// and the progress line beneath the list.
#pragma once
#include "notes/NoteItem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The kinds the panel filters by. An item may be of several (a visited
// favourite with a note); it shows when it is of any kind checked.
namespace NoteKind {
enum : unsigned { Pins = 1, Visited = 2, Favourites = 4, Noted = 8, All = 15 };
}
unsigned KindsOf(const CNoteItem& item);

enum class NoteOrder {
    ByName,  // as the spell finder files names: letters first, then accents
    ByDate,  // the latest edit first
};

// UTF-8 text made ready for a search that ignores case and accents: letters
// become their unaccented capitals ("é" gives "E", "œ" gives "OE"), every
// other character stays as it is, combining accents go; bytes that are no
// UTF-8, and NUL, become U+FFFD.
// The result is UTF-8 again, so a substring of it starts on a character.
std::string FoldForSearch(std::string_view utf8);

// A name in Windows-1252 for the spell finder's collation; a character that
// code page lacks (or a byte that is no UTF-8) counts as '?'.
std::string CollationText(std::string_view utf8);

class CNotesFilter {
public:
    // Folds every name and note once (copying the folding of those that
    // were there at the last call), so that a keystroke in the panel only
    // searches.
    void SetItems(const CNoteItems& items);
    size_t Size() const { return m_entries.size(); }

    // The indices (into the items last given) of those of `kinds` whose name
    // or note holds `text` ignoring case and accents (any item when `text`
    // is empty), in `order`.
    std::vector<int> Rows(unsigned kinds, std::string_view text, NoteOrder order) const;

private:
    const std::vector<int>& Order(NoteOrder order) const;

    struct Entry {
        size_t start = 0;  // the folded name and NUL, then the folded note and NUL, in m_folded
        size_t foldedSize = 0;
        size_t noteHash = 0;  // of the note as given, to know it again at the next items
        size_t noteSize = 0;
        int64_t updated = 0;
        unsigned kinds = 0;
    };
    std::vector<Entry> m_entries;  // as the items were given
    std::unique_ptr<char[]> m_folded;
    size_t m_foldedSize = 0;
    std::array<size_t, 256> m_byteCount{};  // of each byte in m_folded
    std::vector<std::string> m_names;       // for the orders
    // Each order, once asked for.
    mutable std::vector<int> m_byName, m_byDate;
};

// Visited place marks among the items.
int VisitedPlaces(const CNoteItems& items);
// "Lieux visités : N / TOTAL (P %)", P rounded to a whole number. N is never
// shown above the total: marks kept from another data folder, whose places
// this world lacks, would otherwise make more than all of them.
std::string ProgressText(int visited, int placeCount);
