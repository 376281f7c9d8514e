#include "npc/Tokenizer.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == ' ' || IsLinkDelimiter(c); }

void FlushToken(std::string& current, std::vector<Token>& tokens, TokenKind kind) {
    if (current.empty()) return;
    tokens.push_back(Token{std::move(current), kind});
    current.clear();
}

}  // namespace

bool IsLinkDelimiter(char c) {
    return c != '\0' && std::strchr("().,;:/!?_*", c) != nullptr;
}

bool StartsDelimiterRun(std::string_view text, size_t pos) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    return pos < text.size() && IsLinkDelimiter(text[pos]);
}

std::vector<Token> TokenizeText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<Token> tokens;
    std::string current;
    bool newRun = true;
    bool delimiterRun = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (i == 0 && c == ' ') {  // only the very first space is skipped here
            i = 1;
            continue;
        }
        if (newRun) {
            newRun = false;
            delimiterRun = StartsDelimiterRun(text, i);
        }
        if (IsSeparator(c) == delimiterRun) {
            current += c;  // the run goes on
            ++i;
        } else if (!delimiterRun && current.empty()) {
            ++i;  // spaces or delimiters before a word has begun are dropped
        } else {
            // The run ends; the same character starts the next one.
            FlushToken(current, tokens, delimiterRun ? TokenKind::Delimiter : TokenKind::Word);
            newRun = true;
        }
    }
    FlushToken(current, tokens, delimiterRun ? TokenKind::Delimiter : TokenKind::Word);
    return tokens;
}
