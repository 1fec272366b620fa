#include <gtest/gtest.h>

#include <string>

#include "ai/ComputerPlayer.h"
#include "tests/ai/AiTestSupport.h"

static std::string Play(ComputerPlayer& player, const BoardState& board, unsigned d0, unsigned d1,
                        unsigned side = 1) {
    const unsigned dice[2] = {d0, d1};
    MoveList moves;
    player.ChooseMove(board, side, dice, moves);
    return MovesText(moves);
}

// Catches a player that reads its files on every move, shares them with other players, repeats
// its warnings, or values races with the contact file.
TEST(ComputerPlayer, ReadsEachWeightFileOnceOnTheFirstMove) {
    const std::string missing = ::testing::TempDir() + "no-weights-here";
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

    // Flat contact weights and network 5 for races: the start is the first play found. New files
    // are not read again by this player, but a new player reads them.
    const std::string dir = WeightFolder("once", 0, 5);
    ComputerPlayer player;
    player.weightDirectory = dir;
    EXPECT_EQ(Play(player, BoardState(), 3, 1), "0/3 0/1");
    WeightFolder("once", 5, 5);
    EXPECT_EQ(Play(player, BoardState(), 3, 1), "0/3 0/1");
    ComputerPlayer second;
    second.weightDirectory = dir + "/";
    EXPECT_NE(Play(second, BoardState(), 3, 1), "0/3 0/1");

    // A race is played with the race file, as the new player with network 5 for both plays it,
    // by either side.
    BoardState race = BoardFromSigned(
        {0, -3, -4, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 3, 2, 2, 0, 1, 1, 0});
    const std::string expected = Play(second, race, 6, 2);
    EXPECT_EQ(Play(player, race, 6, 2), expected);
    race.Mirror();
    EXPECT_EQ(Play(player, race, 6, 2, 2), expected);
}
