// The one integer scaling used everywhere: a * b / c with a 64-bit
// intermediate, rounded half away from zero. Returns -1 when c is 0 or when
// the result does not fit in a signed 32-bit integer (callers of the original
// API rely on that value, so it is kept even though it is also a valid result).
#pragma once
#include <cstdint>

int32_t MulDiv(int32_t a, int32_t b, int32_t c);
