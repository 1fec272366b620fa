#include <gtest/gtest.h>

#include "ai/PlayEnumerator.h"
#include "tests/ai/AiTestSupport.h"

static unsigned Count(const Signed& b, unsigned d0, unsigned d1) {
    const unsigned dice[2] = {d0, d1};
    return EnumeratePlays(BoardFromSigned(b), dice, nullptr, 0);
}

TEST(EnumeratePlays, HandCountedPositions) {
    // One checker, no opponent: one way to end 4 pips on.
    EXPECT_EQ(Count({0, 1}, 3, 1), 1u);
    EXPECT_EQ(Count({0, 1}, 2, 2), 1u);
    // Checkers on 1 and 12, 3-1: 5, 16, 4+13, 2+15; 2-2 splits 4+0, 3+1, 2+2, 1+3, 0+4.
    const Signed two = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(Count(two, 3, 1), 4u);
    EXPECT_EQ(Count(two, 2, 2), 5u);
    // Two checkers on one point: 6-5 runs one checker, or moves both.
    EXPECT_EQ(Count({0, 2}, 6, 5), 2u);
    // Bearing off the last two, or nothing entering from the bar: one play each.
    Signed last = {0, 0, 0, -2};
    last[23] = last[24] = 1;
    EXPECT_EQ(Count(last, 6, 5), 1u);
    EXPECT_EQ(Count({1, -2, -2, -2, -2, -2, -2, 5}, 4, 4), 1u);
}
