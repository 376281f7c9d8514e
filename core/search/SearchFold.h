// Folding for the one search: text becomes a key in which letter case and
// accents are gone, so that "foret" finds "Forêt" and "FORÊT" finds "foret".
#pragma once
#include <string>
#include <string_view>

// The folded words of `utf8`, one space between each (the notes panel's
// filter has its own folding, FoldForSearch in notes/NotesFilter.h, which
// keeps punctuation and capitals):
// - A to Z and the letters of Latin-1 and Latin Extended-A become their base
//   letter in lower case (é, É, ě -> e); the ligatures and the letters
//   written with two become two (œ -> oe, æ -> ae, ß -> ss, ĳ -> ij,
//   þ -> th); digits stay;
// - combining accents (U+0300 to U+036F) are dropped, so that a decomposed
//   "e" and accent folds as "é" does;
// - other letters (Greek, Cyrillic...) stay as they are written;
// - anything else (blanks, punctuation, symbols, control characters, bytes
//   that are not UTF-8) separates words.
// Empty when the text holds no letter or digit.
std::string FoldToWords(std::string_view utf8);
