// Percent-encoding of the names in links: UTF-8 bytes, the unreserved ones
// kept, every other as %XX.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// Every byte but A-Z a-z 0-9 - . _ ~ as %XX (upper-case hex).
std::string PercentEncode(std::string_view bytes);

// The bytes `text` stands for, %XX read in either case; nothing for a "%"
// without two hex digits after it.
std::optional<std::string> PercentDecode(std::string_view text);
