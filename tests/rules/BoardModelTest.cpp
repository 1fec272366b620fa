#include <gtest/gtest.h>

#include "tests/rules/TableSetup.h"

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

// IsValid is what every frame-by-frame test relies on: it must see each kind of damage.
TEST(Invariants, IsValidCatchesLostDuplicatedAndMixedCheckers) {
    Position board;
    board.SetUpStartingPosition();
    const int lost = board.points[24].Pop();
    EXPECT_FALSE(board.IsValid());
    board.lifted = lost;
    EXPECT_TRUE(board.IsValid());
    board.points[24].Push(lost);
    EXPECT_FALSE(board.IsValid());
    board.lifted = NoChecker;
    board.points[19].Push(board.points[24].Pop());
    EXPECT_FALSE(board.IsValid());
}
