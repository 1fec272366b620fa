#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "ai/PlayEnumerator.h"
#include "tests/ai/AiTestSupport.h"

static unsigned Count(const std::array<int, 26>& b, unsigned d0, unsigned d1) {
    PlayCandidate out[64];
    const unsigned dice[2] = {d0, d1};
    return EnumeratePlays(BoardFromSigned(b), dice, out, 64);
}

TEST(EnumeratePlays, HandCountedPositions) {
    // One checker, no opponent: one way to end 4 pips on.
    std::array<int, 26> one = {};
    one[1] = 1;
    EXPECT_EQ(Count(one, 3, 1), 1u);
    EXPECT_EQ(Count(one, 2, 2), 1u);
    // Checkers on 1 and 12, 3-1: 5, 16, 4+13, 2+15.
    std::array<int, 26> two = {};
    two[1] = 1;
    two[12] = 1;
    EXPECT_EQ(Count(two, 3, 1), 4u);
    // 2-2 split 4+0, 3+1, 2+2, 1+3, 0+4 between them.
    EXPECT_EQ(Count(two, 2, 2), 5u);
    // Two checkers on one point: 6-5 runs one checker, or moves both.
    std::array<int, 26> stacked = {};
    stacked[1] = 2;
    EXPECT_EQ(Count(stacked, 6, 5), 2u);
    // Bearing off the last two checkers: one play, nothing left.
    std::array<int, 26> last = {};
    last[23] = 1;
    last[24] = 1;
    last[3] = -2;
    PlayCandidate out[8];
    const unsigned dice[2] = {6, 5};
    ASSERT_EQ(EnumeratePlays(BoardFromSigned(last), dice, out, 8), 1u);
    EXPECT_EQ(out[0].moves.count, 2u);
    EXPECT_EQ(out[0].points[23].count + out[0].points[24].count, 0u);
    EXPECT_EQ(out[0].points[3].count, 2u);
    // No play at all: the position unchanged with an empty list.
    std::array<int, 26> stuck = {};
    stuck[0] = 1;
    for (unsigned p = 1; p <= 6; ++p) {
        stuck[p] = -2;
    }
    const BoardState stuckBoard = BoardFromSigned(stuck);
    for (unsigned d = 1; d <= 6; ++d) {
        const unsigned roll[2] = {d, d == 6 ? 1u : d + 1};
        ASSERT_EQ(EnumeratePlays(stuckBoard, roll, out, 8), 1u);
        EXPECT_EQ(out[0].moves.count, 0u);
        EXPECT_EQ(KeyOf(out[0].points), KeyOf(stuckBoard.points));
    }
    // A capacity of 0 still counts.
    EXPECT_EQ(EnumeratePlays(BoardFromSigned(two), dice, nullptr, 0), 4u);
}

// On random positions and every roll: the candidates are exactly the positions reachable by the
// rules, each once, each reached by its own MoveList, and each a position of the game.
TEST(EnumeratePlays, MatchesExhaustivePlay) {
    std::mt19937 rng(2024);
    PlayEnumerator enumerator;
    std::vector<PlayCandidate> out(4096);
    unsigned checked = 0;
    for (unsigned trial = 0; trial < 150; ++trial) {
        const BoardState board = RandomBoard(rng);
        ASSERT_EQ(BoardProblem(board), "");
        for (unsigned d0 = 1; d0 <= 6; ++d0) {
            for (unsigned d1 = d0; d1 <= 6; ++d1) {
                const unsigned dice[2] = {d0, d1};
                const unsigned n = enumerator.Enumerate(board.points, dice, out.data(), 4096);
                ASSERT_LE(n, 4096u);
                std::set<PositionKey> found;
                for (unsigned c = 0; c < n; ++c) {
                    const PlayCandidate& play = out[c];
                    ASSERT_TRUE(found.insert(KeyOf(play.points)).second) << "repeated candidate";
                    ASSERT_EQ(play.moves.count, out[0].moves.count);
                    const BoardState replayed = ApplyMoves(board, play.moves);
                    ASSERT_EQ(KeyOf(replayed.points), KeyOf(play.points));
                    ASSERT_EQ(BoardProblem(replayed), "");
                }
                std::set<PositionKey> expected = AllPlays(board, dice);
                if (expected.empty()) {
                    expected.insert(KeyOf(board.points));
                }
                ASSERT_EQ(found, expected) << "trial " << trial << " roll " << d0 << "-" << d1;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 150u * 21u);
}
