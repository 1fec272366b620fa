#include <gtest/gtest.h>

#include "render/Checker.h"
#include "render/Picking.h"
#include "rules/Point.h"

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

static int Pick(float x, float z) {
    Pose pose;
    pose.x = x;
    pose.z = z;
    return PickPoint(pose);
}

// Bins are one point wide from the bar edge (the clicks in the other tests land inside
// them); their edges fall where the single-precision inputs put them, the bar splits at
// z = 0, the right rim strip picks the bar and the left one the corner point across the board,
// and the board's own edges are on it.
TEST(PickPoint, EdgesBarHalvesAndRimStrips) {
    const struct {
        float x, z;
        int point;
    } cases[] = {{0.0f, 0.0f, 0},     {0.0f, -0.001f, 25},  {0.07f, 0.5f, 0},
                 {-0.07f, -0.5f, 25}, {0.95f, 0.5f, 0},     {0.95f, -0.5f, 25},
                 {-0.95f, 0.5f, 13},  {-0.95f, -0.5f, 12},  {0.35f, 0.5f, 5},
                 {0.49f, 0.5f, 3},    {0.21f, 0.5f, 6},     {-0.35f, 0.5f, 8},
                 {1.0f, 1.0f, 0},     {-1.0f, -1.0f, 12},   {1.0001f, 0.0f, -1},
                 {0.0f, 1.0001f, -1}, {-1.0001f, 0.5f, -1}, {0.5f, -1.0001f, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(Pick(c.x, c.z), c.point) << c.x << ", " << c.z;
    }
}
