// The elements open at each point of an HTML page as the panel's text engine
// nests them, fed tag by tag, with the table frames and cells the engine
// will make of them. What it follows of the engine:
//  - an end tag closes the nearest open element of its name and all inside
//    it, and is ignored when none is open;
//  - "<p>" closes the inline elements (and tables) around it up to the
//    nearest block, and that block too when it is a paragraph; "<li>" right
//    inside "<li>" closes it; cells, rows, row groups, captions and
//    definition terms climb out to the element they belong in;
//  - a cell outside any row gets a table and a row, a row outside any table
//    a table; "<br>", "<hr>", "<img>", "<meta>" and "<x/>" hold nothing;
//  - a table's frame goes where the engine is writing; after a table ends
//    it writes on in the enclosing cell only when the table lay inside an
//    open cell, and otherwise stays inside the ended table;
//  - a table has as many cells as rows times columns, whatever the rows hold.
// Style sheets that change how an element is displayed are not read here.
#pragma once
#include "npc/HtmlTagScanner.h"
#include "npc/PageBounds.h"

#include <string>
#include <vector>

class CNestingTracker {
public:
    explicit CNestingTracker(const PageLimits& limits) : m_limits(limits) {}

    void Open(const HtmlTag& tag);
    void Close(const HtmlTag& tag);
    // Ends what is still open, as the end of the page does.
    void Finish() { PopTo(0); }

    // False once past a limit; the figures then stand a step past it.
    bool Within() const;
    const PageNesting& Deepest() const { return m_deepest; }

    // The elements the engine treats apart, by what it does with them.
    enum class Kind : unsigned char {
        Other, Table, Row, DataCell, HeaderCell, RowGroup, Caption, Paragraph, ListItem,
        DefinitionList, DefinitionTerm, DefinitionData, Body, Head, Empty
    };

private:
    struct Element {
        std::string name;     // for end tags; equal names close each other
        bool known;           // false: equal to no name
        Kind kind = Kind::Other;
        bool block = false;   // laid out as a block
        bool hidden = false;  // not shown, nor anything inside it
        int frame = 0;        // a table's frames, its own included
        long long rows = 0, columns = 0, spanColumns = 0;  // a table's
        long long rowColumns = 0;                            // a row's
    };

    size_t ParagraphParent() const;
    size_t Climb(Kind kind, size_t parent) const;
    void CountRow();
    void CountCell(const HtmlTag& tag);
    void Push(const std::string& name, bool known, bool added = false);
    void PopTo(size_t size);
    void AfterTable(const Element& table);
    Element* TableBelow(size_t index);
    bool Has(Kind kind) const;

    const PageLimits& m_limits;
    std::vector<Element> m_open;
    int m_frame = 0;  // table frames around the writing position
    PageNesting m_deepest;
};
