// Colour schemes and the side swap, on a table without a window (the GL calls
// they make find no context and do nothing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "table/GameTable.h"

// Everything a scheme or the swap may change, flattened for comparison.
static std::vector<float> Capture(const GameTable& t) {
    const CheckerColours& checker = Checker::colours;
    std::vector<float> s;
    const BoardView& view = t.View();
    const Hand& hand = t.TheHand();
    for (const float* c : {view.surfaceColour, view.frameColour, view.oddPointColour,
                           view.evenPointColour, checker.sideA, checker.sideB, checker.highlight})
        s.insert(s.end(), c, c + 3);
    for (const float* c :
         {t.DieAt(0).colour, t.DieAt(1).colour, hand.colour1, hand.colour2, hand.shadowColour})
        s.insert(s.end(), c, c + 4);
    s.push_back(hand.colourSelector);
    for (int i = 0; i < CheckerCount; i++)
        s.push_back(t.CheckerAt(i).colourFlag);
    s.push_back(t.Ghost().colourFlag);
    return s;
}

// The colour a checker is drawn in when not highlighted.
static const float* CheckerColour(const Checker& checker) {
    return checker.colourFlag == 0 ? Checker::colours.sideA : Checker::colours.sideB;
}

static const float* HandColour(const Hand& hand) {
    return hand.colourSelector == 2 ? hand.colour2 : hand.colour1;
}

// The hand wears a colour of the same family as one side's checkers: nearer to theirs than to
// the other side's.
static bool LooksLike(const float* hand, const float* side, const float* otherSide) {
    float toSide = 0.0f, toOther = 0.0f;
    for (int c = 0; c < 3; ++c) {
        toSide += std::fabs(hand[c] - side[c]);
        toOther += std::fabs(hand[c] - otherSide[c]);
    }
    return toSide < toOther;
}

class ColourSchemes : public ::testing::Test {
protected:
    void SetUp() override {
        Checker::colours = CheckerColours{};
        table = std::make_unique<GameTable>();
    }
    std::unique_ptr<GameTable> table;
};

TEST_F(ColourSchemes, UndefinedDigitsChangeNothingAtAll) {
    table->ApplyColourScheme(2);
    table->SwapSideColours();  // not the default assignment, which a defined scheme would undo
    const std::vector<float> before = Capture(*table);
    for (int n : {5, 6, 7, 8, 0, 10, -1}) {
        table->ApplyColourScheme(n);
        EXPECT_EQ(Capture(*table), before) << "scheme " << n;
    }
}

// A scheme chosen after a swap brings the default sides back, as swapping again does.
TEST_F(ColourSchemes, SwappingTwiceRestoresEveryColour) {
    for (int scheme : {9, 1, 2, 4}) {
        table->ApplyColourScheme(scheme);
        const std::vector<float> before = Capture(*table);
        const float* humanBefore = CheckerColour(table->CheckerAt(15));

        table->SwapSideColours();
        EXPECT_TRUE(std::equal(humanBefore, humanBefore + 3, CheckerColour(table->CheckerAt(0))))
            << "scheme " << scheme;
        // The hand still wears the human's colour, now the other one.
        EXPECT_TRUE(LooksLike(HandColour(table->TheHand()), CheckerColour(table->CheckerAt(15)),
                              humanBefore));

        table->SwapSideColours();
        EXPECT_EQ(Capture(*table), before) << "scheme " << scheme;
        // The ghost, last, keeps its flag: it is drawn in the highlight colour anyway.
        table->SwapSideColours();
        table->ApplyColourScheme(scheme);
        const std::vector<float> again = Capture(*table);
        EXPECT_TRUE(std::equal(before.begin(), before.end() - 1, again.begin())) << scheme;
    }
}

TEST_F(ColourSchemes, HandWearsTheColourOfTheSideToMove) {
    for (int scheme : {1, 2, 3, 4, 9}) {
        for (Side side : {Side::Human, Side::Computer}) {
            if (table->Rules().CurrentSide() != side)
                table->Director().SwitchSide();
            table->ApplyColourScheme(scheme);
            const Checker& own = table->CheckerAt(side == Side::Human ? 29 : 0);
            const Checker& other = table->CheckerAt(side == Side::Human ? 0 : 29);
            EXPECT_TRUE(
                LooksLike(HandColour(table->TheHand()), CheckerColour(own), CheckerColour(other)))
                << "scheme " << scheme << " side " << static_cast<int>(side);
        }
    }
}
