#include <gtest/gtest.h>

#include <string>

#include "ai/Agent.h"
#include "ai/ComputerPlayer.h"
#include "tests/ai/AiTestSupport.h"

static std::string Play(const MoveList& moves) {
    std::string s;
    for (unsigned m = 0; m < moves.count; ++m) {
        s += std::to_string(moves.indices[m]) + "/" + std::to_string(moves.dice[m]) + " ";
    }
    return s;
}

static std::string Play(ComputerPlayer& player, const BoardState& board, unsigned d0, unsigned d1,
                        unsigned side = 1) {
    const unsigned dice[2] = {d0, d1};
    MoveList moves;
    player.ChooseMove(board, side, dice, moves);
    return Play(moves);
}

// What a lone NetAgent with the weights of `path` plays.
static std::string AgentPlay(const std::string& path, const BoardState& board, unsigned d0,
                             unsigned d1) {
    const unsigned gameLayers[3] = {200, 20, 1};
    NeuralNet net(gameLayers, 3);
    net.LoadWeights(path.c_str());
    NetAgent agent(&net);
    const unsigned dice[2] = {d0, d1};
    MoveList moves;
    agent.ChooseMove(board, 1, dice, moves);
    return Play(moves);
}

// Catches a player that reads its files on every move, or that repeats its warnings.
TEST(ComputerPlayer, ReadsEachWeightFileOnceOnTheFirstMove) {
    const std::string missing = ::testing::TempDir() + "empty";
    const std::string cannot =
        ": cannot be opened (No such file or directory); the network keeps its random weights\n";
    ComputerPlayer lost;
    lost.weightDirectory = missing;
    ::testing::internal::CaptureStderr();
    Play(lost, BoardState(), 5, 2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              missing + "/net-160 (0).dat" + cannot + missing + "/net-160 (1).dat" + cannot);
    ::testing::internal::CaptureStderr();
    Play(lost, BoardState(), 5, 2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    // Flat weights: the first play found. New files are not read again by this player, but a
    // new player reads them.
    const std::string dir = WeightFolder("once", 0, 0);
    ComputerPlayer player;
    player.weightDirectory = dir;
    EXPECT_EQ(Play(player, BoardState(), 3, 1), "0/3 0/1 ");
    WriteWeights(dir + "/net-160 (0).dat", 4020, 11);
    const std::string fresh = AgentPlay(dir + "/net-160 (0).dat", BoardState(), 3, 1);
    ASSERT_NE(fresh, "0/3 0/1 ");
    EXPECT_EQ(Play(player, BoardState(), 3, 1), "0/3 0/1 ");
    ComputerPlayer second;
    second.weightDirectory = dir + "/";
    EXPECT_EQ(Play(second, BoardState(), 3, 1), fresh);
}

TEST(ComputerPlayer, ContactAndRaceUseTheirOwnFiles) {
    const std::string dir = WeightFolder("phases", 0, 5);
    ComputerPlayer player;
    player.weightDirectory = dir;
    const BoardState race = BoardFromSigned(
        {0, -3, -4, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 3, 2, 2, 0, 1, 1, 0});
    ASSERT_TRUE(IsRace(race));
    BoardState mirrored = race;
    mirrored.Mirror();
    for (unsigned d0 = 1; d0 <= 6; ++d0) {
        for (unsigned d1 = 1; d1 <= 6; ++d1) {
            const std::string expected = AgentPlay(dir + "/net-160 (1).dat", race, d0, d1);
            EXPECT_EQ(Play(player, race, d0, d1), expected);
            // Player 2 reads the same files through its own pair of networks.
            EXPECT_EQ(Play(player, mirrored, d0, d1, 2), expected);
        }
    }
    EXPECT_EQ(Play(player, BoardState(), 6, 4),
              AgentPlay(dir + "/net-160 (0).dat", BoardState(), 6, 4));
}
