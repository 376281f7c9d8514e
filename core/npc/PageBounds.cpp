#include "npc/PageBounds.h"

#include "npc/HtmlTagScanner.h"
#include "npc/NestingTracker.h"
#include "npc/PageBody.h"

namespace {

std::string SizeText(size_t bytes) {
    constexpr size_t kKio = 1024, kMio = kKio * kKio;
    if (bytes >= kMio && bytes % kMio == 0) return std::to_string(bytes / kMio) + " Mio";
    if (bytes >= kKio && bytes % kKio == 0) return std::to_string(bytes / kKio) + " Kio";
    return std::to_string(bytes) + " octets";
}

}  // namespace

PageNesting MeasureNesting(std::string_view page, const PageLimits& limits) {
    CNestingTracker tracker(limits);
    CHtmlTagScanner scanner(page);
    HtmlTag tag;
    while (scanner.Next(tag)) {
        if (tag.kind == HtmlTag::Kind::Close) tracker.Close(tag);
        else tracker.Open(tag);
        if (!tracker.Within()) return tracker.Deepest();
    }
    tracker.Finish();  // the tables left open end with the page
    return tracker.Deepest();
}

namespace {

PageFault FirstPassed(const PageNesting& nesting, const PageLimits& limits) {
    if (nesting.depth > limits.maxDepth) return PageFault::TooDeep;
    if (nesting.tables > limits.maxTables) return PageFault::TooManyTables;
    if (nesting.cells > limits.maxCells) return PageFault::TooManyCells;
    return PageFault::None;
}

}  // namespace

PageFault CheckPageBounds(std::string_view page, const PageLimits& limits) {
    if (page.size() > limits.maxBytes) return PageFault::TooLarge;
    return FirstPassed(MeasureNesting(page, limits), limits);
}

PageFault PreparePage(std::string_view page, std::string& prepared, PageNesting& nesting,
                      const PageLimits& limits) {
    nesting = {};
    prepared.clear();
    if (page.size() > limits.maxBytes) return PageFault::TooLarge;
    prepared = WithoutStrayTags(page);
    nesting = MeasureNesting(prepared, limits);
    return FirstPassed(nesting, limits);
}

std::string DescribePageFault(PageFault fault, const PageLimits& limits) {
    const std::string refused = "Page refusée : ";
    switch (fault) {
    case PageFault::None:
        return {};
    case PageFault::TooLarge:
        return refused + "plus de " + SizeText(limits.maxBytes);
    case PageFault::TooDeep:
        return refused + "plus de " + std::to_string(limits.maxDepth) + " niveaux d'imbrication";
    case PageFault::TooManyTables:
        return refused + "plus de " + std::to_string(limits.maxTables) + " tableaux imbriqués";
    case PageFault::TooManyCells:
        return refused + "plus de " + std::to_string(limits.maxCells) + " cellules de tableau";
    case PageFault::HugeSpacing:
        return refused + "marges de tableau démesurées";
    case PageFault::LongUnbrokenText:
        return refused + "texte trop long sans espace";
    }
    return {};
}
