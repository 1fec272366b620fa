#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "rules/LegalPlays.h"
#include "tests/table/TableSetup.h"

// The human's moves under the full rules of backgammon, as a player meets them at the table: what
// a hover offers, what a click does, which die is selected and when the turn is over. Every
// other checker of a side not placed here is borne off.
class FullRules : public ::testing::Test {
protected:
    // A fresh table with the human's position and roll, at the start of the turn.
    void Start(const char* stacks, int a, int b) {
        table = std::make_unique<GameTable>();
        player = std::make_unique<TablePlayer>(*table);
        SetPosition(*table, stacks);
        table->Rules().OpenRoll(a, b);
    }
    // The points from which a click moves a checker with the selected die.
    std::vector<int> Offered() const {
        std::vector<int> points;
        for (int s = 1; s <= HumanBar; s++) {
            if (table->Rules().HumanMoveTarget(s, table->Rules().SelectedValue()).allowed) {
                points.push_back(s);
            }
        }
        return points;
    }
    // Hovers over point s: whether the ghost shows, and where.
    bool GhostAt(int s, Pose& ghost) {
        float px, py;
        player->PixelForPoint(s, px, py);
        player->MouseMove(px, py);
        ghost = table->Ghost().current;
        return table->GhostVisible();
    }
    // Clicks point s and plays the move out: true when it moved the checker on top of s to `to`.
    bool Moves(int s, int to) {
        const int mover = table->Rules().PointAt(s).Top();
        if (!player->ClickPoint(s)) {
            return false;
        }
        RunUntil(*player, [&] { return !table->Director().MoveUnderway(); });
        return table->Rules().PointAt(to).Top() == mover;
    }
    void RunUntilTrue(const std::function<bool()>& done) { RunUntil(*player, done); }
    bool HumansTurn() const {
        return table->Rules().CurrentSide() == Side::Human && table->Rules().MovesLeft() > 0;
    }

    std::unique_ptr<GameTable> table;
    std::unique_ptr<TablePlayer> player;
};

// With a checker on the bar only entering is offered; a click elsewhere does nothing. The 5 cannot
// enter (20 is held), so the 3 is selected.
TEST_F(FullRules, AHitCheckerEntersBeforeAnythingElseMoves) {
    Start("h25:1 h13:4 h6:5 h8:3 h24:2 c20:2 c19:3 c12:5 c1:5", 5, 3);
    EXPECT_EQ(table->Rules().SelectedValue(), 3);
    EXPECT_EQ(Offered(), std::vector<int>{HumanBar});
    Pose ghost;
    EXPECT_FALSE(GhostAt(13, ghost));
    EXPECT_FALSE(player->ClickPoint(13));
    ASSERT_TRUE(GhostAt(HumanBar, ghost));
    EXPECT_EQ(ghost.x, SlotPosition(22, 0).x);
    ASSERT_TRUE(Moves(HumanBar, 22));
    // Now anything may move the 5, and the entered checker with it.
    EXPECT_EQ(table->Rules().SelectedValue(), 5);
    EXPECT_EQ(Offered(), (std::vector<int>{8, 13, 22}));
}

// Either die alone can be played but not both: the larger must be. 10/8 and 10/4 each leave the
// other die blocked by the point on 2.
TEST_F(FullRules, WhenOnlyOneDieCanBePlayedItIsTheLarger) {
    Start("h10:1 c2:2", 2, 6);
    EXPECT_EQ(table->Rules().SelectedValue(), 6);
    EXPECT_FALSE(table->Rules().HumanMoveTarget(10, 2).allowed);
    player->RightClick(400, 300);
    EXPECT_EQ(table->Rules().SelectedValue(), 6) << "the 2 has nothing to move";
    ASSERT_TRUE(Moves(10, 4));
    RunUntilTrue([&] { return !HumansTurn(); });
    EXPECT_EQ(table->Rules().CurrentSide(), Side::Computer);
}

// Both dice can be played, in one order only: 10/7/1 (the 6 first would land on 4).
TEST_F(FullRules, BothDiceArePlayedInTheOnlyOrderThatAllowsIt) {
    Start("h10:1 c4:2", 6, 3);
    EXPECT_EQ(table->Rules().SelectedValue(), 3);
    EXPECT_EQ(Offered(), std::vector<int>{10});
    ASSERT_TRUE(Moves(10, 7));
    EXPECT_EQ(table->Rules().SelectedValue(), 6);
    ASSERT_TRUE(Moves(7, 1));
    RunUntilTrue([&] { return !HumansTurn(); });
    EXPECT_EQ(table->Rules().CurrentSide(), Side::Computer);
}

// Doubles are played as often as they can be, here three times: the checker on 11 is blocked
// and the last 5 cannot bear off while it is outside. The turn ends exactly then.
TEST_F(FullRules, DoublesArePlayedAsOftenAsPossibleThenTheTurnEnds) {
    Start("h20:1 h11:1 c6:2", 5, 5);
    for (const int s : {20, 15, 10}) {
        ASSERT_TRUE(HumansTurn()) << s;
        EXPECT_EQ(Offered(), std::vector<int>{s});
        ASSERT_TRUE(Moves(s, s - 5));
        RunUntilTrue([&] { return table->Director().HumanMayAct() || !HumansTurn(); });
    }
    EXPECT_EQ(table->Rules().CurrentSide(), Side::Computer);
}

// Bearing off: with the exact die, with a larger die only from the farthest point, never while a
// checker is outside the home board; the ghost shows in the tray.
TEST_F(FullRules, BearingOffNeedsEveryCheckerHomeAndTheExactDieOrTheFarthestPoint) {
    const auto target = [this](int s, int d) {
        const MoveTarget move = table->Rules().HumanMoveTarget(s, d);
        return move.allowed ? move.to : NoPoint;
    };
    Start("h6:1 h4:2 h2:1", 4, 3);
    EXPECT_EQ(target(4, 4), HumanTray);
    EXPECT_EQ(target(2, 4), NoPoint) << "6 is farther";
    EXPECT_EQ(target(6, 4), 2);
    Pose ghost;
    ASSERT_TRUE(GhostAt(4, ghost));
    EXPECT_EQ(ghost.z, SlotPosition(HumanTray, table->Rules().PointAt(HumanTray).count).z);

    Start("h3:1 h2:2", 6, 5);
    EXPECT_EQ(target(3, 6), HumanTray);
    EXPECT_EQ(target(2, 6), NoPoint) << "3 is farther";
    ASSERT_TRUE(Moves(3, HumanTray));
    EXPECT_EQ(target(2, 5), HumanTray) << "now 2 is the farthest";

    Start("h7:1 h2:3", 5, 2);
    EXPECT_EQ(target(2, 2), NoPoint) << "7 is outside";
    ASSERT_TRUE(Moves(7, 2));
    EXPECT_EQ(target(2, 2), HumanTray);
}

// On random boards and rolls, a hover shows the ghost exactly where a click on the same point puts
// the checker, tray included, and a click where no ghost shows moves nothing.
TEST_F(FullRules, TheGhostShowsExactlyWhereAClickMovesTheChecker) {
    std::mt19937 rng(7);
    int moved = 0;
    for (int board = 0; board < 150; board++) {
        const std::string stacks = MoverStacks(RandomBoard(rng).points);
        const int a = static_cast<int>(rng() % 6 + 1), b = static_cast<int>(rng() % 6 + 1);
        for (int s = 1; s <= HumanBar; s++) {
            Start(stacks.c_str(), a, b);
            Pose ghost;
            const bool shown = GhostAt(s, ghost);
            const int top = table->Rules().PointAt(s).Top();
            const bool clicked = player->ClickPoint(s);
            ASSERT_EQ(clicked, shown) << stacks << " " << a << "-" << b << " from " << s;
            if (clicked) {
                RunUntilTrue([&] { return !table->Director().MoveUnderway(); });
                EXPECT_EQ(table->CheckerAt(top).current.x, ghost.x) << stacks << " from " << s;
                EXPECT_EQ(table->CheckerAt(top).current.z, ghost.z) << stacks << " from " << s;
                moved++;
            }
        }
    }
    EXPECT_GT(moved, 150);
}
