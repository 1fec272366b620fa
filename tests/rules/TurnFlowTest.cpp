#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "tests/rules/TableSetup.h"

// A table in the starting position with a player at 800 x 600.
class TurnFlow : public ::testing::Test {
protected:
    bool HumansTurnAgain() const {
        return table->currentSide == HumanSide && !table->hand.moving && table->inputEnabled == 1;
    }
    // A computer turn as the turn bookkeeping starts it, but with a chosen play instead of the
    // computer player's: (from point, die) pairs.
    void StartComputerTurn(int a, int b,
                           std::initializer_list<std::pair<unsigned, unsigned>> moves) {
        table->SwitchSide();
        SetRoll(*table, a, b);
        Play play;
        for (const auto& move : moves) {
            play.moves[play.count].from = move.first;
            play.moves[play.count++].die = move.second;
        }
        table->ReadComputerMoves(play);
        BeginComputerMoves();
    }
    void BeginComputerMoves() {
        table->computerMovesDone = 0;
        table->StartPlannedMove(0);
        table->hand.moving = true;
        table->inputEnabled = 0;
    }

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
    EXPECT_TRUE(table->points[13].Top()->selected);
    ASSERT_EQ(table->ghostVisible, 1);
    EXPECT_EQ(table->ghostChecker.current.x, SlotPosition(10, 0).x);
    player.RightClick(px, py);
    EXPECT_EQ(table->selectedDie, 1);
    EXPECT_EQ(table->ghostChecker.current.x, SlotPosition(8, 3).x);

    Checker* mover = table->points[13].Top();
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(RunUntil(player, [&] { return !table->hand.moving; }), 45);
    EXPECT_EQ(table->points[8].Top(), mover);
    EXPECT_EQ(mover->current.z, SlotPosition(8, 3).z);
    EXPECT_EQ(table->movesLeft, 1);
    EXPECT_EQ(table->selectedDie, 0);
    EXPECT_TRUE(table->dice[0].active && !table->dice[1].active);
    EXPECT_EQ(table->inputEnabled, 1);
    table->SwitchDie();
    EXPECT_EQ(table->selectedDie, 0);
}

// A right click while the hand is busy, the human's carry or the computer's move, changes
// nothing: the die booked for the move stays booked, and 6-1 cannot become 6-6.
TEST_F(TurnFlow, TheRightButtonWaitsForTheHandToRest) {
    SetRoll(*table, 6, 1);
    ASSERT_TRUE(player.ClickPoint(13));
    ASSERT_GT(RunUntil(player, [&] { return table->hand.mode == CarryMode; }), 0);
    player.RightClick(400, 300);
    EXPECT_EQ(table->selectedDie, 0);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->movesLeft, 1);
    EXPECT_EQ(table->dice[table->selectedDie].value, 1);
    player.RightClick(400, 300);
    EXPECT_EQ(table->dice[table->selectedDie].value, 1);

    SetPosition(*table, "c10:3 h13:1 h6:4");
    StartComputerTurn(3, 5, {{10, 3}});
    player.Frame();
    const int die = table->selectedDie;
    const Pose target = table->hand.target;
    const Pose at = table->hand.current;
    player.RightClick(700, 500);
    EXPECT_EQ(table->selectedDie, die);
    EXPECT_EQ(table->dice[die].active, true);
    EXPECT_EQ(table->hand.target.x, target.x);
    EXPECT_EQ(table->hand.current.x, at.x);
    EXPECT_EQ(table->hand.current.z, at.z);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->points[HumanBar].count, 1u);
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
        EXPECT_EQ(table->points[c.point].Top()->selected, c.selected) << c.point << "-" << c.die;
        EXPECT_EQ(table->ghostVisible, c.ghost ? 1 : 0) << c.point << "-" << c.die;
    }
    player.MouseMove(0, 0);
    EXPECT_FALSE(table->points[13].Top()->selected) << "off the board the selection clears";
}

// The turn passes as soon as the move is put down, not after the wait for a blocked roll.
TEST_F(TurnFlow, TurnEndsAfterOneMoveWhenTheOtherDieCannotBeUsed) {
    // After 13 -> 10 the 6 would land on the block at 4.
    SetPosition(*table, "h13:1 c4:2");
    SetRoll(*table, 3, 6);
    const int turns = table->turnsStarted;
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(RunUntil(player, [&] { return table->turnsStarted > turns; }), 45);
}

TEST_F(TurnFlow, HitsSendTheBlotToItsOwnersBarAndTheMoverTakesItsSlot) {
    SetPosition(*table, "h13:4 c9:1 c0:2 h6:2");
    SetRoll(*table, 4, 1);
    Checker* blot = table->points[9].Top();
    Checker* mover = table->points[13].Top();
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(table->hand.mode, ReachHitMode);
    EXPECT_EQ(RunUntil(player, [&] { return !table->hand.moving; }), 60);
    EXPECT_EQ(table->points[9].Top(), mover);
    EXPECT_EQ(mover->current.z, SlotPosition(9, 0).z);
    EXPECT_EQ(table->points[ComputerBar].Top(), blot);
    EXPECT_EQ(blot->current.y, SlotPosition(ComputerBar, 2).y);

    // 10 + 3 hits the blot on 13.
    SetPosition(*table, "c10:3 h13:1 h6:4");
    Checker* humanBlot = table->points[13].Top();
    StartComputerTurn(3, 5, {{10, 3}});
    EXPECT_EQ(table->barPoint, HumanBar);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->points[HumanBar].Top(), humanBlot);
    EXPECT_EQ(humanBlot->current.z, SlotPosition(HumanBar, 0).z);
}

// The checkers on 17 and 18 each move twice, with the other's move between, and both bear off.
TEST_F(TurnFlow, AComputerCheckerMovedAgainStartsWhereItsLastMoveLeftIt) {
    SetPosition(*table, "c1:2 c17:1 c18:1 h6:5 h8:3");
    StartComputerTurn(4, 4, {{17, 4}, {18, 4}, {21, 4}, {22, 4}});
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->points[ComputerTray].count, 13u);
}

TEST_F(TurnFlow, TheComputerPlayersDoublesPlayWithOnlyTwoMovesIsCarriedOut) {
    // 15 -> 18 -> 21, and then the human's two checkers on 24 stop the 3s.
    SetPosition(*table, "c15:1 h24:2 h6:5");
    table->SwitchSide();
    SetRoll(*table, 3, 3);
    table->PlanComputerTurn();
    ASSERT_EQ(table->movesLeft, 2);
    BeginComputerMoves();
    // Two moves of 30 frames and the return of 15.
    EXPECT_EQ(RunUntil(player, [&] { return HumansTurnAgain(); }), 75);
    EXPECT_EQ(table->points[21].Owner(), ComputerSide);
    EXPECT_EQ(table->stalledComputerTurns, 0);
}

TEST_F(TurnFlow, AComputerWithNoMoveGivesTheHumanAFreshRollAtOnce) {
    // The human holds its whole home board: the computer's checker on the bar cannot enter.
    SetPosition(*table, "h1:2 h2:2 h3:2 h4:2 h5:2 h6:2 h13:3 c0:1");
    SetRoll(*table, 3, 2);
    table->movesLeft = 1;
    const int turns = table->turnsStarted;
    ASSERT_TRUE(player.ClickPoint(13));
    ASSERT_EQ(RunUntil(player, [&] { return table->turnsStarted > turns; }), 45);
    // The computer's roll and the human's new one, in the same frame.
    EXPECT_EQ(table->turnsStarted, turns + 2);
    EXPECT_TRUE(HumansTurnAgain());
}

TEST_F(TurnFlow, ARefusedComputerMoveEndsTheComputersTurn) {
    // Refused in the middle of a turn: the second move starts on a human point.
    StartComputerTurn(4, 2, {{19, 4}, {1, 2}});
    table->plannedSources[1] = 6;
    EXPECT_LE(RunUntil(player, [&] { return HumansTurnAgain(); }), 30 + 1 + 15);
    EXPECT_EQ(table->computerMovesDone, 1);
    EXPECT_EQ(table->points[23].Owner(), ComputerSide);
    // Refused at once: the first planned move is blocked by the human's five checkers on 6.
    StartComputerTurn(5, 2, {{1, 5}});
    EXPECT_GT(RunUntil(
                  player, [&] { return HumansTurnAgain(); }, 100),
              0);
    EXPECT_EQ(table->stalledComputerTurns, 2);
    EXPECT_EQ(table->points[1].count, 2u);
}

TEST_F(TurnFlow, ABlockedHumanTurnPassesOnlyAfterTheRollHasBeenShown) {
    SetRoll(*table, 5, 6);
    EXPECT_EQ(RunUntil(
                  player, [] { return false; }, 300),
              -1);
    EXPECT_EQ(table->currentSide, HumanSide) << "a turn with a move waits for the human";
    SetPosition(*table, "h25:1 c19:2 c20:2");
    ASSERT_FALSE(table->HumanHasAnyMove());
    const int turns = table->turnsStarted;
    EXPECT_FALSE(player.ClickPoint(HumanBar));
    EXPECT_EQ(RunUntil(player, [&] { return table->turnsStarted != turns; }),
              GameTable::NoMovePassFrames);
    EXPECT_EQ(table->blockedTurnsPassed, 1);
}

TEST_F(TurnFlow, TheWonGameStaysInViewThenANewGameStartsWithTheHumansRoll) {
    SetPosition(*table, "h2:1 c24:3");
    SetRoll(*table, 4, 1);
    ASSERT_TRUE(player.ClickPoint(2));
    ASSERT_EQ(RunUntil(player, [&] { return table->gamesFinished == 1; }), 45);
    EXPECT_EQ(table->lastWinner, HumanSide);
    const int turns = table->turnsStarted;
    // The finished position, untouched for the pause; clicks are ignored.
    for (int frame = 1; frame < GameTable::GameOverPauseFrames; frame++) {
        player.Frame();
        player.LeftClick(400, 300);
        ASSERT_EQ(table->points[HumanTray].count, 15u);
        ASSERT_EQ(table->turnsStarted, turns);
    }
    player.Frame();
    EXPECT_EQ(table->turnsStarted, turns + 1);
    EXPECT_EQ(table->Winner(), 0);
    EXPECT_TRUE(table->IsValid());
    EXPECT_TRUE(HumansTurnAgain());
    EXPECT_EQ(table->points[6].Top(), &table->checkers[29]);
    EXPECT_EQ(table->checkers[29].current.z, SlotPosition(6, 4).z);
}
