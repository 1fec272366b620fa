#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "ai/Chance.h"
#include "tests/rules/Simulation.h"

static std::time_t FixedClock() {
    return 1700000000;
}

// A turn (one roll to the next) is at most four moves of four hand moves each, with the scripted
// human's pauses, or a blocked roll shown before it passes; the turn that wins a game also holds
// the pause on the final position.
static const int turnBound =
    4 * (4 * 15 + 3) + 15 + GameTable::NoMovePassFrames + GameTable::GameOverPauseFrames;

// A folder for weight files that lives as long as the test.
class WeightFolder {
public:
    explicit WeightFolder(const char* name) {
        path = std::filesystem::temp_directory_path() /
               (std::string("kestrane-") + name + "-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
    }
    ~WeightFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    // Both networks' files, 4020 numbers each from a seeded generator, as a trainer would write
    // them: several numbers to a line.
    void WriteSeededWeights(unsigned seed) const {
        std::mt19937 generator(seed);
        std::normal_distribution<float> weight(0.0f, 0.6f);
        for (const char* name : {"net-160 (0).dat", "net-160 (1).dat"}) {
            std::ofstream out(path / name);
            for (int i = 0; i < 4020; i++) {
                out << weight(generator) << ((i % 10 == 9) ? '\n' : ' ');
            }
        }
    }
    std::filesystem::path path;
};

static SimulationResult PlayGames(const std::filesystem::path& weights, int games, unsigned seed) {
    SetClockSource(FixedClock);
    auto table = std::make_unique<GameTable>();
    table->computerPlayer.weightDirectory = weights.string();
    SimulationResult result = Simulate(*table, games, seed, 400000L * games);
    SetClockSource(nullptr);
    return result;
}

static void ExpectSoundRun(const char* what, const SimulationResult& r, int games) {
    std::printf(
        "%s: %d games, %ld frames, longest turn %d frames, longest game %ld frames, "
        "human won %d, blocked human turns passed %d\n",
        what, r.games, r.frames, r.longestTurn, r.longestGame, r.humanWins, r.blockedTurnsPassed);
    EXPECT_EQ(r.games, games);
    EXPECT_EQ(r.invalidFrames, 0);
    EXPECT_EQ(r.failedClicks, 0);
    EXPECT_EQ(r.badRestarts, 0);
    EXPECT_LE(r.longestTurn, turnBound);
    EXPECT_EQ(r.stalledComputerTurns, 0);
}

// How many games each run plays: a thousand, fewer where the sanitizers slow every frame down;
// KESTRANE_SIMULATED_GAMES sets any other number.
static int GamesPerRun() {
#ifdef KESTRANE_SANITIZED_BUILD
    int games = 150;
#else
    int games = 1000;
#endif
    const char* wanted = std::getenv("KESTRANE_SIMULATED_GAMES");
    if (wanted != nullptr && std::atoi(wanted) > 0) {
        games = std::atoi(wanted);
    }
    return games;
}

TEST(Simulation, WholeGamesAgainstRandomWeights) {
    WeightFolder empty("no-weights");
    const int games = GamesPerRun();
    ExpectSoundRun("random weights", PlayGames(empty.path, games, 1), games);
}

TEST(Simulation, WholeGamesAgainstWeightsFromFiles) {
    WeightFolder folder("file-weights");
    folder.WriteSeededWeights(77);
    const int games = GamesPerRun();
    ExpectSoundRun("file weights", PlayGames(folder.path, games, 2), games);
}

TEST(Simulation, WholeGamesAgainstTheShippedNetworks) {
    const std::filesystem::path data = KESTRANE_DATA_DIR;
    if (!std::filesystem::exists(data / "net-160 (0).dat")) {
        GTEST_SKIP() << "no trained networks in " << data;
    }
    const int games = GamesPerRun();
    ExpectSoundRun("shipped networks", PlayGames(data, games, 3), games);
}

TEST(Simulation, TheSameSeedPlaysTheSameGames) {
    WeightFolder folder("repeat-weights");
    folder.WriteSeededWeights(78);
    const SimulationResult a = PlayGames(folder.path, 8, 1234);
    const SimulationResult b = PlayGames(folder.path, 8, 1234);
    const SimulationResult c = PlayGames(folder.path, 8, 4321);
    EXPECT_EQ(a.games, 8);
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ(a.fingerprint, b.fingerprint);
    EXPECT_NE(a.fingerprint, c.fingerprint);
}
