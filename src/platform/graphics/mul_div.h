// MulDiv: a × b / c in 64 bits, rounded half away from zero; -1 for a zero divisor or an overflow.
#pragma once

namespace win {

int MulDiv(int nNumber, int nNumerator, int nDenominator);

} // namespace win
