#include "data/ShownText.h"

#include "data/Win1252.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsControl(char32_t point) { return point < 0x20 || (point >= 0x7F && point <= 0x9F); }

}  // namespace

size_t Utf8SequenceAt(std::string_view text, char32_t& point) {
    if (text.empty()) return 0;
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                  : lead >= 0xF0 && lead <= 0xF4                                     ? 4
                                                                                                     : 0;
    if (length == 0 || length > text.size()) return 0;
    point = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        point = (point << 6) | (byte(i) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
    return length;
}

std::string ShownText(std::string_view utf8) {
    std::string shown;
    shown.reserve(utf8.size());
    while (!utf8.empty()) {
        char32_t point = 0;
        const size_t length = Utf8SequenceAt(utf8, point);
        if (length == 0 || IsControl(point))
            shown += kReplacement;
        else
            shown += utf8.substr(0, length);
        utf8.remove_prefix(length ? length : 1);
    }
    return shown;
}

std::string ShownText1252(std::string_view win1252) { return ShownText(Win1252ToUtf8(win1252)); }

size_t Utf8CutAt(std::string_view text, size_t limit) {
    if (text.size() <= limit) return text.size();
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return end;
}
