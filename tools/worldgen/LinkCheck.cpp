#include "LinkCheck.h"

#include "GenCommon.h"

#include <cstring>

namespace wg2 {

LinkCheck::LinkCheck(const std::vector<std::string>& placeNames) {
    for (size_t i = 0; i < placeNames.size(); ++i) {
        const std::string key = LowerAscii(placeNames[i]);
        auto it = m_whole.find(key);
        if (it == m_whole.end()) m_whole[key] = int(i);
        else it->second = -2;
        const size_t comma = placeNames[i].find(',');
        if (comma != std::string::npos) {
            const std::string part = LowerAscii(placeNames[i].substr(0, comma));
            if (!m_beforeComma.count(part)) m_beforeComma[part] = int(i);
        }
    }
}

void LinkCheck::SetCharacters(const std::vector<std::string>& names) {
    m_characters.clear();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string key = LowerAscii(names[i]);
        if (!m_characters.count(key)) m_characters[key] = int(i);
    }
}

int LinkCheck::FindPlace(const std::string& phrase) const {
    const std::string key = LowerAscii(phrase);
    auto it = m_whole.find(key);
    if (it != m_whole.end() && it->second >= 0) return it->second;  // pass 0
    auto jt = m_beforeComma.find(key);
    if (jt != m_beforeComma.end()) return jt->second;  // pass 1
    const size_t apo = key.find('\'');
    if (apo != std::string::npos) {  // pass 2
        std::string alt = key;
        alt[apo] = '-';
        auto kt = m_whole.find(alt);
        if (kt != m_whole.end() && kt->second >= 0) return kt->second;
    }
    return -1;
}

int LinkCheck::FindCharacter(const std::string& phrase) const {
    auto it = m_characters.find(LowerAscii(phrase));
    return it == m_characters.end() ? -1 : it->second;
}

bool LinkCheck::IsLinkDelimiter(char c) { return c != 0 && std::strchr("().,;:/!?_*", c) != nullptr; }

std::vector<std::pair<std::string, bool>> LinkCheck::Tokenize(const std::string& text) {
    std::vector<std::pair<std::string, bool>> tokens;
    std::string cur;
    bool newRun = true, delimRun = false;
    auto flush = [&](bool delim) {
        if (!cur.empty()) tokens.emplace_back(cur, delim);
        cur.clear();
    };
    size_t i = 0;
    while (i < text.size() && text[i] != 0) {
        const char c = text[i];
        if (i == 0 && c == ' ') {
            i = 1;
            continue;
        }
        if (newRun) {
            newRun = false;
            size_t j = i;
            while (j < text.size() && text[j] == ' ') ++j;
            delimRun = j < text.size() && IsLinkDelimiter(text[j]);
        }
        const bool sepChar = c == ' ' || IsLinkDelimiter(c);
        if (delimRun) {
            if (sepChar) {
                cur += c;
                ++i;
            } else {
                flush(true);
                newRun = true;
            }
        } else {
            if (!sepChar) {
                cur += c;
                ++i;
            } else if (cur.empty()) {
                ++i;
            } else {
                flush(false);
                newRun = true;
            }
        }
    }
    flush(delimRun);
    return tokens;
}

std::vector<LinkCheck::Link> LinkCheck::Links(const std::string& text) const {
    std::vector<Link> links;
    const auto tokens = Tokenize(text);
    auto tryLink = [&](const std::string& phrase) {
        int i = FindPlace(phrase);
        if (i >= 0) {
            links.push_back({true, i, phrase});
            return true;
        }
        int n = FindCharacter(phrase);
        if (n >= 0) {
            links.push_back({false, n, phrase});
            return true;
        }
        return false;
    };
    size_t p = 0;
    while (p < tokens.size()) {
        if (tokens[p].second) {
            ++p;
            continue;
        }
        std::string phrase = tokens[p].first;
        if (tryLink(phrase)) {
            ++p;
            continue;
        }
        bool linked = false;
        for (size_t k = 1; k <= 2; ++k) {
            if (p + k >= tokens.size() || tokens[p + k].second) break;
            phrase += " " + tokens[p + k].first;
            if (tryLink(phrase)) {
                p += k + 1;
                linked = true;
                break;
            }
        }
        if (!linked) ++p;
    }
    return links;
}

}  // namespace wg2
