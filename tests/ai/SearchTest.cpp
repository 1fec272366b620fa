#include <gtest/gtest.h>

#include <vector>

#include "ai/Agent.h"
#include "ai/NetAgent.h"
#include "tests/ai/AiTestSupport.h"

// The play an agent chooses, as text; the count it returns must be the play's.
static std::string Chosen(Agent& agent, const BoardState& board, unsigned d0, unsigned d1,
                          unsigned player) {
    const unsigned dice[2] = {d0, d1};
    MoveList moves;
    const unsigned count = agent.ChooseMove(board, player, dice, moves);
    EXPECT_EQ(count, moves.count);
    return MovesText(moves);
}

// An agent of the plain search whose values come from the test: 1 where player 1 holds every
// point of `preferred` (when there are any), else 0.
class ScriptedAgent : public Agent {
public:
    float Evaluate() override {
        for (unsigned p : preferred) {
            if (searchBoard.points[p].owner != 1) {
                return 0.0f;
            }
        }
        return preferred.empty() ? 0.0f : 1.0f;
    }
    std::string Choose(const BoardState& board, unsigned d0, unsigned d1, unsigned player = 1) {
        return Chosen(*this, board, d0, d1, player);
    }
    std::vector<unsigned> preferred;
};

// Catches a search that tries plays in another order, lets an equal value found later win, or
// lets fewer moves beat more.
TEST(Search, EnumerationOrderAndTies) {
    const Signed start = SignedOf(BoardState().points);
    const Signed lone = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -2};
    const Signed held = {0, 1, -2, 0, 0, 0, 0, 0, 0, 0, 1};
    const Signed split = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    Signed player2 = {0, 0, 0, 0, 0, 0, -3, 0, 0, 0, 0, 0, 0, 0, 2};
    player2[24] = -1;
    const std::string run = "1/1 1/1 1/1 1/1";
    const struct {
        Signed position;
        unsigned d0, d1, player;
        std::vector<unsigned> preferred;  // none: every value ties, in both searches
        std::string expected;
        bool looseRules = false;
    } cases[] = {
        // Pass 0, i = 0, j = 0 comes first: 1-4-5; with the dice the other way round the 1 is
        // played first; the first quadruple runs one checker 1-2-3-4-5.
        {start, 3, 1, 1, {}, "0/3 0/1"},
        {start, 1, 3, 1, {}, "0/1 0/3"},
        {start, 1, 1, 1, {}, "0/1 0/1 0/1 0/1"},
        // 1-4 with 1-2 is found as (0,3),(1,1) before (0,1),(1,3); a better value found late wins.
        {start, 3, 1, 1, {2, 4}, "0/3 1/1"},
        {start, 3, 1, 1, {20, 22}, "10/3 11/1"},
        // 6 then 5 and 5 then 6 both end on the held 12: one die only, the larger, whatever the
        // values; by value alone under the looser rules.
        {lone, 6, 5, 1, {}, "0/6"},
        {lone, 5, 6, 1, {}, "0/6"},
        {lone, 6, 5, 1, {6}, "0/6"},
        {lone, 5, 6, 1, {}, "0/5", true},
        {lone, 6, 5, 1, {6}, "0/5", true},
        // A two-dice play beats the one-die play that the values prefer.
        {{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, -2}, 6, 5, 1, {7, 10}, "0/6 1/5"},
        // The checker on 1 cannot move: (1, 1, 1, 1) is the first quadruple with four moves,
        // found after three-move ones such as (0, 1, 1, 1), and beats them whatever the values.
        {held, 1, 1, 1, {}, run},
        {held, 1, 1, 1, {13}, run},
        // Only two moves exist: 1-2-3, then 4 is held.
        {{0, 1, 0, 0, -2}, 1, 1, 1, {}, "0/1 0/1"},
        // Among as many moves a strictly better later play wins: 1 to 5 and 12 to 16.
        {split, 2, 2, 1, {5, 16}, "0/2 0/2 1/2 1/2"},
        // Player 2 moves on the mirrored board: its 24 is point 1 there, its 6s are 19s.
        {player2, 3, 1, 2, {}, "0/3 0/1"},
        {player2, 3, 1, 2, {23}, "1/3 1/1"},
        // Bar checkers first, in both searches: with two waiting and 5 held only the 3 enters.
        {{2, 0, 0, 0, 0, -2, 0, 0, 0, 0, 1}, 5, 3, 1, {}, "0/3"},
    };
    // Where every value ties, the fast search of a network whose every value is 0.5 must also
    // pick the first play in the enumeration order.
    NeuralNet flat(GameLayers, 3);
    for (unsigned k = 0; k < HiddenCount; ++k) {
        flat.layers[1][k].weights[0] = 0.0f;
    }
    NetAgent fast(&flat);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        const BoardState board = BoardFromSigned(c.position);
        ScriptedAgent agent;
        agent.preferred = c.preferred;
        agent.largerDieRule = fast.largerDieRule = !c.looseRules;
        EXPECT_EQ(agent.Choose(board, c.d0, c.d1, c.player), c.expected);
        if (c.preferred.empty()) {
            EXPECT_EQ(Chosen(fast, board, c.d0, c.d1, c.player), c.expected);
        }
    }
}

// Catches a play read with the wrong checker, a hit left unmarked or the die of a bear-off lost.
// Player 2's own frame is caught by the race that either side of the computer player plays.
TEST(Search, ThePlayIsReadAsMovesBetweenPoints) {
    ScriptedAgent agent;
    Play play;
    const unsigned threes[2] = {3, 3};
    agent.ChoosePlay(BoardFromSigned({1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 0, 0, 1}), 1, threes, play);
    EXPECT_EQ(PlayText(play), "0/3* 3/6 6/9 9/12");
    Signed bearOff{};
    bearOff[1] = -1;
    bearOff[22] = 1;
    const unsigned sixFive[2] = {6, 5};
    agent.ChoosePlay(BoardFromSigned(bearOff), 1, sixFive, play);
    EXPECT_EQ(PlayText(play), "22/25");
    EXPECT_EQ(play.moves[0].die, 6u);
}
