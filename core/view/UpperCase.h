// Upper-casing of 8-bit Windows-1252 text, as the place search does it: a to
// z and the accented lower-case letters become their capitals; every other
// byte stays.
#pragma once
#include <string>
#include <string_view>

std::string UpperCase1252(std::string_view text);
