#include <gtest/gtest.h>

#include <random>

#include "ai/Agent.h"
#include "ai/BoardState.h"
#include "tests/ai/AiTestSupport.h"

static bool SamePoints(const PointEntry* a, const PointEntry* b) {
    for (unsigned p = 0; p < 26; ++p) {
        if (a[p].owner != b[p].owner || a[p].count != b[p].count) {
            return false;
        }
    }
    return true;
}

TEST(BoardState, StartAndMirror) {
    BoardState board;
    EXPECT_EQ(BoardProblem(board), "");
    unsigned side[3] = {0, 0, 0};
    for (const PointEntry& e : board.points) {
        side[e.owner] += e.count;
    }
    EXPECT_EQ(side[1], 15u);
    EXPECT_EQ(side[2], 15u);
    EXPECT_TRUE(SamePoints(board.points, board.saved));

    BoardState mirrored;
    mirrored.Mirror();
    EXPECT_TRUE(SamePoints(mirrored.points, board.points));

    // A lopsided position: bars, a blot, borne-off checkers.
    BoardState odd = BoardFromSigned(
        {2, -1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, -2, 0, 1, -3});
    odd.Mirror();
    EXPECT_EQ(odd.points[0].owner, 1u);
    EXPECT_EQ(odd.points[0].count, 3u);
    EXPECT_EQ(odd.points[25].owner, 2u);
    EXPECT_EQ(odd.points[25].count, 2u);
    EXPECT_EQ(odd.points[24].owner, 1u);
    EXPECT_EQ(odd.points[22].owner, 2u);
    EXPECT_EQ(odd.points[22].count, 3u);
    EXPECT_EQ(odd.points[1].owner, 2u);
    EXPECT_EQ(BoardProblem(odd), "");
    // The saved half stays as it was; a second mirror restores the current half.
    EXPECT_EQ(odd.saved[0].count, 2u);
    odd.Mirror();
    EXPECT_TRUE(SamePoints(odd.points, odd.saved));

    BoardState copy;
    copy.CopyFrom(odd);
    copy.Restore();
    EXPECT_TRUE(SamePoints(copy.points, odd.saved));
}

TEST(BoardState, MovesHitsAndBlocks) {
    BoardState board = BoardFromSigned(
        {0, 1, 0, 0, 0, 0, -2, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    // Onto two player-2 checkers: blocked, nothing changes.
    EXPECT_FALSE(board.MoveChecker(1, 5));
    EXPECT_TRUE(SamePoints(board.points, board.saved));
    // Onto a single one: hit, the point changes hands, player 2's bar gains a checker, and point 1
    // is left with nobody's checkers.
    EXPECT_TRUE(board.MoveChecker(1, 6));
    EXPECT_EQ(board.points[7].owner, 1u);
    EXPECT_EQ(board.points[7].count, 1u);
    EXPECT_EQ(board.points[25].owner, 2u);
    EXPECT_EQ(board.points[25].count, 1u);
    EXPECT_EQ(board.points[1].owner, 0u);
    EXPECT_EQ(board.points[1].count, 0u);
    EXPECT_EQ(BoardProblem(board), "");
    // Nothing moves from beyond point 24.
    EXPECT_FALSE(board.MoveChecker(25, 1));

    // From the bar onto an own point.
    BoardState bar = BoardFromSigned(
        {1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(bar.MoveChecker(0, 3));
    EXPECT_EQ(bar.points[3].count, 3u);
    EXPECT_EQ(bar.points[0].owner, 0u);
}

TEST(BoardState, BearingOff) {
    // All home: 19 (1), 22 (2), 24 (1).
    BoardState home = BoardFromSigned(
        {0, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 2, 0, 1, 0});
    EXPECT_TRUE(home.CanBearOff(22, 25));
    // A larger die from 22 needs 19..21 empty of player 1; from the farthest point it is fine.
    EXPECT_FALSE(home.CanBearOff(22, 27));
    EXPECT_TRUE(home.CanBearOff(19, 25));
    EXPECT_TRUE(home.CanBearOff(19, 30));
    EXPECT_FALSE(home.CanBearOff(18, 25));
    BoardState b = home;
    b.CopyFrom(home);
    EXPECT_FALSE(b.MoveChecker(22, 5));
    EXPECT_TRUE(b.MoveChecker(22, 3));
    EXPECT_EQ(b.points[22].count, 1u);
    EXPECT_TRUE(b.MoveChecker(19, 6));
    EXPECT_EQ(b.points[19].owner, 0u);
    EXPECT_TRUE(b.MoveChecker(22, 5));
    EXPECT_TRUE(b.MoveChecker(24, 6));

    // A checker on 18, or one on the bar, blocks every bear-off.
    BoardState outside = home;
    outside.CopyFrom(home);
    outside.points[18] = {1, 1};
    EXPECT_FALSE(outside.CanBearOff(24, 25));
    EXPECT_FALSE(outside.MoveChecker(24, 1));
    EXPECT_TRUE(SamePoints(outside.points,
                           [&] {
                               BoardState x;
                               x.CopyFrom(home);
                               x.points[18] = {1, 1};
                               return x;
                           }()
                               .points));
    outside.points[18] = {0, 0};
    outside.points[0] = {1, 1};
    EXPECT_FALSE(outside.CanBearOff(24, 25));
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
