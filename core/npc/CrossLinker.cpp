#include "npc/CrossLinker.h"

#include "npc/Tokenizer.h"

#include <vector>

namespace {

std::string LinkMarkup(const char* kind, int number, std::string_view phrase) {
    return std::string("<a href=\"quil://") + kind + "=" + std::to_string(number) + "\">" +
           EscapeHtml(phrase) + "</a>";
}

bool TryLink(std::string_view phrase, const CLinkTargets& targets, CHtmlFragment& out) {
    const auto link = LinkFor(phrase, targets);
    if (!link) return false;
    out.AppendMarkup(*link, '>');
    return true;
}

bool IsWordAt(const std::vector<Token>& tokens, size_t p) {
    return p < tokens.size() && tokens[p].kind == TokenKind::Word;
}

// Links the shortest phrase of one to three words starting at word token `p`
// that names something; returns how many words it took, 0 when none did.
size_t LinkWindowAt(const std::vector<Token>& tokens, size_t p,
                    const CLinkTargets& targets, CHtmlFragment& out) {
    std::string phrase = tokens[p].text;
    if (TryLink(phrase, targets, out)) return 1;
    for (size_t k = 1; k <= 2 && IsWordAt(tokens, p + k); ++k) {
        phrase += ' ';
        phrase += tokens[p + k].text;
        if (TryLink(phrase, targets, out)) return k + 1;
    }
    return 0;
}

}  // namespace

std::optional<std::string> LinkFor(std::string_view phrase, const CLinkTargets& targets) {
    if (const auto place = targets.FindPlace(phrase)) return LinkMarkup("locidx", *place, phrase);
    if (const auto character = targets.FindCharacter(phrase))
        return LinkMarkup("npcidx", *character, phrase);
    return std::nullopt;
}

std::string LinkifyText(std::string_view text, const CLinkTargets& targets) {
    const std::vector<Token> tokens = TokenizeText(text);
    CHtmlFragment out;
    size_t p = 0;
    while (p < tokens.size()) {
        if (tokens[p].kind == TokenKind::Delimiter) {
            out.AppendTight(tokens[p].text);  // delimiters follow what precedes them
            ++p;
            continue;
        }
        const size_t taken = LinkWindowAt(tokens, p, targets, out);
        if (taken > 0) {
            p += taken;
        } else {
            // The next word starts windows of its own.
            out.AppendText(tokens[p].text);
            ++p;
        }
    }
    return out.Html();
}
