// MulDiv: 64-bit product, rounding half away from zero, -1 for a zero divisor or an overflow.
#include "platform/graphics/mul_div.h"

#include <gtest/gtest.h>

#include <climits>

TEST(MulDiv, RoundsHalfAwayFromZeroAndGivesMinusOneWhenItCannotCompute)
{
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {100, 50, 3, 1667},           // 1666.67
        {1, 1, 2, 1},                 // 0.5
        {-1, 1, 2, -1},               // -0.5
        {3, 1, 2, 2},                 // 1.5
        {-3, 1, 2, -2},               // -1.5
        {5, 1, -2, -3},               // -2.5
        {-5, 1, -2, 3},               // 2.5
        {1, 1, 3, 0},                 // 0.33
        {2, 1, 3, 1},                 // 0.67
        {50000, 50000, 50000, 50000}, // the product needs 64 bits
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
        {7, 1, 0, -1}, // zero divisor
        {0, 5, 0, -1},
        {INT_MAX, 2, 1, -1}, // overflow
        {INT_MIN, 2, 1, -1},
        {INT_MIN, 1, 1, INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(win::MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}
