// Colour schemes, the side swap and the backgrounds, on a table without a window (the GL calls
// they make find no context and do nothing).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "table/GameTable.h"

// Everything a scheme, the swap or a background step may change.
struct ColourState {
    float board[4][3];
    float dice[2][4];
    float hand[3][4];
    int selector;
    CheckerColours checkerColours;
    int flags[31];
    int background;

    bool operator==(const ColourState& other) const {
        return std::memcmp(this, &other, sizeof(ColourState)) == 0;
    }
};

static ColourState Capture(const GameTable& table) {
    ColourState s;
    std::memset(&s, 0, sizeof s);
    std::memcpy(s.board[0], table.boardView.surfaceColour, sizeof s.board[0]);
    std::memcpy(s.board[1], table.boardView.frameColour, sizeof s.board[1]);
    std::memcpy(s.board[2], table.boardView.oddPointColour, sizeof s.board[2]);
    std::memcpy(s.board[3], table.boardView.evenPointColour, sizeof s.board[3]);
    for (int d = 0; d < 2; ++d)
        std::memcpy(s.dice[d], table.dice[d].colour, sizeof s.dice[d]);
    std::memcpy(s.hand[0], table.hand.colour1, sizeof s.hand[0]);
    std::memcpy(s.hand[1], table.hand.colour2, sizeof s.hand[1]);
    std::memcpy(s.hand[2], table.hand.shadowColour, sizeof s.hand[2]);
    s.selector = table.hand.colourSelector;
    s.checkerColours = Checker::colours;
    for (int i = 0; i < 30; ++i)
        s.flags[i] = table.checkers[i].colourFlag;
    s.flags[30] = table.ghostChecker.colourFlag;
    s.background = table.backgroundIndex;
    return s;
}

// The colour a checker is drawn in when not highlighted.
static const float* CheckerColour(const Checker& checker) {
    return checker.colourFlag == 0 ? Checker::colours.sideA : Checker::colours.sideB;
}

static const float* HandColour(const Hand& hand) {
    return hand.colourSelector == 2 ? hand.colour2 : hand.colour1;
}

static bool Same(const float* a, const float* b) {
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

static float Distance(const float* a, const float* b) {
    return std::fabs(a[0] - b[0]) + std::fabs(a[1] - b[1]) + std::fabs(a[2] - b[2]);
}

// The hand wears a colour of the same family as one side's checkers: nearer to theirs than to
// the other side's.
static bool LooksLike(const float* hand, const float* side, const float* otherSide) {
    return Distance(hand, side) < Distance(hand, otherSide);
}

class ColourSchemes : public ::testing::Test {
protected:
    void SetUp() override {
        Checker::colours = CheckerColours{};
        table = std::make_unique<GameTable>();
    }
    std::unique_ptr<GameTable> table;
};

TEST_F(ColourSchemes, TableStartsWithSchemeNineAndBackgroundOne) {
    const float green[3] = {0.1f, 0.5f, 0.1f};
    EXPECT_TRUE(Same(table->boardView.surfaceColour, green));
    EXPECT_EQ(table->backgroundIndex, 1);
    EXPECT_EQ(table->dice[0].colour[0], 0.7f);
    EXPECT_EQ(table->dice[1].colour[3], 0.6f);
    // Side 1 (the human, checkers 15..29) in white, side 2 in grey, the hand in side 1's colour.
    const float white[3] = {0.99f, 0.99f, 0.99f};
    const float grey[3] = {0.4f, 0.4f, 0.4f};
    EXPECT_TRUE(Same(CheckerColour(table->checkers[20]), white));
    EXPECT_TRUE(Same(CheckerColour(table->checkers[3]), grey));
    EXPECT_TRUE(LooksLike(HandColour(table->hand), white, grey));
    EXPECT_EQ(table->hand.colour1[3], 0.1f);
    EXPECT_EQ(table->hand.shadowColour[3], 0.8f);
}

TEST_F(ColourSchemes, UndefinedDigitsChangeNothingAtAll) {
    table->ApplyColourScheme(2);
    table->SwapSideColours();  // not the default assignment, which a defined scheme would undo
    const ColourState before = Capture(*table);
    for (int n : {5, 6, 7, 8, 0, 10, -1}) {
        table->ApplyColourScheme(n);
        EXPECT_TRUE(Capture(*table) == before) << "scheme " << n;
    }
}

TEST_F(ColourSchemes, SwappingTwiceRestoresEveryColour) {
    for (int scheme : {9, 1, 2}) {
        table->ApplyColourScheme(scheme);
        const ColourState before = Capture(*table);
        const float* handBefore = HandColour(table->hand);
        const float* humanBefore = CheckerColour(table->checkers[15]);

        table->SwapSideColours();
        EXPECT_FALSE(Same(HandColour(table->hand), handBefore)) << "scheme " << scheme;
        EXPECT_TRUE(Same(CheckerColour(table->checkers[15]), Checker::colours.sideA));
        EXPECT_TRUE(Same(CheckerColour(table->checkers[0]), Checker::colours.sideB));
        EXPECT_FALSE(Same(CheckerColour(table->checkers[15]), humanBefore));
        EXPECT_NE(table->ghostChecker.colourFlag, before.flags[30]);

        table->SwapSideColours();
        EXPECT_TRUE(Capture(*table) == before) << "scheme " << scheme;
    }
}

TEST_F(ColourSchemes, ASchemeAfterASwapRestoresTheDefaultSides) {
    const int ghostFlag = table->ghostChecker.colourFlag;
    table->SwapSideColours();
    table->ApplyColourScheme(4);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(table->checkers[i].colourFlag, i < 15 ? 0 : 1) << "checker " << i;
    }
    EXPECT_EQ(table->hand.colourSelector, 2);
    // The ghost is left as the swap put it: it is drawn in the highlight colour regardless.
    EXPECT_NE(table->ghostChecker.colourFlag, ghostFlag);
}

TEST_F(ColourSchemes, HandWearsTheColourOfTheSideToMove) {
    for (int scheme : {1, 2, 3, 4, 9}) {
        for (int side : {1, 2}) {
            table->currentSide = side;
            table->ApplyColourScheme(scheme);
            const Checker& own = table->checkers[side == 1 ? 29 : 0];
            const Checker& other = table->checkers[side == 1 ? 0 : 29];
            EXPECT_EQ(table->hand.colourSelector, side == 1 ? 2 : 1);
            EXPECT_TRUE(
                LooksLike(HandColour(table->hand), CheckerColour(own), CheckerColour(other)))
                << "scheme " << scheme << " side " << side;
        }
    }
}

TEST_F(ColourSchemes, EverySchemeKeepsDiceAndAlphas) {
    for (int scheme : {1, 2, 3, 4, 9}) {
        table->dice[0].colour[0] = 0.0f;
        table->hand.shadowColour[0] = 0.5f;
        table->ApplyColourScheme(scheme);
        for (const Die& die : table->dice) {
            EXPECT_EQ(die.colour[0], 0.7f);
            EXPECT_EQ(die.colour[1], 0.7f);
            EXPECT_EQ(die.colour[2], 0.7f);
            EXPECT_EQ(die.colour[3], 0.6f);
        }
        EXPECT_EQ(table->hand.colour1[3], 0.1f);
        EXPECT_EQ(table->hand.colour2[3], 0.1f);
        EXPECT_EQ(table->hand.shadowColour[0], 0.1f);
        EXPECT_EQ(table->hand.shadowColour[3], 0.8f);
        // Neighbouring points and the two sides always differ.
        EXPECT_FALSE(Same(table->boardView.oddPointColour, table->boardView.evenPointColour));
        EXPECT_FALSE(Same(Checker::colours.sideA, Checker::colours.sideB));
    }
    table->ApplyColourScheme(3);
    const float grey[3] = {0.5f, 0.5f, 0.5f};
    EXPECT_TRUE(Same(table->boardView.surfaceColour, grey));
}

TEST_F(ColourSchemes, BackgroundStepsRoundNineColours) {
    table->NextBackground();
    EXPECT_EQ(table->backgroundIndex, 2);
    for (int i = 0; i < 9; ++i) {
        table->NextBackground();
    }
    EXPECT_EQ(table->backgroundIndex, 2);
    for (int i = 0; i < 7; ++i) {
        table->NextBackground();
    }
    EXPECT_EQ(table->backgroundIndex, 9);
    table->NextBackground();
    EXPECT_EQ(table->backgroundIndex, 1);
}
