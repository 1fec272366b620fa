// The whole game behind the scripted window system: random events of every kind the window
// system reports go through the real main loop, frame after frame.
#include <gtest/gtest.h>

#include <cstdio>

#include "soak/Monkey.h"

TEST(MonkeyThroughTheWindow, RandomEventsNeverBreakTheGame) {
    const MonkeyResult r = RunMonkey(60000, 2026);
    EXPECT_EQ(r.invalidFrames, 0);
    EXPECT_GE(r.frames, 60000);
    EXPECT_GT(r.turns, 50);
    std::printf("monkey: %ld frames, %d turns, %d games finished\n", r.frames, r.turns, r.games);
}
