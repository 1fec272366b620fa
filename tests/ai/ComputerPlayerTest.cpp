#include <gtest/gtest.h>

#include <string>

#include "ai/Agent.h"
#include "ai/ComputerPlayer.h"
#include "tests/ai/AiTestSupport.h"

static std::string Play(ComputerPlayer& player, const BoardState& board, unsigned d0, unsigned d1,
                        unsigned side = 1) {
    const unsigned dice[2] = {d0, d1};
    MoveList moves;
    player.ChooseMove(board, side, dice, moves);
    return MovesText(moves);
}

// Catches a player that reads its files on every move, shares them with other players, or
// repeats its warnings.
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

    // Flat weights: the first play found. New files are not read again by this player, but a
    // new player reads them.
    const std::string dir = WeightFolder("once", 0, 0);
    ComputerPlayer player;
    player.weightDirectory = dir;
    EXPECT_EQ(Play(player, BoardState(), 3, 1), "0/3 0/1");
    WeightFolder("once", 11, 11);
    EXPECT_EQ(Play(player, BoardState(), 3, 1), "0/3 0/1");
    ComputerPlayer second;
    second.weightDirectory = dir + "/";
    EXPECT_NE(Play(second, BoardState(), 3, 1), "0/3 0/1");
}

// With flat contact weights and network 5 for races, the player must play races as one with
// network 5 for both, for either side, and contact positions differently.
TEST(ComputerPlayer, ContactAndRaceUseTheirOwnFiles) {
    ComputerPlayer mixed;
    mixed.weightDirectory = WeightFolder("mixed", 0, 5);
    ComputerPlayer same;
    same.weightDirectory = WeightFolder("same", 5, 5);
    const BoardState race = BoardFromSigned(
        {0, -3, -4, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 3, 2, 2, 0, 1, 1, 0});
    ASSERT_TRUE(IsRace(race));
    BoardState mirrored = race;
    mirrored.Mirror();
    for (unsigned d0 = 1; d0 <= 6; ++d0) {
        for (unsigned d1 = 1; d1 <= 6; ++d1) {
            const std::string expected = Play(same, race, d0, d1);
            EXPECT_EQ(Play(mixed, race, d0, d1), expected);
            EXPECT_EQ(Play(mixed, mirrored, d0, d1, 2), expected);
        }
    }
    EXPECT_EQ(Play(mixed, BoardState(), 3, 1), "0/3 0/1");
    EXPECT_NE(Play(same, BoardState(), 3, 1), "0/3 0/1");
}
