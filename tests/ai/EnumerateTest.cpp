#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <vector>

#include "ai/Agent.h"
#include "ai/PlayEnumerator.h"
#include "tests/ai/AiTestSupport.h"

static unsigned Count(const Signed& b, unsigned d0, unsigned d1) {
    const unsigned dice[2] = {d0, d1};
    return EnumeratePlays(BoardFromSigned(b), dice, nullptr, 0);
}

TEST(EnumeratePlays, HandCountedPositions) {
    // One checker, no opponent: one way to end 4 pips on.
    EXPECT_EQ(Count({0, 1}, 3, 1), 1u);
    EXPECT_EQ(Count({0, 1}, 2, 2), 1u);
    // Checkers on 1 and 12, 3-1: 5, 16, 4+13, 2+15; 2-2 splits 4+0, 3+1, 2+2, 1+3, 0+4.
    const Signed two = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_EQ(Count(two, 3, 1), 4u);
    EXPECT_EQ(Count(two, 2, 2), 5u);
    // Two checkers on one point: 6-5 runs one checker, or moves both.
    EXPECT_EQ(Count({0, 2}, 6, 5), 2u);
    // Bearing off the last two, or nothing entering from the bar: one play each.
    Signed last = {0, 0, 0, -2};
    last[23] = last[24] = 1;
    EXPECT_EQ(Count(last, 6, 5), 1u);
    EXPECT_EQ(Count({1, -2, -2, -2, -2, -2, -2, 5}, 4, 4), 1u);
}

// The plain search, recording every position it evaluates by the number of dice its moves used:
// those with the most are the plays it chooses among.
class RecordingAgent : public Agent {
public:
    float Evaluate() override {
        unsigned pips = 0;
        for (unsigned i = 0; i < checkerCount; ++i) {
            pips += checkerList[i] - savedCheckerList[i];
        }
        const unsigned made =
            roll[0] == roll[1] ? pips / roll[0] : (pips == roll[0] + roll[1] ? 2 : 1);
        seen[made].insert(SignedOf(searchBoard.points));
        return 0.0f;
    }
    unsigned roll[2] = {};
    std::map<unsigned, std::set<Signed>> seen;
};

// On random positions and every roll: the candidates are exactly the plain search's plays, each
// once, all with as many moves.
TEST(EnumeratePlays, MatchesThePlainSearch) {
    std::mt19937 rng(2024);
    PlayEnumerator enumerator;
    std::vector<PlayCandidate> out(4096);
    for (unsigned trial = 0; trial < 150; ++trial) {
        const BoardState board = RandomBoard(rng);
        for (unsigned d0 = 1; d0 <= 6; ++d0) {
            for (unsigned d1 = d0; d1 <= 6; ++d1) {
                const unsigned dice[2] = {d0, d1};
                const unsigned n = enumerator.Enumerate(board.points, dice, out.data(), 4096);
                ASSERT_LE(n, 4096u);
                std::set<Signed> found;
                for (unsigned c = 0; c < n; ++c) {
                    ASSERT_TRUE(found.insert(SignedOf(out[c].points)).second) << "repeated";
                    ASSERT_EQ(out[c].moves.count, out[0].moves.count);
                }
                RecordingAgent agent;
                agent.roll[0] = d0;
                agent.roll[1] = d1;
                MoveList moves;
                agent.ChooseMoveReference(board, 1, dice, moves);
                std::set<Signed> expected = {SignedOf(board.points)};
                if (!agent.seen.empty()) {
                    expected = agent.seen.rbegin()->second;
                }
                ASSERT_EQ(found, expected) << "trial " << trial << " roll " << d0 << "-" << d1;
            }
        }
    }
}
