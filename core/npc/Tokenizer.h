// Splitting a description into words and delimiter runs, the units that the
// cross-linker looks names up in.
#pragma once
#include <string>
#include <string_view>
#include <vector>

enum class TokenKind : unsigned char { Word = 0, Delimiter = 1 };

struct Token {
    std::string text;
    TokenKind kind;

    bool operator==(const Token& other) const {
        return kind == other.kind && text == other.text;
    }
};

// One of the eleven characters that end a name: ( ) . , ; : / ! ? _ *
bool IsLinkDelimiter(char c);

// Whether the first character at or after `pos` that is not a space is a
// link delimiter; false when only spaces remain.
bool StartsDelimiterRun(std::string_view text, size_t pos);

// Word tokens hold word characters only (anything but a space, a link
// delimiter or a zero byte); delimiter tokens hold delimiters and the spaces
// around them, at least one delimiter. Spaces between words, before the first
// word and after the last one are dropped, as is one space at the very start.
// The text ends at its first zero byte.
std::vector<Token> TokenizeText(std::string_view text);
