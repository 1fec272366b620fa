#include <gtest/gtest.h>

#include <memory>

#include "render/Picking.h"
#include "table/GameTable.h"

// Every hand move takes fifteen frames. Straight moves climb in equal steps to the grip height
// (or to pointer height at rest); the arc lifts from the first frame and lands at carrying
// height, higher over the bar. A carried checker hangs 0.13 below the hand all the way.
TEST(Hand, FifteenFrameMovesWithAndWithoutTheArc) {
    const struct {
        MovePhase mode;
        bool arc;
        float firstY, lastY;
    } moves[] = {{ReachPhase, false, 0.8820667f, 0.631f},
                 {ReturnPhase, false, 0.8546667f, 0.22f},
                 {CarryPhase, true, 0.1933735f, 0.131f},
                 {CarryToBarPhase, true, 0.2633735f, 0.201f}};
    for (const auto& m : moves) {
        Hand hand;
        Checker checker;
        hand.current.y = 0.9f;
        hand.arc = m.arc;
        Pose goal;
        goal.x = 0.3f;
        goal.y = 0.5f;
        hand.StartMove(m.mode, goal);
        int frames = 1;
        ASSERT_TRUE(hand.Step(&checker));
        EXPECT_NEAR(hand.current.y, m.firstY, 1e-5) << "mode " << m.mode;
        while (hand.Step(&checker) && frames < 100) {
            frames++;
        }
        EXPECT_EQ(frames + 1, 15) << "mode " << m.mode;
        EXPECT_FALSE(hand.moving);
        EXPECT_NEAR(hand.current.y, m.lastY, 1e-5) << "mode " << m.mode;
        EXPECT_NEAR(hand.current.x, 0.3f, 1e-5) << "mode " << m.mode;
        EXPECT_NEAR(checker.current.y, m.lastY - 0.13f, 1e-5) << "mode " << m.mode;
    }
}

// The client area maps onto the board from -1 to 1; odd sizes reach the edge exactly, and a
// window without a client area (caption only) leaves the hand where it is.
TEST(MouseToBoard, CentreCornersOddSizesAndNoClientArea) {
    const struct {
        int width, height;
        float mx, my, x, z;
    } cases[] = {{800, 600, 400, 300, 0.0f, 0.0f}, {800, 600, 0, 0, -1.0f, -1.0f},
                 {800, 600, 600, 450, 0.5f, 0.5f}, {801, 601, 800, 600, 1.0f, 1.0f},
                 {0, 600, 10, 10, 0.25f, 0.25f},   {800, 1, 10, 10, 0.25f, 0.25f}};
    auto table = std::make_unique<GameTable>();
    for (const auto& c : cases) {
        Hand& hand = table->TheHand();
        hand.current.x = 0.25f;
        hand.current.z = 0.25f;
        hand.current.y = 0.22f;
        table->SetClientSize(c.width, c.height);
        table->SetPointer(c.mx, c.my);
        table->MouseToBoard();
        EXPECT_FLOAT_EQ(hand.current.x, c.x) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(hand.current.z, c.z) << c.width << "x" << c.height;
        EXPECT_EQ(hand.current.y, 0.22f);
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
