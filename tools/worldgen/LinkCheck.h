// A model of the character panel's cross-linker (npc/) for the generator's
// own checks: which phrases of a character text become place or
// character links. Same tokenizer, same one-to-three-word windows tried
// shortest first, same three place passes (whole name, part before the first
// comma, first apostrophe read as a hyphen) and the same first-record rule for
// characters; only the linear walks are replaced by equivalent hash lookups.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

namespace wg2 {

class LinkCheck {
public:
    struct Link {
        bool place;        // place link (else character link)
        int index;         // place index or character ordinal
        std::string text;  // the phrase as the link shows it
    };

    explicit LinkCheck(const std::vector<std::string>& placeNames);
    // The character names in ordinal order (the records before the end).
    void SetCharacters(const std::vector<std::string>& names);

    // Place index for a phrase, or -1 (whole name, part before the comma, apostrophe read as a hyphen, in that order).
    int FindPlace(const std::string& phrase) const;
    // Character ordinal for a phrase (first record of that name), or -1.
    int FindCharacter(const std::string& phrase) const;
    // True when the phrase is a place or a character name.
    bool IsName(const std::string& phrase) const { return FindPlace(phrase) >= 0 || FindCharacter(phrase) >= 0; }

    // The links that the cross-linker makes in `text`, in text order.
    std::vector<Link> Links(const std::string& text) const;
    // The cross-linker's tokenizer: (token, isDelimiter) pairs.
    static std::vector<std::pair<std::string, bool>> Tokenize(const std::string& text);
    static bool IsLinkDelimiter(char c);

private:
    std::unordered_map<std::string, int> m_whole;       // lower-case name -> index, -2 when ambiguous
    std::unordered_map<std::string, int> m_beforeComma;  // lower-case part -> first index
    std::unordered_map<std::string, int> m_characters;   // lower-case name -> first ordinal
};

}  // namespace wg2
