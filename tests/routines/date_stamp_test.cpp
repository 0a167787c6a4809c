// The 11-character date stamp: fixed vectors, bit-exact round trips, and what odd texts decode to.
#include "routines/date_stamp.h"
#include "support/clock_scope.h"
#include "support/qt_printers.h"
#include "support/random_cases.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>

namespace {

std::uint64_t Bits(TDateTime value)
{
    return std::bit_cast<std::uint64_t>(value);
}

} // namespace

TEST(DateStamp, KnownValues)
{
    struct Case {
        TDateTime value;
        const char* stamp;
    };
    const Case cases[] = {
        {0.0, "AAAAAAAAAAA"},
        {1.0, "/APAAAAAAAA"},
        {EncodeDate(2003, 1, 15) + EncodeTime(10, 30, 0, 0), "AJOYOCAAAAA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stamp);
        EXPECT_EQ(DateStampEncode(c.value), c.stamp);
        EXPECT_EQ(Bits(DateStampDecode(c.stamp)), Bits(c.value));
    }
}

TEST(DateStamp, EveryBitPatternRoundTrips)
{
    std::mt19937_64 random(8);
    const int count = randomCaseCount(20000);
    for (int i = 0; i < count; ++i) {
        // Any 64 bits: NaN payloads, infinities, negative zero and denormals included.
        const std::uint64_t bits = random();
        const QString stamp = DateStampEncode(std::bit_cast<TDateTime>(bits));
        ASSERT_EQ(stamp.size(), 11);
        ASSERT_EQ(Bits(DateStampDecode(stamp)), bits) << stamp.toStdString();
    }
    for (const std::uint64_t bits : {0x7FF8000000000001ull, 0xFFFFFFFFFFFFFFFFull, 0x8000000000000000ull}) {
        EXPECT_EQ(Bits(DateStampDecode(DateStampEncode(std::bit_cast<TDateTime>(bits)))), bits);
    }
}

TEST(DateStamp, OddTexts)
{
    EXPECT_EQ(Bits(DateStampDecode("/APAAAAAAA")), 0u); // ten characters
    EXPECT_EQ(DateStampDecode("/APAAAAAAAAxyz"), 1.0);  // only the first eleven count
    EXPECT_EQ(DateStampDecode(""), 0);
    // A character outside the alphabet adds nothing at its own place; the others keep theirs.
    EXPECT_EQ(Bits(DateStampDecode("/A*AAAAAAAA")), Bits(DateStampDecode("/AAAAAAAAAA")));
    EXPECT_EQ(Bits(DateStampDecode("*APAAAAAAAA")), Bits(DateStampDecode("AAPAAAAAAAA")));
    // The last character holds only the top four bits.
    EXPECT_EQ(Bits(DateStampDecode("AAAAAAAAAA/")), Bits(DateStampDecode("AAAAAAAAAAP")));
}

TEST(DateStamp, NowUsesTheClock)
{
    const TDateTime now = EncodeDate(2026, 1, 15) + EncodeTime(10, 30, 15, 250);
    ClockScope clock(now);
    EXPECT_EQ(DateStampNow(), DateStampEncode(now));
    EXPECT_EQ(DateStampToDateTime(DateStampNow()), now);
}
