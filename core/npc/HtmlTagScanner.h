// The tags of an 8-bit (Windows-1252) HTML page, read the way the HTML
// panel's text engine reads them, so that what is measured here is what the
// engine will build: a tag opens at any "<" (blanks may follow it), a quoted
// word hides ">" and "<", a comment runs to "-->", a tag without its ">" runs
// to the end of the page, and entities in a tag's name are resolved.
//
// Every byte is read a bounded number of times: a page of any size or shape,
// garbage included, is scanned in linear time.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct HtmlTag {
    enum class Kind { Open, Close };
    Kind kind = Kind::Open;
    // The name in lower case, entities resolved; empty for "<>" or "< =x>".
    std::string name;
    // False when the name holds a character beyond ASCII, written or from an
    // entity: it is then no element's, and is taken to equal no other name
    // (the engine compares such names in Unicode lower case).
    bool known = true;
    bool selfClosed = false;  // a "/" between the attributes and ">"
    // A cell's "colspan" and "rowspan" as the engine reads them (an integer,
    // the column span at most 20480), the larger one when given twice; 1
    // when missing or not a number.
    int colSpan = 1;
    int rowSpan = 1;
    bool complete = true;     // false when the page ends before the tag's ">"
    size_t begin = 0;         // offset of the "<"
    size_t end = 0;           // offset just past the tag
};

class CHtmlTagScanner {
public:
    explicit CHtmlTagScanner(std::string_view page) : m_page(page) {}

    // Reads up to the next tag, skipping text, comments and declarations.
    // False when the page has no more tags.
    bool Next(HtmlTag& tag);

    class WordSink;

private:
    bool At(char c, size_t ahead = 0) const;
    void SkipSpaces();
    void SkipDeclaration();
    size_t ReadWord(WordSink* sink);
    size_t ReadQuoted(char quote, WordSink* sink);
    size_t ReadBare(WordSink* sink);
    void ReadEntity(WordSink& sink);
    void ReadAttributes(HtmlTag& tag);
    bool SkipToTagEnd(HtmlTag& tag);

    std::string_view m_page;
    size_t m_pos = 0;
};

// A blank as the engine sees one in a Windows-1252 page (the no-break space
// included).
bool IsHtmlSpace(unsigned char c);
