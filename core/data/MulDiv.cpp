#include "data/MulDiv.h"

#include <cstdlib>
#include <limits>

int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    const int64_t product = int64_t(a) * int64_t(b);  // at most 2^62 in magnitude
    const int64_t divisor = c;
    int64_t quotient = product / divisor;
    const int64_t remainder = product % divisor;
    // Round half away from zero: the exact quotient lies between `quotient`
    // and the next integer away from zero.
    if (2 * std::llabs(remainder) >= std::llabs(divisor)) {
        const bool negative = (product < 0) != (divisor < 0);
        quotient += negative ? -1 : 1;
    }
    if (quotient < std::numeric_limits<int32_t>::min() ||
        quotient > std::numeric_limits<int32_t>::max())
        return -1;
    return int32_t(quotient);
}
