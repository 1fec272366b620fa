#include <gtest/gtest.h>

#include <memory>

#include "tests/rules/TablePlayer.h"

TEST(PointStack, PushPopTopAndOwnerFollowTheLastCheckerAdded) {
    Point point;
    EXPECT_EQ(point.Owner(), NoSide);
    EXPECT_EQ(point.Top(), nullptr);
    EXPECT_EQ(point.Pop(), nullptr);
    EXPECT_EQ(point.count, 0u);

    Checker a, b, c;
    a.SetSideAndIndex(HumanSide, 20);
    b.SetSideAndIndex(HumanSide, 21);
    c.SetSideAndIndex(ComputerSide, 3);
    point.Push(&a);
    point.Push(&b);
    point.Push(&c);
    EXPECT_EQ(point.count, 3u);
    EXPECT_EQ(point.Top(), &c);
    EXPECT_EQ(point.Owner(), ComputerSide);

    EXPECT_EQ(point.Pop(), &c);
    EXPECT_EQ(point.Owner(), HumanSide);
    EXPECT_EQ(point.Pop(), &b);
    EXPECT_EQ(point.Pop(), &a);
    EXPECT_EQ(point.Pop(), nullptr);
    EXPECT_EQ(point.count, 0u);
    EXPECT_EQ(point.Owner(), NoSide);
}

TEST(PointStack, SetSelectedMarksEveryCheckerAndKeepsTheOrder) {
    Point point;
    Checker stack[4];
    for (Checker& c : stack) {
        c.SetSideAndIndex(HumanSide, 15);
        point.Push(&c);
    }
    point.SetSelected(true);
    for (const Checker& c : stack) {
        EXPECT_TRUE(c.selected);
    }
    point.SetSelected(false);
    for (int i = 3; i >= 0; i--) {
        EXPECT_FALSE(stack[i].selected);
        EXPECT_EQ(point.Pop(), &stack[i]);
    }
}

TEST(SlotPosition, BoardPointsStackInRowsOfSixFromTheRim) {
    // Point 1 is in the near right corner, 12 near left, 13 far left, 24 far right.
    const struct {
        int point;
        float x;
        float z;
    } corners[] = {{1, 0.85f, 0.86f},   {6, 0.15f, 0.86f},    {7, -0.15f, 0.86f},
                   {12, -0.85f, 0.86f}, {13, -0.85f, -0.86f}, {18, -0.15f, -0.86f},
                   {19, 0.15f, -0.86f}, {24, 0.85f, -0.86f}};
    for (const auto& c : corners) {
        const Pose first = SlotPosition(c.point, 0);
        EXPECT_NEAR(first.x, c.x, 1e-6) << "point " << c.point;
        EXPECT_NEAR(first.z, c.z, 1e-6) << "point " << c.point;
        EXPECT_NEAR(first.y, 0.011f, 1e-6);
        EXPECT_EQ(first.rotX, 0.0f);
        EXPECT_EQ(first.rotY, 0.0f);
        EXPECT_EQ(first.rotZ, 0.0f);
    }
    // The sixth checker stands nearest the centre line; the seventh starts a new layer at the rim.
    EXPECT_NEAR(SlotPosition(1, 5).z, 0.86f - 5 * 0.142f, 1e-6);
    EXPECT_NEAR(SlotPosition(1, 5).y, 0.011f, 1e-6);
    EXPECT_NEAR(SlotPosition(1, 6).z, 0.86f, 1e-6);
    EXPECT_NEAR(SlotPosition(1, 6).y, 0.032f, 1e-6);
    EXPECT_NEAR(SlotPosition(20, 12).y, 0.011f + 0.042f, 1e-6);
    EXPECT_NEAR(SlotPosition(20, 12).z, -0.86f, 1e-6);
    EXPECT_NEAR(SlotPosition(20, 13).z, -(0.86f - 0.142f), 1e-6);
}

TEST(SlotPosition, BarsAndTraysLieInTheirOwnHalves) {
    // The computer's hit checkers wait on the near half of the bar, the human's on the far half.
    EXPECT_EQ(SlotPosition(ComputerBar, 0).x, 0.0f);
    EXPECT_NEAR(SlotPosition(ComputerBar, 0).y, 0.081f, 1e-6);
    EXPECT_NEAR(SlotPosition(ComputerBar, 0).z, 0.86f, 1e-6);
    EXPECT_NEAR(SlotPosition(HumanBar, 0).z, -0.86f, 1e-6);
    EXPECT_NEAR(SlotPosition(HumanBar, 7).y, 0.081f + 0.021f, 1e-6);
    // Both trays are just off the right edge: the human's near, the computer's far.
    EXPECT_NEAR(SlotPosition(HumanTray, 0).x, 1.14f, 1e-6);
    EXPECT_EQ(SlotPosition(HumanTray, 0).y, 0.0f);
    EXPECT_NEAR(SlotPosition(HumanTray, 0).z, 0.86f, 1e-6);
    EXPECT_NEAR(SlotPosition(ComputerTray, 0).x, 1.14f, 1e-6);
    EXPECT_NEAR(SlotPosition(ComputerTray, 2).z, -(0.86f - 2 * 0.142f), 1e-6);
    EXPECT_NEAR(SlotPosition(ComputerTray, 14).y, 0.042f, 1e-6);
}

TEST(StartingPosition, TableStartsWithFifteenCheckersASideOnTheirPoints) {
    auto table = NewTable();
    EXPECT_TRUE(table->IsValid());

    BoardState snapshot;
    table->FillSnapshot(snapshot);
    // The computer is player 1 in its own snapshot, the human player 2.
    unsigned expected[26][2] = {};
    expected[1][0] = 1, expected[1][1] = 2;
    expected[6][0] = 2, expected[6][1] = 5;
    expected[8][0] = 2, expected[8][1] = 3;
    expected[12][0] = 1, expected[12][1] = 5;
    expected[13][0] = 2, expected[13][1] = 5;
    expected[17][0] = 1, expected[17][1] = 3;
    expected[19][0] = 1, expected[19][1] = 5;
    expected[24][0] = 2, expected[24][1] = 2;
    for (int p = 0; p < 26; p++) {
        EXPECT_EQ(snapshot.points[p].owner, expected[p][0]) << "point " << p;
        EXPECT_EQ(snapshot.points[p].count, expected[p][1]) << "point " << p;
    }
    EXPECT_EQ(table->points[HumanTray].count, 0u);
    EXPECT_EQ(table->points[ComputerTray].count, 0u);

    // Each checker stands in the slot it was given when it was added, in index order.
    EXPECT_EQ(table->points[1].stack[0], &table->checkers[0]);
    EXPECT_EQ(table->points[1].Top(), &table->checkers[1]);
    EXPECT_EQ(table->points[6].Top(), &table->checkers[29]);
    EXPECT_EQ(table->points[24].stack[0], &table->checkers[15]);
    const Pose fifthOnSix = SlotPosition(6, 4);
    EXPECT_EQ(table->checkers[29].current.x, fifthOnSix.x);
    EXPECT_EQ(table->checkers[29].current.z, fifthOnSix.z);
    EXPECT_EQ(table->checkers[29].current.y, fifthOnSix.y);
    EXPECT_EQ(table->checkers[0].side, ComputerSide);
    EXPECT_EQ(table->checkers[14].side, ComputerSide);
    EXPECT_EQ(table->checkers[15].side, HumanSide);
    EXPECT_EQ(table->ghostChecker.side, HumanSide);
    EXPECT_EQ(table->ghostChecker.index, 100);
    for (int p = 0; p < 28; p++) {
        EXPECT_EQ(table->points[p].number, static_cast<unsigned>(p));
    }
    // The human has the first turn; the dice rest on the right half, each showing a value.
    EXPECT_EQ(table->currentSide, HumanSide);
    EXPECT_EQ(table->hand.mode, RestMode);
    EXPECT_NEAR(table->dice[0].current.x, 0.4f, 1e-7);
    EXPECT_NEAR(table->dice[1].current.z, -0.05f, 1e-7);
    EXPECT_GE(table->dice[1].value, 1);
    EXPECT_LE(table->dice[1].value, 6);
}

TEST(Invariants, IsValidCatchesLostDuplicatedAndMixedCheckers) {
    auto table = NewTable();
    // A checker popped and not carried is lost.
    Checker* lost = table->points[24].Pop();
    EXPECT_FALSE(table->IsValid());
    // Carried by the hand it is accounted for.
    table->hand.carried = lost;
    table->hand.attached = 1;
    EXPECT_TRUE(table->IsValid());
    // On a point as well as in the hand it is counted twice.
    table->points[24].Push(lost);
    EXPECT_FALSE(table->IsValid());
    table->hand.carried = nullptr;
    table->hand.attached = 0;
    EXPECT_TRUE(table->IsValid());
    // A human checker under a computer stack mixes the sides.
    Checker* human = table->points[24].Pop();
    table->points[19].Push(human);
    EXPECT_FALSE(table->IsValid());
}
