#include <gtest/gtest.h>

#include <memory>

#include "tests/rules/TablePlayer.h"

TEST(PointStack, OwnerAndTopFollowTheLastCheckerAdded) {
    Point point;
    EXPECT_EQ(point.Owner(), NoSide);
    EXPECT_EQ(point.Pop(), nullptr);
    Checker a, b;
    a.SetSideAndIndex(HumanSide, 20);
    b.SetSideAndIndex(ComputerSide, 3);
    point.Push(&a);
    point.Push(&b);
    EXPECT_EQ(point.Owner(), ComputerSide);
    EXPECT_EQ(point.Pop(), &b);
    EXPECT_EQ(point.Owner(), HumanSide);
    EXPECT_EQ(point.Pop(), &a);
    EXPECT_EQ(point.count, 0u);
    EXPECT_EQ(point.Owner(), NoSide);
}

// Checkers stand in layers of six from the rim; bars and trays lie in their own halves.
TEST(SlotPosition, LayersOfSixOnPointsBarsAndTrays) {
    const struct {
        int point, slot;
        float x, y, z;
    } slots[] = {
        {1, 0, 0.85f, 0.011f, 0.86f},          {6, 0, 0.15f, 0.011f, 0.86f},
        {7, 0, -0.15f, 0.011f, 0.86f},         {13, 0, -0.85f, 0.011f, -0.86f},
        {24, 0, 0.85f, 0.011f, -0.86f},        {1, 5, 0.85f, 0.011f, 0.15f},
        {1, 6, 0.85f, 0.032f, 0.86f},          {20, 13, 0.29f, 0.053f, -0.718f},
        {ComputerBar, 0, 0.0f, 0.081f, 0.86f}, {HumanBar, 7, 0.0f, 0.102f, -0.718f},
        {HumanTray, 0, 1.14f, 0.0f, 0.86f},    {ComputerTray, 14, 1.14f, 0.042f, -0.576f},
    };
    for (const auto& s : slots) {
        const Pose pose = SlotPosition(s.point, s.slot);
        EXPECT_NEAR(pose.x, s.x, 1e-5) << "point " << s.point << " slot " << s.slot;
        EXPECT_NEAR(pose.y, s.y, 1e-5) << "point " << s.point << " slot " << s.slot;
        EXPECT_NEAR(pose.z, s.z, 1e-5) << "point " << s.point << " slot " << s.slot;
    }
}

TEST(StartingPosition, SnapshotShowsFifteenASideFromTheComputersView) {
    auto table = std::make_unique<GameTable>();
    EXPECT_TRUE(table->IsValid());
    BoardState snapshot;
    table->FillSnapshot(snapshot);
    // The computer is player 1 in its own snapshot, the human player 2: {owner, count}.
    unsigned expected[26][2] = {};
    const int stacks[8][3] = {{1, 1, 2},  {6, 2, 5},  {8, 2, 3},  {12, 1, 5},
                              {13, 2, 5}, {17, 1, 3}, {19, 1, 5}, {24, 2, 2}};
    for (const auto& s : stacks) {
        expected[s[0]][0] = s[1];
        expected[s[0]][1] = s[2];
    }
    for (int p = 0; p < 26; p++) {
        EXPECT_EQ(snapshot.points[p].owner, expected[p][0]) << "point " << p;
        EXPECT_EQ(snapshot.points[p].count, expected[p][1]) << "point " << p;
    }
    // Each checker stands in the slot it was given when added, in index order.
    EXPECT_EQ(table->points[1].stack[0], &table->checkers[0]);
    EXPECT_EQ(table->points[6].Top(), &table->checkers[29]);
    EXPECT_EQ(table->checkers[29].current.z, SlotPosition(6, 4).z);
    EXPECT_EQ(table->currentSide, HumanSide);
}

// IsValid is what every frame-by-frame test relies on: it must see each kind of damage.
TEST(Invariants, IsValidCatchesLostDuplicatedAndMixedCheckers) {
    auto table = std::make_unique<GameTable>();
    Checker* lost = table->points[24].Pop();
    EXPECT_FALSE(table->IsValid());
    table->hand.carried = lost;
    table->hand.attached = 1;
    EXPECT_TRUE(table->IsValid());
    table->points[24].Push(lost);
    EXPECT_FALSE(table->IsValid());
    table->hand.attached = 0;
    table->points[19].Push(table->points[24].Pop());
    EXPECT_FALSE(table->IsValid());
}
