#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "tests/table/TableSetup.h"

static const int Refused = -1;

// {side, source, die, to, hits}: blocked points refuse, blots are hit, own and empty accept.
struct Case {
    Side side;
    int s, d, to;
    bool hits = false;
};

static void ExpectTargets(const GameTable& table, std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        const MoveTarget t = c.side == Side::Human ? table.Rules().HumanMoveTarget(c.s, c.d)
                                                   : table.Rules().ComputerMoveTarget(c.s, c.d);
        EXPECT_EQ(t.allowed ? t.to : Refused, c.to) << c.s << " with " << c.d;
        EXPECT_EQ(t.allowed && t.hits, c.hits) << c.s << " with " << c.d;
    }
}

// The computer moves up the board; past 24 it bears off with no home test at all. The human's
// targets here are the looser rules': any checker, with any die.
TEST(MoveTarget, BlockedPointsAndHits) {
    auto table = std::make_unique<GameTable>();
    table->UseLooseRules(true);
    SetPosition(*table, "h13:5 c10:2 c9:1 h8:2 c12:3 c20:2 h23:2 h22:1 c0:1 h3:2");
    const Side H = Side::Human, C = Side::Computer;
    const std::initializer_list<Case> cases = {{H, 13, 3, Refused}, {H, 13, 4, 9, true},
                                               {H, 13, 5, 8},       {H, 13, 2, 11},
                                               {H, 13, 1, Refused}, {C, 20, 6, ComputerTray},
                                               {C, 20, 3, Refused}, {C, 20, 2, 22, true},
                                               {C, 0, 3, Refused},  {C, 0, 4, 4}};
    ExpectTargets(*table, cases);
}

TEST(MoveTarget, LooseRulesBearOffWithEveryCheckerHomeButNeedNoExactDie) {
    auto table = std::make_unique<GameTable>();
    table->UseLooseRules(true);
    SetPosition(*table, "h2:3 h6:4 c24:2");
    // No highest-checker rule: a 6 bears off from point 2 while point 6 is still held.
    ExpectTargets(*table, {{Side::Human, 2, 5, HumanTray}, {Side::Human, 2, 6, HumanTray}});
    // One checker outside the home board, or on the bar, stops every bear-off.
    SetPosition(*table, "h2:3 h7:1");
    ExpectTargets(*table, {{Side::Human, 2, 5, Refused}, {Side::Human, 2, 1, 1}});
    SetPosition(*table, "h2:3 h25:1");
    ExpectTargets(*table, {{Side::Human, 2, 5, Refused}, {Side::Human, HumanBar, 3, 22}});
}
