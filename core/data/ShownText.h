// Text from the data or from the user, made safe to show in a title, a
// label, a status line or a terminal: a control character (C0, DEL, C1)
// would move a terminal's cursor, ring its bell or break a title's line, and
// bytes that are not UTF-8 have no letter to show.
#pragma once
#include <string>
#include <string_view>

// `utf8` with every control character and every byte that does not belong
// to a valid UTF-8 sequence replaced by U+FFFD, one for each.
std::string ShownText(std::string_view utf8);

// A Windows-1252 table text (a name) as ShownText shows it, in UTF-8.
std::string ShownText1252(std::string_view win1252);

// The length of the valid UTF-8 sequence at the start of `text` (overlong
// forms, surrogates and code points past U+10FFFF are not valid), with its
// code point in `point`; 0 when there is none.
size_t Utf8SequenceAt(std::string_view text, char32_t& point);

// Where `text` may be cut to at most `limit` bytes without splitting a
// UTF-8 sequence: `limit` itself, or the start of the sequence it falls in;
// the whole text when it is no longer.
size_t Utf8CutAt(std::string_view text, size_t limit);
