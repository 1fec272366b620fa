#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "ai/Chance.h"
#include "tests/rules/Simulation.h"

static std::time_t FixedClock() {
    return 1700000000;
}

// Each game takes a few thousand frames; a turn (one roll to the next) at most four moves of four
// hand moves plus the pauses of the game itself.
static const int turnBound =
    4 * 60 + 4 * 3 + GameTable::NoMovePassFrames + GameTable::GameOverPauseFrames + 60;

static void ExpectSoundRun(const SimulationResult& r, int games) {
    EXPECT_EQ(r.games, games);
    EXPECT_EQ(r.invalidFrames, 0);
    EXPECT_EQ(r.failedClicks, 0);
    EXPECT_EQ(r.badRestarts, 0);
    EXPECT_LE(r.longestTurn, turnBound);
    EXPECT_EQ(r.stalledComputerTurns, 0);
}

static void Report(const char* what, const SimulationResult& r) {
    std::printf(
        "%s: %d games, %ld frames, longest turn %d frames, longest game %ld frames, "
        "human won %d, blocked human turns passed %d\n",
        what, r.games, r.frames, r.longestTurn, r.longestGame, r.humanWins, r.blockedTurnsPassed);
}

TEST(Simulation, SeededGamesEndRestartAndRepeatExactly) {
    SetClockSource(FixedClock);
    const int games = 10;
    auto first = std::make_unique<GameTable>();
    const SimulationResult a = Simulate(*first, games, 1234, 2000000);
    Report("first run", a);
    ExpectSoundRun(a, games);

    auto second = std::make_unique<GameTable>();
    const SimulationResult b = Simulate(*second, games, 1234, 2000000);
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ(a.fingerprint, b.fingerprint);
    SetClockSource(nullptr);
}
