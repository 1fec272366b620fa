#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "tests/rules/TableSetup.h"

// A table in the starting position with a player at 800 x 600.
class TurnFlow : public ::testing::Test {
protected:
    bool HumansTurnAgain() const {
        const GameRules& rules = table->Rules();
        return rules.CurrentSide() == HumanSide && !rules.MoveUnderway() && rules.InputEnabled();
    }
    // A computer turn as the turn bookkeeping starts it, but with a chosen play instead of the
    // computer player's: (from point, die) pairs.
    void StartComputerTurn(int a, int b,
                           std::initializer_list<std::pair<unsigned, unsigned>> moves) {
        table->Rules().SwitchSide();
        SetRoll(*table, a, b);
        Play play;
        for (const auto& move : moves) {
            play.moves[play.count].from = move.first;
            play.moves[play.count++].die = move.second;
        }
        table->Rules().ReadComputerMoves(play);
        BeginComputerMoves();
    }
    void BeginComputerMoves() { table->Rules().BeginComputerMoves(); }
    // The checker on top of point p, as drawn.
    const Checker& TopOf(int p) const { return table->CheckerAt(table->Rules().PointAt(p).Top()); }

    std::unique_ptr<GameTable> table = std::make_unique<GameTable>();
    TablePlayer player{*table};
};

// Reach, carry, return take fifteen frames each. The right button switches the die (and the
// ghost) only before the first move; the second move gets the other die on its own.
TEST_F(TurnFlow, HumanMoveWithTheSwitchedDieThenTheOtherDieComesNext) {
    SetRoll(*table, 3, 5);
    float px, py;
    player.PixelForPoint(13, px, py);
    player.MouseMove(px, py);
    EXPECT_TRUE(TopOf(13).selected);
    ASSERT_TRUE(table->GhostVisible());
    EXPECT_EQ(table->Ghost().current.x, SlotPosition(10, 0).x);
    player.RightClick(px, py);
    EXPECT_EQ(table->Rules().SelectedDie(), 1);
    EXPECT_EQ(table->Ghost().current.x, SlotPosition(8, 3).x);

    const int mover = table->Rules().PointAt(13).Top();
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(RunUntil(player, [&] { return !table->TheHand().moving; }), 45);
    EXPECT_EQ(table->Rules().PointAt(8).Top(), mover);
    EXPECT_EQ(table->CheckerAt(mover).current.z, SlotPosition(8, 3).z);
    EXPECT_EQ(table->Rules().MovesLeft(), 1);
    EXPECT_EQ(table->Rules().SelectedDie(), 0);
    table->ShowDice();
    EXPECT_TRUE(table->DieAt(0).active && !table->DieAt(1).active);
    EXPECT_TRUE(table->Rules().InputEnabled());
    table->Rules().SwitchDie();
    EXPECT_EQ(table->Rules().SelectedDie(), 0);
}

// A right click while the hand is busy, the human's carry or the computer's move, changes
// nothing: the die booked for the move stays booked, and 6-1 cannot become 6-6.
TEST_F(TurnFlow, TheRightButtonWaitsForTheHandToRest) {
    SetRoll(*table, 6, 1);
    ASSERT_TRUE(player.ClickPoint(13));
    ASSERT_GT(RunUntil(player, [&] { return table->Rules().Phase() == CarryPhase; }), 0);
    player.RightClick(400, 300);
    EXPECT_EQ(table->Rules().SelectedDie(), 0);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->Rules().MovesLeft(), 1);
    EXPECT_EQ(table->Rules().SelectedValue(), 1);
    player.RightClick(400, 300);
    EXPECT_EQ(table->Rules().SelectedValue(), 1);

    SetPosition(*table, "c10:3 h13:1 h6:4");
    StartComputerTurn(3, 5, {{10, 3}});
    player.Frame();
    const int die = table->Rules().SelectedDie();
    const Pose target = table->TheHand().target;
    const Pose at = table->TheHand().current;
    player.RightClick(700, 500);
    EXPECT_EQ(table->Rules().SelectedDie(), die);
    table->ShowDice();
    EXPECT_EQ(table->DieAt(die).active, true);
    EXPECT_EQ(table->TheHand().target.x, target.x);
    EXPECT_EQ(table->TheHand().current.x, at.x);
    EXPECT_EQ(table->TheHand().current.z, at.z);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->Rules().PointAt(HumanBar).count, 1u);
}

// Only the human's checkers light up under the fingertips, and the ghost shows where the
// selected die puts one only when the move lands: not on a block, not bearing off.
TEST_F(TurnFlow, HoverHighlightsTheHumansCheckersAndGhostsOnlyLandingMoves) {
    SetPosition(*table, "h13:2 h2:1 c12:3 c8:2 c9:1");
    const struct {
        int point, die;
        bool selected, ghost;
    } cases[] = {{13, 5, true, false}, {13, 4, true, true}, {13, 1, true, false},
                 {13, 2, true, true},  {2, 3, true, false}, {12, 5, false, false}};
    for (const auto& c : cases) {
        SetRoll(*table, c.die, 6);
        float px, py;
        player.PixelForPoint(c.point, px, py);
        player.MouseMove(px, py);
        EXPECT_EQ(TopOf(c.point).selected, c.selected) << c.point << "-" << c.die;
        EXPECT_EQ(table->GhostVisible(), c.ghost) << c.point << "-" << c.die;
    }
    player.MouseMove(0, 0);
    EXPECT_FALSE(TopOf(13).selected) << "off the board the selection clears";
}

// The turn passes as soon as the move is put down, not after the wait for a blocked roll.
TEST_F(TurnFlow, TurnEndsAfterOneMoveWhenTheOtherDieCannotBeUsed) {
    // After 13 -> 10 the 6 would land on the block at 4.
    SetPosition(*table, "h13:1 c4:2");
    SetRoll(*table, 3, 6);
    const int turns = table->Rules().TurnsStarted();
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(RunUntil(player, [&] { return table->Rules().TurnsStarted() > turns; }), 45);
}

TEST_F(TurnFlow, HitsSendTheBlotToItsOwnersBarAndTheMoverTakesItsSlot) {
    SetPosition(*table, "h13:4 c9:1 c0:2 h6:2");
    SetRoll(*table, 4, 1);
    const int blot = table->Rules().PointAt(9).Top();
    const int mover = table->Rules().PointAt(13).Top();
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(table->Rules().Phase(), ReachHitPhase);
    EXPECT_EQ(RunUntil(player, [&] { return !table->TheHand().moving; }), 60);
    EXPECT_EQ(table->Rules().PointAt(9).Top(), mover);
    EXPECT_EQ(table->CheckerAt(mover).current.z, SlotPosition(9, 0).z);
    EXPECT_EQ(table->Rules().PointAt(ComputerBar).Top(), blot);
    EXPECT_EQ(table->CheckerAt(blot).current.y, SlotPosition(ComputerBar, 2).y);

    // 10 + 3 hits the blot on 13.
    SetPosition(*table, "c10:3 h13:1 h6:4");
    const int humanBlot = table->Rules().PointAt(13).Top();
    StartComputerTurn(3, 5, {{10, 3}});
    EXPECT_EQ(table->Rules().BarPoint(), HumanBar);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->Rules().PointAt(HumanBar).Top(), humanBlot);
    EXPECT_EQ(table->CheckerAt(humanBlot).current.z, SlotPosition(HumanBar, 0).z);
}

// The checkers on 17 and 18 each move twice, with the other's move between, and both bear off.
TEST_F(TurnFlow, AComputerCheckerMovedAgainStartsWhereItsLastMoveLeftIt) {
    SetPosition(*table, "c1:2 c17:1 c18:1 h6:5 h8:3");
    StartComputerTurn(4, 4, {{17, 4}, {18, 4}, {21, 4}, {22, 4}});
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->Rules().PointAt(ComputerTray).count, 13u);
}

TEST_F(TurnFlow, TheComputerPlayersDoublesPlayWithOnlyTwoMovesIsCarriedOut) {
    // 15 -> 18 -> 21, and then the human's two checkers on 24 stop the 3s.
    SetPosition(*table, "c15:1 h24:2 h6:5");
    table->Rules().SwitchSide();
    SetRoll(*table, 3, 3);
    table->Rules().PlanComputerTurn();
    ASSERT_EQ(table->Rules().MovesLeft(), 2);
    BeginComputerMoves();
    // Two moves of 30 frames and the return of 15.
    EXPECT_EQ(RunUntil(player, [&] { return HumansTurnAgain(); }), 75);
    EXPECT_EQ(table->Rules().PointAt(21).Owner(), ComputerSide);
    EXPECT_EQ(table->Rules().StalledComputerTurns(), 0);
}

TEST_F(TurnFlow, AComputerWithNoMoveGivesTheHumanAFreshRollAtOnce) {
    // The human holds its whole home board: the computer's checker on the bar cannot enter.
    SetPosition(*table, "h1:2 h2:2 h3:2 h4:2 h5:2 h6:2 h13:3 c0:1");
    SetRoll(*table, 3, 2);
    table->Rules().SetTurn(1, true);
    const int turns = table->Rules().TurnsStarted();
    ASSERT_TRUE(player.ClickPoint(13));
    ASSERT_EQ(RunUntil(player, [&] { return table->Rules().TurnsStarted() > turns; }), 45);
    // The computer's roll and the human's new one, in the same frame.
    EXPECT_EQ(table->Rules().TurnsStarted(), turns + 2);
    EXPECT_TRUE(HumansTurnAgain());
}

TEST_F(TurnFlow, ARefusedComputerMoveEndsTheComputersTurn) {
    // Refused in the middle of a turn: the second move starts on a human point.
    StartComputerTurn(4, 2, {{19, 4}, {6, 2}});
    EXPECT_LE(RunUntil(player, [&] { return HumansTurnAgain(); }), 30 + 1 + 15);
    EXPECT_EQ(table->Rules().ComputerMovesDone(), 1);
    EXPECT_EQ(table->Rules().PointAt(23).Owner(), ComputerSide);
    // Refused at once: the first planned move is blocked by the human's five checkers on 6.
    StartComputerTurn(5, 2, {{1, 5}});
    EXPECT_GT(RunUntil(
                  player, [&] { return HumansTurnAgain(); }, 100),
              0);
    EXPECT_EQ(table->Rules().StalledComputerTurns(), 2);
    EXPECT_EQ(table->Rules().PointAt(1).count, 2u);
}

TEST_F(TurnFlow, ABlockedHumanTurnPassesOnlyAfterTheRollHasBeenShown) {
    SetRoll(*table, 5, 6);
    EXPECT_EQ(RunUntil(
                  player, [] { return false; }, 300),
              -1);
    EXPECT_EQ(table->Rules().CurrentSide(), HumanSide) << "a turn with a move waits for the human";
    SetPosition(*table, "h25:1 c19:2 c20:2");
    ASSERT_FALSE(table->Rules().HumanHasAnyMove());
    const int turns = table->Rules().TurnsStarted();
    EXPECT_FALSE(player.ClickPoint(HumanBar));
    EXPECT_EQ(RunUntil(player, [&] { return table->Rules().TurnsStarted() != turns; }),
              GameRules::NoMovePassFrames);
    EXPECT_EQ(table->Rules().BlockedTurnsPassed(), 1);
}

TEST_F(TurnFlow, TheWonGameStaysInViewThenANewGameStartsWithTheHumansRoll) {
    SetPosition(*table, "h2:1 c24:3");
    SetRoll(*table, 4, 1);
    ASSERT_TRUE(player.ClickPoint(2));
    ASSERT_EQ(RunUntil(player, [&] { return table->Rules().GamesFinished() == 1; }), 45);
    EXPECT_EQ(table->Rules().LastWinner(), HumanSide);
    const int turns = table->Rules().TurnsStarted();
    // The finished position, untouched for the pause; clicks are ignored.
    for (int frame = 1; frame < GameRules::GameOverPauseFrames; frame++) {
        player.Frame();
        player.LeftClick(400, 300);
        ASSERT_EQ(table->Rules().PointAt(HumanTray).count, 15u);
        ASSERT_EQ(table->Rules().TurnsStarted(), turns);
    }
    player.Frame();
    EXPECT_EQ(table->Rules().TurnsStarted(), turns + 1);
    EXPECT_EQ(table->Rules().Winner(), 0);
    EXPECT_TRUE(table->IsValid());
    EXPECT_TRUE(HumansTurnAgain());
    EXPECT_EQ(table->Rules().PointAt(6).Top(), 29);
    EXPECT_EQ(table->CheckerAt(29).current.z, SlotPosition(6, 4).z);
}
