#include <gtest/gtest.h>

#include <memory>

#include "ai/Chance.h"
#include "tests/rules/TablePlayer.h"

TEST(RollForTurn, DoublesGiveFourMovesAndDieZeroAlwaysStartsSelected) {
    auto table = NewTable();
    Srand(11);
    int doublesSeen = 0;
    for (int i = 0; i < 200; i++) {
        table->selectedDie = 1;
        table->dice[0].active = false;
        table->RollForTurn();
        const bool equal = table->dice[0].value == table->dice[1].value;
        doublesSeen += equal ? 1 : 0;
        ASSERT_EQ(table->doubles, equal ? 1 : 0);
        ASSERT_EQ(table->movesLeft, equal ? 4 : 2);
        ASSERT_EQ(table->selectedDie, 0);
        ASSERT_TRUE(table->dice[0].active);
        ASSERT_FALSE(table->dice[1].active);
    }
    EXPECT_GT(doublesSeen, 0);
    EXPECT_LT(doublesSeen, 200);
}

TEST(HumanMoveTarget, BlockedPointsRefuseBlotsAreHitOwnAndEmptyPointsAccept) {
    auto table = NewTable();
    SetPosition(*table, {{13, HumanSide, 5},
                         {10, ComputerSide, 2},
                         {9, ComputerSide, 1},
                         {8, HumanSide, 2},
                         {12, ComputerSide, 3}});
    EXPECT_FALSE(table->HumanMoveTarget(13, 3).allowed);  // two computer checkers on 10
    const MoveTarget hit = table->HumanMoveTarget(13, 4);
    EXPECT_TRUE(hit.allowed);
    EXPECT_TRUE(hit.hits);
    EXPECT_EQ(hit.to, 9);
    const MoveTarget own = table->HumanMoveTarget(13, 5);
    EXPECT_TRUE(own.allowed);
    EXPECT_FALSE(own.hits);
    EXPECT_EQ(own.to, 8);
    const MoveTarget empty = table->HumanMoveTarget(13, 2);
    EXPECT_TRUE(empty.allowed);
    EXPECT_EQ(empty.to, 11);
    EXPECT_FALSE(table->HumanMoveTarget(13, 1).allowed);  // three on 12
}

TEST(HumanMoveTarget, BearingOffNeedsEveryHumanCheckerHomeButNoExactDie) {
    auto table = NewTable();
    SetPosition(*table, {{2, HumanSide, 3}, {6, HumanSide, 4}, {24, ComputerSide, 2}});
    ASSERT_TRUE(table->AllHome());
    MoveTarget off = table->HumanMoveTarget(2, 5);
    EXPECT_TRUE(off.allowed);
    EXPECT_EQ(off.to, HumanTray);
    EXPECT_FALSE(off.hits);
    // No highest-checker rule: a 6 bears off from point 2 while point 6 is still held.
    EXPECT_TRUE(table->HumanMoveTarget(2, 6).allowed);
    EXPECT_TRUE(table->HumanMoveTarget(6, 6).allowed);

    // One checker outside the home board stops every bear-off.
    SetPosition(*table, {{2, HumanSide, 3}, {7, HumanSide, 1}});
    EXPECT_FALSE(table->AllHome());
    EXPECT_FALSE(table->HumanMoveTarget(2, 5).allowed);
    EXPECT_TRUE(table->HumanMoveTarget(2, 1).allowed);

    // So does a checker on the human's bar, which does not itself have to enter first.
    SetPosition(*table, {{2, HumanSide, 3}, {HumanBar, HumanSide, 1}});
    EXPECT_FALSE(table->AllHome());
    EXPECT_FALSE(table->HumanMoveTarget(2, 5).allowed);
    EXPECT_TRUE(table->HumanMoveTarget(2, 1).allowed);
    const MoveTarget enter = table->HumanMoveTarget(HumanBar, 3);
    EXPECT_TRUE(enter.allowed);
    EXPECT_EQ(enter.to, 22);
}

TEST(CanMove, WithACheckerOnTheBarOnlyEnteringCounts) {
    auto table = NewTable();
    SetPosition(*table, {{HumanBar, HumanSide, 1},
                         {19, ComputerSide, 2},
                         {20, ComputerSide, 2},
                         {10, HumanSide, 3}});
    EXPECT_FALSE(table->CanMove(6));
    EXPECT_FALSE(table->CanMove(5));
    EXPECT_TRUE(table->CanMove(4));
    // The checkers on 10 could move with a 6, but they do not count while the bar is occupied.
    EXPECT_TRUE(table->HumanMoveTarget(10, 6).allowed);
    EXPECT_TRUE(table->HumanHasAnyMove());

    SetPosition(*table, {{HumanBar, HumanSide, 1}, {21, ComputerSide, 3}});
    EXPECT_FALSE(table->CanMove(4));
    EXPECT_TRUE(table->CanMove(1));
}

TEST(CanMove, BearingOffCountsOnlyWhenEveryCheckerIsHome) {
    auto table = NewTable();
    SetPosition(*table, {{1, HumanSide, 5}, {3, HumanSide, 5}, {5, HumanSide, 2}});
    EXPECT_TRUE(table->CanMove(6));
    SetPosition(*table, {{1, HumanSide, 5}, {9, HumanSide, 1}, {3, ComputerSide, 2}});
    EXPECT_FALSE(table->CanMove(6));  // 9 - 6 = 3 is blocked, 1 cannot bear off
    EXPECT_TRUE(table->CanMove(2));   // 9 - 2 = 7
    // Nothing at all on the board: no move with any die.
    SetPosition(*table, {{24, ComputerSide, 2}});
    for (int d = 1; d <= 6; d++) {
        EXPECT_FALSE(table->CanMove(d));
    }
}

TEST(ComputerMoveTarget, PastPointTwentyFourGoesToTheTrayWithoutFurtherTests) {
    auto table = NewTable();
    SetPosition(*table, {{20, ComputerSide, 2},
                         {23, HumanSide, 2},
                         {22, HumanSide, 1},
                         {ComputerBar, ComputerSide, 1},
                         {3, HumanSide, 2}});
    const MoveTarget off = table->ComputerMoveTarget(20, 6);
    EXPECT_TRUE(off.allowed);
    EXPECT_EQ(off.to, ComputerTray);
    EXPECT_FALSE(table->ComputerMoveTarget(20, 3).allowed);  // two human checkers on 23
    const MoveTarget hit = table->ComputerMoveTarget(20, 2);
    EXPECT_TRUE(hit.allowed);
    EXPECT_TRUE(hit.hits);
    EXPECT_EQ(hit.to, 22);
    EXPECT_FALSE(table->ComputerMoveTarget(ComputerBar, 3).allowed);
    const MoveTarget enter = table->ComputerMoveTarget(ComputerBar, 4);
    EXPECT_TRUE(enter.allowed);
    EXPECT_EQ(enter.to, 4);
}

TEST(HumanHasAnyMove, LooksAtBothDiceAndEveryHumanPoint) {
    auto table = NewTable();
    // Entering on 20 and 19 is blocked; no other human checker anywhere.
    SetPosition(*table, {{HumanBar, HumanSide, 1}, {19, ComputerSide, 2}, {20, ComputerSide, 2}});
    table->dice[0].SetValue(5);
    table->dice[1].SetValue(6);
    EXPECT_FALSE(table->HumanHasAnyMove());
    table->dice[1].SetValue(4);
    EXPECT_TRUE(table->HumanHasAnyMove());
}
