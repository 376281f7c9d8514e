// Upper-casing of 8-bit Windows-1252 text, the one the program uses wherever
// case must not matter (the place search, the spell finder's order): a to z
// and the accented lower-case letters become their capitals; every other
// byte stays.
#pragma once
#include <string>
#include <string_view>

// The capital of one byte. Most lower-case letters of the upper half sit
// 0x20 above their capitals; š, œ, ž and ÿ have theirs in the 0x80 row.
// ß and µ, whose capitals the code page lacks, stay as they are, as does ÷.
unsigned char CapitalOf1252(unsigned char c);

std::string UpperCase1252(std::string_view text);
