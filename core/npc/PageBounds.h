// What the HTML panel agrees to lay out. Its text engine lays nested tables
// out in time that doubles with each level, overflows the stack on deep
// nesting, and gives every table rows times columns cells however few the
// page writes, so a page is measured first, in one linear pass over its
// bytes, and refused when it is too large, too deep, holds too many tables
// inside one another or too many cells.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct PageLimits {
    size_t maxBytes = size_t(1) << 20;  // 1 Mio
    int maxDepth = 64;                  // elements inside one another
    int maxTables = 8;                  // table frames inside one another
    long long maxCells = 50000;         // table cells of the whole page
    // Text without a break opportunity costs its layout the square of its
    // length (see PageDocument): one run this long, or the same in squares.
    long long maxUnbrokenText = 65536;
};

enum class PageFault {
    None,
    TooLarge,
    TooDeep,
    TooManyTables,
    TooManyCells,
    // Found only on the engine's document, see PageDocument:
    HugeSpacing,
    LongUnbrokenText,
};

// The nesting and the cells of a page as the engine will build them:
// elements closed implicitly are closed, rows and tables that the engine
// adds around a lone cell are counted, and so are the table frames it nests
// where the markup puts tables side by side. Where the markup leaves a doubt,
// the figures are the larger reading's.
struct PageNesting {
    int depth = 0;         // elements inside one another
    int tables = 0;        // table frames inside one another
    long long cells = 0;   // rows times columns, summed over the tables
};

// Stops as soon as one of `limits` is passed.
PageNesting MeasureNesting(std::string_view page, const PageLimits& limits = {});

// The first limit that `page` (8-bit HTML) passes, or None.
PageFault CheckPageBounds(std::string_view page, const PageLimits& limits = {});

// The page as the panel hands it to its engine: `page` without its stray
// tags (see WithoutStrayTags), measured into `nesting`. The first limit the
// page passes, or None; a page too large is not read at all.
PageFault PreparePage(std::string_view page, std::string& prepared, PageNesting& nesting,
                      const PageLimits& limits = {});

// Why a page was refused, for the status bar (UTF-8, French); empty for None.
std::string DescribePageFault(PageFault fault, const PageLimits& limits = {});
