#include "NestingTracker.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr long long kManyCells = 1LL << 50;  // saturation: far past any limit

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&name](const char* n) { return name == n; });
}

bool IsVoid(const std::string& name) { return IsOneOf(name, {"img", "hr", "br", "meta"}); }

// The engine's own display of each element, before any style sheet.
bool IsHiddenElement(const std::string& name) {
    return IsOneOf(name, {"head", "link", "meta", "script", "style", "title"});
}
bool IsBlockElement(const std::string& name) {
    return IsOneOf(name, {"blockquote", "body", "caption", "center", "dd", "div", "dl", "dt", "h1",
                          "h2", "h3", "h4", "h5", "h6", "hr", "li", "ol", "p", "pre", "qt", "td",
                          "th", "ul"});
}

// Whether the engine lets `child` sit directly in an element named `parent`
// (empty for one it treats as no element); where it does not, the child
// goes higher up, closing what lies between.
bool AllowedIn(const std::string& child, const std::string& parent) {
    if (child == "dd") return parent == "dt" || parent == "dl";
    if (child == "dt") return parent == "dl";
    if (child == "tr") return IsOneOf(parent, {"table", "thead", "tbody", "tfoot"});
    if (child == "td" || child == "th") return parent == "tr";
    if (IsOneOf(child, {"thead", "tbody", "tfoot", "caption"})) return parent == "table";
    if (child == "body" || child == "qt") return parent != "head";
    return true;
}

}  // namespace

void CNestingTracker::Open(const HtmlTag& tag) {
    if (!tag.known) return OpenUnknown(tag);
    const std::string& name = tag.name;
    if (name == "td" && !Has("tr")) {
        Push("table", true, true);
        CountRow();
        Push("tr", true, true);
    }
    if (name == "tr" && !Has("table")) Push("table", true, true);
    size_t parent = m_open.size();
    if (name == "p") parent = ParagraphParent();
    if (name == "li" && parent > 0 && m_open[parent - 1].known && m_open[parent - 1].name == name)
        --parent;
    static const std::string kNoElement;
    while (parent > 0 &&
           !AllowedIn(name, m_open[parent - 1].known ? m_open[parent - 1].name : kNoElement))
        --parent;
    PopTo(parent);
    if (name == "tr") CountRow();  // self-closed or not, a row of its table
    if (name == "td" || name == "th") CountCell(tag);
    // "<br>", "<x/>" and "<>" hold nothing: what follows stays outside.
    if (!name.empty() && !tag.selfClosed && !IsVoid(name)) Push(name, true);
}

// A name that is no element's nests like any element the engine does not
// know. No end tag is taken to close it (the engine may read its name
// otherwise than here); an enclosing element's end does.
void CNestingTracker::OpenUnknown(const HtmlTag& tag) {
    if (!tag.selfClosed) Push(tag.name, false);
}

// Where a paragraph goes: it closes the inline elements (and tables) open
// around it up to the nearest block, and that block too when it is one.
size_t CNestingTracker::ParagraphParent() const {
    size_t block = m_open.size();
    while (block > 0 && !m_open[block - 1].block) --block;
    if (block > 0 && m_open[block - 1].known && m_open[block - 1].name == "p") return block - 1;
    return m_open.size();
}

void CNestingTracker::CountRow() {
    if (Element* table = TableBelow(m_open.size())) ++table->rows;
}

// A cell widens its row; a cell spanning rows may push the cells of the
// rows below it to the right, so its columns count for every row.
void CNestingTracker::CountCell(const HtmlTag& tag) {
    if (m_open.empty() || !m_open.back().known || m_open.back().name != "tr") return;
    Element& row = m_open.back();
    Element* table = TableBelow(m_open.size() - 1);
    if (!table) return;
    row.rowColumns += tag.colSpan;
    table->columns = std::max(table->columns, row.rowColumns);
    if (tag.rowSpan > 1) table->spanColumns += tag.colSpan;
}

void CNestingTracker::Close(const HtmlTag& tag) {
    if (!tag.known || tag.name.empty()) return;  // closes nothing for certain
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
    Element element{name, known};
    const bool inHidden = !m_open.empty() && m_open.back().hidden;
    element.hidden = !added && (inHidden || (known && IsHiddenElement(name)));
    element.block = !added && !element.hidden && known && IsBlockElement(name);
    if (known && name == "table") {
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
        if (element.known && element.name == "table") AfterTable(element);
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
        if (m_open[i].known && m_open[i].name == "table") {
            if (inCell) m_frame = m_open[i].frame;
            return;
        }
        inCell = inCell || (m_open[i].known && (m_open[i].name == "td" || m_open[i].name == "th"));
    }
    m_frame = 0;
}

CNestingTracker::Element* CNestingTracker::TableBelow(size_t index) {
    for (size_t i = std::min(index, m_open.size()); i-- > 0;)
        if (m_open[i].known && m_open[i].name == "table") return &m_open[i];
    return nullptr;
}

bool CNestingTracker::Has(const char* name) const {
    return std::any_of(m_open.begin(), m_open.end(),
                       [name](const Element& e) { return e.known && e.name == name; });
}

bool CNestingTracker::Within() const {
    return m_deepest.depth <= m_limits.maxDepth && m_deepest.tables <= m_limits.maxTables &&
           m_deepest.cells <= m_limits.maxCells;
}
