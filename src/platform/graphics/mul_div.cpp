// MulDiv with the system's semantics, which callers rely on to detect a size that cannot be computed.
#include "platform/graphics/mul_div.h"

#include <cstdint>
#include <limits>

namespace win {

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    const int64_t product = int64_t(nNumber) * nNumerator;
    const int64_t divisor = nDenominator;
    int64_t quotient = product / divisor;
    const int64_t remainder = product % divisor;
    // Round half away from zero: the remainder is at least half the divisor in magnitude.
    const int64_t twiceRemainder = 2 * (remainder < 0 ? -remainder : remainder);
    if (twiceRemainder >= (divisor < 0 ? -divisor : divisor))
        quotient += ((product < 0) != (divisor < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return int(quotient);
}

} // namespace win
