#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ai/Chance.h"
#include "tests/rules/TablePlayer.h"

// The human's points from which the die gives a move the table accepts.
static std::vector<int> LegalSources(const GameTable& table, int die) {
    std::vector<int> sources;
    for (int s = 1; s <= HumanBar; s++) {
        if (table.points[s].Owner() == HumanSide && table.HumanMoveTarget(s, die).allowed) {
            sources.push_back(s);
        }
    }
    return sources;
}

// What a run of whole games looked like.
struct SimulationResult {
    int games = 0;
    long frames = 0;
    int longestTurn = 0;  // frames from one roll to the next
};

// The most frames a turn may take: four moves of four hand moves with the human's pauses, or a
// blocked roll shown before it passes; the winning turn also holds the pause on the final
// position.
static const int turnLimit =
    4 * (4 * 15 + 3) + 15 + GameTable::NoMovePassFrames + GameTable::GameOverPauseFrames;

// Plays whole games frame by frame, checking the board after every frame and failing as soon as
// a turn outlasts its limit, with a scripted human who clicks random legal moves after a short
// random pause and now and then switches the die; the mouse wanders while the hand is busy.
// `seed` drives both the dice and the human.
static void Simulate(const std::string& weights, int games, unsigned seed,
                     SimulationResult& result) {
    auto table = std::make_unique<GameTable>();
    table->computerPlayer.weightDirectory = weights;
    TablePlayer player(*table);
    std::mt19937 human(seed);
    Srand(seed);
    table->RollForTurn();
    int turns = table->turnsStarted, turnFrames = 0, wait = 0;

    while (result.games < games) {
        // 1. The human, between frames, only when the window would let them act. A die with no
        // move is switched away from; when neither die has one the table passes the turn.
        if (table->currentSide == HumanSide && table->inputEnabled && !table->hand.moving &&
            table->movesLeft > 0 && table->gameOverFrames == 0 && --wait < 0) {
            wait = static_cast<int>(human() % 3);
            const std::vector<int> sources =
                LegalSources(*table, table->dice[table->selectedDie].value);
            if (sources.empty() || human() % 8 == 0) {
                player.RightClick(400, 300);
            } else {
                const int s = sources[human() % sources.size()];
                ASSERT_TRUE(player.ClickPoint(s)) << "a legal move from " << s << " did not start";
            }
        } else if (human() % 16 == 0) {
            player.MouseMove(static_cast<float>(human() % 800), static_cast<float>(human() % 600));
        }

        // 2. One frame, checked.
        player.Frame();
        result.frames++;
        turnFrames++;
        ASSERT_TRUE(table->IsValid()) << "after frame " << result.frames;
        ASSERT_LE(turnFrames, turnLimit) << "a turn is stuck, after frame " << result.frames;
        result.games = table->gamesFinished;

        // 3. Every roll starts a turn: the human's opens on die 0, with four moves for doubles.
        if (table->turnsStarted != turns) {
            if (table->currentSide == HumanSide && table->gameOverFrames == 0) {
                const bool doubles = table->dice[0].value == table->dice[1].value;
                ASSERT_EQ(table->movesLeft, doubles ? 4 : 2) << "after frame " << result.frames;
                ASSERT_TRUE(table->selectedDie == 0 && table->dice[0].active);
            }
            turns = table->turnsStarted;
            result.longestTurn = std::max(result.longestTurn, turnFrames);
            turnFrames = 0;
        }
    }
    // The computer's own plays must all be ones the table accepts.
    EXPECT_EQ(table->stalledComputerTurns, 0);
}

// Whole games on a fixed clock, against a computer with random networks (a folder without weight
// files) or with the trained networks that ship with the game.
class Simulation : public ::testing::Test {
protected:
    void SetUp() override {
        SetClockSource([] { return std::time_t{1700000000}; });
    }
    void TearDown() override { SetClockSource(nullptr); }
    // A thousand games, fewer where the sanitizers slow every frame down.
    static void PlayAndCheck(const char* what, const std::string& weights, unsigned seed) {
#ifdef KESTRANE_SANITIZED_BUILD
        const int games = 150;
#else
        const int games = 1000;
#endif
        SimulationResult r;
        Simulate(weights, games, seed, r);
        std::printf("%s: %d games, %ld frames, longest turn %d frames\n", what, r.games, r.frames,
                    r.longestTurn);
        EXPECT_EQ(r.games, games);
    }

    const std::string noWeights = KESTRANE_DATA_DIR "/no-such-folder";
    const std::string shipped = KESTRANE_DATA_DIR;
};

TEST_F(Simulation, WholeGamesAgainstRandomWeights) {
    PlayAndCheck("random weights", noWeights, 1);
}

TEST_F(Simulation, WholeGamesAgainstWeightsFromFiles) {
    PlayAndCheck("shipped networks", shipped, 2);
}

TEST_F(Simulation, TheSameSeedPlaysTheSameGames) {
    SimulationResult a, b, c;
    Simulate(shipped, 8, 1234, a);
    Simulate(shipped, 8, 1234, b);
    Simulate(shipped, 8, 4321, c);
    // Eight games' length in frames depends on every roll and every choice in them.
    EXPECT_EQ(a.games, 8);
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_NE(a.frames, c.frames);
}
