#include "npc/HtmlTagScanner.h"

#include "npc/HtmlEntity.h"

#include <algorithm>
#include <utility>

bool IsHtmlSpace(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13) || c == 0xA0; }

// Receives the characters of a word as the engine reads them.
class CHtmlTagScanner::WordSink {
public:
    virtual ~WordSink() = default;
    virtual void Add(unsigned char c) = 0;
    // A character beyond ASCII that an entity stands for.
    virtual void AddOther() = 0;
};

namespace {

constexpr int kMaxColSpan = 20480;  // the engine's own bound

// A tag's name or an attribute's key as the engine compares it: lower case
// in ASCII. A name with any other character is no element's.
class NameSink : public CHtmlTagScanner::WordSink {
public:
    NameSink(std::string& name, bool& known, size_t limit) : m_name(name), m_known(known), m_limit(limit) {}

    void Add(unsigned char c) override {
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c >= 0x80) m_known = false;
        if (m_name.size() < m_limit) m_name += char(c);
        else m_known = false;
    }
    void AddOther() override { m_known = false; }

private:
    std::string& m_name;
    bool& m_known;
    size_t m_limit;
};

// An attribute's value read as an integer the way the engine does, or
// more generously: blanks, a sign, then digits up to the first other
// character. The value saturates well above the engine's bounds.
class NumberSink : public CHtmlTagScanner::WordSink {
public:
    void Add(unsigned char c) override {
        if (m_done) return;
        const bool digit = c >= '0' && c <= '9';
        if (!m_started && !digit) {
            if (c == '-' || c == '+') m_negative = c == '-';
            else if (!IsHtmlSpace(c)) m_done = true;
            m_started = c == '-' || c == '+';
            return;
        }
        m_started = true;
        if (!digit) {
            m_done = true;
            return;
        }
        m_digits = true;
        m_value = std::min(m_value * 10 + (c - '0'), 1000000L);
    }
    void AddOther() override { m_done = true; }

    bool HasValue() const { return m_digits; }
    int Value() const { return m_negative ? 0 : int(m_value); }

private:
    bool m_started = false, m_done = false, m_negative = false, m_digits = false;
    long m_value = 0;
};

void TrimBlanks(std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsHtmlSpace(static_cast<unsigned char>(text[first]))) ++first;
    while (last > first && IsHtmlSpace(static_cast<unsigned char>(text[last - 1]))) --last;
    text = text.substr(first, last - first);
}

}  // namespace

bool CHtmlTagScanner::Next(HtmlTag& tag) {
    while (m_pos < m_page.size()) {
        const size_t open = m_page.find('<', m_pos);
        if (open == std::string_view::npos) break;
        m_pos = open + 1;
        SkipSpaces();
        if (At('!')) {
            SkipDeclaration();
            continue;
        }
        tag = HtmlTag{};
        tag.begin = open;
        // A name is a part of the page: kept whole, it costs no more than
        // the page, and equal names are equal.
        NameSink name(tag.name, tag.known, m_page.size());
        if (At('/')) {
            tag.kind = HtmlTag::Kind::Close;
            ++m_pos;
            ReadWord(&name);
            TrimBlanks(tag.name);
        } else {
            ReadWord(&name);
            // Attributes only after a blank: "<a<b>" is one tag named "a".
            if (m_pos < m_page.size() && IsHtmlSpace(static_cast<unsigned char>(m_page[m_pos])))
                ReadAttributes(tag);
        }
        tag.selfClosed = SkipToTagEnd(tag) && tag.kind == HtmlTag::Kind::Open;
        tag.end = m_pos;
        return true;
    }
    m_pos = m_page.size();
    return false;
}

bool CHtmlTagScanner::At(char c, size_t ahead) const {
    return m_pos + ahead < m_page.size() && m_page[m_pos + ahead] == c;
}

void CHtmlTagScanner::SkipSpaces() {
    while (m_pos < m_page.size() && IsHtmlSpace(static_cast<unsigned char>(m_page[m_pos]))) ++m_pos;
}

// "<!-- ... -->" to its end (or the page's), any other "<!...>" to its ">".
void CHtmlTagScanner::SkipDeclaration() {
    ++m_pos;
    if (At('-') && At('-', 1)) {
        const size_t end = m_page.find("-->", m_pos + 2);
        m_pos = end == std::string_view::npos ? m_page.size() : end + 3;
        return;
    }
    const size_t end = m_page.find('>', m_pos);
    m_pos = end == std::string_view::npos ? m_page.size() : end + 1;
}

// One word: quoted, or up to a blank, "<", "=", ">" or "/>". Returns how
// many characters it holds; `name`, when given, receives them.
size_t CHtmlTagScanner::ReadWord(WordSink* sink) {
    if (At('"')) return ReadQuoted('"', sink);
    if (At('\'')) return ReadQuoted('\'', sink);
    return ReadBare(sink);
}

size_t CHtmlTagScanner::ReadQuoted(char quote, WordSink* sink) {
    ++m_pos;
    size_t count = 0;
    while (m_pos < m_page.size()) {
        const char c = m_page[m_pos++];
        // A single quote after a backslash does not end the word.
        if (c == quote && (quote == '"' || m_page[m_pos - 2] != '\\')) break;
        ++count;
        if (!sink) continue;
        if (c == '&' && quote == '"') ReadEntity(*sink);
        else sink->Add(static_cast<unsigned char>(c));
    }
    return count;
}

size_t CHtmlTagScanner::ReadBare(WordSink* sink) {
    size_t count = 0;
    while (m_pos < m_page.size()) {
        const char c = m_page[m_pos];
        if (c == '>' || c == '<' || c == '=' || IsHtmlSpace(static_cast<unsigned char>(c)) ||
            (c == '/' && At('>', 1)))
            break;
        ++m_pos;
        ++count;
        if (!sink) continue;
        if (c == '&') ReadEntity(*sink);
        else sink->Add(static_cast<unsigned char>(c));
    }
    return count;
}

// After "&": the engine reads up to ";" within nine characters and no blank.
// What it does not resolve stays as written, the "&" included, and the
// characters after it are read again as part of the word.
void CHtmlTagScanner::ReadEntity(WordSink& sink) {
    const size_t start = m_pos;
    size_t pos = start, length = 0;
    while (pos < m_page.size()) {
        const char c = m_page[pos++];
        if (IsHtmlSpace(static_cast<unsigned char>(c)) || pos - start > 9) {
            sink.Add('&');
            return;
        }
        if (c == ';') break;
        ++length;
    }
    const Entity entity = length ? ResolveEntity(m_page.substr(start, length)) : Entity{EntityKind::AsWritten};
    if (entity.kind == EntityKind::AsWritten) {
        sink.Add('&');
        return;
    }
    if (entity.kind == EntityKind::Ascii) sink.Add(static_cast<unsigned char>(entity.ascii));
    else sink.AddOther();
    m_pos = pos;
}

// Attributes as the engine reads them: a key, maybe "=" and a value, each
// a word; an empty key ends them. Only a cell's spans are kept.
void CHtmlTagScanner::ReadAttributes(HtmlTag& tag) {
    while (m_pos < m_page.size()) {
        SkipSpaces();
        if (At('>') || At('/')) break;
        std::string key;
        bool keyKnown = true;
        NameSink keySink(key, keyKnown, 8);
        if (ReadWord(&keySink) == 0) break;
        SkipSpaces();
        if (!At('=')) continue;
        ++m_pos;
        SkipSpaces();
        const bool colSpan = keyKnown && key == "colspan";
        const bool rowSpan = keyKnown && key == "rowspan";
        NumberSink number;
        ReadWord(colSpan || rowSpan ? &number : nullptr);
        if (!number.HasValue()) continue;
        const int value = std::max(1, number.Value());
        if (colSpan) tag.colSpan = std::max(tag.colSpan, std::min(value, kMaxColSpan));
        if (rowSpan) tag.rowSpan = std::max(tag.rowSpan, std::min(value, kMaxColSpan));
    }
}

// Whatever is left up to ">" belongs to the tag; true when it holds a "/".
bool CHtmlTagScanner::SkipToTagEnd(HtmlTag& tag) {
    const size_t gt = m_page.find('>', m_pos);
    tag.complete = gt != std::string_view::npos;
    const size_t stop = tag.complete ? gt : m_page.size();
    const bool slash = m_page.substr(m_pos, stop - m_pos).find('/') != std::string_view::npos;
    m_pos = tag.complete ? gt + 1 : m_page.size();
    return slash;
}
