#include "npc/CrossLinker.h"

#include "npc/LinkAddress.h"
#include "npc/Tokenizer.h"

namespace {

std::string LinkMarkup(const FoundLink& link) {
    return InternalLink(link.kind == FoundLink::Place ? "locidx" : "npcidx", link.number, link.phrase);
}

bool IsWordAt(const std::vector<Token>& tokens, size_t p) {
    return p < tokens.size() && tokens[p].kind == TokenKind::Word;
}

// The shortest phrase of one to three words starting at word token `p`
// that names something.
std::optional<FoundLink> LinkWindowAt(const std::vector<Token>& tokens, size_t p, const CLinkTargets& targets) {
    std::string phrase = tokens[p].text;
    for (size_t k = 0; k <= 2; ++k) {
        if (k > 0) {
            if (!IsWordAt(tokens, p + k)) break;
            phrase += ' ';
            phrase += tokens[p + k].text;
        }
        if (auto link = FindLinkFor(phrase, targets)) {
            link->words = k + 1;
            return link;
        }
    }
    return std::nullopt;
}

// Walks the tokens of `text` as the linker reads them: `visit` gets each
// token, with the link that starts there (the words it spans are skipped)
// or null.
template <class Visit>
void WalkLinks(std::string_view text, const CLinkTargets& targets, Visit visit) {
    const std::vector<Token> tokens = TokenizeText(text);
    size_t p = 0;
    while (p < tokens.size()) {
        if (tokens[p].kind == TokenKind::Delimiter) {
            visit(tokens[p], nullptr);
            ++p;
            continue;
        }
        // Without a link, the next word starts windows of its own.
        const auto link = LinkWindowAt(tokens, p, targets);
        visit(tokens[p], link ? &*link : nullptr);
        p += link ? link->words : 1;
    }
}

}  // namespace

std::optional<FoundLink> FindLinkFor(std::string_view phrase, const CLinkTargets& targets) {
    const std::string folded = FoldAsciiCase(phrase);
    if (const auto place = targets.FindFoldedPlace(folded))
        return FoundLink{FoundLink::Place, *place, std::string(phrase), 1};
    if (const auto character = targets.FindFoldedCharacter(folded))
        return FoundLink{FoundLink::Character, *character, std::string(phrase), 1};
    return std::nullopt;
}

std::vector<FoundLink> FindLinks(std::string_view text, const CLinkTargets& targets) {
    std::vector<FoundLink> links;
    WalkLinks(text, targets, [&links](const Token&, const FoundLink* link) {
        if (link) links.push_back(*link);
    });
    return links;
}

std::string LinkifyText(std::string_view text, const CLinkTargets& targets) {
    CHtmlFragment out;
    WalkLinks(text, targets, [&out](const Token& token, const FoundLink* link) {
        if (link) out.AppendMarkup(LinkMarkup(*link), '>');
        else if (token.kind == TokenKind::Word) out.AppendText(token.text);
        else out.AppendTight(token.text);  // delimiters follow what precedes them
    });
    return out.Html();
}
