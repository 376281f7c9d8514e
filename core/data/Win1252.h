// Text conversions between the 8-bit Windows-1252 strings of the embedded
// tables and the UTF-8 used everywhere else in the program.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become U+FFFD, the replacement character: read as the C1 controls of
// the same value, they would reach a terminal as control sequences.
std::string Win1252ToUtf8(std::string_view text);

// Nothing when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot store. The C1 controls U+0081, U+008D, U+008F, U+0090
// and U+009D give the undefined byte of the same value.
std::optional<std::string> Utf8ToWin1252(std::string_view text);
