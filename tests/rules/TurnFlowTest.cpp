#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "tests/rules/TablePlayer.h"

static bool HandIdle(const GameTable& table) {
    return !table.hand.moving;
}

TEST(HumanMove, PlainMoveTakesThreeHandMovesAndTheOtherDieComesNext) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetRoll(*table, 3, 5);
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(table->fromPoint, 13);
    EXPECT_EQ(table->toPoint, 10);
    EXPECT_EQ(table->inputEnabled, 0);
    const Pose slot = table->points[10].SlotPosition();
    Checker* mover = table->points[13].Top();

    // Reach, carry, return: fifteen frames each, the arrival in the last frame of each.
    int frames = RunUntil(player, [&] { return HandIdle(*table); });
    EXPECT_EQ(frames, 45);
    EXPECT_EQ(table->points[10].Top(), mover);
    EXPECT_EQ(mover->current.x, slot.x);
    EXPECT_EQ(mover->current.y, slot.y);
    EXPECT_EQ(mover->current.z, slot.z);
    EXPECT_EQ(table->points[13].count, 4u);
    EXPECT_EQ(table->hand.attached, 0);

    // Back at the pointer: one move left, with the other die, and the human may act again.
    EXPECT_EQ(table->movesLeft, 1);
    EXPECT_EQ(table->selectedDie, 1);
    EXPECT_TRUE(table->dice[1].active);
    EXPECT_FALSE(table->dice[0].active);
    EXPECT_EQ(table->inputEnabled, 1);
    EXPECT_EQ(table->currentSide, HumanSide);
    // With one move left the die switch does nothing.
    table->SwitchDie();
    EXPECT_EQ(table->selectedDie, 1);
}

TEST(HumanMove, RightClickBeforeTheFirstMoveSelectsTheOtherDieAndMovesTheGhost) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetRoll(*table, 3, 5);
    float px, py;
    player.PixelForPoint(13, px, py);
    player.MouseMove(px, py);
    EXPECT_TRUE(table->points[13].Top()->selected);
    ASSERT_EQ(table->ghostVisible, 1);
    EXPECT_EQ(table->ghostChecker.current.x, table->points[10].SlotPosition().x);

    player.RightClick(px, py);
    EXPECT_EQ(table->selectedDie, 1);
    EXPECT_TRUE(table->dice[1].active);
    ASSERT_EQ(table->ghostVisible, 1);
    EXPECT_EQ(table->ghostChecker.current.x, table->points[8].SlotPosition().x);
    EXPECT_EQ(table->ghostChecker.current.z, table->points[8].SlotPosition().z);

    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(table->toPoint, 8);
    RunUntil(player, [&] { return HandIdle(*table); });
    // After the first move the turn bookkeeping switches back to die 0.
    EXPECT_EQ(table->selectedDie, 0);
    EXPECT_EQ(table->movesLeft, 1);
}

TEST(HumanMove, TurnEndsAfterOneMoveWhenTheOtherDieCannotBeUsed) {
    auto table = NewTable();
    TablePlayer player(*table);
    // Only one human checker left on the board: after 13 -> 10 a 6 would land on the block at 4.
    SetPosition(*table, {{13, HumanSide, 1}, {4, ComputerSide, 2}});
    SetRoll(*table, 3, 6);
    const int turns = table->turnsStarted;
    ASSERT_TRUE(player.ClickPoint(13));
    // The next roll comes right after the first move: the human never got a second one.
    ASSERT_EQ(RunUntil(player, [&] { return table->turnsStarted > turns; }), 45);
    EXPECT_EQ(table->points[10].Owner(), HumanSide);
    EXPECT_EQ(table->points[13].count, 0u);
}

TEST(HumanMove, HitSendsTheBlotToTheComputersBarAndTheMoverTakesItsSlot) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetPosition(*table, {{13, HumanSide, 4},
                         {9, ComputerSide, 1},
                         {ComputerBar, ComputerSide, 2},
                         {6, HumanSide, 2}});
    SetRoll(*table, 4, 1);
    Checker* blot = table->points[9].Top();
    const Pose blotPose = blot->current;
    const Pose barSlot = table->points[ComputerBar].SlotPosition();

    // The ghost shows the slot after the blot.
    float px, py;
    player.PixelForPoint(13, px, py);
    player.MouseMove(px, py);
    ASSERT_EQ(table->ghostVisible, 1);
    EXPECT_EQ(table->ghostChecker.current.z, table->points[9].SlotPosition().z);

    Checker* mover = table->points[13].Top();
    ASSERT_TRUE(player.ClickPoint(13));
    EXPECT_EQ(table->hand.mode, ReachHitMode);
    const int frames = RunUntil(player, [&] { return HandIdle(*table); });
    EXPECT_EQ(frames, 60);
    EXPECT_EQ(table->points[9].count, 1u);
    EXPECT_EQ(table->points[9].Top(), mover);
    EXPECT_EQ(mover->current.x, blotPose.x);
    EXPECT_EQ(mover->current.z, blotPose.z);
    EXPECT_EQ(table->points[ComputerBar].count, 3u);
    EXPECT_EQ(table->points[ComputerBar].Top(), blot);
    EXPECT_EQ(blot->current.y, barSlot.y);
    EXPECT_EQ(blot->current.z, barSlot.z);
    EXPECT_EQ(table->movesLeft, 1);
}

TEST(HumanMove, BearOffShowsNoGhostButTheClickBearsTheCheckerOff) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetPosition(*table, {{2, HumanSide, 3}, {5, HumanSide, 2}, {24, ComputerSide, 2}});
    SetRoll(*table, 5, 5);
    float px, py;
    player.PixelForPoint(2, px, py);
    player.MouseMove(px, py);
    EXPECT_TRUE(table->points[2].Top()->selected);
    EXPECT_EQ(table->ghostVisible, 0);
    ASSERT_TRUE(player.ClickPoint(2));
    EXPECT_EQ(table->toPoint, HumanTray);
    RunUntil(player, [&] { return HandIdle(*table); });
    EXPECT_EQ(table->points[HumanTray].count, 11u);
    EXPECT_EQ(table->points[2].count, 2u);
    EXPECT_EQ(table->movesLeft, 3);
}

TEST(HoverStep, OnlyTheHumansCheckersAreHighlightedAndBlockedTargetsShowNoGhost) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetRoll(*table, 5, 2);
    float px, py;
    // Point 13 with a 5 lands on the human's own 8: highlighted, ghost shown.
    player.PixelForPoint(13, px, py);
    player.MouseMove(px, py);
    EXPECT_TRUE(table->points[13].stack[0]->selected);
    EXPECT_EQ(table->ghostVisible, 1);
    // Moving to the computer's 12 clears that and shows nothing.
    player.PixelForPoint(12, px, py);
    player.MouseMove(px, py);
    EXPECT_FALSE(table->points[13].stack[0]->selected);
    EXPECT_FALSE(table->points[12].Top()->selected);
    EXPECT_EQ(table->ghostVisible, 0);
    // An empty point: nothing either.
    player.PixelForPoint(15, px, py);
    player.MouseMove(px, py);
    EXPECT_EQ(table->ghostVisible, 0);
    // Point 6 with a 5 lands on the computer's two checkers on 1: selected, no ghost, no move.
    player.PixelForPoint(6, px, py);
    player.MouseMove(px, py);
    EXPECT_TRUE(table->points[6].Top()->selected);
    EXPECT_EQ(table->ghostVisible, 0);
    player.LeftClick(px, py);
    EXPECT_FALSE(table->hand.moving);
    EXPECT_EQ(table->inputEnabled, 1);
    EXPECT_TRUE(table->points[6].Top()->selected);
    // Off the board the last selection is cleared too.
    player.MouseMove(0, 0);
    EXPECT_FALSE(table->points[6].Top()->selected);
}

TEST(HumanMove, ClicksDuringAMoveOrTheComputersTurnDoNothing) {
    auto table = NewTable();
    TablePlayer player(*table);
    SetRoll(*table, 6, 5);
    ASSERT_TRUE(player.ClickPoint(13));
    player.Frame();
    const int from = table->fromPoint;
    // The window gates the click on inputEnabled; the drop step refuses a moving hand itself.
    player.LeftClick(10, 10);
    table->DropStep();
    EXPECT_EQ(table->fromPoint, from);
    EXPECT_EQ(table->hand.mode, ReachMode);

    RunUntil(player, [&] { return HandIdle(*table); });
    table->currentSide = ComputerSide;
    float px, py;
    player.PixelForPoint(8, px, py);
    table->mouseX = px;
    table->mouseY = py;
    table->MouseToBoard();
    table->DropStep();
    EXPECT_FALSE(table->hand.moving);
}
