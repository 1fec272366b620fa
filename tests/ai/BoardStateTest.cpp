#include <gtest/gtest.h>

#include <random>

#include "ai/Agent.h"
#include "ai/BoardState.h"
#include "tests/ai/AiTestSupport.h"

using Signed = std::array<int, 26>;

TEST(BoardState, StartAndMirror) {
    BoardState board;
    EXPECT_EQ(SignedOf(board.points), (Signed{0,  2, 0, 0, 0, 0, -5, 0, -3, 0, 0, 0,  5,
                                              -5, 0, 0, 0, 3, 0, 5,  0, 0,  0, 0, -2, 0}));
    EXPECT_EQ(SignedOf(board.saved), SignedOf(board.points));
    EXPECT_EQ(BoardProblem(board), "");
    board.Mirror();
    EXPECT_EQ(SignedOf(board.points), SignedOf(board.saved));

    // A lopsided position, bars and borne-off checkers included: the sides trade places and
    // colours, the saved half stays, and a second mirror restores the first.
    const Signed before = {2, -1, 0, 3, 0, 0, 0, 0, 0, 0,  0, 0, 0,
                           0, 0,  0, 0, 0, 0, 0, 4, 0, -2, 0, 1, -3};
    BoardState odd = BoardFromSigned(before);
    odd.Mirror();
    EXPECT_EQ(SignedOf(odd.points), (Signed{3, -1, 0, 2, 0, -4, 0, 0, 0, 0,  0, 0, 0,
                                            0, 0,  0, 0, 0, 0,  0, 0, 0, -3, 0, 1, -2}));
    EXPECT_EQ(BoardProblem(odd), "");
    EXPECT_EQ(SignedOf(odd.saved), before);
    odd.Mirror();
    EXPECT_EQ(SignedOf(odd.points), before);

    BoardState copy;
    copy.CopyFrom(odd);
    copy.points[3] = {0, 0};
    copy.Restore();
    EXPECT_EQ(SignedOf(copy.points), before);
}

TEST(BoardState, MovesHitsAndBlocks) {
    const Signed before = {0, 1, 0, 0, 0, 0, -2, -1, 0, 0, 0, 0, 0,
                           0, 0, 0, 0, 0, 0, 0,  0,  0, 0, 0, 0, 0};
    BoardState board = BoardFromSigned(before);
    // Onto two player-2 checkers, or from beyond point 24: refused, nothing changes.
    EXPECT_FALSE(board.MoveChecker(1, 5));
    EXPECT_FALSE(board.MoveChecker(25, 1));
    EXPECT_EQ(SignedOf(board.points), before);
    // Onto a single one: a hit. The point changes hands, player 2's bar gains the checker, and
    // point 1 is left to nobody.
    EXPECT_TRUE(board.MoveChecker(1, 6));
    EXPECT_EQ(SignedOf(board.points), (Signed{0, 0, 0, 0, 0, 0, -2, 1, 0, 0, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, -1}));
    EXPECT_EQ(board.points[1].owner, 0u);
    EXPECT_EQ(BoardProblem(board), "");

    // From the bar onto an own point.
    BoardState bar = BoardFromSigned(
        {1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(bar.MoveChecker(0, 3));
    EXPECT_EQ(bar.points[3].count, 3u);
    EXPECT_EQ(bar.points[0].owner, 0u);
}

TEST(BoardState, BearingOff) {
    // All home: 19 (1), 22 (2), 24 (1).
    const Signed home = {0, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0, 0,  0, 0, 0, 0, 1, 0, 0, 2, 0, 1, 0};
    BoardState b = BoardFromSigned(home);
    // Exactly to the edge needs only all checkers home; a larger die from 22 also needs 19..21
    // empty of player 1, so only the farthest checker may use it.
    EXPECT_TRUE(b.CanBearOff(22, 25));
    EXPECT_FALSE(b.CanBearOff(22, 27));
    EXPECT_TRUE(b.CanBearOff(19, 30));
    EXPECT_FALSE(b.CanBearOff(18, 25));
    EXPECT_FALSE(b.MoveChecker(22, 5));
    EXPECT_TRUE(b.MoveChecker(22, 3));
    EXPECT_TRUE(b.MoveChecker(19, 6));
    EXPECT_TRUE(b.MoveChecker(22, 5));
    EXPECT_TRUE(b.MoveChecker(24, 6));
    EXPECT_EQ(SignedOf(b.points), (Signed{0, -2}));

    // A checker on 18, or one on the bar, blocks every bear-off.
    for (unsigned outside : {18u, 0u}) {
        Signed position = home;
        position[outside] = 1;
        BoardState blocked = BoardFromSigned(position);
        EXPECT_FALSE(blocked.CanBearOff(24, 25)) << outside;
        EXPECT_FALSE(blocked.MoveChecker(24, 1)) << outside;
        EXPECT_EQ(SignedOf(blocked.points), position);
    }
}

TEST(Encode, KnownPositions) {
    BoardState start;
    float inputs[200];
    Encode(start.points, inputs);
    std::vector<unsigned> set;
    for (unsigned i = 0; i < 200; ++i) {
        EXPECT_TRUE(inputs[i] == 0.0f || inputs[i] == 1.0f);
        if (inputs[i] != 0.0f) {
            set.push_back(i);
        }
    }
    EXPECT_EQ(set, (std::vector<unsigned>{5, 51, 66, 95, 107, 134, 151, 193}));

    for (unsigned bar : {1u, 3u, 4u, 6u}) {
        BoardState b = BoardFromSigned({static_cast<int>(bar),
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        0,
                                        -4});
        Encode(b.points, inputs);
        const unsigned slot = (bar < 4 ? bar : 4) - 1;
        set.clear();
        for (unsigned i = 0; i < 200; ++i) {
            if (inputs[i] != 0.0f) {
                set.push_back(i);
            }
        }
        // Player 2's bar has no inputs; player 1's bar appears at both ends.
        EXPECT_EQ(set, (std::vector<unsigned>{slot, 196 + slot})) << bar;
    }

    // Encode clears what was there before, and the active list agrees with it everywhere.
    std::mt19937 rng(5);
    for (unsigned trial = 0; trial < 500; ++trial) {
        const BoardState b = RandomBoard(rng);
        for (float& x : inputs) {
            x = 7.0f;
        }
        Encode(b.points, inputs);
        unsigned active[26];
        const unsigned n = EncodeActive(b.points, active);
        unsigned a = 0;
        for (unsigned i = 0; i < 200; ++i) {
            if (inputs[i] == 1.0f) {
                ASSERT_LT(a, n);
                ASSERT_EQ(active[a++], i);
            } else {
                ASSERT_EQ(inputs[i], 0.0f);
            }
        }
        EXPECT_EQ(a, n);
    }
}

TEST(IsRace, ContactAndRace) {
    EXPECT_FALSE(IsRace(BoardState()));
    BoardState race = BoardFromSigned(
        {0, -3, -2, 0, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 5, 0, 0, 1, 0});
    EXPECT_TRUE(IsRace(race));
    // A lone player-2 checker on its bar is behind every player-1 checker on the board.
    BoardState bar = BoardFromSigned(
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, -1});
    EXPECT_FALSE(IsRace(bar));
    // Player 1 on its bar is in front of every player-2 checker.
    BoardState ownBar = BoardFromSigned(
        {1, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_FALSE(IsRace(ownBar));
    // Touching is not passing: player 2 directly below player 1 is a race.
    BoardState touching = BoardFromSigned(
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(IsRace(touching));
}

TEST(MoveList, AddAndCopyOut) {
    MoveList moves;
    EXPECT_EQ(moves.count, 0u);
    for (unsigned m = 0; m < 5; ++m) {
        moves.Add(m + 10, m + 1);
    }
    EXPECT_EQ(moves.count, 4u);
    unsigned indices[4];
    unsigned dice[4];
    EXPECT_EQ(moves.CopyOut(indices, dice), 4u);
    EXPECT_EQ(indices[3], 13u);
    EXPECT_EQ(dice[3], 4u);
    moves.Clear();
    EXPECT_EQ(moves.CopyOut(indices, dice), 0u);
}
