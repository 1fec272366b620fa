#include <gtest/gtest.h>

#include <memory>

#include "tests/rules/TablePlayer.h"

// {source, die, allowed, to, hits}: blocked points refuse, blots are hit, own and empty accept.
struct Case {
    int s, d;
    bool allowed;
    int to;
    bool hits;
};

static void ExpectTargets(const GameTable& table, bool human, std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        const MoveTarget t =
            human ? table.HumanMoveTarget(c.s, c.d) : table.ComputerMoveTarget(c.s, c.d);
        EXPECT_EQ(t.allowed, c.allowed) << c.s << " with " << c.d;
        if (c.allowed) {
            EXPECT_EQ(t.to, c.to) << c.s << " with " << c.d;
            EXPECT_EQ(t.hits, c.hits) << c.s << " with " << c.d;
        }
    }
}

TEST(MoveTarget, BlockedPointsAndHits) {
    auto table = std::make_unique<GameTable>();
    SetPosition(*table, {{13, HumanSide, 5},
                         {10, ComputerSide, 2},
                         {9, ComputerSide, 1},
                         {8, HumanSide, 2},
                         {12, ComputerSide, 3},
                         {20, ComputerSide, 2},
                         {23, HumanSide, 2},
                         {22, HumanSide, 1},
                         {ComputerBar, ComputerSide, 1},
                         {3, HumanSide, 2}});
    ExpectTargets(*table, true,
                  {{13, 3, false, 0, false},
                   {13, 4, true, 9, true},
                   {13, 5, true, 8, false},
                   {13, 2, true, 11, false},
                   {13, 1, false, 0, false}});
    // The computer moves up the board; past 24 it bears off with no home test at all.
    ExpectTargets(*table, false,
                  {{20, 6, true, ComputerTray, false},
                   {20, 3, false, 0, false},
                   {20, 2, true, 22, true},
                   {ComputerBar, 3, false, 0, false},
                   {ComputerBar, 4, true, 4, false}});
}

TEST(MoveTarget, HumanBearsOffOnlyWithEveryCheckerHomeButNeedsNoExactDie) {
    auto table = std::make_unique<GameTable>();
    SetPosition(*table, {{2, HumanSide, 3}, {6, HumanSide, 4}, {24, ComputerSide, 2}});
    // No highest-checker rule: a 6 bears off from point 2 while point 6 is still held.
    ExpectTargets(*table, true, {{2, 5, true, HumanTray, false}, {2, 6, true, HumanTray, false}});
    // One checker outside the home board, or on the bar, stops every bear-off.
    SetPosition(*table, {{2, HumanSide, 3}, {7, HumanSide, 1}});
    ExpectTargets(*table, true, {{2, 5, false, 0, false}, {2, 1, true, 1, false}});
    SetPosition(*table, {{2, HumanSide, 3}, {HumanBar, HumanSide, 1}});
    ExpectTargets(*table, true, {{2, 5, false, 0, false}, {HumanBar, 3, true, 22, false}});
}

TEST(CanMove, WithACheckerOnTheBarOnlyEnteringCounts) {
    auto table = std::make_unique<GameTable>();
    SetPosition(*table, {{HumanBar, HumanSide, 1},
                         {19, ComputerSide, 2},
                         {20, ComputerSide, 2},
                         {10, HumanSide, 3}});
    // The checkers on 10 could move with a 6, but they do not count while the bar is occupied.
    EXPECT_FALSE(table->CanMove(6));
    EXPECT_FALSE(table->CanMove(5));
    EXPECT_TRUE(table->CanMove(4));
    // Bearing off counts only with every checker home.
    SetPosition(*table, {{1, HumanSide, 5}, {9, HumanSide, 1}, {3, ComputerSide, 2}});
    EXPECT_FALSE(table->CanMove(6));
    SetPosition(*table, {{1, HumanSide, 5}, {3, ComputerSide, 2}});
    EXPECT_TRUE(table->CanMove(6));
}
