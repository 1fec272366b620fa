#include <gtest/gtest.h>

#include "app/FramePacer.h"

// After a half-second stall (a computer move) at most a few steps are made up at once, then the
// old cadence: no burst of steps to catch up.
TEST(FramePacer, DoesNotBurstAfterAStall) {
    FramePacer pacer;
    pacer.Start(true, 0);
    EXPECT_EQ(pacer.TakeSteps(0), 1);
    EXPECT_GT(pacer.WaitFor(100), 0);
    EXPECT_EQ(pacer.TakeSteps(500000), FramePacer::maxStepsPerFrame);
    EXPECT_GT(pacer.WaitFor(500000), 0);
    EXPECT_EQ(pacer.TakeSteps(500000 + 16667), 1);
}
