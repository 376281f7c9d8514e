// The one way a widget shows a text of the embedded tables: those texts are
// 8-bit Windows-1252 (place names, the spell finder's tables, character
// pages); Qt wants Unicode. The five bytes the code page leaves undefined
// show as the replacement character (see data/Win1252.h).
#pragma once
#include <QString>
#include <string_view>

#include "data/Win1252.h"

inline QString FromWin1252(std::string_view text) { return QString::fromStdString(Win1252ToUtf8(text)); }
