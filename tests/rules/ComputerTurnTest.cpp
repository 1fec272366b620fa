#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/rules/TablePlayer.h"

// A computer turn as the turn bookkeeping starts it, but with a chosen play instead of the
// computer player's: (checker index, die) pairs.
static void StartComputerTurn(GameTable& table, int a, int b,
                              std::initializer_list<std::pair<unsigned, unsigned>> play) {
    table.SwitchSide();
    SetRoll(table, a, b);
    MoveList moves;
    for (const auto& move : play) {
        moves.indices[moves.count] = move.first;
        moves.dice[moves.count] = move.second;
        moves.count++;
    }
    table.ReadComputerMoves(moves);
    table.computerMovesDone = 0;
    table.StartPlannedMove(0);
    table.hand.moving = true;
    table.inputEnabled = 0;
}

static bool HumansTurnAgain(const GameTable& table) {
    return table.currentSide == HumanSide && !table.hand.moving && table.inputEnabled == 1;
}

TEST(ComputerTurn, ACheckerMovedAgainStartsWhereItsLastMoveLeftIt) {
    auto table = NewTable();
    TablePlayer player(*table);
    // The computer's checker list reads 1, 1, 17, 18: indices 2 and 3 are the checkers on 17, 18.
    SetPosition(*table, {{1, ComputerSide, 2},
                         {17, ComputerSide, 1},
                         {18, ComputerSide, 1},
                         {6, HumanSide, 5},
                         {8, HumanSide, 3}});
    StartComputerTurn(*table, 4, 4, {{2, 4}, {3, 4}, {2, 4}, {3, 4}});
    EXPECT_EQ(table->movesLeft, 4);
    EXPECT_EQ(table->plannedSources[0], 17);
    EXPECT_EQ(table->plannedSources[1], 18);
    EXPECT_EQ(table->plannedSources[2], 21);
    EXPECT_EQ(table->plannedSources[3], 22);

    const int traysBefore = static_cast<int>(table->points[ComputerTray].count);
    // Each plain move: reach and carry; the hand goes straight on to the next one.
    ASSERT_GT(RunUntil(player, [&] { return table->computerMovesDone == 1; }), 0);
    EXPECT_EQ(SideOn(*table, 21), ComputerSide);
    ASSERT_GT(RunUntil(player, [&] { return table->computerMovesDone == 2; }), 0);
    EXPECT_EQ(SideOn(*table, 22), ComputerSide);
    ASSERT_GT(RunUntil(player, [&] { return table->computerMovesDone == 4; }), 0);
    EXPECT_EQ(table->points[17].count + table->points[18].count + table->points[21].count +
                  table->points[22].count,
              0u);
    EXPECT_EQ(static_cast<int>(table->points[ComputerTray].count), traysBefore + 2);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(*table); }), 0);
    EXPECT_GE(table->movesLeft, 2);
}

TEST(ComputerTurn, DoublesWithOnlyTwoMovesPlayTwoAndTheHumanRolls) {
    auto table = NewTable();
    TablePlayer player(*table);
    const int turns = table->turnsStarted;
    const int humanColour = table->hand.colourSelector;
    StartComputerTurn(*table, 3, 3, {{0, 3}, {0, 3}});
    EXPECT_EQ(table->movesLeft, 2);
    Checker* mover = table->points[1].Top();
    // Two moves of 30 frames and one return of 15.
    EXPECT_EQ(RunUntil(player, [&] { return HumansTurnAgain(*table); }), 75);
    EXPECT_EQ(table->points[7].Top(), mover);
    EXPECT_EQ(table->points[1].count, 1u);
    EXPECT_EQ(table->turnsStarted, turns + 1);
    EXPECT_TRUE(table->movesLeft == 2 || table->movesLeft == 4);
    EXPECT_EQ(table->hand.colourSelector, humanColour);
}

TEST(ComputerTurn, HitSendsTheHumansBlotToTheHumansBar) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetPosition(*table, {{10, ComputerSide, 3}, {13, HumanSide, 1}, {6, HumanSide, 4}});
    Checker* blot = table->points[13].Top();
    Checker* mover = table->points[10].Top();
    StartComputerTurn(*table, 3, 5, {{2, 3}});
    EXPECT_EQ(table->hand.mode, ReachHitMode);
    EXPECT_EQ(table->barPoint, HumanBar);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(*table); }), 0);
    EXPECT_EQ(table->points[HumanBar].Top(), blot);
    EXPECT_EQ(table->points[13].Top(), mover);
    EXPECT_EQ(blot->current.z, SlotPosition(HumanBar, 0).z);
}

TEST(ComputerTurn, AComputerWithNoMoveGivesTheHumanAFreshRollAtOnce) {
    auto table = NewTable();
    TablePlayer player(*table);
    // The human holds its whole home board: the computer's checker on the bar cannot enter.
    SetPosition(*table, {{1, HumanSide, 2},
                         {2, HumanSide, 2},
                         {3, HumanSide, 2},
                         {4, HumanSide, 2},
                         {5, HumanSide, 2},
                         {6, HumanSide, 2},
                         {13, HumanSide, 3},
                         {ComputerBar, ComputerSide, 1},
                         {20, ComputerSide, 14}});
    SetRoll(*table, 3, 2);
    table->movesLeft = 1;  // the last move of the human's turn
    const int turns = table->turnsStarted;
    ASSERT_TRUE(player.ClickPoint(13));
    ASSERT_EQ(RunUntil(player, [&] { return table->turnsStarted > turns; }), 45);
    // The computer's roll and the human's new one, in the same frame.
    EXPECT_EQ(table->turnsStarted, turns + 2);
    EXPECT_EQ(table->currentSide, HumanSide);
    EXPECT_TRUE(table->movesLeft == 2 || table->movesLeft == 4);
    EXPECT_EQ(table->inputEnabled, 1);
    EXPECT_FALSE(table->hand.moving);
    EXPECT_EQ(table->points[ComputerBar].count, 1u);
}

TEST(ComputerTurn, ARefusedPlannedMoveEndsTheComputersTurn) {
    // Refused in the middle of a turn: the second move starts on a human point.
    auto table = NewTable();
    TablePlayer player(*table);
    const int turns = table->turnsStarted;
    StartComputerTurn(*table, 4, 2, {{14, 4}, {0, 2}});
    table->plannedSources[1] = 6;
    const int frames = RunUntil(player, [&] { return HumansTurnAgain(*table); });
    ASSERT_GT(frames, 0);
    EXPECT_LE(frames, 30 + 1 + 15);
    EXPECT_EQ(table->computerMovesDone, 1);
    EXPECT_EQ(table->stalledComputerTurns, 1);
    EXPECT_EQ(table->turnsStarted, turns + 1);
    EXPECT_EQ(SideOn(*table, 23), ComputerSide);  // the first move was made: 19 -> 23

    // Refused at once: the first planned move is blocked by the human's five checkers on 6.
    StartComputerTurn(*table, 5, 2, {{0, 5}});
    EXPECT_EQ(table->hand.mode, RestMode);
    ASSERT_GT(RunUntil(
                  player, [&] { return HumansTurnAgain(*table); }, 100),
              0);
    EXPECT_EQ(table->stalledComputerTurns, 2);
    EXPECT_EQ(table->points[1].count, 2u);
}

TEST(BlockedHumanTurn, PassesToTheComputerAfterTheRollHasBeenShown) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetPosition(*table, {{HumanBar, HumanSide, 1}, {19, ComputerSide, 2}, {20, ComputerSide, 2}});
    SetRoll(*table, 5, 6);
    ASSERT_FALSE(table->HumanHasAnyMove());
    const int turns = table->turnsStarted;
    // Clicks cannot start anything, and the right button only changes the die.
    float px, py;
    player.PixelForPoint(HumanBar, px, py);
    player.LeftClick(px, py);
    player.RightClick(px, py);
    EXPECT_FALSE(table->hand.moving);
    const int frames = RunUntil(player, [&] { return table->turnsStarted != turns; });
    EXPECT_EQ(frames, GameTable::NoMovePassFrames);
    EXPECT_EQ(table->blockedTurnsPassed, 1);

    // A turn that has a move waits for the human as long as it takes.
    auto patient = NewTable();
    TablePlayer waiting(*patient);
    SetRoll(*patient, 5, 6);
    const int before = patient->turnsStarted;
    RunUntil(
        waiting, [] { return false; }, 500);
    EXPECT_EQ(patient->turnsStarted, before);
    EXPECT_EQ(patient->currentSide, HumanSide);
}

TEST(GameOver, TheWinningPositionStaysInViewThenANewGameStartsWithTheHumansRoll) {
    auto table = NewTable();
    TablePlayer player(*table);
    const int humanColour = table->hand.colourSelector;
    SetPosition(*table, {{2, HumanSide, 1}, {24, ComputerSide, 3}});
    SetRoll(*table, 4, 1);
    ASSERT_TRUE(player.ClickPoint(2));
    ASSERT_EQ(RunUntil(player, [&] { return table->gamesFinished == 1; }), 45);
    EXPECT_EQ(table->lastWinner, HumanSide);
    EXPECT_EQ(table->Winner(), HumanSide);
    EXPECT_EQ(table->inputEnabled, 0);
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
    EXPECT_EQ(table->currentSide, HumanSide);
    EXPECT_EQ(table->inputEnabled, 1);
    EXPECT_TRUE(table->movesLeft == 2 || table->movesLeft == 4);
    EXPECT_EQ(table->points[6].count, 5u);
    EXPECT_EQ(table->points[19].count, 5u);
    EXPECT_EQ(table->points[6].Top(), &table->checkers[29]);
    EXPECT_EQ(table->checkers[29].current.z, SlotPosition(6, 4).z);
    EXPECT_EQ(table->hand.colourSelector, humanColour);
}

TEST(GameOver, TheComputersLastBearOffEndsTheGameToo) {
    auto table = NewTable();
    TablePlayer player(*table);
    const int humanColour = table->hand.colourSelector;
    SetPosition(*table, {{23, ComputerSide, 1}, {6, HumanSide, 4}});
    StartComputerTurn(*table, 2, 5, {{0, 5}});
    ASSERT_GT(RunUntil(player, [&] { return table->gamesFinished == 1; }), 0);
    EXPECT_EQ(table->lastWinner, ComputerSide);
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(*table); }), 0);
    EXPECT_EQ(table->points[1].count, 2u);
    EXPECT_EQ(table->points[ComputerTray].count, 0u);
    EXPECT_EQ(table->hand.colourSelector, humanColour);
}

TEST(ComputerTurn, TheComputerPlayersOwnDoublesPlayWithOnlyTwoMovesIsCarriedOut) {
    auto table = NewTable();
    TablePlayer player(*table);
    // 15 -> 18 -> 21, and then the human's two checkers on 24 stop the 3s.
    SetPosition(*table, {{15, ComputerSide, 1}, {24, HumanSide, 2}, {6, HumanSide, 5}});
    table->SwitchSide();
    SetRoll(*table, 3, 3);
    table->PlanComputerTurn();
    ASSERT_EQ(table->movesLeft, 2);
    EXPECT_EQ(table->plannedSources[0], 15);
    EXPECT_EQ(table->plannedSources[1], 18);
    table->computerMovesDone = 0;
    table->StartPlannedMove(0);
    table->hand.moving = true;
    table->inputEnabled = 0;
    ASSERT_GT(RunUntil(player, [&] { return HumansTurnAgain(*table); }), 0);
    EXPECT_EQ(SideOn(*table, 21), ComputerSide);
    EXPECT_EQ(table->points[15].count + table->points[18].count, 0u);
    EXPECT_EQ(table->stalledComputerTurns, 0);
}
