#include "npc/HtmlFragment.h"

#include "npc/Tokenizer.h"

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

void CHtmlFragment::SpaceBeforePiece() {
    // A space is not a delimiter: a piece after a delimiter run that ends in
    // a space gets a second one, as the linked texts have always shown.
    if (!m_html.empty() && !IsLinkDelimiter(m_lastWritten)) {
        m_html += ' ';
        m_lastWritten = ' ';
    }
}

void CHtmlFragment::AppendText(std::string_view text) {
    if (text.empty()) return;
    SpaceBeforePiece();
    AppendTight(text);
}

void CHtmlFragment::AppendMarkup(std::string_view markup, char lastWritten) {
    if (markup.empty()) return;
    SpaceBeforePiece();
    m_html += markup;
    m_lastWritten = lastWritten;
}

void CHtmlFragment::AppendTight(std::string_view text) {
    if (text.empty()) return;
    m_html += EscapeHtml(text);
    m_lastWritten = text.back();
}
