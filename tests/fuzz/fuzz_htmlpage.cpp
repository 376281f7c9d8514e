// The HTML panel's page loading on any bytes: the input as a page resource
// and as a body written into pages, through the preparation and the
// measure that decide what reaches the text engine. Every tag lies in the
// page, the measure stops one tag past a limit, and a page accepted keeps
// within every limit.
#include "npc/HtmlTagScanner.h"
#include "npc/PageBody.h"
#include "npc/PageBounds.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckTags(std::string_view page) {
    CHtmlTagScanner scanner(page);
    HtmlTag tag;
    size_t last = 0;
    while (scanner.Next(tag)) {
        Require(tag.begin >= last && tag.begin < tag.end && tag.end <= page.size());
        last = tag.end;
    }
}

// Small limits reach every early stop; a tag opens three elements at most.
void CheckMeasure(std::string_view page, const PageLimits& limits) {
    const PageNesting nesting = MeasureNesting(page, limits);
    Require(nesting.depth <= limits.maxDepth + 3);
    Require(nesting.tables <= limits.maxTables + 2);
}

// Returns the prepared page, or nothing when refused.
std::string CheckPrepared(std::string_view page, const PageLimits& limits) {
    std::string prepared;
    PageNesting nesting;
    const PageFault fault = PreparePage(page, prepared, nesting, limits);
    Require(prepared.size() <= page.size());
    if (fault != PageFault::None) return {};
    Require(nesting.depth <= limits.maxDepth && nesting.tables <= limits.maxTables &&
            nesting.cells <= limits.maxCells);
    return prepared;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    CheckTags(page);
    if (const auto body = FindBody(page)) Require(body->begin <= body->end && body->end <= size);

    const unsigned char knob = size ? data[0] : 0;
    const PageLimits small{size_t(1) << 20, 1 + knob % 8, 1 + knob / 32, 1 + knob % 50};
    CheckMeasure(page, small);
    const std::string prepared = CheckPrepared(page, PageLimits{});
    // Preparing again changes nothing: no stray tag is left to drop.
    Require(WithoutStrayTags(prepared) == prepared);

    // The input as a body in the blank page, and a body in the input.
    static const std::string blank =
        "<HTML><HEAD><TITLE></TITLE></HEAD><BODY><FONT FACE=\"Arial\" SIZE=\"2\"></FONT></BODY></HTML>";
    const std::string written = WithBody(blank, page);
    Require(written.size() == blank.size() - 35 + size);  // the FONT element replaced
    CheckPrepared(written, small);
    const std::string_view amrel = "<b>Amrel</b>";
    const std::string page2 = WithBody(page, amrel);
    Require(page2.find(amrel) != std::string::npos);
    return 0;
}
