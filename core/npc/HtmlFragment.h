// An HTML fragment built from plain text pieces and ready-made markup. Text is
// escaped on the way in, so that no byte of the data can open a tag or an
// entity; the spacing rule between pieces still looks at the text as written,
// not at its escaped form.
#pragma once
#include <string>
#include <string_view>

// `&`, `<`, `>` and `"` as entities; every other byte unchanged.
std::string EscapeHtml(std::string_view text);

class CHtmlFragment {
public:
    // Appends plain text, with one space before it unless the fragment is
    // empty or its last written character is a link delimiter. An empty
    // piece changes nothing.
    void AppendText(std::string_view text);
    // As AppendText, for markup that goes in unescaped; `lastWritten` is the
    // character the spacing rule sees at the fragment's end afterwards.
    void AppendMarkup(std::string_view markup, char lastWritten);
    // Appends text with no space before it.
    void AppendTight(std::string_view text);

    const std::string& Html() const { return m_html; }
    bool IsEmpty() const { return m_html.empty(); }

private:
    void SpaceBeforePiece();

    std::string m_html;
    char m_lastWritten = 0;  // last character of the fragment, unescaped
};
