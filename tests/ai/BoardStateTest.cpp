#include <gtest/gtest.h>

#include <vector>

#include "ai/Agent.h"
#include "tests/ai/AiTestSupport.h"

// Catches a play made from a point without a checker of the mover's, or through a block. Plays
// that are made, a checker moving on from where it stopped, are the play line's answers.
TEST(BoardState, PlaysAreRefused) {
    BoardState board;
    Play play;
    play.count = 1;
    play.moves[0] = {2, 3, 1, false};
    EXPECT_FALSE(MakePlay(board, play));
    play.moves[0] = {1, 6, 5, false};
    EXPECT_FALSE(MakePlay(board, play));
}

// The inputs that are not 0 for a position, whatever the buffer held before; all must be 1.
static std::vector<unsigned> SetInputs(const Signed& position) {
    float inputs[InputCount];
    for (float& x : inputs) {
        x = 7.0f;
    }
    Encode(BoardFromSigned(position).points, inputs);
    std::vector<unsigned> set;
    for (unsigned i = 0; i < InputCount; ++i) {
        if (inputs[i] != 0.0f) {
            EXPECT_EQ(inputs[i], 1.0f) << i;
            set.push_back(i);
        }
    }
    return set;
}

TEST(Encode, KnownPositions) {
    EXPECT_EQ(SetInputs(SignedOf(BoardState().points)),
              (std::vector<unsigned>{5, 51, 66, 95, 107, 134, 151, 193}));
    // Player 2's bar has no inputs; player 1's bar appears at both ends, four or more alike.
    for (unsigned bar : {1u, 3u, 4u, 6u}) {
        Signed b{};
        b[0] = static_cast<int>(bar);
        b[25] = -4;
        const unsigned slot = (bar < 4 ? bar : 4) - 1;
        EXPECT_EQ(SetInputs(b), (std::vector<unsigned>{slot, 196 + slot})) << bar;
    }
}

TEST(IsRace, ContactAndRace) {
    EXPECT_FALSE(IsRace(BoardState()));
    // Touching is not passing: player 2 directly below player 1 is a race.
    EXPECT_TRUE(IsRace(BoardFromSigned({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -2, 2})));
    // Player 1 on its bar is in front of every player-2 checker.
    EXPECT_FALSE(IsRace(BoardFromSigned({1, -2})));
}
