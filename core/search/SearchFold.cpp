#include "search/SearchFold.h"

#include "data/ShownText.h"

#include <cstdint>

namespace {

// U+00C0 to U+00FF, then U+0100 to U+017F: what each folds to; "" for a
// separator (× and ÷).
const char* const kLatin1[64] = {
    "a", "a", "a", "a", "a",  "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",   // C0
    "d", "n", "o", "o", "o",  "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss", // D0
    "a", "a", "a", "a", "a",  "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",   // E0
    "d", "n", "o", "o", "o",  "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y",  // F0
};

// Latin Extended-A by runs: the first code point of each run and its letter.
struct Run {
    char32_t first;
    const char* letter;
};
constexpr Run kExtendedA[] = {
    {0x100, "a"},  {0x106, "c"},  {0x10E, "d"}, {0x112, "e"}, {0x11C, "g"}, {0x124, "h"}, {0x128, "i"},
    {0x132, "ij"}, {0x134, "j"},  {0x136, "k"}, {0x139, "l"}, {0x143, "n"}, {0x14C, "o"}, {0x152, "oe"},
    {0x154, "r"},  {0x15A, "s"},  {0x162, "t"}, {0x168, "u"}, {0x174, "w"}, {0x176, "y"}, {0x179, "z"},
    {0x17F, "s"},  {0x180, nullptr},
};

bool IsSeparator(char32_t point) {
    return point <= 0xBF ||  // controls, ASCII and Latin-1 punctuation and symbols
           (point >= 0x2000 && point <= 0x2BFF) ||  // punctuation, symbols, arrows, shapes
           (point >= 0x3000 && point <= 0x303F) ||  // CJK punctuation and its blank
           point == 0xFEFF || (point >= 0xFFF0 && point <= 0xFFFF);
}

// What one code point of U+00C0 and above folds to: its letters, "" for a
// separator, null to keep it as written.
const char* FoldedLetter(char32_t point) {
    if (point >= 0xC0 && point <= 0xFF) return kLatin1[point - 0xC0];
    if (point >= 0x100 && point < 0x180) {
        const char* letter = kExtendedA[0].letter;
        for (const Run& run : kExtendedA) {
            if (run.first > point) break;
            letter = run.letter;
        }
        return letter;
    }
    return IsSeparator(point) ? "" : nullptr;
}

}  // namespace

std::string FoldToWords(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    bool inWord = false;
    const auto letter = [&](std::string_view letters) {
        if (!inWord && !out.empty()) out += ' ';
        inWord = true;
        out += letters;
    };
    while (!utf8.empty()) {
        const unsigned char byte = static_cast<unsigned char>(utf8[0]);
        if (byte < 0x80) {
            utf8.remove_prefix(1);
            const bool upper = byte >= 'A' && byte <= 'Z';
            if (upper || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')) {
                const char lower = char(upper ? byte - 'A' + 'a' : byte);
                letter(std::string_view(&lower, 1));
                continue;
            }
            inWord = false;
            continue;
        }
        char32_t point = 0;
        const size_t length = Utf8SequenceAt(utf8, point);
        if (length == 0) {  // not UTF-8: a separator
            utf8.remove_prefix(1);
            inWord = false;
            continue;
        }
        const std::string_view written = utf8.substr(0, length);
        utf8.remove_prefix(length);
        if (point >= 0x300 && point <= 0x36F) continue;  // a combining accent: nothing
        const char* folded = FoldedLetter(point);
        if (!folded) letter(written);
        else if (*folded) letter(folded);
        else inWord = false;
    }
    return out;
}
