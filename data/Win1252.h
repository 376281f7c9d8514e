// Text conversions between the 8-bit Windows-1252 strings of the embedded
// tables and the UTF-8 used everywhere else in the program.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// Every byte has a meaning; the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, as
// Windows itself does.
std::string Win1252ToUtf8(std::string_view text);

// Nothing when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot store.
std::optional<std::string> Utf8ToWin1252(std::string_view text);
