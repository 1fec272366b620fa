#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ai/Chance.h"
#include "soak/Simulation.h"

// Whole games on a fixed clock, against a computer with random networks (a folder without weight
// files) or with the trained networks that ship with the game.
class Simulation : public ::testing::Test {
protected:
    void SetUp() override {
        SetClockSource([] { return std::time_t{1700000000}; });
    }
    void TearDown() override { SetClockSource(nullptr); }
    // A thousand games, fewer where the sanitizers or wine slow every frame down.
    static SimulationResult PlayAndCheck(const char* what, const std::string& weights,
                                         unsigned seed, bool looseRules = false) {
#ifdef KESTRANE_SHORT_RUNS
        const int games = 150;
#else
        const int games = 1000;
#endif
        const SimulationResult r = Simulate(weights, games, seed, looseRules);
        std::printf("%s: %d games, %lld frames, longest turn %d frames\n", what, r.games, r.frames,
                    r.longestTurn);
        EXPECT_EQ(r.fault, "");
        EXPECT_EQ(r.games, games);
        return r;
    }

    const std::string noWeights = KESTRANE_DATA_DIR "/no-such-folder";
    const std::string shipped = KESTRANE_DATA_DIR;
};

TEST_F(Simulation, WholeGamesAgainstRandomWeights) {
    PlayAndCheck("random weights", noWeights, 1);
}

// The thousand games' length in frames depends on every roll, every choice and every pause in
// them: the games the shipped networks play, and how the table plays them out, stay the same.
// Under the looser rules the games are those of the game's first versions, frame for frame.
TEST_F(Simulation, WholeGamesAgainstWeightsFromFiles) {
    [[maybe_unused]] const SimulationResult r = PlayAndCheck("shipped networks", shipped, 2);
    [[maybe_unused]] const SimulationResult loose =
        PlayAndCheck("shipped networks, looser rules", shipped, 2, true);
#ifndef KESTRANE_SHORT_RUNS
    EXPECT_EQ(r.frames, 6142168);
    EXPECT_EQ(loose.frames, 4726247);
#endif
}
