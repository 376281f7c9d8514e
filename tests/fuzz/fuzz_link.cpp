// The link parser on any bytes, as a browser or another process may hand
// them over: it never crashes, and what it reads, written again, reads back
// the same and is one plain word (printable ASCII, within the bound).
#include "links/ZerimLink.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto link = ParseZerimLink(text, error);
    if (!link) {
        if (error.empty()) std::abort();  // every refusal says why
        return 0;
    }
    const std::string written = WriteZerimLink(*link);
    for (const char c : written)
        if (c <= ' ' || c >= 0x7F) std::abort();
    std::string again;
    const auto reread = ParseZerimLink(written, again);
    // A name of more than a third of the bound may grow past it once encoded.
    if (!reread) {
        if (written.size() <= kMaxLinkBytes) std::abort();
        return 0;
    }
    if (!(*reread == *link)) std::abort();
    return 0;
}
