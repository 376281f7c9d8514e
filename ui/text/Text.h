// The one way a widget shows a text of the embedded tables: those texts are
// 8-bit Windows-1252 (place names, the spell finder's tables, character
// pages); Qt wants Unicode. The five bytes the code page leaves undefined
// show as the replacement character (see data/Win1252.h).
#pragma once
#include <QString>
#include <string_view>

#include "data/ShownText.h"
#include "data/Win1252.h"

inline QString FromWin1252(std::string_view text) { return QString::fromStdString(Win1252ToUtf8(text)); }

// A table text in a title, a label, a list, the status bar or on the map:
// control characters show as U+FFFD, never as a line break, a tab or an
// escape sequence (see data/ShownText.h). Pages keep FromWin1252.
inline QString ShownName(std::string_view win1252) { return QString::fromStdString(ShownText1252(win1252)); }
// The same for a text already in UTF-8 (the player's own: a pin's title).
inline QString ShownUtf8(std::string_view utf8) { return QString::fromStdString(ShownText(utf8)); }
