#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdio>
#include <random>
#include <string>

#include "ai/Agent.h"
#include "ai/Chance.h"
#include "ai/ComputerPlayer.h"
#include "tests/ai/AiTestSupport.h"

static const unsigned gameLayers[3] = {200, 20, 1};

// A folder of its own holding the two weight files.
static std::string WeightFolder(const std::string& name) {
    const std::string dir = ::testing::TempDir() + name;
    mkdir(dir.c_str(), 0700);
    return dir;
}

static void WriteWeights(const std::string& path, unsigned seed) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> wide(-1.5f, 1.5f);
    for (unsigned n = 0; n < 4020; ++n) {
        std::fprintf(f, "%.9g\n", seed == 0 ? 0.0 : static_cast<double>(wide(rng)));
    }
    std::fclose(f);
}

static std::string Play(const MoveList& moves) {
    std::string s;
    for (unsigned m = 0; m < moves.count; ++m) {
        s += std::to_string(moves.indices[m]) + "/" + std::to_string(moves.dice[m]) + " ";
    }
    return s;
}

// What a lone NetAgent with the weights of `path` plays.
static std::string AgentPlay(const std::string& path, const BoardState& board,
                             const unsigned dice[2]) {
    NeuralNet net(gameLayers, 3);
    net.LoadWeights(path.c_str());
    NetAgent agent(&net);
    MoveList moves;
    agent.ChooseMove(board, 1, dice, moves);
    return Play(moves);
}

TEST(ComputerPlayer, ReadsEachWeightFileOnceOnTheFirstMove) {
    const std::string dir = WeightFolder("once");
    WriteWeights(dir + "/net-160 (0).dat", 0);
    WriteWeights(dir + "/net-160 (1).dat", 0);
    BoardState start;
    const unsigned dice[2] = {3, 1};
    ComputerPlayer player;
    player.weightDirectory = dir;
    MoveList moves;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(player.ChooseMove(start, 1, dice, moves), 2u);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    // Flat weights: the first play found.
    EXPECT_EQ(Play(moves), "0/3 0/1 ");

    // New files are not read again by this player, but a new player reads them.
    WriteWeights(dir + "/net-160 (0).dat", 11);
    const std::string fresh = AgentPlay(dir + "/net-160 (0).dat", start, dice);
    ASSERT_NE(fresh, "0/3 0/1 ");
    player.ChooseMove(start, 1, dice, moves);
    EXPECT_EQ(Play(moves), "0/3 0/1 ");
    ComputerPlayer second;
    second.weightDirectory = dir + "/";
    second.ChooseMove(start, 1, dice, moves);
    EXPECT_EQ(Play(moves), fresh);
}

TEST(ComputerPlayer, ContactAndRaceUseTheirOwnFiles) {
    const std::string dir = WeightFolder("phases");
    WriteWeights(dir + "/net-160 (0).dat", 0);
    WriteWeights(dir + "/net-160 (1).dat", 5);
    ComputerPlayer player;
    player.weightDirectory = dir;
    const BoardState race = BoardFromSigned(
        {0, -3, -4, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 3, 2, 2, 0, 1, 1, 0});
    ASSERT_TRUE(IsRace(race));
    MoveList moves;
    for (unsigned d0 = 1; d0 <= 6; ++d0) {
        for (unsigned d1 = 1; d1 <= 6; ++d1) {
            const unsigned dice[2] = {d0, d1};
            player.ChooseMove(race, 1, dice, moves);
            EXPECT_EQ(Play(moves), AgentPlay(dir + "/net-160 (1).dat", race, dice));
            // Player 2 reads the same files through its own pair of networks.
            BoardState mirrored = race;
            mirrored.CopyFrom(race);
            mirrored.Mirror();
            mirrored.Save();
            MoveList theirs;
            player.ChooseMove(mirrored, 2, dice, theirs);
            EXPECT_EQ(Play(theirs), Play(moves));
        }
    }
    const BoardState start;
    const unsigned dice[2] = {6, 4};
    player.ChooseMove(start, 1, dice, moves);
    EXPECT_EQ(Play(moves), AgentPlay(dir + "/net-160 (0).dat", start, dice));
}

TEST(ComputerPlayer, MissingFilesAreReportedOnceAndPlayGoesOn) {
    SetClockSource([]() -> std::time_t { return 1000; });
    const std::string dir = WeightFolder("empty");
    std::string plays[2];
    for (unsigned round = 0; round < 2; ++round) {
        Srand(8);
        ComputerPlayer player;
        player.weightDirectory = dir;
        const BoardState start;
        const unsigned dice[2] = {5, 2};
        MoveList moves;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(player.ChooseMove(start, 1, dice, moves), 2u);
        const std::string first = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(first, dir +
                             "/net-160 (0).dat: cannot be opened (No such file or directory); "
                             "the network keeps its random weights\n" +
                             dir +
                             "/net-160 (1).dat: cannot be opened (No such file or "
                             "directory); the network keeps its random weights\n");
        ::testing::internal::CaptureStderr();
        player.ChooseMove(start, 1, dice, moves);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        plays[round] = Play(moves);
        EXPECT_EQ(BoardProblem(ApplyMoves(start, moves)), "");
    }
    // The same seed draws the same random networks.
    EXPECT_EQ(plays[0], plays[1]);
    SetClockSource(nullptr);
}
