// The body of an 8-bit HTML page: where its content lies, and the page with
// that content replaced. Tags are found as the panel's engine finds them, so
// a "<body>" inside a comment or an attribute is no body.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The smallest page with a body: what a page without one is replaced by
// when a body is wanted.
extern const std::string_view kMinimalPage;

// Offsets of the body's content: from just past the body's start tag to its
// end tag, or to the end of the page when the end tag is missing.
struct BodySpan {
    size_t begin = 0;
    size_t end = 0;
};

// Nothing when the page has no body start tag, or one cut off by the end of
// the page.
std::optional<BodySpan> FindBody(std::string_view page);

// `page` with the whole content of its body replaced by `content`; a page
// without a body gives kMinimalPage with `content` as its body.
std::string WithBody(std::string_view page, std::string_view content);

// `page` without the tags that the panel's engine reads in ways no measure
// can follow, all of which show nothing:
//  - start tags without a name ("<>", "<<", "< =x>"): the engine lists such
//    an element again as each element that directly follows it, so that
//    "<><><td>" makes three cells of one, and a few bytes millions of cells;
//  - tags whose name holds a character beyond ASCII: the engine compares
//    such names in Unicode lower case, which decides what an end tag closes.
std::string WithoutStrayTags(std::string_view page);
