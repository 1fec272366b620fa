#include <gtest/gtest.h>

#include <memory>

#include "tests/table/TableSetup.h"

// A table in the starting position with a player at 800 x 600.
class TurnFlow : public ::testing::Test {
protected:
    bool HumansTurnAgain() const {
        const GameRules& rules = table->Rules();
        const TurnDirector& director = table->Director();
        return rules.CurrentSide() == Side::Human && !director.MoveUnderway() &&
               director.InputEnabled();
    }
    // The checker on top of point p, as drawn.
    const Checker& TopOf(int p) const { return table->CheckerAt(table->Rules().PointAt(p).Top()); }

    std::unique_ptr<GameTable> table = std::make_unique<GameTable>();
    TablePlayer player{*table};
};

// Reach, carry, return take fifteen frames each. The right button switches the die (and the
// ghost) only before the first move; the second move gets the other die on its own. Where the
// checker lands is the ghost test's, FullRules.TheGhostShowsExactlyWhereAClickMovesTheChecker.
TEST_F(TurnFlow, HumanMoveWithTheSwitchedDieThenTheOtherDieComesNext) {
    table->Rules().OpenRoll(3, 5);
    float px, py;
    player.PixelForPoint(13, px, py);
    player.MouseMove(px, py);
    EXPECT_TRUE(TopOf(13).selected);
    ASSERT_TRUE(table->GhostVisible());
    EXPECT_EQ(table->Ghost().current.x, SlotPosition(10, 0).x);
    player.RightClick(px, py);
    EXPECT_EQ(table->Rules().SelectedDie(), 1);
    EXPECT_EQ(table->Ghost().current.x, SlotPosition(8, 3).x);

    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(RunUntil(player, [&] { return !table->TheHand().moving; }), 45);
    EXPECT_EQ(table->Rules().SelectedDie(), 0);
    table->ShowDice();
    EXPECT_TRUE(table->DieAt(0).active && !table->DieAt(1).active);
}

// A right click while the hand is busy, the human's carry or the computer's move, changes
// nothing: the die booked for the move stays booked, and 6-1 cannot become 6-6.
TEST_F(TurnFlow, TheRightButtonWaitsForTheHandToRest) {
    table->Rules().OpenRoll(6, 1);
    ASSERT_TRUE(player.ClickPoint(13));
    ASSERT_GT(RunUntil(player, [&] { return table->Director().Phase() == CarryPhase; }), 0);
    player.RightClick(400, 300);
    EXPECT_EQ(table->Rules().SelectedDie(), 0);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(); }), 0);
    EXPECT_EQ(table->Rules().MovesLeft(), 1);
    EXPECT_EQ(table->Rules().SelectedValue(), 1);
    player.RightClick(400, 300);
    EXPECT_EQ(table->Rules().SelectedValue(), 1);

    // 10 + 3 hits the blot on 13.
    SetPosition(*table, "c10:3 h13:1 h6:4");
    const int humanBlot = table->Rules().PointAt(13).Top();
    StartComputerTurn(*table, 3, 5, {{10, 3}});
    EXPECT_EQ(table->Director().BarPoint(), HumanBar);
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
    EXPECT_EQ(table->Rules().PointAt(HumanBar).Top(), humanBlot);
    EXPECT_EQ(table->CheckerAt(humanBlot).current.z, SlotPosition(HumanBar, 0).z);
}

// Only the human's checkers light up under the fingertips, and the ghost shows where the
// selected die puts one only when the move is on: not on a block, not bearing off with a checker
// outside or on the bar. Under the looser rules the selected die stays die 0 whatever it can do,
// and once every checker is home any die that reaches the tray bears off, the farthest checker
// or not.
TEST_F(TurnFlow, HoverHighlightsTheHumansCheckersAndGhostsOnlyLandingMoves) {
    table->UseLooseRules(true);
    const char* home = "h2:3 h6:4 c24:2";
    const char* outside = "h2:3 h7:1";
    const char* onTheBar = "h2:3 h25:1";
    const char* start = "h13:2 h2:1 c12:3 c8:2 c9:1";
    const struct {
        const char* stacks;
        int point, die;
        bool selected, ghost;
    } cases[] = {{home, 2, 6, true, true},      {home, 2, 5, true, true},
                 {outside, 2, 5, true, false},  {outside, 2, 1, true, true},
                 {onTheBar, 2, 5, true, false}, {onTheBar, HumanBar, 3, true, true},
                 {start, 13, 5, true, false},   {start, 13, 4, true, true},
                 {start, 13, 1, true, false},   {start, 13, 2, true, true},
                 {start, 2, 3, true, false},    {start, 12, 5, false, false}};
    for (const auto& c : cases) {
        SetPosition(*table, c.stacks);
        table->Rules().OpenRoll(c.die, 6);
        float px, py;
        player.PixelForPoint(c.point, px, py);
        player.MouseMove(px, py);
        EXPECT_EQ(TopOf(c.point).selected, c.selected)
            << c.stacks << " " << c.point << "-" << c.die;
        EXPECT_EQ(table->GhostVisible(), c.ghost) << c.stacks << " " << c.point << "-" << c.die;
    }
    player.MouseMove(0, 0);
    EXPECT_FALSE(TopOf(13).selected) << "off the board the selection clears";
}

TEST_F(TurnFlow, ARefusedComputerMoveEndsTheComputersTurn) {
    // Refused in the middle of a turn: the second move starts on a human point.
    StartComputerTurn(*table, 4, 2, {{19, 4}, {6, 2}});
    EXPECT_LE(RunUntil(player, [&] { return HumansTurnAgain(); }), 30 + 1 + 15);
    EXPECT_EQ(table->Director().ComputerMovesDone(), 1);
    EXPECT_EQ(table->Rules().PointAt(23).Owner(), Side::Computer);
    // Refused at once: the first planned move is blocked by the human's five checkers on 6.
    StartComputerTurn(*table, 5, 2, {{1, 5}});
    EXPECT_GT(RunUntil(
                  player, [&] { return HumansTurnAgain(); }, 100),
              0);
    EXPECT_EQ(table->Director().StalledComputerTurns(), 2);
    EXPECT_EQ(table->Rules().PointAt(1).count, 2u);
}

// The won game stays in view for the whole pause with its winner shown: the cue is on in every
// frame that shows the final position, from the frame of the last bear-off, and in no other; from
// its first frame the loser's checkers are drawn dimmed, the winner's not. Clicks meanwhile are
// ignored, and then a new game starts with the human's roll and no cue. Either side can win.
TEST_F(TurnFlow, TheWonGameStaysInViewWithItsWinnerShownThenANewGameStarts) {
    for (const Side winner : {Side::Human, Side::Computer}) {
        SCOPED_TRACE(winner == Side::Human ? "the human wins" : "the computer wins");
        const Side loser = winner == Side::Human ? Side::Computer : Side::Human;
        const int tray = winner == Side::Human ? HumanTray : ComputerTray;
        const int finished = table->Director().GamesFinished();
        if (winner == Side::Human) {
            SetPosition(*table, "h1:1 c24:3");
            table->Rules().OpenRoll(4, 1);
            ASSERT_TRUE(player.ClickPoint(1));
        } else {
            SetPosition(*table, "c24:1 h2:3");
            StartComputerTurn(*table, 1, 3, {{24, 1}});
        }
        // Whole frames, the cue's animation with the turn flow.
        for (int frame = 0; table->Director().GamesFinished() == finished; frame++) {
            ASSERT_LT(frame, 1000) << "the game is won";
            ASSERT_FALSE(table->Cue().On());
            table->Advance();
        }
        EXPECT_EQ(table->Director().LastWinner(), winner);
        const int turns = table->Rules().TurnsStarted();
        int cueFrames = 0;
        for (int frame = 0; table->Rules().PointAt(tray).count == 15u; frame++) {
            ASSERT_LT(frame, 1000) << "the final position stays";
            ASSERT_TRUE(table->Cue().On());
            ASSERT_EQ(table->Cue().Winner(), winner);
            ASSERT_EQ(table->Cue().Shade(winner), 1.0f);
            ASSERT_LT(table->Cue().Shade(loser), 1.0f);
            ASSERT_EQ(table->Rules().TurnsStarted(), turns);
            cueFrames++;
            player.LeftClick(400, 300);
            table->Advance();
        }
        EXPECT_EQ(cueFrames, TurnDirector::GameOverPauseFrames);
        EXPECT_FALSE(table->Cue().On());
        EXPECT_EQ(table->Cue().Shade(loser), 1.0f);
        EXPECT_EQ(table->Rules().TurnsStarted(), turns + 1);
        EXPECT_EQ(table->Rules().Winner(), Side::None);
        EXPECT_TRUE(table->IsValid());
        EXPECT_TRUE(HumansTurnAgain());
        EXPECT_EQ(table->Rules().PointAt(6).Top(), 29);
        EXPECT_EQ(table->CheckerAt(29).current.z, SlotPosition(6, 4).z);
    }
}
