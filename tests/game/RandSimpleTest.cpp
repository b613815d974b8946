#include <gtest/gtest.h>

#include <cstdint>

#include "game/RandSimple.h"

namespace {
// A state whose hash is the largest value, 2^31 - 1 (found by an exhaustive search).
constexpr std::uint32_t kStateOfLargestValue = 230204178u;
}  // namespace

TEST(RandSimple, FirstDrawFromStateZeroIsTheWorkedValue) {
    RNG::RandSimple random(0);
    EXPECT_EQ(RNG::RandSimple::hash(0), 1376312589u);
    const float f = random.getFloat();
    EXPECT_NEAR(f, 0.6408955f, 1e-7f);
    EXPECT_EQ(random.getState(), 2u * 1376312589u);
}

TEST(RandSimple, LargestValueGivesExactlyOneAndAdvancesByAllOnes) {
    ASSERT_EQ(RNG::RandSimple::hash(kStateOfLargestValue), 2147483647u);
    RNG::RandSimple random(kStateOfLargestValue);
    EXPECT_EQ(random.getFloat(), 1.0f);
    // s + (2^32 - 1) modulo 2^32 is s - 1.
    EXPECT_EQ(random.getState(), kStateOfLargestValue - 1u);
}

TEST(RandSimple, LargeValuesAdvanceByExactlyTwiceTheValue) {
    // Large values are where a double-precision f * (2^32 - 1) can come out one too high.
    for (std::uint32_t v : {2147483646u, 2147483000u, 2000000001u, 1u, 0u}) {
        EXPECT_EQ(RNG::RandSimple::advance(10u, v), 10u + 2u * v) << v;
    }
}

TEST(RandSimple, SequenceDependsOnlyOnTheSeed) {
    RNG::RandSimple a(1234);
    RNG::RandSimple b(99);
    unsigned int seeds[] = {1234u, 5u};
    b.initialise(seeds, 2);
    for (int i = 0; i < 1000; ++i) {
        const float fa = a.getFloat();
        ASSERT_EQ(fa, b.getFloat());
        ASSERT_GE(fa, 0.0f);
        ASSERT_LE(fa, 1.0f);
    }
    a.initialise(0u);
    EXPECT_NEAR(a.getFloat(), 0.6408955f, 1e-7f);
}
