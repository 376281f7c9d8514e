#include "npc/NestingTracker.h"

#include <algorithm>
#include <string_view>

namespace {

using Kind = CNestingTracker::Kind;

constexpr long long kManyCells = 1LL << 50;  // saturation: far past any limit

// The elements the engine treats apart, with its own display of each before
// any style sheet: a block, or not shown at all.
struct ElementInfo {
    std::string_view name;
    Kind kind;
    bool block;
    bool hidden;
};

constexpr ElementInfo kElements[] = {
    {"blockquote", Kind::Other, true, false}, {"body", Kind::Body, true, false},
    {"br", Kind::Empty, false, false},        {"caption", Kind::Caption, true, false},
    {"center", Kind::Other, true, false},     {"dd", Kind::DefinitionData, true, false},
    {"div", Kind::Other, true, false},        {"dl", Kind::DefinitionList, true, false},
    {"dt", Kind::DefinitionTerm, true, false}, {"h1", Kind::Other, true, false},
    {"h2", Kind::Other, true, false},         {"h3", Kind::Other, true, false},
    {"h4", Kind::Other, true, false},         {"h5", Kind::Other, true, false},
    {"h6", Kind::Other, true, false},         {"head", Kind::Head, false, true},
    {"hr", Kind::Empty, true, false},         {"img", Kind::Empty, false, false},
    {"li", Kind::ListItem, true, false},      {"link", Kind::Other, false, true},
    {"meta", Kind::Empty, false, true},       {"ol", Kind::Other, true, false},
    {"p", Kind::Paragraph, true, false},      {"pre", Kind::Other, true, false},
    {"qt", Kind::Body, true, false},          {"script", Kind::Other, false, true},
    {"style", Kind::Other, false, true},      {"table", Kind::Table, false, false},
    {"tbody", Kind::RowGroup, false, false},  {"td", Kind::DataCell, true, false},
    {"tfoot", Kind::RowGroup, false, false},  {"th", Kind::HeaderCell, true, false},
    {"thead", Kind::RowGroup, false, false},  {"title", Kind::Other, false, true},
    {"tr", Kind::Row, false, false},          {"ul", Kind::Other, true, false},
};

ElementInfo Classify(const std::string& name, bool known) {
    if (known) {
        for (const ElementInfo& info : kElements)
            if (info.name == name) return info;
    }
    return {name, Kind::Other, false, false};
}

bool IsCell(Kind kind) { return kind == Kind::DataCell || kind == Kind::HeaderCell; }

// Whether the engine lets a `child` sit directly in a `parent`; where it
// does not, the child goes higher up, closing what lies between.
bool AllowedIn(Kind child, Kind parent) {
    switch (child) {
    case Kind::DefinitionData:
        return parent == Kind::DefinitionTerm || parent == Kind::DefinitionList;
    case Kind::DefinitionTerm:
        return parent == Kind::DefinitionList;
    case Kind::Row:
        return parent == Kind::Table || parent == Kind::RowGroup;
    case Kind::DataCell:
    case Kind::HeaderCell:
        return parent == Kind::Row;
    case Kind::RowGroup:
    case Kind::Caption:
        return parent == Kind::Table;
    case Kind::Body:
        return parent != Kind::Head;
    default:
        return true;
    }
}

}  // namespace

void CNestingTracker::Open(const HtmlTag& tag) {
    const Kind kind = Classify(tag.name, tag.known).kind;
    // A cell outside any row gets a table and a row; a row outside any
    // table gets a table.
    if (kind == Kind::DataCell && !Has(Kind::Row)) {
        Push("table", true, true);
        CountRow();
        Push("tr", true, true);
    }
    if (kind == Kind::Row && !Has(Kind::Table)) Push("table", true, true);
    size_t parent = m_open.size();
    if (kind == Kind::Paragraph) parent = ParagraphParent();
    // A list item right inside another one closes it.
    if (kind == Kind::ListItem && parent > 0 && m_open[parent - 1].kind == Kind::ListItem) --parent;
    PopTo(Climb(kind, parent));
    if (kind == Kind::Row) CountRow();  // self-closed or not, a row of its table
    if (IsCell(kind)) CountCell(tag);
    // "<br>", "<x/>" and "<>" hold nothing: what follows stays outside.
    const bool nameless = tag.known && tag.name.empty();
    if (!nameless && !tag.selfClosed && kind != Kind::Empty) Push(tag.name, tag.known);
}

// Where a paragraph goes: it closes the inline elements (and tables) open
// around it up to the nearest block, and that block too when it is one.
size_t CNestingTracker::ParagraphParent() const {
    size_t block = m_open.size();
    while (block > 0 && !m_open[block - 1].block) --block;
    if (block > 0 && m_open[block - 1].kind == Kind::Paragraph) return block - 1;
    return m_open.size();
}

size_t CNestingTracker::Climb(Kind kind, size_t parent) const {
    while (parent > 0 && !AllowedIn(kind, m_open[parent - 1].kind)) --parent;
    return parent;
}

void CNestingTracker::CountRow() {
    if (Element* table = TableBelow(m_open.size())) ++table->rows;
}

// A cell widens its row; a cell spanning rows may push the cells of the
// rows below it to the right, so its columns count for every row.
void CNestingTracker::CountCell(const HtmlTag& tag) {
    if (m_open.empty() || m_open.back().kind != Kind::Row) return;
    Element& row = m_open.back();
    Element* table = TableBelow(m_open.size() - 1);
    if (!table) return;
    row.rowColumns += tag.colSpan;
    table->columns = std::max(table->columns, row.rowColumns);
    if (tag.rowSpan > 1) table->spanColumns += tag.colSpan;
}

// An end tag closes the nearest open element of its name. A name that is
// no element's is taken to close nothing: the engine may read it otherwise
// than here.
void CNestingTracker::Close(const HtmlTag& tag) {
    if (!tag.known || tag.name.empty()) return;
    for (size_t i = m_open.size(); i-- > 0;) {
        if (m_open[i].known && m_open[i].name == tag.name) {
            PopTo(i);
            return;
        }
    }
    // No such element open: the engine ignores the tag.
}

// `added`: a table or row the engine adds around a lone cell or row, which
// it leaves without a display of its own.
void CNestingTracker::Push(const std::string& name, bool known, bool added) {
    const ElementInfo info = Classify(name, known);
    Element element{name, known, info.kind};
    const bool inHidden = !m_open.empty() && m_open.back().hidden;
    element.hidden = !added && (inHidden || info.hidden);
    element.block = !added && !element.hidden && info.block;
    if (info.kind == Kind::Table) {
        // The frame goes where the engine writes, and it writes on inside.
        element.frame = ++m_frame;
        m_deepest.tables = std::max(m_deepest.tables, m_frame);
    }
    m_open.push_back(std::move(element));
    m_deepest.depth = std::max(m_deepest.depth, int(m_open.size()));
}

void CNestingTracker::PopTo(size_t size) {
    while (m_open.size() > size) {
        const Element element = std::move(m_open.back());
        m_open.pop_back();
        if (element.kind == Kind::Table) AfterTable(element);
    }
}

// The ended table's cells count; the engine writes on in the enclosing
// table's cell when the table lay inside one, at the page's end when no
// table encloses it, and else still inside the ended table.
void CNestingTracker::AfterTable(const Element& table) {
    const long long columns = std::min(table.columns + table.spanColumns, kManyCells);
    const long long cells = columns ? std::min(table.rows, kManyCells / columns) * columns : 0;
    m_deepest.cells = std::min(m_deepest.cells + cells, kManyCells);
    bool inCell = false;
    for (size_t i = m_open.size(); i-- > 0;) {
        if (m_open[i].kind == Kind::Table) {
            if (inCell) m_frame = m_open[i].frame;
            return;
        }
        inCell = inCell || IsCell(m_open[i].kind);
    }
    m_frame = 0;
}

CNestingTracker::Element* CNestingTracker::TableBelow(size_t index) {
    for (size_t i = std::min(index, m_open.size()); i-- > 0;)
        if (m_open[i].kind == Kind::Table) return &m_open[i];
    return nullptr;
}

bool CNestingTracker::Has(Kind kind) const {
    return std::any_of(m_open.begin(), m_open.end(),
                       [kind](const Element& e) { return e.kind == kind; });
}

bool CNestingTracker::Within() const {
    return m_deepest.depth <= m_limits.maxDepth && m_deepest.tables <= m_limits.maxTables &&
           m_deepest.cells <= m_limits.maxCells;
}
