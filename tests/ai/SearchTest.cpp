#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ai/Agent.h"
#include "ai/Chance.h"
#include "tests/ai/AiTestSupport.h"

// An agent whose values come from the test and which remembers every position it was asked about.
class ScriptedAgent : public Agent {
public:
    float Evaluate() override {
        seen.push_back(searchBoard);
        return value ? value(searchBoard) : 0.0f;
    }
    std::function<float(const BoardState&)> value;
    std::vector<BoardState> seen;
};

static const unsigned gameLayers[3] = {200, 20, 1};

// A network whose every value is 0.5, so that only the enumeration order decides.
class FlatNet : public NeuralNet {
public:
    FlatNet() : NeuralNet(gameLayers, 3) {
        for (unsigned i = 0; i < 200; ++i) {
            for (unsigned k = 0; k < 20; ++k) {
                layers[0][i].weights[k] = 0.0f;
            }
        }
        for (unsigned k = 0; k < 20; ++k) {
            layers[1][k].weights[0] = 0.0f;
        }
    }
};

static std::vector<std::pair<unsigned, unsigned>> Pairs(const MoveList& moves) {
    std::vector<std::pair<unsigned, unsigned>> out;
    for (unsigned m = 0; m < moves.count; ++m) {
        out.emplace_back(moves.indices[m], moves.dice[m]);
    }
    return out;
}

using P = std::vector<std::pair<unsigned, unsigned>>;

// Both the plain search of a scripted agent and the fast search of a flat network pick `expected`
// when all values tie.
static void ExpectFirstFound(const BoardState& board, unsigned player, unsigned d0, unsigned d1,
                             const P& expected) {
    const unsigned dice[2] = {d0, d1};
    ScriptedAgent scripted;
    MoveList moves;
    EXPECT_EQ(scripted.ChooseMove(board, player, dice, moves), expected.size());
    EXPECT_EQ(Pairs(moves), expected);
    FlatNet net;
    NetAgent agent(&net);
    MoveList fast;
    EXPECT_EQ(agent.ChooseMove(board, player, dice, fast), expected.size());
    EXPECT_EQ(Pairs(fast), expected);
}

TEST(Search, StartingPositionOrderAndTies) {
    BoardState start;
    ScriptedAgent agent;
    const unsigned dice[2] = {3, 1};
    MoveList moves;
    agent.ChooseMove(start, 1, dice, moves);
    const unsigned list[15] = {1, 1, 12, 12, 12, 12, 12, 17, 17, 17, 19, 19, 19, 19, 19};
    EXPECT_EQ(agent.checkerCount, 15u);
    for (unsigned i = 0; i < 15; ++i) {
        EXPECT_EQ(agent.savedCheckerList[i], list[i]);
    }
    // All equal: pass 0, i = 0, j = 0 comes first: 1-4-5.
    ExpectFirstFound(start, 1, 3, 1, P{{0, 3}, {0, 1}});
    // With the dice the other way round, the 1 is played first.
    ExpectFirstFound(start, 1, 1, 3, P{{0, 1}, {0, 3}});
    // Doubles: the first quadruple (0, 0, 0, 0) runs one checker 1-2-3-4-5.
    ExpectFirstFound(start, 1, 1, 1, P{{0, 1}, {0, 1}, {0, 1}, {0, 1}});

    // Equal values found later lose: 1-4 with 1-2 is found as (0,3),(1,1) before (0,1),(1,3).
    agent.value = [](const BoardState& b) {
        return b.points[2].owner == 1 && b.points[4].owner == 1 ? 1.0f : 0.0f;
    };
    EXPECT_EQ(agent.ChooseMove(start, 1, dice, moves), 2u);
    EXPECT_EQ(Pairs(moves), (P{{0, 3}, {1, 1}}));
    // A strictly better value found late in pass 0 wins.
    agent.value = [](const BoardState& b) {
        if (b.points[22].owner == 1 && b.points[20].owner == 1) {
            return 2.0f;
        }
        return b.points[5].owner == 1 ? 1.0f : 0.0f;
    };
    agent.ChooseMove(start, 1, dice, moves);
    EXPECT_EQ(Pairs(moves), (P{{10, 3}, {11, 1}}));
}

TEST(Search, OneDiePlaysCompeteByValueAlone) {
    // A lone checker on 1, point 12 blocked: 6 then 5 and 5 then 6 both end on 12.
    BoardState board = BoardFromSigned(
        {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ExpectFirstFound(board, 1, 6, 5, P{{0, 6}});
    ExpectFirstFound(board, 1, 5, 6, P{{0, 5}});
    ScriptedAgent agent;
    agent.value = [](const BoardState& b) { return b.points[6].owner == 1 ? 1.0f : 0.0f; };
    const unsigned dice[2] = {6, 5};
    MoveList moves;
    EXPECT_EQ(agent.ChooseMove(board, 1, dice, moves), 1u);
    EXPECT_EQ(Pairs(moves), (P{{0, 5}}));

    // A two-dice play beats any one-die play, whatever the values.
    BoardState two = BoardFromSigned(
        {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    agent.value = [](const BoardState& b) {
        return b.points[7].owner == 1 && b.points[10].owner == 1 ? 9.0f : -5.0f;
    };
    EXPECT_EQ(agent.ChooseMove(two, 1, dice, moves), 2u);
    EXPECT_EQ(Pairs(moves), (P{{0, 6}, {1, 5}}));
}

TEST(Search, BarEntry) {
    // One on the bar, entry points 3 and 5 held by player 2; a free checker on 10 may not move.
    std::array<int, 26> blocked = {1, 0, 0, -2, 0, -3, 0, 0, 0, 0, 1, 0, 0,
                                   0, 0, 0, 0,  0, 0,  0, 0, 0, 0, 0, 0, 0};
    const BoardState board = BoardFromSigned(blocked);
    ExpectFirstFound(board, 1, 3, 5, P{});
    ScriptedAgent agent;
    MoveList moves;
    const unsigned noEntry[2] = {5, 3};
    EXPECT_EQ(agent.ChooseMove(board, 1, noEntry, moves), 0u);
    EXPECT_TRUE(agent.seen.empty());
    // Doubles: the first quadruple finds the bar closed and the search ends there.
    const unsigned threes[2] = {3, 3};
    EXPECT_EQ(agent.ChooseMove(board, 1, threes, moves), 0u);
    EXPECT_EQ(agent.seen.size(), 1u);
    ExpectFirstFound(board, 1, 3, 3, P{});
    // The same with two and with three checkers waiting.
    for (int waiting : {2, 3}) {
        blocked[0] = waiting;
        agent.seen.clear();
        EXPECT_EQ(agent.ChooseMove(BoardFromSigned(blocked), 1, threes, moves), 0u);
        EXPECT_EQ(agent.seen.size(), 1u) << waiting;
        ExpectFirstFound(BoardFromSigned(blocked), 1, 3, 3, P{});
    }

    // Two on the bar, point 3 open and 5 closed: only the 3 enters, the single entry.
    std::array<int, 26> twoOnBar = {2, 0, 0, 0, 0, -2, 0, 0, 0, 0, 1, 0, 0,
                                    0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0};
    ExpectFirstFound(BoardFromSigned(twoOnBar), 1, 5, 3, P{{0, 3}});
    // Both open: both enter, and every trial evaluated has entered both.
    twoOnBar[5] = 0;
    agent.seen.clear();
    EXPECT_EQ(agent.ChooseMove(BoardFromSigned(twoOnBar), 1, noEntry, moves), 2u);
    EXPECT_EQ(Pairs(moves), (P{{0, 5}, {1, 3}}));
    EXPECT_EQ(agent.seen.size(), 2u);
    for (const BoardState& b : agent.seen) {
        EXPECT_EQ(b.points[0].count, 0u);
        EXPECT_EQ(b.points[10].count, 1u);
    }

    // Four or more on the bar with doubles: the one quadruple (0, 1, 2, 3).
    for (int waiting : {4, 5, 7}) {
        std::array<int, 26> many = {waiting, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0,
                                    0,       0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        agent.seen.clear();
        const unsigned twos[2] = {2, 2};
        EXPECT_EQ(agent.ChooseMove(BoardFromSigned(many), 1, twos, moves), 4u);
        EXPECT_EQ(Pairs(moves), (P{{0, 2}, {1, 2}, {2, 2}, {3, 2}}));
        EXPECT_EQ(agent.seen.size(), 1u);
        EXPECT_EQ(agent.seen[0].points[0].count, static_cast<unsigned>(waiting - 4));
        ExpectFirstFound(BoardFromSigned(many), 1, 2, 2, P{{0, 2}, {1, 2}, {2, 2}, {3, 2}});
    }
}

TEST(Search, DoublesSkipFailedMovesAndPreferMoreMoves) {
    // Checker 0 on 1 cannot move (2 is held); checker 1 on 10 runs. The first quadruple with four
    // moves is (1, 1, 1, 1); earlier ones such as (0, 1, 1, 1) make only three.
    const BoardState board = BoardFromSigned(
        {0, 1, -2, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ExpectFirstFound(board, 1, 1, 1, P{{1, 1}, {1, 1}, {1, 1}, {1, 1}});
    ScriptedAgent agent;
    // Values prefer anything but the four-move play: it still wins.
    agent.value = [](const BoardState& b) { return b.points[14].owner == 1 ? 0.0f : 5.0f; };
    MoveList moves;
    const unsigned ones[2] = {1, 1};
    EXPECT_EQ(agent.ChooseMove(board, 1, ones, moves), 4u);
    EXPECT_EQ(Pairs(moves), (P{{1, 1}, {1, 1}, {1, 1}, {1, 1}}));

    // Only two moves exist: 1-2-3, then 4 is held.
    const BoardState shortPlay = BoardFromSigned(
        {0, 1, 0, 0, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ExpectFirstFound(shortPlay, 1, 1, 1, P{{0, 1}, {0, 1}});

    // Among plays of equal length a strictly better later one wins: split 2-2 between two
    // checkers (1 to 5, 12 to 16) rather than running one.
    const BoardState split = BoardFromSigned(
        {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    agent.value = [](const BoardState& b) {
        return b.points[5].owner == 1 && b.points[16].owner == 1 ? 1.0f : 0.0f;
    };
    const unsigned twos[2] = {2, 2};
    EXPECT_EQ(agent.ChooseMove(split, 1, twos, moves), 4u);
    EXPECT_EQ(Pairs(moves), (P{{0, 2}, {0, 2}, {1, 2}, {1, 2}}));
}

TEST(Search, PlayerTwoMovesOnTheMirroredBoard) {
    // Player 2 has one checker on 24 (its 1-point in its own frame) and three on 6.
    const BoardState board = BoardFromSigned(
        {0, 0, 0, 0, 0, 0, -3, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0});
    ExpectFirstFound(board, 2, 3, 1, P{{0, 3}, {0, 1}});
    ScriptedAgent agent;
    // Seen from player 2: its checker from (mirrored) 1 to 5 is the caller's 24 to 20.
    agent.value = [](const BoardState& b) { return b.points[5].owner == 1 ? 1.0f : 0.0f; };
    MoveList moves;
    const unsigned dice[2] = {1, 3};
    agent.ChooseMove(board, 2, dice, moves);
    EXPECT_EQ(Pairs(moves), (P{{0, 1}, {0, 3}}));
    EXPECT_EQ(agent.savedCheckerList[0], 1u);
    EXPECT_EQ(agent.savedCheckerList[1], 19u);
    // Player 2's bar is the mirrored board's point 0.
    BoardState hit = board;
    hit.CopyFrom(board);
    hit.points[25] = {2, 1};
    agent.value = nullptr;
    agent.ChooseMove(hit, 2, dice, moves);
    EXPECT_EQ(agent.savedCheckerList[0], 0u);
    EXPECT_EQ(moves.indices[0], 0u);
}

TEST(Search, BaseEvaluation) {
    Agent agent;
    agent.searchBoard.CopyFrom(BoardFromSigned(
        {0, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, -2}));
    // 2 (a made point) - 1 - 24 (blots) + 12 x 2 (player 2 on the bar) = 1, unless the one draw
    // in a thousand scores 10000.
    for (unsigned seed = 0; seed < 50; ++seed) {
        Srand(seed);
        const int r = Rand();
        Srand(seed);
        EXPECT_EQ(agent.Evaluate(), r % 1000 == 0 ? 10000.0f : 1.0f);
    }
}
