#include "npc/PageBody.h"

#include "npc/HtmlTagScanner.h"

const std::string_view kMinimalPage = "<html><body></body></html>";

namespace {

bool IsBodyTag(const HtmlTag& tag, HtmlTag::Kind kind) {
    return tag.kind == kind && tag.known && tag.name == "body";
}

}  // namespace

std::optional<BodySpan> FindBody(std::string_view page) {
    CHtmlTagScanner scanner(page);
    HtmlTag tag;
    bool found = false;
    while (!found && scanner.Next(tag)) found = IsBodyTag(tag, HtmlTag::Kind::Open);
    if (!found || !tag.complete) return std::nullopt;
    BodySpan span{tag.end, page.size()};
    while (scanner.Next(tag)) {
        if (IsBodyTag(tag, HtmlTag::Kind::Close)) {
            span.end = tag.begin;
            break;
        }
    }
    return span;
}

std::string WithBody(std::string_view page, std::string_view content) {
    std::optional<BodySpan> body = FindBody(page);
    if (!body) {
        page = kMinimalPage;
        body = FindBody(page);
    }
    std::string result;
    result.reserve(body->begin + content.size() + (page.size() - body->end));
    result.append(page.substr(0, body->begin));
    result.append(content);
    result.append(page.substr(body->end));
    return result;
}

std::string WithoutStrayTags(std::string_view page) {
    std::string result;
    result.reserve(page.size());
    CHtmlTagScanner scanner(page);
    HtmlTag tag;
    size_t kept = 0;
    while (scanner.Next(tag)) {
        const bool nameless = tag.kind == HtmlTag::Kind::Open && tag.known && tag.name.empty();
        if (!nameless && tag.known) continue;
        result.append(page.substr(kept, tag.begin - kept));
        kept = tag.end;
    }
    result.append(page.substr(kept));
    return result;
}
